// LineRecordPool: line records handed out from blocks of 64 through a free list; a released
// record goes back to the list, and the blocks are freed only all together.
#pragma once
#include <cstdint>
#include <new>

#include "LineRecord.h"
#include "StoreAllocator.h"

class LineRecordPool {
public:
    static constexpr uint32_t blockRecords = 64;

    explicit LineRecordPool(StoreAllocator& allocator) : allocator_(allocator) {}
    ~LineRecordPool() { freeAll(); }
    LineRecordPool(const LineRecordPool&) = delete;
    LineRecordPool& operator=(const LineRecordPool&) = delete;
    LineRecordPool(LineRecordPool&&) = delete;
    LineRecordPool& operator=(LineRecordPool&&) = delete;

    // A fresh record (rowCount 1, no text, no links), or null when no block can be had.
    LineRecord* acquire() {
        if (free_) {
            LineRecord* record = free_;
            free_ = record->next;
            record->next = nullptr;
            return record;
        }
        if (unused_ == unusedEnd_ && !addBlock()) return nullptr;
        return new (unused_++) LineRecord;
    }
    // Frees the record's own text and row array and puts it at the front of the free list.
    void release(LineRecord* record);
    // Frees every block. Every record handed out becomes invalid.
    void freeAll();

    // Frees a record's own text and row array and resets its fields, without returning it to the
    // list (used for the embedded first line as well).
    static void clearRecord(LineRecord& record, StoreAllocator& allocator);

    uint32_t blockCount() const { return blockCount_; }
    uint32_t freeCount() const;

private:
    // The records of the newest block that were never handed out follow the free list; they are
    // constructed only when handed out, so that a new block is touched once.
    struct Block {
        Block* nextBlock;
        alignas(LineRecord) unsigned char records[blockRecords * sizeof(LineRecord)];
    };
    bool addBlock();

    StoreAllocator& allocator_;
    Block* blocks_ = nullptr;
    LineRecord* free_ = nullptr;
    LineRecord* unused_ = nullptr;
    LineRecord* unusedEnd_ = nullptr;
    uint32_t blockCount_ = 0;
};

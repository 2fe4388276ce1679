// LineRecordPool: line records handed out from blocks of 64 through a free list; a released
// record goes back to the list, and the blocks are freed only all together. Blocks are carved
// from slabs that grow with the document, so a large load asks the heap for few big pieces.
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
        if (unused_ == unusedEnd_ && !openBlock()) return nullptr;
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
    // A slab holds `blocks` blocks of records after its header. The records of the newest block
    // that were never handed out follow the free list; they are constructed only when handed
    // out, so that fresh memory is touched once. The slab's further blocks are opened one by one.
    struct Slab {
        Slab* nextSlab;
        size_t bytes;
    };
    static constexpr size_t slabHeader = (sizeof(Slab) + alignof(LineRecord) - 1) / alignof(LineRecord) * alignof(LineRecord);
    // Blocks of the next slab: one at first, then a sixteenth of the blocks so far (so that the
    // unused part of the last slab stays small beside the document), at most 256.
    static constexpr uint32_t maxSlabBlocks = 256;
    static constexpr uint32_t slabGrowthShift = 4;
    bool openBlock();

    StoreAllocator& allocator_;
    Slab* slabs_ = nullptr;
    LineRecord* free_ = nullptr;
    LineRecord* unused_ = nullptr;
    LineRecord* unusedEnd_ = nullptr;   // end of the open block
    LineRecord* slabEnd_ = nullptr;     // end of the newest slab's blocks
    uint32_t blockCount_ = 0;
};

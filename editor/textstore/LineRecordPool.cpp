// LineRecordPool: block allocation and the free list of line records.
#include "LineRecordPool.h"

bool LineRecordPool::addBlock() {
    void* memory = allocator_.allocate(sizeof(Block));
    if (!memory) return false;
    Block* block = static_cast<Block*>(memory);
    block->nextBlock = blocks_;
    blocks_ = block;
    ++blockCount_;
    unused_ = reinterpret_cast<LineRecord*>(block->records);
    unusedEnd_ = unused_ + blockRecords;
    return true;
}

void LineRecordPool::clearRecord(LineRecord& record, StoreAllocator& allocator) {
    if (record.hasOwnText()) allocator.release(record.text, record.capacity);
    if (record.rowStarts)
        allocator.release(record.rowStarts, sizeof(uint32_t) * uint32_t(record.rowStartsCapacity));
    record = LineRecord();
}

void LineRecordPool::release(LineRecord* record) {
    clearRecord(*record, allocator_);
    record->next = free_;
    free_ = record;
}

void LineRecordPool::freeAll() {
    while (blocks_) {
        Block* block = blocks_;
        blocks_ = block->nextBlock;
        allocator_.release(block, sizeof(Block));
    }
    free_ = nullptr;
    unused_ = unusedEnd_ = nullptr;
    blockCount_ = 0;
}

uint32_t LineRecordPool::freeCount() const {
    uint32_t n = uint32_t(unusedEnd_ - unused_);
    for (const LineRecord* r = free_; r; r = r->next) ++n;
    return n;
}

// LineRecordPool: block allocation and the free list of line records.
#include "LineRecordPool.h"

bool LineRecordPool::openBlock() {
    if (unusedEnd_ == slabEnd_) {
        uint32_t blocks = blockCount_ >> slabGrowthShift;
        blocks = blocks < 1 ? 1 : blocks > maxSlabBlocks ? maxSlabBlocks : blocks;
        size_t bytes = slabHeader + size_t(blocks) * blockRecords * sizeof(LineRecord);
        void* memory = allocator_.allocate(bytes);
        if (!memory && blocks > 1) {
            // Short of memory for a large slab: a single block may still be had.
            blocks = 1;
            bytes = slabHeader + size_t(blockRecords) * sizeof(LineRecord);
            memory = allocator_.allocate(bytes);
        }
        if (!memory) return false;
        Slab* slab = static_cast<Slab*>(memory);
        slab->nextSlab = slabs_;
        slab->bytes = bytes;
        slabs_ = slab;
        unusedEnd_ = reinterpret_cast<LineRecord*>(static_cast<unsigned char*>(memory) + slabHeader);
        slabEnd_ = unusedEnd_ + size_t(blocks) * blockRecords;
    }
    unused_ = unusedEnd_;
    unusedEnd_ = unused_ + blockRecords;
    ++blockCount_;
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
    while (slabs_) {
        Slab* slab = slabs_;
        slabs_ = slab->nextSlab;
        allocator_.release(slab, slab->bytes);
    }
    free_ = nullptr;
    unused_ = unusedEnd_ = slabEnd_ = nullptr;
    blockCount_ = 0;
}

uint32_t LineRecordPool::freeCount() const {
    uint32_t n = uint32_t(unusedEnd_ - unused_);
    for (const LineRecord* r = free_; r; r = r->next) ++n;
    return n;
}

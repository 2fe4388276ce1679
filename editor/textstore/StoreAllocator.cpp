// StoreAllocator: malloc/realloc/free with byte counting and an injectable failure countdown.
#include "StoreAllocator.h"

#include <cstdlib>

bool StoreAllocator::mayAllocate() {
    if (countdown_ == 0) return false;
    if (countdown_ > 0) --countdown_;
    return true;
}

void* StoreAllocator::allocate(size_t bytes) {
    if (!mayAllocate()) return nullptr;
    void* block = std::malloc(bytes);
    if (block) {
        liveBytes_ += bytes;
        ++liveBlocks_;
    }
    return block;
}

void* StoreAllocator::reallocate(void* block, size_t oldBytes, size_t newBytes) {
    if (!block) return allocate(newBytes);
    if (!mayAllocate()) return nullptr;
    void* moved = std::realloc(block, newBytes);
    if (moved) liveBytes_ = liveBytes_ - oldBytes + newBytes;
    return moved;
}

void StoreAllocator::release(void* block, size_t bytes) {
    if (!block) return;
    std::free(block);
    liveBytes_ -= bytes;
    --liveBlocks_;
}

// StoreAllocator: the heap seam of the line store; counts the bytes it holds and can be told to
// fail after a number of further allocations so that the out-of-memory paths can be tested.
#pragma once
#include <cstddef>
#include <cstdint>

class StoreAllocator {
public:
    StoreAllocator() = default;
    StoreAllocator(const StoreAllocator&) = delete;
    StoreAllocator& operator=(const StoreAllocator&) = delete;
    StoreAllocator(StoreAllocator&&) = delete;
    StoreAllocator& operator=(StoreAllocator&&) = delete;

    // Null on failure (real or injected). Zero bytes are never asked for.
    void* allocate(size_t bytes);
    // `oldBytes` is what the block was allocated with; null on failure, the old block then stays.
    void* reallocate(void* block, size_t oldBytes, size_t newBytes);
    void release(void* block, size_t bytes);

    // The next `n` allocations succeed and every one after them fails; negative: never fail.
    void failAfter(int64_t n) { countdown_ = n; }
    bool failing() const { return countdown_ == 0; }

    // Bytes currently held through this allocator (as asked for, without the heap's overhead),
    // and the number of blocks, so that the heap's per-block overhead can be estimated.
    size_t liveBytes() const { return liveBytes_; }
    size_t liveBlocks() const { return liveBlocks_; }

private:
    bool mayAllocate();

    int64_t countdown_ = -1;
    size_t liveBytes_ = 0;
    size_t liveBlocks_ = 0;
};

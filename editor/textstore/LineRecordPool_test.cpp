// Tests of the line record pool: blocks of 64, the free list and freeing all blocks at once.
#include "LineRecordPool.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(LineRecordPool, BlocksOfSixtyFourAndTheFreeList) {
    StoreAllocator allocator;
    LineRecordPool pool(allocator);
    std::vector<LineRecord*> records;
    for (int i = 0; i < 65; ++i) records.push_back(pool.acquire());
    EXPECT_EQ(pool.blockCount(), 2u);
    EXPECT_EQ(pool.freeCount(), 63u);
    // A released record goes to the front of the list, cleared, its own blocks freed.
    LineRecord* r = records[10];
    r->text = static_cast<uint8_t*>(allocator.allocate(16));
    r->capacity = 16;
    r->length = 5;
    r->marks = LineRecord::ownsText;
    r->rowStarts = static_cast<uint32_t*>(allocator.allocate(8));
    r->rowStartsCapacity = 2;
    r->rowCount = 2;
    r->lineEnd = 3;
    size_t before = allocator.liveBytes();
    pool.release(r);
    EXPECT_EQ(allocator.liveBytes(), before - 24);
    LineRecord* again = pool.acquire();
    EXPECT_EQ(again, r);
    EXPECT_EQ(again->rowCount, 1);
    EXPECT_EQ(again->lineEnd, 0);
    EXPECT_EQ(again->text, nullptr);
    EXPECT_EQ(again->next, nullptr);
    pool.freeAll();
    EXPECT_EQ(pool.blockCount(), 0u);
    EXPECT_EQ(allocator.liveBytes(), 0u);
}

TEST(LineRecordPool, NoBlockNoRecord) {
    StoreAllocator allocator;
    LineRecordPool pool(allocator);
    allocator.failAfter(1);
    for (int i = 0; i < 64; ++i) ASSERT_NE(pool.acquire(), nullptr);
    EXPECT_EQ(pool.acquire(), nullptr);
    EXPECT_EQ(pool.blockCount(), 1u);
}

TEST(LineRecordPool, LargeDocumentsTakeBlocksFromFewerAllocations) {
    StoreAllocator allocator;
    LineRecordPool pool(allocator);
    std::set<LineRecord*> records;
    const uint32_t blocks = 600;
    for (uint32_t i = 0; i < blocks * 64 + 1; ++i) {
        LineRecord* r = pool.acquire();
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->rowCount, 1);
        r->length = i;   // every record is memory of its own
        records.insert(r);
    }
    EXPECT_EQ(records.size(), size_t(blocks) * 64 + 1);
    // Blocks still open one at a time: the newest has 63 left.
    EXPECT_EQ(pool.blockCount(), blocks + 1);
    EXPECT_EQ(pool.freeCount(), 63u);
    EXPECT_LT(allocator.liveBlocks(), size_t(blocks) / 4);
    // The unused part of the newest allocation stays small beside what is in use.
    EXPECT_LT(allocator.liveBytes(), size_t(blocks + 1) * 64 * sizeof(LineRecord) * 17 / 16 + 4096);
    pool.freeAll();
    EXPECT_EQ(pool.blockCount(), 0u);
    EXPECT_EQ(allocator.liveBytes(), 0u);
    EXPECT_EQ(allocator.liveBlocks(), 0u);
}

// Tests of running out of memory: creation, loading (every allocation in turn), text growth of a
// borrowed line, and that reset and destroy give back everything.
#include "TextStore.h"

#include <gtest/gtest.h>

#include "LineText.h"
#include "TextStoreTestSupport.h"

using namespace storetest;

namespace {

// Enough lines for several pool blocks, long enough for row arrays at width 10; 表 in the
// Shift_JIS form or the UTF-8 form, and a line that may hold a character without a Shift_JIS form.
std::string manyLines(const std::string& hyou, const std::string& unmapped) {
    std::string text;
    for (int i = 0; i < 150; ++i) text += "line " + hyou + " " + std::to_string(i) + std::string(size_t(i % 23), 'x') + "\r\n";
    return text + unmapped + "\r\nlast";
}

}  // namespace

TEST(TextStoreMemory, CreateFailsWithoutTheTokenBuffer) {
    TextStore store;
    store.allocator().failAfter(0);
    EXPECT_FALSE(store.create(76, 4, 0, TextEncoding::ShiftJis));
    store.allocator().failAfter(-1);
    EXPECT_TRUE(store.create(76, 4, 0, TextEncoding::ShiftJis));
}

// Lines are decoded as their chunk is loaded; a chunk that fails must leave the tail's own bytes
// undecoded, so that the conversion still reads them right.
TEST(TextStoreMemory, EveryFailingAllocationWhileLoadingLeavesTheLinesBefore) {
    struct Case {
        TextEncoding encoding;
        const char* a;     // あ, 表 in the encoding
        const char* hyou;
        const char* unmapped;   // ☃ in UTF-8
    };
    for (Case c : {Case{TextEncoding::ShiftJis, "\x82\xA0", "\x95\x5C", ""},
                   Case{TextEncoding::Utf8, "\xE3\x81\x82", "\xE8\xA1\xA8", "\xE2\x98\x83"}})
    for (bool borrow : {true, false}) {
        TextStore store;
        ASSERT_TRUE(store.create(10, 4, 0, TextEncoding::ShiftJis));
        const size_t idle = store.allocator().liveBytes();
        const Bytes firstImage = bytesOf(std::string("kept\r\nt") + c.a), secondImage = bytesOf(manyLines(c.hyou, c.unmapped));
        for (int64_t n = 0;; ++n) {
            // Borrowed lines are decoded inside the image, so every round takes fresh copies.
            Bytes first = firstImage, second = secondImage;
            store.reset(c.encoding);
            ASSERT_TRUE(store.loadChunk(uint32_t(first.size()), first.data(), borrow));
            store.allocator().failAfter(n);
            bool loaded = store.loadChunk(uint32_t(second.size()), second.data(), borrow);
            store.allocator().failAfter(-1);
            if (!loaded) {
                // The first chunk's lines remain, the tail as it was.
                ASSERT_EQ(store.lineCount(), 2) << n;
                ASSERT_TRUE(store.convertLoaded());
                EXPECT_EQ(linesOf(store), (std::vector<std::string>{"kept", "t\x82\xA0"})) << n;
                EXPECT_FALSE(store.loadWasLossy()) << n;
                ASSERT_TRUE(store.check()) << n;
                store.reset(TextEncoding::ShiftJis);
                ASSERT_EQ(store.allocator().liveBytes(), idle) << n;
                continue;
            }
            EXPECT_EQ(store.lineCount(), 153);
            ASSERT_TRUE(store.convertLoaded());
            EXPECT_EQ(linesOf(store)[1], "t\x82\xA0line \x95\x5C 0");
            EXPECT_EQ(linesOf(store)[152], "last");
            EXPECT_EQ(store.loadWasLossy(), c.encoding == TextEncoding::Utf8);
            // Rows whose arrays could not grow are short of rows; a new width redoes them.
            store.setWrapWidth(11);
            store.setWrapWidth(10);
            EXPECT_TRUE(store.check());
            EXPECT_GT(n, 2);
            break;
        }
        store.reset(TextEncoding::ShiftJis);
        EXPECT_EQ(store.allocator().liveBytes(), idle);
        store.destroy();
        EXPECT_EQ(store.allocator().liveBytes(), 0u);
    }
}

TEST(TextStoreMemory, RowsThatCannotGrowStayUsable) {
    TextStore store;
    ASSERT_TRUE(store.create(10, 4, 0, TextEncoding::ShiftJis));
    Bytes image = bytesOf(std::string(100, 'a') + "\r\n" + std::string(35, 'b'));
    store.reset(TextEncoding::ShiftJis);
    store.allocator().failAfter(2);   // a pool block and the first line's first row array
    ASSERT_TRUE(store.loadChunk(uint32_t(image.size()), image.data(), true));
    ASSERT_TRUE(store.convertLoaded());
    store.allocator().failAfter(-1);
    const LineRecord* first = store.firstLine();
    EXPECT_EQ(first->rowCount, 11);           // 100 cells: ten full rows and the empty one
    EXPECT_EQ(first->next->rowCount, 1);      // no array at all: one wide row
    EXPECT_EQ(first->next->singleRowWidth, 35);
    EXPECT_EQ(store.rowCount(), 12);
    // Widening the wrap width later rebuilds proper rows.
    store.setWrapWidth(20);
    EXPECT_TRUE(store.check());
}

TEST(TextStoreMemory, BorrowedTextIsCopiedOnGrowthAndKeptOnFailure) {
    StoreAllocator allocator;
    Bytes image = bytesOf("abc\r\n");
    LineRecord line;
    line.text = image.data();
    line.length = 3;
    line.capacity = 4;
    allocator.failAfter(0);
    EXPECT_FALSE(LineText::append(line, reinterpret_cast<const uint8_t*>("xy"), 2, allocator));
    EXPECT_EQ(line.text, image.data());   // unchanged, not emptied
    EXPECT_EQ(line.length, 3u);
    allocator.failAfter(-1);
    ASSERT_TRUE(LineText::append(line, reinterpret_cast<const uint8_t*>("xy"), 2, allocator));
    EXPECT_TRUE(line.hasOwnText());
    EXPECT_EQ(line.capacity, 16u);
    EXPECT_EQ(textOf(line), "abcxy");
    EXPECT_EQ(std::string(image.begin(), image.end()), "abc\r\n");
    std::string more(20, 'z');
    ASSERT_TRUE(LineText::append(line, reinterpret_cast<const uint8_t*>(more.data()), 20, allocator));
    EXPECT_EQ(line.capacity, 32u);
    EXPECT_EQ(LineText::capacityFor(33), 64u);
    LineRecordPool::clearRecord(line, allocator);
    EXPECT_EQ(allocator.liveBytes(), 0u);
}

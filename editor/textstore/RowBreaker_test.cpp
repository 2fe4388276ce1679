// Tests of row breaking: the wrap rules at the edge with double-byte characters and TABs, the
// fast path against a plain character walk, rows of offsets and restarting from an offset.
#include "RowBreaker.h"

#include <gtest/gtest.h>

#include <random>

#include "TextStoreTestSupport.h"

using namespace storetest;

namespace {

// The rules walked one character at a time, as the reference for the breaker.
std::vector<uint32_t> referenceStarts(const Bytes& t, int32_t w, int32_t tab, int32_t* lastColumn) {
    std::vector<uint32_t> starts;
    int32_t col = 0;
    uint32_t len = uint32_t(t.size());
    for (uint32_t i = 0; i < len;) {
        if (t[i] == 9) {
            col = (col / tab + 1) * tab;
            ++i;
            if (col >= w) {
                starts.push_back(i);
                col = 0;
            }
            continue;
        }
        int32_t cells = isSjisLead(t[i]) ? 2 : 1;
        if (col + cells == w) {
            i = std::min(i + uint32_t(cells), len);
            starts.push_back(i);
            col = 0;
        } else if (col + cells > w && col > 0) {
            starts.push_back(i);
            col = cells;
            i += uint32_t(cells);
        } else {
            col += cells;
            i += uint32_t(cells);
        }
    }
    *lastColumn = col;
    return starts;
}

struct Line {
    Bytes bytes;
    LineRecord record;
    explicit Line(Bytes b) : bytes(std::move(b)) {
        record.text = bytes.data();
        record.length = record.capacity = uint32_t(bytes.size());
    }
};

std::vector<uint32_t> startsOf(const LineRecord& line) {
    if (line.rowCount == 1) return {};
    return std::vector<uint32_t>(line.rowStarts, line.rowStarts + line.rowCount - 1);
}

class RowBreakerTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (Line* l : lines_) {
            LineRecordPool::clearRecord(l->record, allocator_);
            delete l;
        }
        EXPECT_EQ(allocator_.liveBytes(), 0u);
    }
    LineRecord& line(const std::string& s) {
        lines_.push_back(new Line(bytesOf(s)));
        return lines_.back()->record;
    }
    StoreAllocator allocator_;
    std::vector<Line*> lines_;
};

}  // namespace

TEST_F(RowBreakerTest, DoubleByteCharacterAtTheEdge) {
    RowBreaker breaker(10, 4);
    // 8 + 2 = 10 fills the row exactly: a second, empty row at the line's end.
    LineRecord& exact = line("aaaaaaaa\x95\x5C");   // 表, whose trail byte is 0x5C
    EXPECT_EQ(breaker.rebreak(exact, 0, allocator_, true), 2);
    EXPECT_EQ(startsOf(exact), (std::vector<uint32_t>{10}));
    EXPECT_EQ(exact.rowStarts[1], 10u);
    EXPECT_EQ(exact.singleRowWidth, -1);
    // 9 + 2 > 10: the character opens the second row, whose column is then 2.
    LineRecord& cross = line("aaaaaaaaa\x83\x5C" "b");   // ソ
    breaker.rebreak(cross, 0, allocator_, true);
    EXPECT_EQ(startsOf(cross), (std::vector<uint32_t>{9}));
    // W single-byte characters: two rows, the second empty.
    LineRecord& full = line("abcdefghij");
    breaker.rebreak(full, 0, allocator_, true);
    EXPECT_EQ(full.rowCount, 2);
    EXPECT_EQ(startsOf(full), (std::vector<uint32_t>{10}));
    // One short of W: one row of its width; half-width katakana take one cell.
    LineRecord& narrow = line("\xB1\xB2\xB3" "abcdef");
    breaker.rebreak(narrow, 0, allocator_, false);
    EXPECT_EQ(narrow.rowCount, 1);
    EXPECT_EQ(narrow.singleRowWidth, 9);
    EXPECT_EQ(narrow.rowStarts, nullptr);
    EXPECT_EQ(narrow.urlFlags, LineRecord::urlScanned);
}

TEST_F(RowBreakerTest, TabsAtTheEdge) {
    RowBreaker breaker(10, 4);
    // The TAB takes the column from 9 to 12: a new row right after it.
    LineRecord& over = line("abcdefghi\tx");
    breaker.rebreak(over, 0, allocator_, true);
    EXPECT_EQ(startsOf(over), (std::vector<uint32_t>{10}));
    // A TAB that ends the line at the edge gives a further, empty row.
    LineRecord& last = line("abcdefgh\t");
    breaker.rebreak(last, 0, allocator_, true);
    EXPECT_EQ(startsOf(last), (std::vector<uint32_t>{9}));
    EXPECT_EQ(last.rowStarts[1], 9u);
    // TABs below the edge only widen the row.
    LineRecord& inside = line("\ta\tb");
    breaker.rebreak(inside, 0, allocator_, true);
    EXPECT_EQ(inside.rowCount, 1);
    EXPECT_EQ(inside.singleRowWidth, 9);
}

TEST_F(RowBreakerTest, LoneLeadByteAtTheEnd) {
    RowBreaker breaker(10, 4);
    // A lead byte as the last byte still counts two cells: 8 + 2 = 10 gives the empty row.
    LineRecord& edge = line("aaaaaaaa\x88");
    breaker.rebreak(edge, 0, allocator_, true);
    EXPECT_EQ(startsOf(edge), (std::vector<uint32_t>{9}));
    LineRecord& short_ = line("ab\x88");
    breaker.rebreak(short_, 0, allocator_, true);
    EXPECT_EQ(short_.singleRowWidth, 4);
    // 88 9F is one character (亜, both bytes in the lead range): the 0x88 at the end is its own.
    LineRecord& pair = line("a\x88\x9F\x88");
    breaker.rebreak(pair, 0, allocator_, true);
    EXPECT_EQ(pair.singleRowWidth, 5);
}

TEST_F(RowBreakerTest, AgreesWithTheCharacterWalkOnRandomText) {
    std::mt19937 random(12345);
    const uint8_t pieces[] = {'a', ' ', '\\', 0x09, 0xB1, 0x88, 0x9F, 0x95, 0x5C, 0x82, 0xA0, 0xE0, 0xFC, 0x40};
    for (int round = 0; round < 3000; ++round) {
        Bytes text(random() % 200);
        for (uint8_t& b : text) b = pieces[random() % sizeof pieces];
        int32_t w = 1 + int32_t(random() % 40), tab = 1 + int32_t(random() % 8);
        int32_t column = 0;
        std::vector<uint32_t> expected = referenceStarts(text, w, tab, &column);
        Line* l = new Line(text);
        lines_.push_back(l);
        RowBreaker(w, tab).rebreak(l->record, 0, allocator_, true);
        ASSERT_EQ(startsOf(l->record), expected) << "w=" << w << " tab=" << tab << " round " << round;
        if (expected.empty()) {
            ASSERT_EQ(l->record.singleRowWidth, column);
        }
    }
}

TEST_F(RowBreakerTest, RowOfOffsetAndRestart) {
    RowBreaker breaker(4, 4);
    LineRecord& l = line("abcdefghij");   // rows start at 4 and 8
    breaker.rebreak(l, 0, allocator_, true);
    ASSERT_EQ(startsOf(l), (std::vector<uint32_t>{4, 8}));
    EXPECT_EQ(RowBreaker::rowOfOffset(l, 0), 0);
    EXPECT_EQ(RowBreaker::rowOfOffset(l, 3), 0);
    EXPECT_EQ(RowBreaker::rowOfOffset(l, 4), 1);   // a break belongs to the row that begins there
    EXPECT_EQ(RowBreaker::rowOfOffset(l, 10), 2);
    EXPECT_EQ(RowBreaker::restartRow(l, 4), 0);
    EXPECT_EQ(RowBreaker::restartRow(l, 5), 1);
    EXPECT_EQ(RowBreaker::restartRow(l, 9), 2);
    // Exactly W: the end of the line is on the empty last row.
    LineRecord& exact = line("abcd");
    breaker.rebreak(exact, 0, allocator_, true);
    EXPECT_EQ(RowBreaker::rowOfOffset(exact, 4), 1);
    EXPECT_EQ(RowBreaker::rowOfOffset(exact, 3), 0);
}

TEST_F(RowBreakerTest, RestartingFromAnOffsetGivesTheFullResult) {
    RowBreaker breaker(6, 4);
    LineRecord& l = line("abcdefghijklmnopq");
    Bytes& bytes = lines_.back()->bytes;
    breaker.rebreak(l, 0, allocator_, true);
    ASSERT_EQ(startsOf(l), (std::vector<uint32_t>{6, 12}));
    // An edit from offset 13 on: rows from the one holding it (starting at 12) are redone.
    const Bytes tail = bytesOf("\x82\xA0\x82\xA0\x82\xA0\x82\xA0\x82\xA0\x82\xA0\x82\xA0");
    bytes.resize(13);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    l.text = bytes.data();
    l.length = l.capacity = uint32_t(bytes.size());
    int32_t rows = breaker.rebreak(l, 13, allocator_, true);
    std::vector<uint32_t> kept = startsOf(l);
    int32_t column = 0;
    EXPECT_EQ(kept, referenceStarts(bytes, 6, 4, &column));
    EXPECT_EQ(rows, l.rowCount - 2);
    // Shrinking to one row frees the row array.
    l.length = 3;
    EXPECT_EQ(breaker.rebreak(l, 0, allocator_, true), 1);
    EXPECT_EQ(l.rowStarts, nullptr);
    EXPECT_EQ(l.singleRowWidth, 3);
}

TEST_F(RowBreakerTest, RowArrayThatCannotGrowKeepsItsSize) {
    LineRecord& l = line("abcdefghijklmnop");
    RowBreaker(4, 4).rebreak(l, 0, allocator_, true);   // starts 4, 8, 12, 16: 8 entries
    ASSERT_EQ(l.rowStartsCapacity, 8);
    allocator_.failAfter(0);
    RowBreaker(2, 4).rebreak(l, 0, allocator_, true);   // 8 starts wanted: 16 entries
    EXPECT_EQ(l.rowStartsCapacity, 8);
    EXPECT_EQ(l.rowCount, 8);
    EXPECT_EQ(startsOf(l), (std::vector<uint32_t>{2, 4, 6, 8, 10, 12, 14}));
    EXPECT_EQ(l.rowStarts[7], l.length);                // the last row takes the rest of the line
    // No array at all: one row, as wide as the whole line.
    LineRecord& other = line("abcdef");
    RowBreaker(2, 4).rebreak(other, 0, allocator_, true);
    EXPECT_EQ(other.rowCount, 1);
    EXPECT_EQ(other.rowStarts, nullptr);
    EXPECT_EQ(other.singleRowWidth, 6);
    allocator_.failAfter(-1);
    RowBreaker(2, 4).rebreak(l, 0, allocator_, true);
    EXPECT_EQ(l.rowCount, 9);
    EXPECT_EQ(l.rowStartsCapacity, 16);
    // A line of many rows: the capacity is the power of two doubling from 2 would reach.
    LineRecord& many = line(std::string(100, 'x'));
    RowBreaker(3, 4).rebreak(many, 0, allocator_, true);   // 33 starts, 34 entries
    EXPECT_EQ(many.rowCount, 34);
    EXPECT_EQ(many.rowStartsCapacity, 64);
}

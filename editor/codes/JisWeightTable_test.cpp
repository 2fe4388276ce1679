// Tests that the generated character weights keep the profile detection relies on.
#include "Kanji.h"

#include <gtest/gtest.h>

namespace {

unsigned w(unsigned row, unsigned cell) { return JisWeightTable[(row - 1) * 128 + cell - 1]; }

}  // namespace

TEST(JisWeightTable, FixedMarksAndKana) {
    const unsigned row1[] = {147, 222, 222, 47, 57, 199, 32, 10, 96, 69};
    for (unsigned c = 1; c <= 10; ++c) EXPECT_EQ(w(1, c), row1[c - 1]) << c;
    EXPECT_EQ(w(1, 28), 225u);
    EXPECT_EQ(w(1, 54), 172u);
    EXPECT_EQ(w(1, 55), 172u);
    EXPECT_EQ(w(1, 42), 171u);
    EXPECT_EQ(w(1, 43), 170u);
    EXPECT_EQ(w(1, 58), 90u);
    EXPECT_EQ(w(1, 59), 90u);
    EXPECT_EQ(w(2, 1), 75u);
    EXPECT_EQ(w(2, 3), 28u);
    EXPECT_EQ(w(2, 12), 61u);
    EXPECT_EQ(w(2, 13), 62u);
    EXPECT_EQ(w(6, 33), 18u);
    EXPECT_EQ(w(7, 79), 47u);
    EXPECT_EQ(w(8, 1), 18u);
    EXPECT_EQ(w(13, 82), 13u);
    const unsigned hiragana[] = {17, 222, 8, 243, 8, 223, 10, 220, 8, 216};
    for (unsigned c = 1; c <= 10; ++c) EXPECT_EQ(w(4, c), hiragana[c - 1]) << c;
    const unsigned katakana[] = {120, 223, 191, 223};
    for (unsigned c = 1; c <= 4; ++c) EXPECT_EQ(w(5, c), katakana[c - 1]) << c;
    for (unsigned c = 1; c <= 83; ++c) EXPECT_GE(w(4, c), 7u) << c;  // ぁ..ん
    for (unsigned c = 1; c <= 86; ++c) {
        EXPECT_GE(w(5, c), 7u) << c;  // ァ..ヶ
        EXPECT_LE(w(5, c), 225u) << c;
    }
    for (unsigned c = 16; c <= 25; ++c) EXPECT_GE(w(3, c), 26u) << c;  // ０..９
    for (unsigned c = 16; c <= 25; ++c) EXPECT_LE(w(3, c), 79u) << c;
}

TEST(JisWeightTable, RowsProfile) {
    for (unsigned row = 1; row <= 94; ++row) {
        for (unsigned cell = 95; cell <= 128; ++cell) EXPECT_EQ(w(row, cell), 0u);
        bool empty = (row >= 9 && row <= 12) || row == 14 || row == 15 || row >= 85;
        for (unsigned cell = 1; cell <= 94; ++cell) {
            unsigned v = w(row, cell);
            if (empty) {
                EXPECT_EQ(v, 1u) << row << "-" << cell;
            } else if (row >= 48) {
                EXPECT_LE(v, 5u) << row << "-" << cell;  // level-2 kanji
            } else if (row >= 16 && !(row == 47 && cell > 51)) {
                EXPECT_GE(v, 4u) << row << "-" << cell;  // level-1 kanji
            }
            EXPECT_GE(v, 1u);
        }
    }
    EXPECT_EQ(w(47, 52), 1u);  // after the last level-1 kanji
    EXPECT_EQ(w(2, 15), 1u);   // unassigned symbol cell
    EXPECT_LT(w(16, 1), w(38, 92));  // 亜 is rarer than 日
    EXPECT_EQ(w(38, 92), 255u);
}

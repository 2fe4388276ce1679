// Tests of Kanji's pair conversion and alignment.
#include "Kanji.h"

#include <gtest/gtest.h>

TEST(KanjiPairs, ShiftJisAndJisRoundTripOverEveryCell) {
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            uint8_t a = row, b = cell;
            Kanji::jisToSjis(&a, &b);
            EXPECT_TRUE(isSjisLead(a));
            EXPECT_TRUE(isSjisTrail(b));
            Kanji::sjisToJis(&a, &b);
            EXPECT_EQ(a, row);
            EXPECT_EQ(b, cell);
        }
    }
    uint8_t lead = 0x95, trail = 0x5C;  // 表, whose trail byte looks like a backslash
    Kanji::sjisToJis(&lead, &trail);
    EXPECT_EQ(lead, 0x49);
    EXPECT_EQ(trail, 0x3D);
}

TEST(KanjiAlignment, StepsOverDoubleByteCharacters) {
    const uint8_t text[] = {'a', 0x95, 0x5C, 'b', 0x82, 0xA0};
    EXPECT_EQ(Kanji::alignedLength(text, 0), 0u);
    EXPECT_EQ(Kanji::alignedLength(text, 1), 1u);
    EXPECT_EQ(Kanji::alignedLength(text, 2), 3u);
    EXPECT_EQ(Kanji::alignedLength(text, 3), 3u);
    EXPECT_EQ(Kanji::alignedLength(text, 5), 6u);
}

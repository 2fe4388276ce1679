// Letter case (100, 101) and full-width / half-width (110, 111) filters.
#include <gtest/gtest.h>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(CaseFilters, ChangeOnlyAsciiLettersAndStepOverTwoByteCharacters) {
    // "ア" is 83 41: its trail byte looks like "A" and must not become "a".
    const std::string in = "abc " + sj::kA + "Xyz" + sj::kHyo;
    Outcome up = run(100, in);
    EXPECT_TRUE(up.done);
    EXPECT_TRUE(up.inPlace);
    EXPECT_EQ(up.text, "ABC " + sj::kA + "XYZ" + sj::kHyo);
    Outcome down = run(101, in);
    EXPECT_EQ(down.text, "abc " + sj::kA + "xyz" + sj::kHyo);
    EXPECT_FALSE(run(100, "ABC " + sj::kA).done);
    EXPECT_FALSE(run(101, "abc " + sj::kA).done);
    // A lead byte as the selection's last byte is taken alone.
    EXPECT_EQ(run(100, "a\x83").text, "A\x83");
}

TEST(WidthFilters, FullToHalfConvertsThePairsAndLeavesBracketsAndKana) {
    const std::string in = sj::kFullA + sj::kFullZero + sj::kYen + sj::kFullBracket + sj::kNi + "\x81\x45";
    Outcome out = run(110, in);
    EXPECT_TRUE(out.done);
    EXPECT_TRUE(out.inPlace);
    EXPECT_EQ(out.text, "A0\\" + sj::kFullBracket + sj::kNi + "\xa5");
    EXPECT_FALSE(run(110, sj::kFullBracket + "abc").done);
    // "＝@" (81 81 40): the "@" is an ASCII character of its own, not part of a pair.
    EXPECT_EQ(run(110, sj::kEqual + "@").text, "=@");
}

TEST(WidthFilters, HalfToFullAllocatesAndKeepsBracketsBlanksAndKana) {
    Outcome out = run(111, "A0 [\\\xa5\xb1" + sj::kA);
    EXPECT_TRUE(out.done);
    EXPECT_FALSE(out.inPlace);
    EXPECT_EQ(out.text, sj::kFullA + sj::kFullZero + " [" + sj::kYen + "\x81\x45\xb1" + sj::kA);
    EXPECT_FALSE(run(111, "[ ]" + sj::kA).done);
}

TEST(WidthFilters, RoundTripWithoutFullWidthTableCharacters) {
    std::string ascii;
    for (int c = 0x21; c < 0x7f; ++c) ascii += static_cast<char>(c);
    const std::string in = ascii + " " + sj::kNi + "\xa5\xb1\r\n";
    Outcome wide = run(111, in);
    ASSERT_TRUE(wide.done);
    EXPECT_EQ(run(110, wide.text).text, in);
}

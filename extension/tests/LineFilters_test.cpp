// Line breaks (300), blank lines (301) and trailing blanks (302).
#include <gtest/gtest.h>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(DeleteLineBreaks, RemovesEveryCrAndLf) {
    Outcome out = run(300, "a\r\nb\rc\nd");
    EXPECT_TRUE(out.inPlace);
    EXPECT_EQ(out.text, "abcd");
    EXPECT_FALSE(run(300, "abc").done);
}

TEST(DeleteBlankLines, RemovesLinesOfBlanksKeepsTheRest) {
    const std::string in = "a\r\n \t\r\n" + sj::kFullBlank + "\r\nb\r\n\r\n  ";
    EXPECT_EQ(run(301, in).text, "a\r\nb\r\n  ");
    // A line of "＝@" (81 81 40) is not blank although it ends in what looks like "　".
    EXPECT_FALSE(run(301, sj::kEqual + "@\r\nx").done);
    // Starting inside a line: the partial first line stays although it holds only blanks.
    EXPECT_EQ(run(301, "  \r\n\r\nx", "abc").text, "  \r\nx");
    EXPECT_FALSE(run(301, "a\r\nb").done);
}

TEST(DeleteTrailingBlanks, ScansForwardAndKeepsTheUnterminatedRest) {
    const std::string in = "a \t\r\nb" + sj::kFullBlank + "\r\n" + sj::kEqual + "@\r\nc  ";
    EXPECT_EQ(run(302, in).text, "a\r\nb\r\n" + sj::kEqual + "@\r\nc  ");
    EXPECT_FALSE(run(302, "a\r\nb ").done);
    // "表" ends in 0x5C, "ソ" in 0x5C: neither is a blank, nor is a trail byte 0x40.
    EXPECT_FALSE(run(302, sj::kHyo + sj::kSo + "\r\n").done);
}

TEST(DeleteTrailingBlanks, NeverWritesAheadOfTheReadPosition) {
    // A bare LF (the editor never sends one) keeps its bare LF instead of growing into CR LF.
    Outcome out = run(302, "a \nb\n");
    EXPECT_TRUE(out.inPlace);
    EXPECT_EQ(out.text, "a\nb\n");
    EXPECT_FALSE(run(302, "a\nb\n").done);
}

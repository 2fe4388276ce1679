// Duplicate lines (303) and sorting (350, 351).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(DeleteDuplicateLines, KeepsFirstOccurrencesAndTheUnterminatedRest) {
    Outcome out = run(303, "a\r\nb\r\na\r\na");
    EXPECT_TRUE(out.inPlace);
    EXPECT_EQ(out.text, "a\r\nb\r\na");
    EXPECT_EQ(run(303, "x\r\ny\r\nx\r\nz\r\ny\r\n\r\n\r\n").text, "x\r\ny\r\nz\r\n\r\n");
    EXPECT_FALSE(run(303, "a\r\nb\r\n").done);
    // A different prefix of the same bytes is a different line.
    EXPECT_EQ(run(303, "ab\r\na\r\nab\r\n").text, "ab\r\na\r\n");
}

TEST(DeleteDuplicateLines, StartsAfterAPartialFirstLine) {
    EXPECT_EQ(run(303, "a\r\na\r\na\r\n", "x").text, "a\r\na\r\n");
    EXPECT_FALSE(run(303, "abc", "x").done);
    EXPECT_FALSE(run(303, "ab\r\n", "x").done);
    EXPECT_FALSE(run(303, "a\r", "xyz").done);
}

TEST(DeleteDuplicateLines, ManyLinesKeepFirstOccurrencesInOrder) {
    std::mt19937 random(7);
    std::string in, expected;
    std::vector<bool> seen(50);
    for (int i = 0; i < 2000; ++i) {
        const int k = random() % 50;
        const std::string line = "line " + std::to_string(k) + sj::kHyo + "\r\n";
        in += line;
        if (!seen[k]) expected += line;
        seen[k] = true;
    }
    EXPECT_EQ(run(303, in).text, expected);
}

TEST(SortLines, ByteOrderStableWithRestAtTheEnd) {
    Outcome up = run(350, "b\r\na\r\nB\r\nrest");
    EXPECT_FALSE(up.inPlace);
    EXPECT_EQ(up.text, "B\r\na\r\nb\r\nrest");
    EXPECT_EQ(run(351, "b\r\na\r\nB\r\n").text, "b\r\na\r\nB\r\n");
    // The shorter of two lines with an equal common part is smaller; bytes compare unsigned.
    EXPECT_EQ(run(350, sj::kNi + "\r\nab\r\na\r\n").text, "a\r\nab\r\n" + sj::kNi + "\r\n");
    EXPECT_FALSE(run(350, "a\r\nb\r\nc").done);
    EXPECT_FALSE(run(351, "c\r\nb\r\na\r\n").done);
    // Starting inside a line: that line stays first.
    EXPECT_EQ(run(350, "z\r\nb\r\na\r\n", "x").text, "z\r\na\r\nb\r\n");
}

TEST(SortLines, GivesAStablePermutation) {
    std::mt19937 random(11);
    std::vector<std::string> lines;
    std::string in;
    for (int i = 0; i < 500; ++i) {
        std::string line =
            std::string(1, static_cast<char>('a' + random() % 5)) + std::to_string(random() % 3);
        lines.push_back(line);
        in += line + "\r\n";
    }
    std::vector<std::string> ascending = lines, descending = lines;
    std::stable_sort(ascending.begin(), ascending.end());
    std::stable_sort(descending.begin(), descending.end(), std::greater<std::string>());
    std::string up, down;
    for (const auto& l : ascending) up += l + "\r\n";
    for (const auto& l : descending) down += l + "\r\n";
    EXPECT_EQ(run(350, in).text, up);
    EXPECT_EQ(run(351, in).text, down);
}

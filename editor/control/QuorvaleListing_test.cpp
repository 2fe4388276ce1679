// Tests of the listing texts: numbering, cutting long lines at characters, the closing line.
#include "QuorvaleListing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvale;

TEST(Listing, NumberedLineAndSummary) {
    const uint8_t text[] = {0x95, 0x5C, 'a'};  // 表a
    EXPECT_EQ(listingLine(12, text, 3), std::string("     12\x8d\x73: \x95\x5C" "a"));
    EXPECT_EQ(listingSummary(0),
              std::string("\x81\x79 0\x8d\x73\x83\x7d\x83\x62\x83\x60\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x7a"));
    EXPECT_EQ(listingSummary(1234).substr(0, 7), std::string("\x81\x79 1234"));
}

TEST(Listing, LongLinesAreCutAtACharacterBoundary) {
    std::vector<uint8_t> line(512, 'a');
    EXPECT_EQ(listingKeptBytes(line.data(), 512), 512u);  // 512 bytes are not "more than 512"
    line.push_back('b');
    EXPECT_EQ(listingKeptBytes(line.data(), 513), 510u);
    // A two-byte character over bytes 509 and 510 is kept whole.
    line[509] = 0x95;
    line[510] = 0x5C;
    EXPECT_EQ(listingKeptBytes(line.data(), 513), 511u);
    // One byte earlier it ends exactly at 510.
    line[509] = 'a';
    line[508] = 0x83;
    line[509] = 0x41;
    line[510] = 'a';
    EXPECT_EQ(listingKeptBytes(line.data(), 513), 510u);
    EXPECT_EQ(listingLine(1, line.data(), 513).size(), 11u + 510u);
}

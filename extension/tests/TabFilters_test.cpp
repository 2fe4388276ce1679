// TABs to blanks (200) and blanks to TABs (201).
#include <gtest/gtest.h>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(TabsToSpaces, ExpandsFromTheSelectionStartColumn) {
    EXPECT_EQ(run(200, "\tx\r\nab\tc").text, "    x\r\nab  c");
    // Three blanks before the selection: the leading TAB becomes one blank.
    EXPECT_EQ(run(200, "\tx", "   ").text, " x");
    // A TAB in the prefix moves the start column to the next stop.
    EXPECT_EQ(run(200, "a\tb", "\t").text, "a   b");
    // A two-byte character is two columns.
    EXPECT_EQ(run(200, sj::kNi + "\tb", "", 4).text, sj::kNi + "  b");
    EXPECT_FALSE(run(200, "no tabs").done);
}

TEST(TabsToSpaces, ZeroTabWidthDeclines) {
    EXPECT_FALSE(run(200, "a\tb", "", 0).done);
    EXPECT_FALSE(run(201, "a        b", "", 0).done);
}

TEST(SpacesToTabs, FollowsTheTabStops) {
    EXPECT_EQ(run(201, "        ").text, "\t\t");
    EXPECT_EQ(run(201, "a   b").text, "a\tb");
    // A single blank before a stop stays a blank; nothing changed → declined.
    EXPECT_FALSE(run(201, "abc d").done);
    // At column 10: three blanks then a letter give one TAB and one blank.
    EXPECT_EQ(run(201, "   x", "0123456789").text, "\t x");
    // Blanks at the selection's end that do not reach a stop stay.
    EXPECT_EQ(run(201, "  \r\nab  ").text, "  \r\nab\t");
    EXPECT_EQ(run(201, "\r\na  ").text, "\r\na  ");
}

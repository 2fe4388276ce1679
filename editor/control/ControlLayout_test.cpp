// Tests of the control's geometry rules: gutter digits and text, visible rows and columns, the
// scroll margin, window-width wrapping and the horizontal clamp.
#include "ControlLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace layout;

TEST(ControlLayout, GutterGrowsAtEachPowerOfTen) {
    EXPECT_EQ(gutterDigits(1), 3);
    EXPECT_EQ(gutterDigits(999), 3);
    EXPECT_EQ(gutterDigits(1000), 4);
    EXPECT_EQ(gutterDigits(9999), 4);
    EXPECT_EQ(gutterDigits(10000), 5);
    EXPECT_EQ(gutterDigits(2147483647), 10);
    EXPECT_EQ(gutterWidth(true, 3, 8), 40);
    EXPECT_EQ(gutterWidth(true, 4, 8), 48);
    EXPECT_EQ(gutterWidth(false, 4, 8), 8);
    EXPECT_EQ(gutterSeparatorX(3, 8), 36);
}

TEST(ControlLayout, LineNumbersAreRightAlignedBetweenBlanks) {
    char text[24];
    lineNumberText(7, 3, text);
    EXPECT_EQ(std::string(text), "   7 ");
    lineNumberText(1000, 4, text);
    EXPECT_EQ(std::string(text), " 1000 ");
    lineNumberText(10, 3, text);
    EXPECT_EQ(std::string(text), "  10 ");
}

TEST(ControlLayout, RowsColumnsAndMargin) {
    ClientGeometry g;
    g.cell = 8;
    g.lineHeight = 16;
    g.gutter = 8;
    g.width = 8 + 8 * 50 + 3;
    g.height = 16 * 10 + 1;   // a part row counts
    EXPECT_EQ(g.visibleColumns(), 51);
    EXPECT_EQ(g.visibleRows(), 11);
    EXPECT_EQ(g.renderedRows(), 12);
    EXPECT_EQ(g.scrollMargin(), 8);
    // Scrolled to the end, the last row stands on the third-last visible row.
    EXPECT_EQ(g.lastTopRow(100), 100 - 8 - 1);
    EXPECT_EQ(g.lastTopRow(3), 0);
    EXPECT_EQ(g.pageRows(), 9);
    g.height = 16 * 3;
    EXPECT_EQ(g.scrollMargin(), 1);
    g.height = 16 * 2;
    EXPECT_EQ(g.pageRows(), 1);
}

TEST(ControlLayout, WindowWrapNeverBelowFortyNorPastTheBuffer) {
    EXPECT_EQ(windowWrapWidth(41, 1000), 40);
    EXPECT_EQ(windowWrapWidth(100, 1000), 99);
    EXPECT_EQ(windowWrapWidth(10, 1000), 40);
    EXPECT_EQ(windowWrapWidth(300, 200), 200);
}

TEST(ControlLayout, HorizontalOffsetStaysInsideTheWrappedText) {
    ClientGeometry g;
    g.cell = 8;
    g.gutter = 40;
    g.width = 400;
    EXPECT_EQ(g.clampHorizontal(-5, 80), 0);
    EXPECT_EQ(g.clampHorizontal(100, 80), 100);
    EXPECT_EQ(g.clampHorizontal(5000, 80), 80 * 8 + 40 - 400);
    EXPECT_EQ(g.clampHorizontal(50, 20), 0);   // all of it fits
}

// Tests of the scrolling arithmetic: wheel and page steps, animation, scroll-bar positions.
#include "QuorvaleScrollMath.h"

#include <gtest/gtest.h>

using namespace quorvale;

TEST(ScrollMath, WheelStaysInsideTheDocument) {
    EXPECT_EQ(wheelScroll(0, 120, 100, 20), 0);     // at the top, turned up: nothing
    EXPECT_EQ(wheelScroll(0, -120, 100, 20), 5);
    EXPECT_EQ(wheelScroll(0, -1, 100, 20), 5);      // only the sign counts
    EXPECT_EQ(wheelScroll(3, 240, 100, 20), -3);
    EXPECT_EQ(wheelScroll(80, -120, 100, 20), 2);
    EXPECT_EQ(wheelScroll(82, -120, 100, 20), 0);
    EXPECT_EQ(wheelScroll(0, 0, 100, 20), 0);
    // A view standing past the last top row is not pulled back by scrolling down.
    EXPECT_EQ(clampedScroll(90, 5, 100, 20), 0);
    EXPECT_EQ(clampedScroll(90, -5, 100, 20), -8);
}

TEST(ScrollMath, AnimationGoesRowByRowUntilAMessageWaits) {
    EXPECT_EQ(animationStep(5, true, false), 1);
    EXPECT_EQ(animationStep(-5, true, false), -1);
    EXPECT_EQ(animationStep(4, true, true), 4);
    EXPECT_EQ(animationStep(-5, false, false), -5);
    EXPECT_EQ(animationStep(0, true, false), 0);
    EXPECT_EQ(waitBeforeNext(110, 100, 15), 5u);
    EXPECT_EQ(waitBeforeNext(130, 100, 15), 0u);
    EXPECT_EQ(waitBeforeNext(5, 0xFFFFFFF0u, 30), 9u);  // across the tick wrap
}

TEST(ScrollMath, ScrollBarPositions) {
    EXPECT_EQ(verticalPosition(3, 5, 16), 53);
    RowAndPixel rp = rowOfPosition(53, 16);
    EXPECT_EQ(rp.row, 3);
    EXPECT_EQ(rp.pixel, 5);
    EXPECT_EQ(rowOfPosition(-4, 16).row, 0);
}

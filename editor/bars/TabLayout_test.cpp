// Tests of the tab width sharing: the four regimes and their boundaries.
#include "TabLayout.h"

#include <gtest/gtest.h>

#include <numeric>

using bars::layoutTabs;
using bars::TabMeasure;

namespace {

int32_t sum(const std::vector<int32_t>& v) { return std::accumulate(v.begin(), v.end(), 0); }

// Two named tabs (80 and 20 pixels of text) and the own tab with a 12-pixel icon and 50 of text.
const std::vector<TabMeasure> kTabs = {{80, 0}, {20, 0}, {50, 12}};
// S = 32 + 20 + 32 = 84, V = 48 + 0 + 18 = 66, I = 12, F = 66 + 48 = 114.

}  // namespace

TEST(TabLayout, WideBarGivesFullMarginsAndWholeNames) {
    const auto r = layoutTabs(kTabs, 1000);
    EXPECT_EQ(r.pad, 8);
    EXPECT_EQ(r.width, (std::vector<int32_t>{96, 36, 78}));
    EXPECT_EQ(r.x, (std::vector<int32_t>{0, 96, 132}));
    EXPECT_EQ(r.total, 210);
    // Exactly F + S + I is still wide enough.
    EXPECT_EQ(layoutTabs(kTabs, 210).pad, 8);
    EXPECT_EQ(layoutTabs(kTabs, 210).total, 210);
}

TEST(TabLayout, MarginsShrinkFirstThenLongNamesStretchLess) {
    // One pixel short: pad = floor(113 / 114 * 8) = 7, R = 209 - (42 + 84 + 12) = 71 >= V: t = 1.
    auto r = layoutTabs(kTabs, 209);
    EXPECT_EQ(r.pad, 7);
    EXPECT_EQ(r.width, (std::vector<int32_t>{94, 34, 76}));
    EXPECT_LE(r.total, 209);
    // B = 150: pad = floor(54 / 114 * 8) = 3, R = 150 - (18 + 96) = 36, t = 36 / 66.
    r = layoutTabs(kTabs, 150);
    EXPECT_EQ(r.pad, 3);
    // 32 + floor(36 * 48 / 66) = 32 + 26; 20; 12 + 32 + floor(36 * 18 / 66) = 44 + 9.
    EXPECT_EQ(r.width, (std::vector<int32_t>{6 + 58, 6 + 20, 6 + 53}));
    EXPECT_LE(r.total, 150);
    // Exactly S + I: no margins, every name cut to 32.
    r = layoutTabs(kTabs, 96);
    EXPECT_EQ(r.pad, 0);
    EXPECT_EQ(r.width, (std::vector<int32_t>{32, 20, 44}));
}

TEST(TabLayout, BelowTheNamesTheBaseWidthShrinks) {
    // B = 54: base = floor(42 / 84 * 32) = 16; names cut to 16, the short one to 16 too.
    const auto r = layoutTabs(kTabs, 54);
    EXPECT_EQ(r.pad, 0);
    EXPECT_EQ(r.width, (std::vector<int32_t>{16, 16, 28}));
}

TEST(TabLayout, BelowTheIconsOnlyIconsRemain) {
    const auto r = layoutTabs(kTabs, 11);
    EXPECT_EQ(r.pad, 0);
    EXPECT_EQ(r.width, (std::vector<int32_t>{0, 0, 12}));
    EXPECT_EQ(r.x, (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(r.total, 12);
    // Exactly the icon widths: the base is 0 as well.
    EXPECT_EQ(layoutTabs(kTabs, 12).width, (std::vector<int32_t>{0, 0, 12}));
}

TEST(TabLayout, DegenerateInputs) {
    const auto none = layoutTabs({}, 500);
    EXPECT_TRUE(none.width.empty());
    EXPECT_EQ(none.total, 0);
    // Short names only (V = 0): the stretch is 1 and never divides by zero.
    const std::vector<TabMeasure> shortNames = {{10, 0}, {20, 0}};
    const auto r = layoutTabs(shortNames, 40);  // F = 32, S = 30: pad = floor(10 / 32 * 8) = 2
    EXPECT_EQ(r.pad, 2);
    EXPECT_EQ(r.width, (std::vector<int32_t>{14, 24}));
    // Zero and negative bar widths (a hidden bar) keep only icons.
    EXPECT_EQ(layoutTabs(kTabs, 0).total, 12);
    EXPECT_EQ(layoutTabs(kTabs, -5).total, 12);
    // 200 long names in a screen-wide bar: every name is cut to floor(1280 / 6400 * 32) = 6.
    std::vector<TabMeasure> many(200, TabMeasure{300, 0});
    const auto crowded = layoutTabs(many, 1280);
    EXPECT_EQ(crowded.pad, 0);
    EXPECT_EQ(crowded.width.front(), 6);
    EXPECT_EQ(sum(crowded.width), 1200);
    EXPECT_EQ(crowded.x.back(), 199 * 6);
}

// Width sharing of the tab bar: how wide each tab is when the bar is narrower than the names.
#pragma once
#include <cstdint>
#include <vector>

namespace bars {

// What layout needs of one tab.
struct TabMeasure {
    int32_t textWidth;  // measured width of the file name in pixels
    int32_t iconWidth;  // icon advance in pixels (0 without icon)
};

struct TabLayoutResult {
    int32_t pad;                   // side margin per tab side, 0..8
    std::vector<int32_t> x;        // left edge of each tab
    std::vector<int32_t> width;    // width of each tab
    int32_t total;                 // sum of the widths
};

// The full margin per side and the text width every tab is granted before any stretching.
constexpr int32_t kTabPad = 8;
constexpr int32_t kTabBaseWidth = 32;

// Lays out the tabs from x = 0 in a bar `barWidth` pixels wide. Wide enough: full margins and
// whole names. Narrower: first the margins shrink, then the parts of the names beyond 32 pixels,
// then (with no margins left) the first 32 pixels of every name; below the icon widths alone each
// tab keeps just its icon.
TabLayoutResult layoutTabs(const std::vector<TabMeasure>& tabs, int32_t barWidth);

}  // namespace bars

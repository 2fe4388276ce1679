// Width sharing of the tab bar (see TabLayout.h).
#include "TabLayout.h"

#include <algorithm>

namespace bars {

namespace {

struct Sums {
    int64_t s = 0;  // text widths up to the base width
    int64_t v = 0;  // text widths beyond it
    int64_t i = 0;  // icon widths
    int64_t f = 0;  // what full margins and whole names need beyond s and i
};

Sums sumUp(const std::vector<TabMeasure>& tabs) {
    Sums sums;
    for (const TabMeasure& t : tabs) {
        int32_t w = std::max<int32_t>(t.textWidth, 0);
        sums.s += std::min(w, kTabBaseWidth);
        sums.v += std::max(w - kTabBaseWidth, 0);
        sums.i += std::max<int32_t>(t.iconWidth, 0);
    }
    sums.f = sums.v + 2 * kTabPad * static_cast<int64_t>(tabs.size());
    return sums;
}

}  // namespace

TabLayoutResult layoutTabs(const std::vector<TabMeasure>& tabs, int32_t barWidth) {
    TabLayoutResult result{0, {}, {}, 0};
    const int64_t n = static_cast<int64_t>(tabs.size());
    const int64_t b = barWidth;
    const Sums sums = sumUp(tabs);
    int64_t pad = kTabPad, base = kTabBaseWidth;
    // The stretch t = stretchNum / stretchDen, 0..1, applies to the part of a name beyond base.
    int64_t stretchNum = 1, stretchDen = 1;
    if (b >= sums.f + sums.s + sums.i) {
        // Everything fits.
    } else if (b < sums.i) {
        pad = 0, base = 0, stretchNum = 0;
    } else if (b < sums.s + sums.i) {
        pad = 0, stretchNum = 0;
        base = (b - sums.i) * kTabBaseWidth / sums.s;  // s > 0 here, since b >= i
    } else {
        pad = (b - sums.s - sums.i) * kTabPad / sums.f;
        const int64_t r = b - (2 * pad * n + sums.s + sums.i);
        if (sums.v > 0 && r < sums.v) stretchNum = r, stretchDen = sums.v;
    }
    result.pad = static_cast<int32_t>(pad);
    int64_t x = 0;
    for (const TabMeasure& t : tabs) {
        const int64_t w = std::max<int32_t>(t.textWidth, 0);
        const int64_t text = w < base ? w : base + stretchNum * (w - base) / stretchDen;
        const int64_t width = std::max<int32_t>(t.iconWidth, 0) + 2 * pad + text;
        result.x.push_back(static_cast<int32_t>(x));
        result.width.push_back(static_cast<int32_t>(width));
        x += width;
    }
    result.total = static_cast<int32_t>(x);
    return result;
}

}  // namespace bars

// QuorvaleScrollMath: the portable arithmetic of scrolling: wheel and page steps, the animation's
// step plan, scroll-bar positions and pacing intervals. The scroll margin, the last top row and
// the page size are the layout's (ControlLayout.h).
#pragma once
#include <cstdint>

#include "ControlLayout.h"

namespace quorvale {

constexpr int32_t wheelRows = 5;            // rows per wheel message
constexpr uint32_t wheelStepMs = 15;        // between animated wheel rows (mains power)
constexpr uint32_t dragPassMs = 30;         // at most one self-repeated drag pass per this
constexpr uint32_t focusStampMs = 100;      // focus losses this soon after the stamp are refused

// Rows actually scrolled from `top` for a request of `rows` (negative: up), clamped to
// [0, layout::lastTopRow]. Positive wheel deltas scroll up.
int32_t clampedScroll(int32_t top, int32_t rows, int32_t totalRows, int32_t visibleRows);
int32_t wheelScroll(int32_t top, int32_t wheelDelta, int32_t totalRows, int32_t visibleRows);

// One step of an animated scroll: how many rows to scroll now. Animated (mains power, no newer
// message waiting): one row; otherwise everything that remains.
int32_t animationStep(int32_t remaining, bool animate, bool messageWaiting);

// Vertical scroll-bar position in pixels and back.
inline int32_t verticalPosition(int32_t row, int32_t pixelOffset, int32_t lineHeight) {
    return row * lineHeight + pixelOffset;
}
struct RowAndPixel {
    int32_t row;
    int32_t pixel;
};
RowAndPixel rowOfPosition(int32_t position, int32_t lineHeight);

// Milliseconds still to wait before the next paced step, given when the last one happened.
uint32_t waitBeforeNext(uint32_t now, uint32_t last, uint32_t interval);

}  // namespace quorvale

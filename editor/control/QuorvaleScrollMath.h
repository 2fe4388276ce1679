// QuorvaleScrollMath: the portable arithmetic of scrolling: scroll margin and the last top row,
// wheel and page steps, the animation's step plan, scroll-bar positions and pacing intervals.
#pragma once
#include <cstdint>

namespace quorvale {

constexpr int32_t wheelRows = 5;            // rows per wheel message
constexpr uint32_t wheelStepMs = 15;        // between animated wheel rows (mains power)
constexpr uint32_t dragPassMs = 30;         // at most one self-repeated drag pass per this
constexpr uint32_t focusStampMs = 100;      // focus losses this soon after the stamp are refused

// visible rows - 3 when at least 4 rows are visible, else 1.
int32_t scrollMargin(int32_t visibleRows);
// The last row the view's top may stand on: total rows - margin - 1, never below 0.
int32_t lastTopRow(int32_t totalRows, int32_t visibleRows);
// visible rows - 2 (1 when fewer than 3 rows are visible).
int32_t pageRows(int32_t visibleRows);
// Rows actually scrolled from `top` for a request of `rows` (negative: up), clamped to
// [0, lastTopRow]. Positive wheel deltas scroll up.
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
// Horizontal offset limit: 0 .. wrap * cell + gutter - client width.
int32_t clampHorizontal(int32_t offset, int32_t wrapWidth, int32_t cell, int32_t gutter,
                        int32_t clientWidth);

// Milliseconds still to wait before the next paced step, given when the last one happened.
uint32_t waitBeforeNext(uint32_t now, uint32_t last, uint32_t interval);

}  // namespace quorvale

// QuorvaleScrollMath: wheel and page steps, animation steps, scroll-bar positions, pacing.
#include "QuorvaleScrollMath.h"

namespace quorvale {

int32_t clampedScroll(int32_t top, int32_t rows, int32_t totalRows, int32_t visibleRows) {
    int32_t target = top + rows;
    const int32_t last = layout::lastTopRow(totalRows, visibleRows);
    if (target > last) target = last;
    if (target < 0) target = 0;
    // A view already past the last top row (the text shrank) is not pulled back by a scroll down.
    if (rows > 0 && target < top) target = top;
    if (rows < 0 && target > top) target = top;
    return target - top;
}

int32_t wheelScroll(int32_t top, int32_t wheelDelta, int32_t totalRows, int32_t visibleRows) {
    if (wheelDelta == 0) return 0;
    return clampedScroll(top, wheelDelta > 0 ? -wheelRows : wheelRows, totalRows, visibleRows);
}

int32_t animationStep(int32_t remaining, bool animate, bool messageWaiting) {
    if (remaining == 0) return 0;
    if (!animate || messageWaiting) return remaining;
    return remaining > 0 ? 1 : -1;
}

RowAndPixel rowOfPosition(int32_t position, int32_t lineHeight) {
    if (position < 0 || lineHeight <= 0) return {0, 0};
    return {position / lineHeight, position % lineHeight};
}

uint32_t waitBeforeNext(uint32_t now, uint32_t last, uint32_t interval) {
    const uint32_t passed = now - last;
    return passed >= interval ? 0 : interval - passed;
}

}  // namespace quorvale

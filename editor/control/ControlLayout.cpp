// ControlLayout: gutter digits and text, the horizontal clamp and window-width wrapping.
#include "ControlLayout.h"

namespace layout {

int32_t gutterDigits(int32_t lineCount) {
    int32_t digits = 3;
    for (int64_t limit = 1000; lineCount >= limit && digits < 16; limit *= 10) ++digits;
    return digits;
}

void lineNumberText(int32_t lineNumber, int32_t digits, char* out) {
    if (digits > 16) digits = 16;
    out[0] = ' ';
    int64_t n = lineNumber;
    for (int32_t k = digits; k >= 1; --k) {
        out[k] = (n > 0 || k == digits) ? static_cast<char>('0' + n % 10) : ' ';
        n /= 10;
    }
    out[digits + 1] = ' ';
    out[digits + 2] = '\0';
}

int32_t ClientGeometry::clampHorizontal(int32_t offset, int32_t wrapWidth) const {
    const int32_t most = wrapWidth * cell + gutter - width;
    if (offset > most) offset = most;
    return offset < 0 ? 0 : offset;
}

int32_t windowWrapWidth(int32_t visibleColumns, int32_t bufferCells) {
    int32_t wrap = visibleColumns >= minimumWrap + 1 ? visibleColumns - 1 : minimumWrap;
    if (wrap > bufferCells) wrap = bufferCells;
    return wrap < 1 ? 1 : wrap;
}

}  // namespace layout

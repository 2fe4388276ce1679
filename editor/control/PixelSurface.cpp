// PixelSurface: fills, the invisible-character marks and the smoothing pass over palette indices.
#include "PixelSurface.h"

#include <algorithm>
#include <cstring>

void PixelSurface::fill(int32_t x0, int32_t x1, int32_t y0, int32_t h, uint8_t index) const {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width);
    if (x1 <= x0) return;
    int32_t y1 = std::min(y0 + h, height);
    for (int32_t y = std::max(y0, 0); y < y1; ++y) std::memset(row(y) + x0, index, size_t(x1 - x0));
}

namespace marks {

void lineEnd(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight) {
    const int32_t left = x + (cell - 5) / 2, top = y + (lineHeight - 8) / 2, mid = left + 2;
    for (int32_t k = 0; k < 5; ++k) s.set(mid, top + k, pixel::mark);
    s.set(left, top + 5, pixel::mark);
    s.set(mid, top + 5, pixel::mark);
    s.set(left + 4, top + 5, pixel::mark);
    for (int32_t k = 1; k <= 3; ++k) s.set(left + k, top + 6, pixel::mark);
    s.set(mid, top + 7, pixel::mark);
}

void tab(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight) {
    const int32_t left = x + (cell - 2) / 2, top = y + (lineHeight - 3) / 2;
    s.set(left, top, pixel::mark);
    s.set(left + 1, top + 1, pixel::mark);
    s.set(left, top + 2, pixel::mark);
}

void halfWidthSpace(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight) {
    const int32_t base = y + lineHeight - 2, first = x + 1, last = x + cell - 2;
    for (int32_t k = first; k <= last; ++k) s.set(k, base, pixel::mark);
    s.set(first, base - 1, pixel::mark);
    s.set(last, base - 1, pixel::mark);
}

void fullWidthSpace(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight) {
    const int32_t side = std::min(2 * cell, lineHeight) / 2;
    if (side < 2) return;
    const int32_t left = x + (2 * cell - side) / 2, top = y + (lineHeight - side) / 2;
    const int32_t right = left + side - 1, bottom = top + side - 1;
    for (int32_t k = 0; k < side; k += 2) {
        s.set(left + k, top, pixel::mark);
        s.set(left + k, bottom, pixel::mark);
        s.set(left, top + k, pixel::mark);
        s.set(right, top + k, pixel::mark);
    }
}

}  // namespace marks

namespace {

bool isTextIndex(uint8_t v) { return v == 1 || (v >= 3 && v <= 19); }

// The text index that makes background pixel (x, y) a corner, or 0.
// Only pixel rows of the same display row [y0, y1) count as above and below.
uint8_t cornerIndex(const PixelSurface& s, int32_t x, int32_t y, int32_t y0, int32_t y1) {
    for (int32_t side : {-1, 1}) {
        const uint8_t t = s.get(x + side, y);
        if (!isTextIndex(t)) continue;
        if ((y > y0 && s.get(x, y - 1) == t) || (y + 1 < y1 && s.get(x, y + 1) == t)) return t;
    }
    return 0;
}

}  // namespace

void smoothPixels(const PixelSurface& s, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, s.width);
    y0 = std::max(y0, 0);
    y1 = std::min(y1, s.height);
    for (int32_t y = y0; y < y1; ++y) {
        uint8_t* line = s.row(y);
        for (int32_t x = x0; x < x1; ++x) {
            if (line[x] != pixel::background) continue;
            const uint8_t t = cornerIndex(s, x, y, y0, y1);
            if (t != 0) line[x] = static_cast<uint8_t>(t + pixel::tintBase);
        }
    }
}

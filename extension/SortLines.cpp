// Filters 350 and 351: a stable merge sort of the selection's whole lines over (start, length)
// pairs; each line is moved once, when the result is built.
#include <cstring>

#include "FilterMemory.h"
#include "FilterSupport.h"
#include "Filters.h"

namespace ulo_filters {

namespace {

struct LineRef {
    uint64_t key;  // the first eight bytes, most significant first (zeros after a shorter line)
    uint64_t start;
    uint64_t length;  // without the line break
    uint64_t end;     // after the line break
};

uint64_t prefixKey(const char* text, uint64_t length) {
    uint64_t key = 0;
    for (int k = 0; k < 8; ++k)
        key = (key << 8) |
              (k < static_cast<int>(length < 8 ? length : 8) ? static_cast<unsigned char>(text[k]) : 0);
    return key;
}

// Byte order as unsigned bytes; when the common part is equal the shorter line is smaller.
int compareLines(const char* text, const LineRef& a, const LineRef& b) {
    if (a.key != b.key) return a.key < b.key ? -1 : 1;
    const uint64_t common = a.length < b.length ? a.length : b.length;
    const int c = common ? std::memcmp(text + a.start, text + b.start, common) : 0;
    if (c != 0) return c;
    return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
}

// Bottom-up merge sort of lines[0..count) using scratch of the same size; returns the sorted array.
LineRef* mergeSort(const char* text, LineRef* lines, LineRef* scratch, uint64_t count, bool descending) {
    LineRef* from = lines;
    LineRef* to = scratch;
    for (uint64_t width = 1; width < count; width *= 2) {
        for (uint64_t lo = 0; lo < count; lo += 2 * width) {
            const uint64_t mid = lo + width < count ? lo + width : count;
            const uint64_t hi = lo + 2 * width < count ? lo + 2 * width : count;
            uint64_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi) {
                const int c = compareLines(text, from[b], from[a]);
                // Take the right-hand line only when it strictly belongs first: equal lines keep their order.
                const bool right = descending ? c > 0 : c < 0;
                to[out++] = right ? from[b++] : from[a++];
            }
            while (a < mid) to[out++] = from[a++];
            while (b < hi) to[out++] = from[b++];
        }
        LineRef* swap = from;
        from = to;
        to = swap;
    }
    return from;
}

}  // namespace

bool sortLines(FilterRequest& r, bool descending) {
    uint64_t start = 0;
    if (!reorderStart(r, start)) return false;
    const char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t count = 0;
    for (uint64_t i = start; i < n; ++i) count += text[i] == '\r';
    if (count < 2) return false;
    LineRef* lines = static_cast<LineRef*>(filterAllocate(2 * count * sizeof(LineRef)));
    if (!lines) return false;
    uint64_t rest = start;
    for (uint64_t k = 0; k < count; ++k) {
        const uint64_t cr = lineEnd(text, rest, n);
        lines[k] = {prefixKey(text + rest, cr - rest), rest, cr - rest, cr + breakLength(text, cr, n)};
        rest = lines[k].end;
    }
    const LineRef* sorted = mergeSort(text, lines, lines + count, count, descending);
    bool moved = false;
    uint64_t expect = start;
    for (uint64_t k = 0; k < count && !moved; ++k) {
        moved = sorted[k].start != expect;
        expect = sorted[k].end;
    }
    char* result = moved ? allocateResult(n) : nullptr;
    if (result) {
        std::memcpy(result, text, start);
        uint64_t out = start;
        for (uint64_t k = 0; k < count; ++k) {
            std::memcpy(result + out, text + sorted[k].start, sorted[k].length);
            out += sorted[k].length;
            // Every line of the result ends with CR LF as the editor's text does; a bare CR stays bare
            // so that the result keeps the selection's length.
            const uint64_t breakLen = sorted[k].end - sorted[k].start - sorted[k].length;
            result[out++] = '\r';
            if (breakLen == 2) result[out++] = '\n';
        }
        std::memcpy(result + out, text + rest, n - rest);
        out += n - rest;
        finishAllocated(r, result, out);
    }
    filterRelease(lines);
    return result != nullptr;
}

}  // namespace ulo_filters

// Filters 350 and 351: a stable merge sort of the selection's whole lines over (start, length)
// pairs; each line is moved once, when the result is built.
#include <cstdint>
#include <cstring>

#include "FilterMemory.h"
#include "FilterSupport.h"
#include "Filters.h"

namespace ulo_filters {

namespace {

// Sixteen bytes, so that the merge passes move little: the selection is at most 4 GiB.
struct LineRef {
    uint64_t key;  // the first eight bytes, most significant first (zeros after a shorter line)
    uint32_t start;
    uint32_t length;  // without the line break
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
    const uint32_t common = a.length < b.length ? a.length : b.length;
    const int c = common > 8 ? std::memcmp(text + a.start + 8, text + b.start + 8, common - 8) : 0;
    if (c != 0) return c;
    return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
}

// Whether line a goes strictly before line b (equal lines keep their order: the sort is stable).
bool goesBefore(const char* text, const LineRef& a, const LineRef& b, bool descending) {
    const int c = compareLines(text, a, b);
    return descending ? c > 0 : c < 0;
}

constexpr uint64_t kRun = 8;  // lines sorted by insertion before the first merge pass

// Bottom-up merge sort of lines[0..count) using scratch of the same size; returns the sorted array.
LineRef* mergeSort(const char* text, LineRef* lines, LineRef* scratch, uint64_t count, bool descending) {
    for (uint64_t lo = 0; lo < count; lo += kRun) {
        const uint64_t hi = lo + kRun < count ? lo + kRun : count;
        for (uint64_t k = lo + 1; k < hi; ++k) {
            const LineRef line = lines[k];
            uint64_t j = k;
            for (; j > lo && goesBefore(text, line, lines[j - 1], descending); --j) lines[j] = lines[j - 1];
            lines[j] = line;
        }
    }
    LineRef* from = lines;
    LineRef* to = scratch;
    for (uint64_t width = kRun; width < count; width *= 2) {
        for (uint64_t lo = 0; lo < count; lo += 2 * width) {
            const uint64_t mid = lo + width < count ? lo + width : count;
            const uint64_t hi = lo + 2 * width < count ? lo + 2 * width : count;
            uint64_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi)
                to[out++] = goesBefore(text, from[b], from[a], descending) ? from[b++] : from[a++];
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
    // One block: the result first (the editor frees the block by that address on its second call),
    // the line table and its scratch after it, on an eight-byte boundary.
    if (n > INT32_MAX) return false;  // output_length could not hold the result
    const uint64_t tableAt = (n + 7) & ~uint64_t{7};
    char* result = static_cast<char*>(filterAllocate(tableAt + 2 * count * sizeof(LineRef)));
    if (!result) return false;
    LineRef* lines = reinterpret_cast<LineRef*>(result + tableAt);
    auto lineEndOf = [&](const LineRef& line) {  // after its line break
        const uint64_t cr = uint64_t{line.start} + line.length;
        return cr + breakLength(text, cr, n);
    };
    uint64_t rest = start;
    for (uint64_t k = 0; k < count; ++k) {
        const uint64_t cr = lineEnd(text, rest, n);
        lines[k] = {prefixKey(text + rest, cr - rest), static_cast<uint32_t>(rest),
                    static_cast<uint32_t>(cr - rest)};
        rest = lineEndOf(lines[k]);
    }
    const LineRef* sorted = mergeSort(text, lines, lines + count, count, descending);
    bool moved = false;
    uint64_t expect = start;
    for (uint64_t k = 0; k < count && !moved; ++k) {
        moved = sorted[k].start != expect;
        expect = lineEndOf(sorted[k]);
    }
    if (!moved) {  // already in order
        filterRelease(result);
        return false;
    }
    std::memcpy(result, text, start);
    uint64_t out = start;
    for (uint64_t k = 0; k < count; ++k) {
        std::memcpy(result + out, text + sorted[k].start, sorted[k].length);
        out += sorted[k].length;
        // Every line of the result ends with CR LF as the editor's text does; a bare CR stays bare
        // so that the result keeps the selection's length.
        result[out++] = '\r';
        if (lineEndOf(sorted[k]) - sorted[k].start - sorted[k].length == 2) result[out++] = '\n';
    }
    std::memcpy(result + out, text + rest, n - rest);
    out += n - rest;
    return finishAllocated(r, result, out);
}

}  // namespace ulo_filters

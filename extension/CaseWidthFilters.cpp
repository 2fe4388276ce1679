// Filters 100, 101 (ASCII letter case) and 110, 111 (full-width and half-width letters, digits
// and symbols).
#include <cstring>

#include "FilterSupport.h"
#include "FilterTables.h"
#include "Filters.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

bool changeCase(FilterRequest& r, char from, char to) {
    char* text = r.input;
    const size_t n = r.input_length;
    bool changed = false;
    for (size_t i = 0; i < n;) {
        if (isLead(static_cast<unsigned char>(text[i]))) {
            i += charLength(text, i, n);
            continue;
        }
        if (text[i] >= from && text[i] <= static_cast<char>(from + 25)) {
            text[i] = static_cast<char>(text[i] - from + to);
            changed = true;
        }
        ++i;
    }
    return changed && finishInPlace(r, n);
}

// One-byte partner of a full-width pair, or 0.
unsigned char narrowOf(unsigned char lead, unsigned char trail) {
    static const auto table = [] {
        struct Table {
            unsigned char narrow[2][256] = {};
        } t;
        for (const WidthPair& p : kWidthPairs) t.narrow[p.lead - 0x81][p.trail] = p.narrow;
        return t;
    }();
    return lead == 0x81 || lead == 0x82 ? table.narrow[lead - 0x81][trail] : 0;
}

// Full-width pair of a one-byte character, or null.
const WidthPair* wideOf(unsigned char narrow) {
    static const auto table = [] {
        struct Table {
            const WidthPair* wide[256] = {};
        } t;
        for (const WidthPair& p : kWidthPairs) t.wide[p.narrow] = &p;
        return t;
    }();
    return table.wide[narrow];
}

}  // namespace

bool upperCase(FilterRequest& r) { return changeCase(r, 'a', 'A'); }
bool lowerCase(FilterRequest& r) { return changeCase(r, 'A', 'a'); }

bool fullToHalfWidth(FilterRequest& r) {
    char* text = r.input;
    const size_t n = r.input_length;
    size_t out = 0;
    bool changed = false;
    for (size_t i = 0; i < n;) {
        const size_t len = charLength(text, i, n);
        if (len == 2) {
            const unsigned char narrow =
                narrowOf(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]));
            if (narrow) {
                text[out++] = static_cast<char>(narrow);
                changed = true;
                i += 2;
                continue;
            }
        }
        for (size_t k = 0; k < len; ++k) text[out++] = text[i + k];
        i += len;
    }
    return changed && finishInPlace(r, out);
}

bool halfToFullWidth(FilterRequest& r) {
    const char* text = r.input;
    const size_t n = r.input_length;
    size_t count = 0;
    for (size_t i = 0; i < n;) {
        const size_t len = charLength(text, i, n);
        if (len == 1 && wideOf(static_cast<unsigned char>(text[i]))) ++count;
        i += len;
    }
    if (count == 0) return false;
    char* result = allocateResult(static_cast<uint64_t>(n) + count);
    if (!result) return false;
    size_t out = 0;
    for (size_t i = 0; i < n;) {
        const size_t len = charLength(text, i, n);
        const WidthPair* wide = len == 1 ? wideOf(static_cast<unsigned char>(text[i])) : nullptr;
        if (wide) {
            result[out++] = static_cast<char>(wide->lead);
            result[out++] = static_cast<char>(wide->trail);
        } else {
            std::memcpy(result + out, text + i, len);
            out += len;
        }
        i += len;
    }
    return finishAllocated(r, result, out);
}

}  // namespace ulo_filters

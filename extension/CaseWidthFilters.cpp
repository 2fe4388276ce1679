// Filters 100, 101 (ASCII letter case) and 110, 111 (full-width and half-width letters, digits
// and symbols).
#include <cstring>

#include "FilterSupport.h"
#include "FilterTables.h"
#include "Filters.h"
#include "SjisBlocks.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

// The byte each byte becomes: letters of one case to the other, everything else (lead bytes
// included) to itself. A lead byte's step of 2 skips its trail byte.
struct CaseTable {
    unsigned char to[256];
    unsigned char from;
    constexpr CaseTable(char first, char into) : to(), from(static_cast<unsigned char>(first)) {
        for (int b = 0; b < 256; ++b) to[b] = static_cast<unsigned char>(b);
        for (int k = 0; k < 26; ++k) to[first + k] = static_cast<unsigned char>(into + k);
    }
    // The letters among eight ASCII bytes, as 0x20 in their byte (the bit that changes case).
    uint64_t letters(uint64_t word) const {
        constexpr uint64_t ones = 0x0101010101010101ull;
        const uint64_t atLeastFirst = word + (0x80 - from) * ones;
        const uint64_t pastLast = word + (0x80 - from - 26) * ones;
        return ((atLeastFirst & ~pastLast) & kHighBits) >> 2;
    }
};
constexpr CaseTable kUpper('a', 'A');
constexpr CaseTable kLower('A', 'a');

#if defined(__SSE2__)
// Sixteen bytes at a time: the letters by two compares (bytes from 0x80 up compare as negative and
// are never letters), less the second bytes of two-byte characters when the block has any.
// Returns how far it got; sets changed when a byte changed.
size_t changeCaseBlocks(unsigned char* text, size_t n, const CaseTable& table, unsigned& trail,
                        uint64_t& changed) {
    const __m128i first = _mm_set1_epi8(static_cast<char>(table.from - 1));
    const __m128i pastLast = _mm_set1_epi8(static_cast<char>(table.from + 26));
    const __m128i caseBit = _mm_set1_epi8(0x20);
    __m128i flips = _mm_setzero_si128();
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i* at = reinterpret_cast<__m128i*>(text + i);
        const __m128i x = _mm_loadu_si128(at);
        __m128i flip = _mm_and_si128(_mm_and_si128(_mm_cmpgt_epi8(x, first), _mm_cmplt_epi8(x, pastLast)),
                                     caseBit);
        if (trail || _mm_movemask_epi8(x)) {
            const unsigned leads = leadBits(x);
            const unsigned low = kTrails.next[trail][leads & 0xFF];
            const unsigned high = kTrails.next[low >> 8][leads >> 8];
            trail = high >> 8;
            const __m128i trails = _mm_set_epi64x(static_cast<long long>(kTrails.spread[high & 0xFF]),
                                                  static_cast<long long>(kTrails.spread[low & 0xFF]));
            flip = _mm_andnot_si128(trails, flip);
        }
        flips = _mm_or_si128(flips, flip);
        _mm_storeu_si128(at, _mm_xor_si128(x, flip));
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(flips, _mm_setzero_si128())) != 0xFFFF) changed = 1;
    return i;
}
#endif

bool changeCase(FilterRequest& r, const CaseTable& table) {
    unsigned char* text = reinterpret_cast<unsigned char*>(r.input);
    const size_t n = r.input_length;
    uint64_t changed = 0;
    unsigned trail = 0;  // 1 when the next byte is the second byte of a two-byte character
    size_t i = 0;
#if defined(__SSE2__)
    i = changeCaseBlocks(text, n, table, trail, changed);
#endif
    for (; i + 8 <= n; i += 8) {  // what is left of sixteen, or everything without SSE2
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        uint64_t flip;
        if (!trail && (word & kHighBits) == 0) {  // eight one-byte characters
            flip = table.letters(word);
        } else {
            const unsigned leads = leadMask8(text + i);
            const unsigned state = kTrails.next[trail][leads];
            trail = state >> 8;
            // Letters among the bytes below 0x80 that start a character.
            const uint64_t high = (word & kHighBits) >> 7;
            flip = table.letters(word & ~kHighBits) & ~(high * 0xFF) & ~kTrails.spread[state & 0xFF];
        }
        changed |= flip;
        word ^= flip;
        std::memcpy(text + i, &word, 8);
    }
    for (; i < n; ++i) {  // the last few bytes
        const unsigned char b = text[i];
        const unsigned char c = trail ? b : table.to[b];
        changed |= b ^ c;
        text[i] = c;
        trail = !trail && isLead(b);
    }
    return changed != 0 && finishInPlace(r, n);
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

bool upperCase(FilterRequest& r) { return changeCase(r, kUpper); }
bool lowerCase(FilterRequest& r) { return changeCase(r, kLower); }

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

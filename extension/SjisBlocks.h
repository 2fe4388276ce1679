// Shift_JIS character boundaries eight bytes at a time, for the filters' hot loops.
#pragma once

#include <cstddef>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "SjisBytes.h"

namespace ulo_filters {

// A byte is the second byte of a character exactly when the bytes before it that are in the
// lead range form a run of odd length (such a run always starts on a character boundary). So
// eight bytes at a time: which of them are lead-range bytes, then from that and whether the first
// is a second byte, which of them are second bytes (a table of every case).
struct TrailTable {
    uint16_t next[2][256];  // bits 0-7: the second bytes; bit 8: whether the byte after is one
    uint64_t spread[256];   // 0xFF in the byte of every set bit
    unsigned char leadBit[256];
    constexpr TrailTable() : next(), spread(), leadBit() {
        for (int t = 0; t < 2; ++t) {
            for (int lead = 0; lead < 256; ++lead) {
                int trail = t, bits = 0;
                for (int k = 0; k < 8; ++k) {
                    if (trail) bits |= 1 << k;
                    trail = !trail && ((lead >> k) & 1);
                }
                next[t][lead] = static_cast<uint16_t>(bits | (trail << 8));
            }
        }
        for (int m = 0; m < 256; ++m) {
            for (int k = 0; k < 8; ++k) {
                if ((m >> k) & 1) spread[m] |= 0xFFull << (8 * k);
            }
        }
        for (int b = 0; b < 256; ++b) leadBit[b] = isLead(static_cast<unsigned char>(b)) ? 1 : 0;
    }
};
inline constexpr TrailTable kTrails{};

#if defined(__SSE2__)
// One bit per byte of the sixteen: set for the bytes in the lead range.
inline unsigned leadBits(__m128i bytes) {
    // Unsigned ranges through signed compares after flipping the top bit.
    const __m128i x = _mm_xor_si128(bytes, _mm_set1_epi8(static_cast<char>(0x80)));
    auto above = [&](int v) { return _mm_cmpgt_epi8(x, _mm_set1_epi8(static_cast<char>(v ^ 0x80))); };
    const __m128i low = _mm_andnot_si128(above(0x9F), above(0x80));   // 0x81-0x9F
    const __m128i high = _mm_andnot_si128(above(0xFC), above(0xDF));  // 0xE0-0xFC
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(low, high)));
}
#endif

// One bit per byte of text[0..8): set for the bytes in the lead range.
inline unsigned leadMask8(const unsigned char* text) {
#if defined(__SSE2__)
    return leadBits(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(text))) & 0xFF;
#else
    unsigned leads = 0;
    for (int k = 0; k < 8; ++k) leads |= kTrails.leadBit[text[k]] << k;
    return leads;
#endif
}

// The first CR or LF in text[from, n), or n, sixteen bytes at a time where SSE2 is there.
inline size_t findLineBreak(const char* text, size_t from, size_t n) {
    size_t i = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, lf)));
        if (hits) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
    }
#endif
    for (; i < n; ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return n;
}

// Moves a character cursor forward until it reaches or passes pos (pos is a character start
// exactly when the answer equals it).
inline size_t advanceTo(const char* text, size_t cursor, size_t pos) {
    unsigned trail = 0;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    while (cursor + 8 <= pos) {
        trail = kTrails.next[trail][leadMask8(bytes + cursor)] >> 8;
        cursor += 8;
    }
    cursor += trail;  // a block that ended inside a two-byte character
    while (cursor < pos) cursor += kSteps.step[bytes[cursor]];
    return cursor;
}

}  // namespace ulo_filters

// ByteRuns: copying runs of plain bytes sixteen at a time, and the JIS X 0208 -> Shift_JIS pair
// tables, for the in-place decoders.
#pragma once
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ULO_BYTERUNS_SSE2 1
#endif

namespace byteruns {

// CR and LF, the bytes that end lines in every code but UTF-16LE.
inline bool isLineEndByte(uint8_t b) { return b == 0x0A || b == 0x0D; }

// Which bytes end a run: any byte from 0x80 up, or ESC (1B) and SO (0E) for ISO-2022-JP text.
enum class Stop { HighBit, JisControl };

template <Stop stop>
inline bool stops(uint8_t b) {
    return stop == Stop::HighBit ? b >= 0x80 : (b == 0x1B || b == 0x0E);
}

#ifdef ULO_BYTERUNS_SSE2
template <Stop stop>
inline uint32_t stopMask(__m128i v) {
    if (stop == Stop::HighBit) return uint32_t(_mm_movemask_epi8(v));
    __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x1B)), _mm_cmpeq_epi8(v, _mm_set1_epi8(0x0E)));
    return uint32_t(_mm_movemask_epi8(hit));
}

// Stores the first k bytes of v, read from input `gap` bytes after d, at d. With 16 or more
// bytes between, all of v is stored: its other bytes land on input already read. Otherwise the
// other bytes of the 16 at d are stored back as they were.
inline void storeFirst(uint8_t* d, __m128i v, uint32_t k, uint32_t gap) {
    if (gap >= 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), v);
        return;
    }
    const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    __m128i first = _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(k)), lanes);
    __m128i* at = reinterpret_cast<__m128i*>(d);
    _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(first, v), _mm_andnot_si128(first, _mm_loadu_si128(at))));
}
#endif

// Copies the run of bytes that do not stop from s[i] to d[o] and advances both past it. The
// destination may be the source itself or lie before it (o <= i): a block is stored only after
// it was read, and never beyond it.
template <Stop stop>
inline void copyRun(const uint8_t* s, uint32_t n, uint8_t* d, uint32_t& i, uint32_t& o) {
#ifdef ULO_BYTERUNS_SSE2
    while (uint64_t(i) + 16 <= n) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        uint32_t m = stopMask<stop>(v);
        if (m) {
            uint32_t k = uint32_t(__builtin_ctz(m));
            if (o != i) storeFirst(d + o, v, k, i - o);
            i += k;
            o += k;
            return;
        }
        if (o != i) _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o), v);
        i += 16;
        o += 16;
    }
    if (n >= 16 && i < n) {
        // The last bytes through one load that ends at the line's end (it overlaps bytes
        // already passed, which are not looked at).
        uint32_t skip = i - (n - 16);
        uint32_t m = stopMask<stop>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 16))) >> skip;
        uint32_t k = m ? uint32_t(__builtin_ctz(m)) : n - i;
        if (o != i)
            for (uint32_t j = 0; j < k; ++j) d[o + j] = s[i + j];
        i += k;
        o += k;
        return;
    }
#endif
    while (i < n && !stops<stop>(s[i])) d[o++] = s[i++];
}

// JIS X 0208 row/cell -> Shift_JIS lead/trail by the standard arithmetic, as tables: the lead
// depends on the row alone, the trail on the cell and the row's parity. Any byte values are
// accepted and give what the arithmetic gives, cut to a byte.
struct PairTables {
    uint8_t lead[256];
    uint8_t trail[2][256];
};

constexpr PairTables makePairTables() {
    PairTables t{};
    for (unsigned j = 0; j < 256; ++j) {
        unsigned s1 = (j + 0xE1) / 2;
        if (s1 > 0x9F) s1 += 0x40;
        t.lead[j] = static_cast<uint8_t>(s1);
        unsigned odd = j + 0x1F;
        if (odd >= 0x7F) odd += 1;
        t.trail[1][j] = static_cast<uint8_t>(odd);
        t.trail[0][j] = static_cast<uint8_t>(j + 0x7E);
    }
    return t;
}

inline constexpr PairTables kPairs = makePairTables();

// Writes the Shift_JIS form of JIS row/cell at d (two bytes).
inline void putPair(uint8_t* d, uint8_t row, uint8_t cell) {
    d[0] = kPairs.lead[row];
    d[1] = kPairs.trail[row & 1][cell];
}

#ifdef ULO_BYTERUNS_SSE2
// Eight pairs at once, each 16-bit lane holding a JIS row in its low byte and the cell in its
// high byte: the same arithmetic as putPair, lane by lane.
inline __m128i sjisPairs(__m128i v) {
    const __m128i lowByte = _mm_set1_epi16(0x00FF);
    __m128i row = _mm_and_si128(v, lowByte), cell = _mm_srli_epi16(v, 8);
    __m128i lead = _mm_srli_epi16(_mm_add_epi16(row, _mm_set1_epi16(0xE1)), 1);
    lead = _mm_add_epi16(lead, _mm_and_si128(_mm_cmpgt_epi16(lead, _mm_set1_epi16(0x9F)), _mm_set1_epi16(0x40)));
    __m128i odd = _mm_add_epi16(cell, _mm_set1_epi16(0x1F));
    odd = _mm_sub_epi16(odd, _mm_cmpgt_epi16(odd, _mm_set1_epi16(0x7E)));  // +1 from 0x7F up
    __m128i even = _mm_add_epi16(cell, _mm_set1_epi16(0x7E));
    __m128i isOdd = _mm_cmpeq_epi16(_mm_and_si128(row, _mm_set1_epi16(1)), _mm_set1_epi16(1));
    __m128i trail = _mm_or_si128(_mm_and_si128(isOdd, odd), _mm_andnot_si128(isOdd, even));
    return _mm_or_si128(_mm_and_si128(lead, lowByte), _mm_slli_epi16(trail, 8));
}

// 16-bit lanes whose low byte (the first of the pair) is `value`.
inline __m128i firstByteIs(__m128i v, uint8_t value) {
    return _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(0x00FF)), _mm_set1_epi16(value));
}
#endif

// Converts whole blocks of eight pairs from s[i] while every pair is a JIS X 0208 character of
// ISO-2022-JP kanji mode (first byte neither ESC nor SO) or of EUC-JP (first byte from 0x80
// up, not 0x8E; both bytes lose their top bit). With `lines`, a CR or LF byte stops the pairs
// too. The block is stored after it was read and never beyond it, so o <= i is safe; with the
// pairs of a block before a stop, the rest of the destination's 16 bytes is stored back as it was.
template <bool euc, bool lines = false>
inline void convertPairBlocks(const uint8_t* s, uint32_t n, uint8_t* d, uint32_t& i, uint32_t& o) {
#ifdef ULO_BYTERUNS_SSE2
    while (uint64_t(i) + 16 <= n) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        __m128i lineEnds = _mm_setzero_si128();
        if (lines) lineEnds = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x0A)), _mm_cmpeq_epi8(v, _mm_set1_epi8(0x0D)));
        __m128i bad;
        if (euc) {
            __m128i high = _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(0x0080)), _mm_setzero_si128());
            bad = _mm_or_si128(high, firstByteIs(v, 0x8E));
            v = _mm_and_si128(v, _mm_set1_epi8(0x7F));
        } else {
            bad = _mm_or_si128(firstByteIs(v, 0x1B), firstByteIs(v, 0x0E));
            v = _mm_and_si128(v, _mm_set1_epi8(0x7F));  // 8-bit bytes in kanji mode count as 7-bit
        }
        uint32_t stop = uint32_t(_mm_movemask_epi8(_mm_or_si128(bad, lineEnds)));
        if (stop) {
            // The pairs before a stop at a pair boundary; the other bytes of the block are
            // stored back as they are.
            uint32_t k = uint32_t(__builtin_ctz(stop));
            if (k & 1) return;
            storeFirst(d + o, sjisPairs(v), k, i - o);
            i += k;
            o += k;
            return;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o), sjisPairs(v));
        i += 16;
        o += 16;
    }
#else
    (void)s, (void)n, (void)d, (void)i, (void)o;
#endif
}

}  // namespace byteruns

// ByteScan: SSE2 loops with a plain tail (and a plain fallback without SSE2).
#include "ByteScan.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ULO_SSE2 1
#endif

namespace bytescan {

namespace {

#ifdef ULO_SSE2
inline __m128i load16(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

inline uint32_t firstBit(uint32_t mask) { return static_cast<uint32_t>(__builtin_ctz(mask)); }
#endif

}  // namespace

uint64_t lineEndByteMask(const uint8_t* text, uint32_t block, uint32_t length, uint64_t* tabs) {
    uint64_t mask = 0, tabMask = 0;
    uint32_t i = 0;
#ifdef ULO_SSE2
    if (uint64_t(block) + 64 <= length) {
        const __m128i cr = _mm_set1_epi8(0x0D), lf = _mm_set1_epi8(0x0A), tab = _mm_set1_epi8(0x09);
        for (; i < 64; i += 16) {
            __m128i v = load16(text + block + i);
            uint32_t m = uint32_t(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
            mask |= uint64_t(m) << i;
            tabMask |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tab)))) << i;
        }
        if (tabs) *tabs = tabMask;
        return mask;
    }
#endif
    for (; i < 64 && block + i < length; ++i) {
        uint8_t b = text[block + i];
        if (b == 0x0D || b == 0x0A) mask |= uint64_t(1) << i;
        if (b == 0x09) tabMask |= uint64_t(1) << i;
    }
    if (tabs) *tabs = tabMask;
    return mask;
}

uint64_t lineEndUnitMask(const uint8_t* text, uint32_t block, uint32_t length, uint64_t* tabs) {
    uint64_t mask = 0, tabMask = 0;
    uint32_t i = 0;
#ifdef ULO_SSE2
    if (uint64_t(block) + 64 <= length) {
        const __m128i cr = _mm_set1_epi16(0x000D), lf = _mm_set1_epi16(0x000A), tab = _mm_set1_epi16(0x0009);
        for (; i < 64; i += 16) {
            __m128i v = load16(text + block + i);
            uint32_t m = uint32_t(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, cr), _mm_cmpeq_epi16(v, lf))));
            mask |= uint64_t(m & 0x5555u) << i;
            tabMask |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(v, tab))) & 0x5555u) << i;
        }
        if (tabs) *tabs = tabMask;
        return mask;
    }
#endif
    for (; i < 64 && uint64_t(block) + i + 2 <= length; i += 2) {
        if (text[block + i + 1] != 0) continue;
        uint8_t b = text[block + i];
        if (b == 0x0D || b == 0x0A) mask |= uint64_t(1) << i;
        if (b == 0x09) tabMask |= uint64_t(1) << i;
    }
    if (tabs) *tabs = tabMask;
    return mask;
}

uint32_t findByte(const uint8_t* text, uint32_t from, uint32_t length, uint8_t value) {
    if (from >= length) return length;
    uint32_t i = from;
#ifdef ULO_SSE2
    if (length - from >= 16) {
        const __m128i want = _mm_set1_epi8(static_cast<char>(value));
        for (; i + 16 <= length; i += 16) {
            uint32_t mask = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(load16(text + i), want)));
            if (mask) return i + firstBit(mask);
        }
        if (i == length) return length;
        // The last bytes through one load that overlaps what was already searched.
        uint32_t last = length - 16;
        uint32_t mask = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(load16(text + last), want))) >> (i - last);
        return mask ? i + firstBit(mask) : length;
    }
#endif
    for (; i < length; ++i)
        if (text[i] == value) return i;
    return length;
}

bool isAscii(const uint8_t* text, uint32_t length) {
    uint32_t i = 0;
#ifdef ULO_SSE2
    __m128i any = _mm_setzero_si128();
    for (; i + 16 <= length; i += 16) any = _mm_or_si128(any, load16(text + i));
    if (_mm_movemask_epi8(any)) return false;
#endif
    uint8_t rest = 0;
    for (; i < length; ++i) rest |= text[i];
    return rest < 0x80;
}

bool isPlainJis(const uint8_t* text, uint32_t length) {
    uint32_t i = 0;
#ifdef ULO_SSE2
    const __m128i esc = _mm_set1_epi8(0x1B), so = _mm_set1_epi8(0x0E);
    for (; i + 16 <= length; i += 16) {
        __m128i v = load16(text + i);
        __m128i bad = _mm_or_si128(_mm_cmpeq_epi8(v, esc), _mm_cmpeq_epi8(v, so));
        if (_mm_movemask_epi8(_mm_or_si128(v, bad))) return false;
    }
#endif
    for (; i < length; ++i)
        if (text[i] >= 0x80 || text[i] == 0x1B || text[i] == 0x0E) return false;
    return true;
}

}  // namespace bytescan

// ByteScan: fast searches over byte runs used while loading (line ends, TABs, non-ASCII bytes),
// sixteen bytes at a time where the processor allows it.
#pragma once
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace bytescan {

// For the 64 bytes from `block` (a multiple of 64) on, cut at `length`: bit i set when byte
// block + i is CR or LF.
// With `tabs` given, *tabs gets the same kind of mask for TAB bytes.
uint64_t lineEndByteMask(const uint8_t* text, uint32_t block, uint32_t length, uint64_t* tabs);
// The same for 16-bit little-endian units at even offsets: bit i (even) set when the unit at
// block + i is 000D or 000A and lies wholly before `length`; *tabs, when given, the same for 0009.
uint64_t lineEndUnitMask(const uint8_t* text, uint32_t block, uint32_t length, uint64_t* tabs);
// Index of the first byte equal to `value` in [from, length), or length.
uint32_t findByte(const uint8_t* text, uint32_t from, uint32_t length, uint8_t value);
// True when `value` occurs in the `length` bytes; reads nothing outside them. Inline, for the
// short lines that loading checks one by one.
inline bool hasByte(const uint8_t* text, uint32_t length, uint8_t value) {
#if defined(__SSE2__) || defined(_M_X64)
    if (length >= 16) {
        const __m128i want = _mm_set1_epi8(static_cast<char>(value));
        uint32_t i = 0;
        for (; i + 16 <= length; i += 16)
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)), want)))
                return true;
        if (i == length) return false;
        // The last bytes through one load that overlaps what was already searched.
        __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + length - 16));
        return _mm_movemask_epi8(_mm_cmpeq_epi8(last, want)) != 0;
    }
#endif
    // Eight bytes at a time (two overlapping words for 8 to 15 bytes): a zero byte of
    // word ^ pattern is a match.
    const uint64_t ones = 0x0101010101010101ull, pattern = ones * value;
    auto zeroByte = [&](uint64_t v) { return ((v - ones) & ~v & (ones << 7)) != 0; };
    uint32_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t w;
        std::memcpy(&w, text + i, 8);
        if (zeroByte(w ^ pattern)) return true;
    }
    if (i == length) return false;
    if (length >= 8) {
        uint64_t w;
        std::memcpy(&w, text + length - 8, 8);
        return zeroByte(w ^ pattern);
    }
    for (; i < length; ++i)
        if (text[i] == value) return true;
    return false;
}
// True when every byte is below 0x80.
bool isAscii(const uint8_t* text, uint32_t length);
// True when every byte is below 0x80 and none is ESC (1B) or SO (0E): text that the ISO-2022-JP
// decoder would copy unchanged.
bool isPlainJis(const uint8_t* text, uint32_t length);

}  // namespace bytescan

// UTF-8 <-> UTF-16 conversion by hand, in fixed-size chunks.
#include "Utf8.h"

#include "ByteRuns.h"

namespace utf8 {

Chunk toUtf16(const uint8_t* text, uint32_t length, uint16_t* units) {
    uint32_t end = length < kChunkBytes ? length : kChunkBytes;
    uint32_t i = 0, n = 0;
    while (i < end) {
        uint8_t b = text[i];
        if (b < 0x80) {
#ifdef ULO_BYTERUNS_SSE2
            // Runs of ASCII sixteen bytes at a time.
            while (i + 16 <= end) {
                __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
                if (_mm_movemask_epi8(v)) break;
                __m128i zero = _mm_setzero_si128();
                _mm_storeu_si128(reinterpret_cast<__m128i*>(units + n), _mm_unpacklo_epi8(v, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(units + n + 8), _mm_unpackhi_epi8(v, zero));
                i += 16;
                n += 16;
            }
            if (i >= end || text[i] >= 0x80) continue;
#endif
            units[n++] = text[i];
            i += 1;
        } else if (b >= 0xC2 && b <= 0xDF) {
            if (i + 2 > end) break;
            units[n++] = static_cast<uint16_t>((b & 0x1F) << 6 | (text[i + 1] & 0x3F));
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (i + 3 > end) break;
            units[n++] = static_cast<uint16_t>((b & 0x0F) << 12 | (text[i + 1] & 0x3F) << 6 |
                                               (text[i + 2] & 0x3F));
            i += 3;
        } else {
            return Chunk{i, n, true};
        }
    }
    return Chunk{i, n, false};
}

uint32_t fromUtf16(const uint16_t* units, uint32_t count, uint8_t* out) {
    uint32_t o = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t u = units[i];
        if (u < 0x80) {
            out[o++] = static_cast<uint8_t>(u);
        } else if (u < 0x800) {
            out[o++] = static_cast<uint8_t>(0xC0 | u >> 6);
            out[o++] = static_cast<uint8_t>(0x80 | (u & 0x3F));
        } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
                   units[i + 1] <= 0xDFFF) {
            uint32_t c = 0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00);
            out[o++] = static_cast<uint8_t>(0xF0 | c >> 18);
            out[o++] = static_cast<uint8_t>(0x80 | (c >> 12 & 0x3F));
            out[o++] = static_cast<uint8_t>(0x80 | (c >> 6 & 0x3F));
            out[o++] = static_cast<uint8_t>(0x80 | (c & 0x3F));
        } else {
            out[o++] = static_cast<uint8_t>(0xE0 | u >> 12);
            out[o++] = static_cast<uint8_t>(0x80 | (u >> 6 & 0x3F));
            out[o++] = static_cast<uint8_t>(0x80 | (u & 0x3F));
        }
    }
    return o;
}

}  // namespace utf8

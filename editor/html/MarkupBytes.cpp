#include "MarkupBytes.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "TextCodes.h"

MarkupBytes::MarkupBytes(std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) {
        if (count_ == kMaxBytes || b >= 0x40) continue;
        bytes_[count_++] = b;
        wanted_[b] = true;
    }
}

bool endsInLeadByte(const uint8_t* text, size_t from, size_t end) {
    size_t k = end;
    while (k > from && isSjisLead(text[k - 1])) --k;
    return ((end - k) & 1) != 0;
}

size_t MarkupBytes::find(const uint8_t* text, size_t from, size_t length) const {
    size_t i = from;
#if defined(__SSE2__)
    __m128i wanted[kMaxBytes];
    for (int k = 0; k < count_; ++k) wanted[k] = _mm_set1_epi8(static_cast<char>(bytes_[k]));
#endif
    for (;;) {
        size_t found = length;
#if defined(__SSE2__)
        for (; i + 16 <= length; i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            __m128i hits = _mm_setzero_si128();
            for (int k = 0; k < count_; ++k) hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, wanted[k]));
            if (const int mask = _mm_movemask_epi8(hits)) {
                found = i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
                break;
            }
        }
#endif
        if (found == length) {
            for (; i < length; ++i) {
                if (text[i] < 0x40 && wanted_[text[i]]) {
                    found = i;
                    break;
                }
            }
        }
        if (found == length) return length;
        // A match right after a lead byte is that byte's (damaged) trail: go on after it.
        if (!endsInLeadByte(text, from, found)) return found;
        i = found + 1;
    }
}

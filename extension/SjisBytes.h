// Shift_JIS byte classes for the filters: every scan steps over a two-byte character as a unit.
#pragma once

#include <cstddef>

namespace ulo_filters {

inline bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the character at text[i]: 2 for a lead byte with a byte after it, else 1
// (a lead byte that ends the selection is taken alone).
inline size_t charLength(const char* text, size_t i, size_t n) {
    return isLead(static_cast<unsigned char>(text[i])) && i + 1 < n ? 2 : 1;
}

inline bool isFullWidthBlank(const char* text, size_t i, size_t n) {
    return i + 1 < n && static_cast<unsigned char>(text[i]) == 0x81 &&
           static_cast<unsigned char>(text[i + 1]) == 0x40;
}

inline bool isAsciiLetter(unsigned char b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

}  // namespace ulo_filters

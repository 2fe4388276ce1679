// Shift_JIS byte classes for the filters: every scan steps over a two-byte character as a unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ulo_filters {

constexpr bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the character at text[i]: 2 for a lead byte with a byte after it, else 1
// (a lead byte that ends the selection is taken alone).
inline size_t charLength(const char* text, size_t i, size_t n) {
    return isLead(static_cast<unsigned char>(text[i])) && i + 1 < n ? 2 : 1;
}

// Step from a byte to the next character start: 2 for a lead byte, else 1, as a table for the
// hot loops (the caller keeps the lead byte at the selection's end in mind).
struct StepTable {
    unsigned char step[256];
    constexpr StepTable() : step() {
        for (int b = 0; b < 256; ++b) step[b] = isLead(static_cast<unsigned char>(b)) ? 2 : 1;
    }
};
inline constexpr StepTable kSteps{};

inline constexpr uint64_t kHighBits = 0x8080808080808080ull;

inline bool isFullWidthBlank(const char* text, size_t i, size_t n) {
    return i + 1 < n && static_cast<unsigned char>(text[i]) == 0x81 &&
           static_cast<unsigned char>(text[i + 1]) == 0x40;
}

inline bool isAsciiLetter(unsigned char b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

}  // namespace ulo_filters

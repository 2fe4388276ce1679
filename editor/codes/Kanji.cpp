// Kanji: pair conversion and double-byte helpers.
#include "Kanji.h"

void Kanji::sjisToJis(uint8_t* lead, uint8_t* trail) {
    unsigned s1 = *lead, s2 = *trail;
    if (s1 >= 0xE0) s1 -= 0x40;
    unsigned j1 = 2 * s1 - 0xE1, j2;
    if (s2 >= 0x9F) {
        j2 = s2 - 0x7E;
        j1 += 1;
    } else {
        j2 = s2 - 0x1F;
        if (s2 >= 0x80) j2 -= 1;
    }
    *lead = static_cast<uint8_t>(j1);
    *trail = static_cast<uint8_t>(j2);
}

void Kanji::jisToSjis(uint8_t* row, uint8_t* cell) {
    unsigned j1 = *row, j2 = *cell;
    unsigned s1 = (j1 + 0xE1) / 2, s2;
    if (s1 > 0x9F) s1 += 0x40;
    if (j1 & 1) {
        s2 = j2 + 0x1F;
        if (s2 >= 0x7F) s2 += 1;
    } else {
        s2 = j2 + 0x7E;
    }
    *row = static_cast<uint8_t>(s1);
    *cell = static_cast<uint8_t>(s2);
}

uint32_t Kanji::alignedLength(const uint8_t* text, uint32_t n) {
    uint32_t i = 0;
    while (i < n) i += isSjisLead(text[i]) ? 2 : 1;
    return i;
}

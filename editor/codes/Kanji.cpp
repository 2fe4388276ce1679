// Kanji: double-byte helpers.
#include "Kanji.h"

uint32_t Kanji::alignedLength(const uint8_t* text, uint32_t n) {
    uint32_t i = 0;
    while (i < n) i += isSjisLead(text[i]) ? 2 : 1;
    return i;
}

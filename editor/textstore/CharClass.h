// CharClass: the fixed character classes of word movement (`wordClass`, per byte) and of word
// selection (`selectionClass`, per character, double-byte characters by their JIS X 0208 row).
#pragma once
#include <cstdint>

class CharClass {
public:
    // Class of a byte for word movement: 97 for word bytes (# & . 0-9 : ? @ A-Z _ a-z ~), 252 for
    // the lead bytes 81 and 83-9F, E0-FC, otherwise the byte's own value.
    static const uint8_t wordClass[256];

    // Class of the character at text[at] for word selection: a single byte takes its wordClass, a
    // double-byte character 256 plus a class from its row and cell.
    static int32_t selectionClass(const uint8_t* text, uint32_t length, uint32_t at);
    // The class part of a double-byte character given its row and cell, both from 0.
    static int32_t doubleByteClass(int32_t row, int32_t cell);
};

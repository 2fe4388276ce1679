// CharClass: the word-movement table and the word-selection classes.
#include "CharClass.h"

#include "Kanji.h"
#include "TextCodes.h"

// Generated once from the rule in CharClass.h: row n holds the bytes n*16 to n*16+15.
const uint8_t CharClass::wordClass[256] = {
      0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,  15,  // 00
     16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  // 10
     32,  33,  34,  97,  36,  37,  97,  39,  40,  41,  42,  43,  44,  45,  97,  47,  // 20
     97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  59,  60,  61,  62,  97,  // 30
     97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  // 40
     97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  91,  92,  93,  94,  97,  // 50
     96,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  // 60
     97,  97,  97,  97,  97,  97,  97,  97,  97,  97,  97, 123, 124, 125,  97, 127,  // 70
    128, 252, 130, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252,  // 80
    252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252,  // 90
    160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175,  // A0
    176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189, 190, 191,  // B0
    192, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203, 204, 205, 206, 207,  // C0
    208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223,  // D0
    252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252,  // E0
    252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 252, 253, 254, 255,  // F0
};

int32_t CharClass::doubleByteClass(int32_t row, int32_t cell)
{
    if (row == 0 && cell == 27)
        return 0x4003;   // the prolonged sound mark joins katakana and kanji
    if (row == 2)
        return cell >= 15 && cell <= 24 ? 0x4001 : 0x4002;
    if (row == 3)
        return 384;
    if (row >= 5 && row <= 7)
        return row * 128;
    if (row == 4 || (row >= 15 && row <= 90))
        return 0x4003;
    if (row == 91 && cell >= 80 && cell <= 89)
        return 0x4004;
    return row * 128 + cell;
}

int32_t CharClass::selectionClass(const uint8_t* text, uint32_t length, uint32_t at)
{
    uint8_t lead = text[at];
    if (!isSjisLead(lead) || at + 1 >= length)
        return wordClass[lead];
    uint8_t row = lead, cell = text[at + 1];
    Kanji::sjisToJis(&row, &cell);
    return 256 + doubleByteClass(int32_t(row) - 0x21, int32_t(cell) - 0x21);
}

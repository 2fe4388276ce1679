// The shared small types of character codes: file encodings, line ends and Shift_JIS byte classes.
#pragma once
#include <cstdint>

// The code of a document's file.
enum class TextEncoding : uint8_t {
    Auto = 0,      // not decided: detect on load
    ShiftJis = 1,  // code page 932, the form every text takes in memory
    Jis = 2,       // ISO-2022-JP with escape sequences (and SO/SI half-width katakana)
    EucJp = 3,
    Utf8 = 4,      // no byte-order mark
    Utf16Le = 5,   // with byte-order mark FF FE
};

// A two-bit set: bit 0 stands for CR, bit 1 for LF. None marks the last line of a document.
enum class LineEnd : uint8_t { None = 0, Cr = 1, Lf = 2, CrLf = 3 };

// Bytes a line end takes in 8-bit text: the number of bits set.
inline uint32_t lineEndByteCount(LineEnd e) {
    return (static_cast<uint8_t>(e) & 1u) + ((static_cast<uint8_t>(e) >> 1) & 1u);
}

// Result of Kanji::detect; the numbering differs from TextEncoding.
enum class DetectVerdict : uint8_t { Ascii = 1, ShiftJis = 2, EucJp = 3, Jis = 4, Utf8 = 5 };

// A lead byte begins a two-byte character that takes two display cells.
inline bool isSjisLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool isSjisTrail(uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
inline bool isHalfWidthKatakana(uint8_t b) { return b >= 0xA1 && b <= 0xDF; }

// LineRecord: one line of the document: its Shift_JIS bytes (no line end), the line end that
// ended it, and where it breaks into display rows.
#pragma once
#include <cstdint>

struct LineRecord {
    // Bits of `marks`.
    static constexpr uint8_t ownsText = 0x01;      // `text` is this record's heap block
    static constexpr uint8_t modifiedMark = 0x02;  // edited since the document was loaded
    // Bits of `urlFlags` (the lexer's URL/e-mail presence cache).
    static constexpr uint8_t urlScanned = 0x40;
    static constexpr uint8_t urlHasUrl = 0x01;
    static constexpr uint8_t urlHasMail = 0x02;

    LineRecord* next = nullptr;
    LineRecord* previous = nullptr;
    uint8_t* text = nullptr;         // not NUL-terminated; may point into the loaded image
    // When rowCount > 1: the start of every row after the first, then one entry equal to length.
    uint32_t* rowStarts = nullptr;
    uint32_t capacity = 0;
    uint32_t length = 0;
    int32_t rowCount = 1;
    int32_t rowStartsCapacity = 0;
    int32_t singleRowWidth = 0;      // cells when rowCount is 1, else -1
    uint8_t lineEnd = 0;             // LineEnd: 0 none, 1 Cr, 2 Lf, 3 CrLf
    uint8_t marks = 0;
    uint8_t urlFlags = 0;
    uint8_t LineStartState = 0;      // the lexer's state at the first byte; 0 unknown

    bool hasOwnText() const { return (marks & ownsText) != 0; }
};

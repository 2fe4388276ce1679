// RowBreaker: where a line breaks into display rows for a wrap width W and tab width T: a TAB
// that reaches W ends its row; a character that makes the column exactly W ends its row (at the
// line's end that gives a further, empty row); a double-byte character that would cross W starts
// the next row.
#pragma once
#include <cstdint>

#include "ByteScan.h"
#include "LineRecord.h"
#include "StoreAllocator.h"
#include "TextCodes.h"

class RowBreaker {
public:
    RowBreaker(int32_t wrapWidth, int32_t tabWidth)
        : wrap_(wrapWidth < 1 ? 1 : wrapWidth), tab_(tabWidth < 1 ? 1 : tabWidth) {}

    // Breaks the line again from the row that contains byte `from` (rows before it stay) and
    // updates rowCount, rowStarts, singleRowWidth and urlFlags. Returns the number of rows from
    // that row to the line's end. When the row array cannot grow it keeps its size and the last
    // stored row takes the rest of the line.
    int32_t rebreak(LineRecord& line, uint32_t from, StoreAllocator& allocator, bool urlHighlighting) const {
        return rebreakFrom(line, from, allocator, urlHighlighting, true);
    }
    // The same for a line that was just loaded (from 0); `hasTab` false promises no TAB byte.
    int32_t breakLoaded(LineRecord& line, bool hasTab, StoreAllocator& allocator, bool urlHighlighting) const;

    // For a fresh one-row record without TAB bytes: true, with its width, when the text cannot
    // reach the edge (it is at most one cell wider than its bytes), so no rows need breaking.
    bool fitsOneRow(const uint8_t* text, uint32_t length, int32_t* width) const {
        if (uint64_t(length) + 1 >= uint64_t(wrap_)) return false;
        uint32_t cells = length;
        if (length && isSjisLead(text[length - 1]) && startsCharacter(text, 0, length - 1)) ++cells;
        *width = int32_t(cells);
        return true;
    }

    // The line's row that holds byte `offset`; an offset at a row break belongs to the row that
    // begins there.
    static int32_t rowOfOffset(const LineRecord& line, uint32_t offset);
    // The row rebreaking restarts at: the last row whose start is below `from`, or row 0.
    static int32_t restartRow(const LineRecord& line, uint32_t from);
    // Width in cells of the whole text, without wrapping.
    int32_t width(const uint8_t* text, uint32_t length) const;

    // Walks text[start, length) from a row start at column 0 and calls sink(offset) for the start
    // of every further row. Returns the column reached at the end of the last row.
    template <class Sink>
    int32_t walk(const uint8_t* text, uint32_t length, uint32_t start, Sink&& sink, bool hasTab = true) const;

private:
    int32_t rebreakFrom(LineRecord& line, uint32_t from, StoreAllocator& allocator, bool urlHighlighting,
                        bool hasTab) const;
    // True when byte k begins a character, given that byte `rowStart` <= k does.
    static bool startsCharacter(const uint8_t* text, uint32_t rowStart, uint32_t k) {
        uint32_t leads = 0;
        while (k > rowStart && isSjisLead(text[k - 1])) {
            --k;
            ++leads;
        }
        return (leads & 1u) == 0;
    }
    template <class Sink>
    bool stepOverRun(const uint8_t* text, uint32_t length, uint32_t& i, int32_t& col, Sink& sink) const;
    template <class Sink>
    uint32_t walkSlowly(const uint8_t* text, uint32_t length, uint32_t start, uint32_t until,
                        int32_t& column, Sink& sink) const;

    int32_t wrap_;
    int32_t tab_;
};

// Rows without a TAB need no walk: every character is as wide as its bytes, so the row ends W bytes
// on, one byte earlier when that byte begins a double-byte character. Rows with a TAB are walked
// character by character, and so is every row when W is below 3.
template <class Sink>
int32_t RowBreaker::walk(const uint8_t* text, uint32_t length, uint32_t start, Sink&& sink, bool hasTab) const {
    const uint32_t w = static_cast<uint32_t>(wrap_);
    uint32_t p = start;
    if (wrap_ <= 2) {
        // A double-byte character alone fills such a row: only the plain walk gets that right.
        int32_t column = 0;
        walkSlowly(text, length, p, length, column, sink);
        return column;
    }
    uint32_t tab = hasTab ? bytescan::findByte(text, p, length, 0x09) : length;
    for (;;) {
        if (uint64_t(p) + w <= tab) {
            uint32_t k = p + w - 1;
            // k > p since W > 2: the crossing character opens the next row.
            p = isSjisLead(text[k]) && startsCharacter(text, p, k) ? k : p + w;
            sink(p);
            continue;
        }
        if (tab >= length) {
            uint32_t cells = length - p;
            if (cells && isSjisLead(text[length - 1]) && startsCharacter(text, p, length - 1)) ++cells;
            if (cells == w) {
                sink(length);
                return 0;
            }
            return static_cast<int32_t>(cells);
        }
        // A TAB within reach of this row.
        int32_t column = 0;
        p = walkSlowly(text, length, p, tab, column, sink);
        if (p >= length) return column;
        tab = bytescan::findByte(text, p, length, 0x09);
    }
}

// Walks from `start` (column 0) and returns the first row start after `until`, or length.
template <class Sink>
uint32_t RowBreaker::walkSlowly(const uint8_t* text, uint32_t length, uint32_t start, uint32_t until,
                                int32_t& column, Sink& sink) const {
    uint32_t i = start;
    int32_t col = 0;
    while (i < length) {
        if (col == 0 && i > until) break;
        uint8_t b = text[i];
        if (b == 0x09) {
            col = (col / tab_ + 1) * tab_;
            ++i;
            if (col >= wrap_) {
                sink(i);
                col = 0;
            }
            continue;
        }
        if (wrap_ > 2 && stepOverRun(text, length, i, col, sink)) continue;
        int32_t cells = isSjisLead(b) ? 2 : 1;
        if (col + cells == wrap_) {
            i = i + uint32_t(cells) > length ? length : i + uint32_t(cells);
            sink(i);
            col = 0;
        } else if (col + cells > wrap_ && col > 0) {
            sink(i);   // the character opens the next row
            col = cells;
            i += uint32_t(cells);
        } else {
            col += cells;
            i += uint32_t(cells);
        }
    }
    column = col;
    return i < length ? i : length;
}

// Takes the characters from i (a character start at column col) up to the next TAB byte, or the
// line's end, at once: they are as wide as their bytes. A run that reaches the edge ends the row
// there by the rules of walk(). False when nothing could be taken (one character, or a lead byte
// before the TAB or at the end).
template <class Sink>
bool RowBreaker::stepOverRun(const uint8_t* text, uint32_t length, uint32_t& i, int32_t& col, Sink& sink) const {
    uint32_t t = bytescan::findByte(text, i, length, 0x09);
    uint32_t end = t;
    if (isSjisLead(text[t - 1]) && startsCharacter(text, i, t - 1)) --end;   // a trail TAB, or a lone lead at the end
    if (end <= i + 1) return false;
    uint32_t room = uint32_t(wrap_ - col);
    if (end - i < room) {
        col += int32_t(end - i);
        i = end;
        return true;
    }
    uint32_t k = i + room - 1;   // the byte that fills the last cell of the row
    if (isSjisLead(text[k]) && startsCharacter(text, i, k)) {
        if (k == i) return false;
        sink(k);                 // crossing the edge: the character opens the next row
        i = k;
    } else {
        sink(k + 1);
        i = k + 1;
    }
    col = 0;
    return true;
}

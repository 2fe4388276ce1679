// ControlLayout: the editor control's geometry rules: visible rows and columns, the scroll margin,
// window-width wrapping, the line-number gutter and the caret's client position.
#pragma once
#include <cstdint>

namespace layout {

constexpr int32_t plainGutter = 8;       // pixels of blank margin without line numbers
constexpr int32_t minimumWrap = 40;      // window-width wrapping never goes narrower
constexpr int32_t firstShownWidth = 0x7FFF;  // a screen row's remembered width before any show

// The view's top row never passes totalRows - margin - 1; the margin is visible rows - 3 when at
// least 4 rows are visible, else 1.
inline int32_t scrollMargin(int32_t visibleRows) { return visibleRows >= 4 ? visibleRows - 3 : 1; }
inline int32_t lastTopRow(int32_t totalRows, int32_t visibleRows) {
    const int32_t last = totalRows - scrollMargin(visibleRows) - 1;
    return last > 0 ? last : 0;
}
// The page of Page Up / Page Down: visible rows - 2 (1 when fewer than 3 rows are visible).
inline int32_t pageRows(int32_t visibleRows) { return visibleRows >= 3 ? visibleRows - 2 : 1; }

// Digits of the line-number gutter: 3 below 1000 lines, one more for each further power of ten.
int32_t gutterDigits(int32_t lineCount);
// Pixels of the gutter: (digits + 2) cells with line numbers, else 8.
inline int32_t gutterWidth(bool lineNumbers, int32_t digits, int32_t cell) {
    return lineNumbers ? (digits + 2) * cell : plainGutter;
}
// x of the 1-pixel separator between the numbers and the text.
inline int32_t gutterSeparatorX(int32_t digits, int32_t cell) { return cell * (digits + 1) + cell / 2; }
// The gutter text of a line's first row: a blank, the 1-based number right-aligned in `digits`
// places, a blank; `out` gets digits + 2 bytes and a terminating zero (room for 16 digits).
void lineNumberText(int32_t lineNumber, int32_t digits, char* out);

// What the client size gives, recomputed on every size change.
struct ClientGeometry {
    int32_t cell = 8;
    int32_t lineHeight = 16;
    int32_t gutter = plainGutter;
    int32_t width = 0;
    int32_t height = 0;

    int32_t visibleColumns() const { return (width - gutter) / cell + 1; }
    int32_t visibleRows() const { return (height + lineHeight - 1) / lineHeight; }
    int32_t renderedRows() const { return visibleRows() + 1; }
    int32_t scrollMargin() const { return layout::scrollMargin(visibleRows()); }
    int32_t lastTopRow(int32_t totalRows) const { return layout::lastTopRow(totalRows, visibleRows()); }
    int32_t pageRows() const { return layout::pageRows(visibleRows()); }
    // The horizontal offset stays within 0 .. wrap * cell + gutter - width.
    int32_t clampHorizontal(int32_t offset, int32_t wrapWidth) const;
};

// Window-width wrapping: visible columns - 1, at least 40, at most the back buffer's cells.
int32_t windowWrapWidth(int32_t visibleColumns, int32_t bufferCells);

}  // namespace layout

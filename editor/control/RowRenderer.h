// RowRenderer: draws one display row of a line into the back buffer: background or selection,
// the text in its colour runs, tab and space marks, the line-end mark or "[EOF]", smoothing.
// Text glyphs come from a TextPainter, so the rest runs and is tested without a screen.
#pragma once
#include <cstdint>

#include "LexerTypes.h"
#include "PixelSurface.h"

struct LineRecord;

// Draws glyphs transparently into the surface the renderer writes; the window side uses the
// control's font, tests a stand-in.
class TextPainter {
public:
    virtual void drawText(int32_t x, int32_t y, const uint8_t* bytes, uint32_t count, uint8_t colourItem) = 0;
    // Called before the renderer touches pixels that drawText may still be writing.
    virtual void flush() {}

protected:
    ~TextPainter() = default;
};

// Display flags the renderer reads (the creation flags of the same values).
namespace rowflag {
constexpr uint32_t fullWidthSpaces = 0x02;
constexpr uint32_t tabs = 0x04;
constexpr uint32_t lineEnds = 0x08;
constexpr uint32_t halfWidthSpaces = 0x20;
constexpr uint32_t smoothing = 0x40;
}  // namespace rowflag

struct RowStyle {
    int32_t cell = 8;
    int32_t lineHeight = 16;
    int32_t wrapWidth = 80;
    int32_t tabWidth = 4;
    uint32_t flags = 0;
    bool smoothing = false;   // flag 0x40 and not on battery power
};

// One display row: bytes [start, end) of `line`.
struct RowText {
    const LineRecord* line = nullptr;
    uint32_t start = 0;
    uint32_t end = 0;
    bool lastRowOfLine = true;
    bool lastLine = true;
    const Token* tokens = nullptr;   // the line's colour runs from byte 0, or null (plain)
    uint32_t tokenCount = 0;
};

// The selected bytes of the row's line, [from, to), and whether the line end is selected too.
struct RowSelection {
    bool any = false;
    uint32_t from = 0;
    uint32_t to = 0;
    bool lineEnd = false;
};

class RowRenderer {
public:
    RowRenderer(const PixelSurface& surface, const RowStyle& style, TextPainter& painter)
        : surface_(surface), style_(style), painter_(painter) {}

    // Draws the row at pixel row y; `previousWidth` is what was drawn there before. Returns the
    // width now drawn (pixels).
    int32_t render(int32_t y, int32_t previousWidth, const RowText& row, const RowSelection& selection);

private:
    struct Piece;
    void drawPiece(const Piece& piece);
    void drawRuns(uint32_t from, uint32_t to, int32_t x);
    void drawSpaceMarks(const RowText& row, int32_t y);

    const PixelSurface& surface_;
    const RowStyle& style_;
    TextPainter& painter_;
    const RowText* row_ = nullptr;
    int32_t y_ = 0;
    uint32_t tokenIndex_ = 0;
    uint32_t tokenStart_ = 0;
};

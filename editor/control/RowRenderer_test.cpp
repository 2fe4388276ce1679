// Tests of rendering one display row into an 8-bit surface, with a stand-in glyph painter that
// draws every non-blank byte as a short diagonal stroke in its colour item.
#include "RowRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineRecord.h"

namespace {

constexpr int32_t cell = 8, lh = 16;

struct Call {
    int32_t x;
    std::string text;
    uint8_t item;
};

class StrokePainter final : public TextPainter {
public:
    explicit StrokePainter(const PixelSurface& s) : s_(s) {}
    void drawText(int32_t x, int32_t y, const uint8_t* bytes, uint32_t count, uint8_t item) override {
        calls.push_back({x, std::string(reinterpret_cast<const char*>(bytes), count), item});
        for (uint32_t k = 0; k < count; ++k)
            if (bytes[k] != ' ')
                for (int32_t j = 0; j < 4; ++j) s_.set(x + int32_t(k) * cell + 1 + j, y + 2 + j, item);
    }
    std::vector<Call> calls;

private:
    const PixelSurface& s_;
};

struct Fixture : ::testing::Test {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(size_t(40 * cell * lh), 0);
    PixelSurface surface;
    RowStyle style;
    std::string text;
    LineRecord line;
    Fixture() {
        surface.bits = bytes.data();
        surface.width = surface.stride = 40 * cell;
        surface.height = lh;
        style.cell = cell;
        style.lineHeight = lh;
        style.wrapWidth = 20;
        style.tabWidth = 4;
    }
    // Bytes [from, to) of the row selected; with `lineEnd`, the selection runs past the line.
    static RowSelection selected(uint32_t from, uint32_t to, bool lineEnd = false) {
        RowSelection s;
        s.any = true;
        s.from = from;
        s.to = to;
        s.lineEnd = lineEnd;
        return s;
    }
    RowText row(const std::string& t, uint8_t lineEnd, bool lastLine = false) {
        text = t;
        line.text = reinterpret_cast<uint8_t*>(&text[0]);
        line.length = uint32_t(text.size());
        line.lineEnd = lineEnd;
        RowText r;
        r.line = &line;
        r.end = line.length;
        r.lastLine = lastLine;
        return r;
    }
    uint8_t at(int32_t x, int32_t y) const { return surface.get(x, y); }
    int32_t countInCells(uint8_t index, int32_t firstCell, int32_t cells) const {
        int32_t n = 0;
        for (int32_t y = 0; y < lh; ++y)
            for (int32_t x = firstCell * cell; x < (firstCell + cells) * cell; ++x) n += at(x, y) == index;
        return n;
    }
};

}  // namespace

TEST_F(Fixture, PlainTextOneCellPerByteAndTheDrawnWidth) {
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    EXPECT_EQ(r.render(0, 0, row("ab\x95\x5c", 3), RowSelection()), 4 * cell);   // 表: trail 0x5C
    ASSERT_EQ(p.calls.size(), 1u);
    EXPECT_EQ(p.calls[0].item, 1);
    EXPECT_EQ(countInCells(1, 0, 4), 16);
    EXPECT_EQ(countInCells(pixel::mark, 0, 40), 0);   // no marks without their flags
}

TEST_F(Fixture, ClearsWhatWasDrawnBefore) {
    surface.fill(0, 30 * cell, 0, lh, 9);
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    r.render(0, 30 * cell, row("a", 0), RowSelection());
    EXPECT_EQ(countInCells(9, 0, 30), 0);
}

TEST_F(Fixture, LineEndArrowAfterTheTextAndEofOnTheLastLine) {
    style.flags = rowflag::lineEnds;
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    EXPECT_EQ(r.render(0, 0, row("abc", 3), RowSelection()), 4 * cell);
    EXPECT_EQ(countInCells(pixel::mark, 3, 1), 12);   // the arrow's 12 pixels in cell 3
    EXPECT_EQ(at(3 * cell + 3, 4 + 0), pixel::mark);   // stem top, arrow centred: x 1..5, y 4..11
    EXPECT_EQ(at(3 * cell + 3, 4 + 7), pixel::mark);   // tip
    EXPECT_EQ(at(3 * cell + 1, 4 + 5), pixel::mark);

    StrokePainter q(surface);
    RowRenderer last(surface, style, q);
    EXPECT_EQ(last.render(0, 4 * cell, row("xy", 0, true), RowSelection()), 7 * cell);
    ASSERT_EQ(q.calls.size(), 2u);
    EXPECT_EQ(q.calls[1].text, "[EOF]");
    EXPECT_EQ(q.calls[1].item, 4);
    EXPECT_EQ(q.calls[1].x, 2 * cell);
    // The last line of a file that ends with a line end is empty and shows only "[EOF]".
    StrokePainter e(surface);
    RowRenderer empty(surface, style, e);
    EXPECT_EQ(empty.render(0, 7 * cell, row("", 0, true), RowSelection()), 5 * cell);
    EXPECT_EQ(e.calls.back().x, 0);
    // A continuation row (not the line's last) gets neither.
    RowText first = row("abcdef", 3);
    first.end = 3;
    first.lastRowOfLine = false;
    StrokePainter f(surface);
    RowRenderer cont(surface, style, f);
    EXPECT_EQ(cont.render(0, 5 * cell, first, RowSelection()), 3 * cell);
    EXPECT_EQ(countInCells(pixel::mark, 0, 40), 0);
}

TEST_F(Fixture, TabsAdvanceToTheNextStopWithTheirMark) {
    style.flags = rowflag::tabs;
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    EXPECT_EQ(r.render(0, 0, row("a\tb\x81\x40\tc", 3), RowSelection()), 9 * cell);
    ASSERT_EQ(p.calls.size(), 3u);
    EXPECT_EQ(p.calls[1].x, 4 * cell);
    EXPECT_EQ(p.calls[2].x, 8 * cell);
    EXPECT_EQ(countInCells(pixel::mark, 1, 1), 3);
    EXPECT_EQ(at(cell + 3, 6), pixel::mark);   // ">" centred: (3,6) (4,7) (3,8)
    EXPECT_EQ(at(cell + 4, 7), pixel::mark);
    EXPECT_EQ(at(cell + 3, 8), pixel::mark);
    EXPECT_EQ(countInCells(pixel::mark, 7, 1), 3);
    // A tab never counts past the wrap width.
    style.wrapWidth = 6;
    StrokePainter q(surface);
    RowRenderer w(surface, style, q);
    EXPECT_EQ(w.render(0, 9 * cell, row("abcde\t", 3), RowSelection()), 6 * cell);
}

TEST_F(Fixture, SpaceMarksOnlyAtCharacterStarts) {
    style.flags = rowflag::halfWidthSpaces | rowflag::fullWidthSpaces;
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    // ァ is 83 40: its trail byte 0x40 is no full-width space; 81 40 is.
    r.render(0, 0, row(" \x83\x40\x81\x40", 3), RowSelection());
    EXPECT_EQ(countInCells(pixel::mark, 0, 1), 8);     // half-width: 6 + 2 upticks
    EXPECT_EQ(countInCells(pixel::mark, 1, 2), 0);
    EXPECT_GT(countInCells(pixel::mark, 3, 2), 8);     // the dotted square
}

TEST_F(Fixture, ColourRunsPaintInTheirItems) {
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    const Token tokens[] = {{TokenKind::HtmlElementName, 2}, {TokenKind::Text, 0}, {TokenKind::UrlMail, 3},
                            {TokenKind(99), 1}};
    RowText t = row("<ahttp", 3);
    t.tokens = tokens;
    t.tokenCount = 4;
    t.start = 1;   // a continuation row starting inside the first run
    r.render(0, 0, t, RowSelection());
    ASSERT_EQ(p.calls.size(), 3u);
    EXPECT_EQ(p.calls[0].text, "a");
    EXPECT_EQ(p.calls[0].item, 6);
    EXPECT_EQ(p.calls[1].text, "htt");
    EXPECT_EQ(p.calls[1].item, 5);
    EXPECT_EQ(p.calls[1].x, cell);
    EXPECT_EQ(p.calls[2].item, 1);   // unknown kinds paint as text
}

TEST_F(Fixture, PartialSelectionHasItsBackgroundAndSelectedText) {
    style.flags = rowflag::lineEnds;
    style.smoothing = true;
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    r.render(0, 0, row("abcd", 3), selected(1, 3));
    ASSERT_EQ(p.calls.size(), 3u);
    EXPECT_EQ(p.calls[1].text, "bc");
    EXPECT_EQ(p.calls[1].item, 3);
    EXPECT_EQ(at(cell, 0), pixel::selection);
    EXPECT_EQ(at(3 * cell - 1, lh - 1), pixel::selection);
    EXPECT_EQ(at(3 * cell, 0), pixel::background);
    EXPECT_EQ(countInCells(pixel::selection, 4, 1), 0);   // the line end is not selected
    // Smoothing tinted the unselected strokes, never the selected ones.
    EXPECT_GT(countInCells(21, 0, 1), 0);
    EXPECT_EQ(countInCells(23, 1, 2), 0);
}

TEST_F(Fixture, SelectionRunningPastTheLineFillsTheLineEndCell) {
    style.flags = rowflag::lineEnds;
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    const RowSelection s = selected(0, 2, true);
    EXPECT_EQ(r.render(0, 0, row("ab", 3), s), 3 * cell);
    EXPECT_EQ(at(2 * cell, 0), pixel::selection);
    EXPECT_EQ(countInCells(pixel::mark, 2, 1), 12);
    EXPECT_EQ(countInCells(pixel::selection, 0, 3), 3 * cell * lh - 12 - 8);
    // Without the line-end flag there is no line-end cell to fill.
    style.flags = 0;
    StrokePainter q(surface);
    RowRenderer plain(surface, style, q);
    EXPECT_EQ(plain.render(0, 3 * cell, row("ab", 3), s), 2 * cell);
    EXPECT_EQ(at(2 * cell, 0), pixel::background);
}

TEST_F(Fixture, SmoothingOffLeavesNoTint) {
    StrokePainter p(surface);
    RowRenderer r(surface, style, p);
    r.render(0, 0, row("abc", 3), RowSelection());
    for (uint8_t v : bytes) EXPECT_LT(v, 20);
}

// RowRenderer: one display row into the back buffer, piece by piece between tabs and selection
// edges.
#include "RowRenderer.h"

#include <algorithm>

#include "ControlPalette.h"
#include "LineRecord.h"
#include "TextCodes.h"

struct RowRenderer::Piece {
    uint32_t from, to;   // bytes of the line
    int32_t column;      // cell where it starts
    bool selected;
};

namespace {
const uint8_t eofText[] = {'[', 'E', 'O', 'F', ']'};

uint32_t clampTo(uint32_t v, uint32_t low, uint32_t high) { return v < low ? low : (v > high ? high : v); }
}  // namespace

int32_t RowRenderer::render(int32_t y, int32_t previousWidth, const RowText& row, const RowSelection& selection) {
    row_ = &row;
    y_ = y;
    tokenIndex_ = 0;
    tokenStart_ = 0;
    const int32_t cell = style_.cell, lh = style_.lineHeight;
    const uint8_t* text = row.line->text;
    painter_.flush();
    surface_.fill(0, previousWidth, y, lh, pixel::background);

    const uint32_t selFrom = selection.any ? clampTo(selection.from, row.start, row.end) : row.end;
    const uint32_t selTo = selection.any ? clampTo(selection.to, row.start, row.end) : row.end;
    int32_t column = 0;
    Piece piece{row.start, row.start, 0, row.start >= selFrom && row.start < selTo};
    for (uint32_t i = row.start; i < row.end;) {
        const bool selected = i >= selFrom && i < selTo;
        const bool tab = text[i] == 0x09;
        if (tab || selected != piece.selected) {
            piece.to = i;
            drawPiece(piece);
            piece = Piece{i, i, column, selected};
        }
        if (tab) {
            const int32_t stop = std::min((column / style_.tabWidth + 1) * style_.tabWidth, style_.wrapWidth);
            if (selected) surface_.fill(column * cell, std::max(stop, column + 1) * cell, y, lh, pixel::selection);
            painter_.flush();
            if (style_.flags & rowflag::tabs) marks::tab(surface_, column * cell, y, cell, lh);
            column = std::max(stop, column + 1);
            ++i;
            piece = Piece{i, i, column, i >= selFrom && i < selTo};
            continue;
        }
        const uint32_t next = isSjisLead(text[i]) && i + 1 < row.end ? i + 2 : i + 1;
        column += static_cast<int32_t>(next - i);
        i = next;
    }
    piece.to = row.end;
    drawPiece(piece);
    painter_.flush();
    drawSpaceMarks(row, y);

    if (row.lastRowOfLine && (style_.flags & rowflag::lineEnds)) {
        if (row.line->lineEnd != 0) {
            if (selection.any && selection.lineEnd)
                surface_.fill(column * cell, (column + 1) * cell, y, lh, pixel::selection);
            marks::lineEnd(surface_, column * cell, y, cell, lh);
            column += 1;
        } else if (row.lastLine) {
            painter_.drawText(column * cell, y, eofText, sizeof eofText, colour::marks);
            painter_.flush();
            column += static_cast<int32_t>(sizeof eofText);
        }
    }
    return column * cell;
}

void RowRenderer::drawPiece(const Piece& piece) {
    if (piece.to <= piece.from) return;
    const int32_t cell = style_.cell;
    const int32_t x = piece.column * cell, x1 = x + static_cast<int32_t>(piece.to - piece.from) * cell;
    if (piece.selected) {
        painter_.flush();
        surface_.fill(x, std::min(x1, style_.wrapWidth * cell), y_, style_.lineHeight, pixel::selection);
        painter_.drawText(x, y_, row_->line->text + piece.from, piece.to - piece.from, colour::selectedText);
        return;
    }
    drawRuns(piece.from, piece.to, x);
    if (style_.smoothing) {
        painter_.flush();
        smoothPixels(surface_, x, x1, y_, y_ + style_.lineHeight);
    }
}

// The colour runs cover the line from byte 0; the cursor only moves forward within a row.
void RowRenderer::drawRuns(uint32_t from, uint32_t to, int32_t x) {
    const uint8_t* text = row_->line->text;
    if (row_->tokens == nullptr) {
        painter_.drawText(x, y_, text + from, to - from, colour::text);
        return;
    }
    uint32_t at = from;
    while (at < to) {
        while (tokenIndex_ < row_->tokenCount &&
               tokenStart_ + uint32_t(row_->tokens[tokenIndex_].length) <= at) {
            tokenStart_ += uint32_t(row_->tokens[tokenIndex_].length);
            ++tokenIndex_;
        }
        uint32_t runEnd = to;
        uint8_t item = colour::text;
        if (tokenIndex_ < row_->tokenCount) {
            runEnd = std::min(to, tokenStart_ + uint32_t(row_->tokens[tokenIndex_].length));
            item = colour::itemOfTokenKind(static_cast<int32_t>(row_->tokens[tokenIndex_].kind));
        }
        painter_.drawText(x + static_cast<int32_t>(at - from) * style_.cell, y_, text + at, runEnd - at, item);
        at = runEnd;
    }
}

void RowRenderer::drawSpaceMarks(const RowText& row, int32_t y) {
    const bool half = style_.flags & rowflag::halfWidthSpaces, full = style_.flags & rowflag::fullWidthSpaces;
    if (!half && !full) return;
    const uint8_t* text = row.line->text;
    int32_t column = 0;
    for (uint32_t i = row.start; i < row.end;) {
        const uint8_t b = text[i];
        if (b == 0x09) {
            column = std::max(std::min((column / style_.tabWidth + 1) * style_.tabWidth, style_.wrapWidth), column + 1);
            ++i;
            continue;
        }
        const bool lead = isSjisLead(b) && i + 1 < row.end;
        if (half && b == 0x20) marks::halfWidthSpace(surface_, column * style_.cell, y, style_.cell, style_.lineHeight);
        if (full && lead && b == 0x81 && text[i + 1] == 0x40)
            marks::fullWidthSpace(surface_, column * style_.cell, y, style_.cell, style_.lineHeight);
        column += lead ? 2 : 1;
        i += lead ? 2 : 1;
    }
}

// Quorvale: rendering rows into the back buffer ring and showing them on the window; WM_PAINT.
#include "Quorvale.h"

#include <algorithm>

// Draws glyphs with the control's font into the back buffer's device context, one cell per byte.
class GdiTextPainter final : public TextPainter {
public:
    GdiTextPainter(HDC dc, const colour::Rgb* colours, int32_t cell) : dc_(dc), colours_(colours) {
        for (int32_t& d : advances_) d = cell;
    }
    void drawText(int32_t x, int32_t y, const uint8_t* bytes, uint32_t count, uint8_t item) override {
        if (count == 0) return;
        if (item != item_) {
            const colour::Rgb& c = colours_[item];
            SetTextColor(dc_, RGB(c.red, c.green, c.blue));
            item_ = item;
        }
        while (count > 0) {
            // Whole characters per call; the advances give every byte one cell.
            uint32_t n = std::min<uint32_t>(count, chunk);
            if (n < count && isSjisLead(bytes[n - 1])) {
                uint32_t leads = 0;
                for (uint32_t k = n; k > 0 && isSjisLead(bytes[k - 1]); --k) ++leads;
                if (leads & 1u) --n;
            }
            ExtTextOutA(dc_, x, y, 0, nullptr, reinterpret_cast<const char*>(bytes), n, advances_);
            x += static_cast<int32_t>(n) * advances_[0];
            bytes += n;
            count -= n;
        }
    }
    void flush() override { GdiFlush(); }

private:
    static constexpr uint32_t chunk = 512;
    HDC dc_;
    const colour::Rgb* colours_;
    uint8_t item_ = 0xFF;
    INT advances_[chunk];
};

// Holds the palette selected and realised into a window's device context.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette) : dc_(dc), old_(SelectPalette(dc, palette, FALSE)) { RealizePalette(dc); }
    ~PaletteGuard() { SelectPalette(dc_, old_, FALSE); }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;

private:
    HDC dc_;
    HPALETTE old_;
};

// Hides the caret while rows are copied to the window.
class CaretHider {
public:
    CaretHider(HWND window, bool active) : window_(window), active_(active) {
        if (active_) HideCaret(window_);
    }
    ~CaretHider() {
        if (active_) ShowCaret(window_);
    }
    CaretHider(const CaretHider&) = delete;
    CaretHider& operator=(const CaretHider&) = delete;

private:
    HWND window_;
    bool active_;
};

RowStyle Quorvale::rowStyle() {
    RowStyle s;
    s.cell = cell_;
    s.lineHeight = lineHeight_;
    s.wrapWidth = wrapWidth();
    s.tabWidth = tabWidth();
    s.flags = flags_;
    s.smoothing = smoothingActive();
    return s;
}

int32_t Quorvale::bufferRowOfScreenRow(int32_t screenRow) const {
    const int32_t y = ringOffset_ + screenRow * lineHeight_;
    return ((y % surface_.height) + surface_.height) % surface_.height;
}

int32_t Quorvale::drawnWidth(int32_t bufferRow) const { return bufferRowWidths_[bufferRow / lineHeight_]; }

void Quorvale::renderRows(int32_t first, int32_t last) {
    if (updateGutter()) {
        // The gutter changed width: lay out again and render everything.
        layoutClient();
        first = topRow();
        last = -1;
        InvalidateRect(window_, nullptr, FALSE);
    }
    const int32_t rendered = std::min(geometry_.renderedRows(), ringRows_);
    const int32_t top = topRow();
    const int32_t from = std::max(first, top) - top;
    const int32_t to = (last < 0 ? top + rendered - 1 : std::min(last, top + rendered - 1)) - top;
    if (from > to) return;
    GdiTextPainter painter(bufferDc_, colours_, cell_);
    const RowStyle style = rowStyle();
    RowCursor cursor = cursorAtRow(top + from);
    bool inDocument = cursor.row == top + from;
    for (int32_t k = from; k <= to; ++k) {
        renderOneRow(inDocument ? cursor : RowCursor(), k, painter, style);
        if (inDocument) inDocument = nextRow(cursor);
    }
    painter.flush();
}

// A cursor without a line stands for a row past the document's end: only cleared.
void Quorvale::renderOneRow(const RowCursor& cursor, int32_t screenRow, GdiTextPainter& painter,
                            const RowStyle& style) {
    const int32_t y = bufferRowOfScreenRow(screenRow);
    int32_t& width = bufferRowWidths_[y / lineHeight_];
    ++rowsRendered_;
    if (cursor.line == nullptr) {
        surface_.fill(0, width, y, lineHeight_, pixel::background);
        width = 0;
        return;
    }
    RowText text = rowText(cursor);
    text.tokens = tokensOf(*cursor.line, &text.tokenCount);
    const RowSelection selection = selectionFor(cursor, text);
    RowRenderer renderer(surface_, style, painter);
    width = renderer.render(y, width, text, selection);
}

void Quorvale::showRows(int32_t first, int32_t last) {
    if (window_ == nullptr) return;
    const int32_t rendered = std::min(geometry_.renderedRows(), ringRows_);
    const int32_t top = topRow();
    const int32_t from = std::max(first, top) - top;
    const int32_t to = (last < 0 ? top + rendered - 1 : std::min(last, top + rendered - 1)) - top;
    if (from > to) return;
    HDC dc = GetDC(window_);
    if (dc == nullptr) return;
    {
        CaretHider hider(window_, caretCreated_);
        PaletteGuard palette(dc, palette_);
        RowCursor cursor = cursorAtRow(top + from);
        bool inDocument = cursor.row == top + from;
        for (int32_t k = from; k <= to; ++k) {
            const int32_t neighbour = k + showDirection_;
            showScreenRow(dc, k, inDocument ? &cursor : nullptr, false,
                          neighbour >= 0 && neighbour < rendered ? neighbour : k);
            if (inDocument) inDocument = nextRow(cursor);
        }
    }
    ReleaseDC(window_, dc);
}

void Quorvale::showScreenRow(HDC dc, int32_t screenRow, const RowCursor* cursor, bool toClientEdge,
                             int32_t neighbour) {
    const int32_t y = screenRow * lineHeight_ - pixelOffset_;
    const int32_t gutter = geometry_.gutter;
    const COLORREF background = PALETTEINDEX(colour::background);
    if (lineNumbers_) {
        RECT area = {0, y, gutter, y + lineHeight_};
        SetBkColor(dc, background);
        SetTextColor(dc, PALETTEINDEX(colour::lineNumbers));
        HGDIOBJ old = SelectObject(dc, font_);
        char number[24];
        if (cursor != nullptr && cursor->rowInLine == 0) {
            layout::lineNumberText(cursor->lineIndex + 1, gutterDigits_, number);
            ExtTextOutA(dc, 0, y, ETO_OPAQUE | ETO_CLIPPED, &area, number, UINT(gutterDigits_ + 2), nullptr);
        } else {
            FillRect(dc, &area, backgroundBrush_);
        }
        SelectObject(dc, old);
        const int32_t sx = layout::gutterSeparatorX(gutterDigits_, cell_);
        RECT separator = {sx, y, sx + 1, y + lineHeight_};
        FillRect(dc, &separator, gutterBrush_);
    } else {
        RECT margin = {0, y, gutter, y + lineHeight_};
        FillRect(dc, &margin, backgroundBrush_);
    }
    const int32_t bufferY = bufferRowOfScreenRow(screenRow);
    const int32_t drawn = bufferRowWidths_[bufferY / lineHeight_];
    const int32_t copied = std::max(0, std::min(drawn - horizontalOffset_, geometry_.width - gutter));
    if (copied > 0) BitBlt(dc, gutter, y, copied, lineHeight_, bufferDc_, horizontalOffset_, bufferY, SRCCOPY);
    int32_t& shown = shownRowWidths_[screenRow];
    const int32_t right = toClientEdge ? geometry_.width
                                       : gutter + std::max(shown, shownRowWidths_[neighbour]) - horizontalOffset_;
    RECT rest = {gutter + copied, y, std::min<LONG>(right, geometry_.width), y + lineHeight_};
    if (rest.right > rest.left) FillRect(dc, &rest, backgroundBrush_);
    shown = drawn;
}

void Quorvale::fillMargin(HDC dc, const RECT& area) {
    RECT margin = area;
    if (margin.right > layout::plainGutter) margin.right = layout::plainGutter;
    if (margin.right > margin.left) FillRect(dc, &margin, backgroundBrush_);
}

LRESULT Quorvale::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (dc == nullptr) return 0;
    {
        CaretHider hider(window_, caretCreated_);
        PaletteGuard palette(dc, palette_);
        if (!lineNumbers_) fillMargin(dc, ps.rcPaint);
        const int32_t rendered = std::min(geometry_.renderedRows(), ringRows_);
        const int32_t k0 = std::max<int32_t>(0, (ps.rcPaint.top + pixelOffset_) / lineHeight_);
        const int32_t k1 = std::min<int32_t>(rendered - 1, (ps.rcPaint.bottom - 1 + pixelOffset_) / lineHeight_);
        RowCursor cursor = cursorAtRow(topRow() + k0);
        bool inDocument = cursor.row == topRow() + k0;
        for (int32_t k = k0; k <= k1; ++k) {
            showScreenRow(dc, k, inDocument ? &cursor : nullptr, true, k);
            if (inDocument) inDocument = nextRow(cursor);
        }
    }
    EndPaint(window_, &ps);
    return 0;
}

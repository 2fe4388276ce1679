// Quorvale: layout on size changes, the gutter, scrolling the ring, keeping the caret in view,
// the caret's place, scroll bars, the power source and start-up.
#include <algorithm>

#include "Quorvale.h"
#include "RowBreaker.h"

namespace {
int readAcLineStatus() {
    SYSTEM_POWER_STATUS status;
    return GetSystemPowerStatus(&status) ? status.ACLineStatus : 255;
}
Quorvale::PowerStatusReader powerReader = readAcLineStatus;
}  // namespace

void Quorvale::setPowerStatusReader(PowerStatusReader reader) { powerReader = reader ? reader : readAcLineStatus; }

void Quorvale::readPowerState() { power_ = powerReader() == 0 ? Power::battery : Power::mains; }

bool Quorvale::smoothingActive() {
    if (!(flags_ & ecflag::smoothing)) return false;
    if (power_ == Power::unknown) readPowerState();
    return power_ != Power::battery;
}

LRESULT Quorvale::onPowerBroadcast(WPARAM event) {
    if (event == PBT_APMPOWERSTATUSCHANGE) {
        const Power before = power_;
        readPowerState();
        if (before != power_ && (flags_ & ecflag::smoothing)) repaintAll();
    }
    return TRUE;
}

LRESULT Quorvale::onStartup() {
    SendMessageA(window_, EC_REQUEST, EC_UPDATECURSOR, 1);
    Sleep(0);
    if (power_ == Power::unknown) readPowerState();
    return 0;
}

// Digits for the current line count; true when the gutter's width changed.
bool Quorvale::updateGutter() {
    if (lineNumbers_) gutterDigits_ = layout::gutterDigits(lineCount());
    const int32_t width = layout::gutterWidth(lineNumbers_, gutterDigits_, cell_);
    if (width == geometry_.gutter) return false;
    geometry_.gutter = width;
    return true;
}

void Quorvale::setLineNumbers(bool on) {
    lineNumbers_ = on;
    updateGutter();
    layoutClient();
    repaintAll();
}

void Quorvale::applyWindowWrap() {
    if (flags_ & ecflag::fixedWrap) return;
    const int32_t wrap = layout::windowWrapWidth(geometry_.visibleColumns(), surface_.width / cell_);
    horizontalOffset_ = 0;
    if (wrap != wrapWidth()) {
        setWrapWidth(wrap);
        setView(topRow(), pixelOffset_);   // the top line's row numbers moved
    }
}

void Quorvale::layoutClient() {
    RECT client;
    if (window_ == nullptr || !GetClientRect(window_, &client)) return;
    geometry_.cell = cell_;
    geometry_.lineHeight = lineHeight_;
    geometry_.width = client.right;
    geometry_.height = client.bottom;
    applyWindowWrap();
    horizontalOffset_ = geometry_.clampHorizontal(horizontalOffset_, wrapWidth());
    updateScrollBars();
}

LRESULT Quorvale::onSize(WPARAM, int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    layoutClient();
    repaintAll();
    updateCaret();
    return 0;
}

void Quorvale::repaintAll() {
    if (updateGutter()) layoutClient();
    renderRows(topRow(), -1);
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
    clearDirtyRows();
}

void Quorvale::paintDirtyRows() {
    if (dirtyFirstRow() < 0) return;
    const int32_t first = dirtyFirstRow(), last = dirtyLastRow();
    clearDirtyRows();
    renderRows(first, last);
    showRows(first, last);
}

void Quorvale::jumpView(int32_t row, int32_t pixels) {
    setView(row, pixels);
    ringOffset_ = 0;
    repaintAll();
    updateScrollBars();
    updateCaret();
}

// The ring moves by whole rows; only the rows that come into view are rendered.
void Quorvale::scrollView(int32_t rows) {
    const int32_t top = topRow();
    const int32_t target = std::max(0, std::min(top + rows, geometry_.lastTopRow(rowCount())));
    const int32_t delta = target - top;
    if (delta == 0) return;
    const int32_t rendered = std::min(geometry_.renderedRows(), ringRows_);
    if (std::abs(delta) >= rendered) {
        jumpView(target, pixelOffset_);
        return;
    }
    ringOffset_ = bufferRowOfScreenRow(delta);
    setView(target, pixelOffset_);
    if (delta > 0)
        renderRows(target + rendered - delta, target + rendered - 1);
    else
        renderRows(target, target - delta - 1);
    showDirection_ = delta > 0 ? 1 : -1;
    showRows(target, -1);
    showDirection_ = 0;
    updateScrollBars();
    updateCaret();
}

void Quorvale::bringCaretIntoView(bool resetFromCaret) {
    const int32_t lh = lineHeight_;
    const int32_t caretRow = caret().row;
    int32_t position = topRow() * lh + pixelOffset_;
    if (caretRow * lh < position)
        position = caretRow == 0 ? 0 : caretRow * lh - lh / 2;
    else if ((caretRow + 1) * lh > position + geometry_.height)
        position = std::max(0, (caretRow + 1) * lh - geometry_.height);
    const int32_t textWidth = geometry_.width - geometry_.gutter;
    const int32_t x = caretCells() * cell_;
    int32_t h = resetFromCaret ? 0 : horizontalOffset_;
    if (x < h) h = std::max(0, x - textWidth / 2);
    else if (x + cell_ > h + textWidth) h = x + cell_ - textWidth;
    h = geometry_.clampHorizontal(h, wrapWidth());
    const int32_t row = position / lh, pixels = position % lh;
    if (h != horizontalOffset_ || pixels != pixelOffset_) {
        horizontalOffset_ = h;
        jumpView(row, pixels);
    } else if (row != topRow()) {
        scrollView(row - topRow());
    } else {
        updateCaret();
    }
}

void Quorvale::updateCaret() {
    const int32_t x = caretCells() * cell_ + geometry_.gutter - horizontalOffset_ - 1;
    const int32_t y = (caret().row - topRow()) * lineHeight_ - pixelOffset_;
    if (caretCreated_) {
        const bool visible = x >= geometry_.gutter - 1 && y > -lineHeight_ && y < geometry_.height;
        SetCaretPos(visible ? x : -100, visible ? y : -100);
    }
    const RowBreaker breaker(wrapWidth(), tabWidth());
    const int32_t column = breaker.width(caret().record->text, caret().offset) + 1, line = caret().line + 1;
    if (column != reportedCaret_[0] || line != reportedCaret_[1]) {
        reportedCaret_[0] = column;
        reportedCaret_[1] = line;
        postNotify(ECN_CARETMOVED, reinterpret_cast<LPARAM>(reportedCaret_));
    }
}

// Only what changed goes to the system: setting a scroll bar redraws it, which is costly.
void Quorvale::updateScrollBars() {
    if (window_ == nullptr) return;
    const int32_t page = std::max(geometry_.height, 1);
    const ScrollState v = {geometry_.lastTopRow(rowCount()) * lineHeight_ + page - 1, page,
                           topRow() * lineHeight_ + pixelOffset_};
    const ScrollState h = {wrapWidth() * cell_ + geometry_.gutter - 1, std::max(geometry_.width, 1), horizontalOffset_};
    const ScrollState* wanted[2] = {&v, &h};
    for (int bar = 0; bar < 2; ++bar) {
        const ScrollState& want = *wanted[bar];
        ScrollState& shown = shownScroll_[bar];
        if (want.max == shown.max && want.page == shown.page && want.position == shown.position) continue;
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, want.max,
                           UINT(want.page), want.position, 0};
        SetScrollInfo(window_, bar == 0 ? SB_VERT : SB_HORZ, &info, TRUE);
        shown = want;
    }
}

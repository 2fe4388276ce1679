// Quorvale: scroll bars, the mouse wheel (animated row by row on mains power) and paging.
#include <algorithm>

#include "QuorvaleInput.h"
#include "QuorvaleScrollMath.h"

using namespace ctlinput;

namespace ctlinput {

namespace {

bool onMains(Quorvale& q) {
    if (q.power() == Quorvale::Power::unknown) q.readPowerState();
    return q.power() == Quorvale::Power::mains;
}

bool wheelWaiting(Quorvale& q, UINT wheelMessage) {
    MSG msg;
    if (PeekMessageA(&msg, q.window(), WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_NOREMOVE)) return true;
    return wheelMessage != 0 && PeekMessageA(&msg, q.window(), wheelMessage, wheelMessage, PM_NOREMOVE);
}

void caretRows(Quorvale& q, bool down, int32_t rows, bool extend) {
    beginExtend(q, extend);
    for (int32_t i = 0; i < rows; ++i) {
        if (down)
            q.moveRowDown();
        else
            q.moveRowUp();
    }
    endExtend(q, extend);
}

}  // namespace

void pageByKeys(Quorvale& q, bool down, bool extend) {
    const layout::ClientGeometry& g = q.geometry();
    const int32_t page = g.pageRows();
    if (!extend) q.dropSelection();
    if (!onMains(q)) {
        caretRows(q, down, page, extend);
        const int32_t top = q.topRow() + quorvale::clampedScroll(q.topRow(), down ? page : -page, q.rowCount(),
                                                                 g.visibleRows());
        q.jumpView(top, q.pixelOffset());
        q.paintDirtyRows();
        q.updateCaret();
        return;
    }
    for (int32_t i = 0; i < page; ++i) {
        q.scrollView(down ? 1 : -1);
        caretRows(q, down, 1, extend);
        q.paintDirtyRows();
        q.updateCaret();
    }
    q.bringCaretIntoView(false);
}

// The scroll bar's page areas: row by row on mains power, one jump and a full repaint on battery.
void pageView(Quorvale& q, bool down) {
    const layout::ClientGeometry& g = q.geometry();
    const int32_t page = g.pageRows();
    if (!onMains(q)) {
        const int32_t rows = quorvale::clampedScroll(q.topRow(), down ? page : -page, q.rowCount(), g.visibleRows());
        if (rows != 0) q.jumpView(q.topRow() + rows, q.pixelOffset());
        return;
    }
    for (int32_t i = 0; i < page; ++i) q.scrollView(down ? 1 : -1);
}

void wheelScroll(Quorvale& q, int delta) {
    const layout::ClientGeometry& g = q.geometry();
    int32_t remaining = quorvale::wheelScroll(q.topRow(), delta, q.rowCount(), g.visibleRows());
    if (remaining == 0) return;
    const bool animate = onMains(q);
    if (!animate) {
        q.scrollView(remaining);
        return;
    }
    FineTimer timer;
    const UINT wheelMessage = RegisterWindowMessageA(Quorvale::wheelMessageName);
    while (remaining != 0) {
        const int32_t step = quorvale::animationStep(remaining, true, wheelWaiting(q, wheelMessage));
        q.scrollView(step);
        remaining -= step;
        if (remaining != 0) Sleep(quorvale::wheelStepMs);
    }
}

}  // namespace ctlinput

namespace {

void verticalBar(Quorvale& q, int request) {
    const int32_t lh = q.lineHeight();
    const int32_t last = q.geometry().lastTopRow(q.rowCount());
    switch (request) {
    case SB_LINEUP: q.scrollView(-1); break;
    case SB_LINEDOWN: q.scrollView(1); break;
    case SB_PAGEUP: pageView(q, false); break;
    case SB_PAGEDOWN: pageView(q, true); break;
    case SB_TOP: q.jumpView(0, 0); break;
    case SB_BOTTOM: q.jumpView(last, 0); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        MSG newer;
        if (request == SB_THUMBTRACK &&
            PeekMessageA(&newer, q.window(), WM_VSCROLL, WM_VSCROLL, PM_NOREMOVE))
            break;   // a newer drag step is waiting
        SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (!GetScrollInfo(q.window(), SB_VERT, &info)) break;
        const quorvale::RowAndPixel at = quorvale::rowOfPosition(std::min(info.nTrackPos, last * lh), lh);
        q.jumpView(at.row, at.pixel);
        break;
    }
    default: break;
    }
}

void horizontalBar(Quorvale& q, int request) {
    const layout::ClientGeometry& g = q.geometry();
    int32_t offset = q.horizontalOffset();
    switch (request) {
    case SB_LINELEFT: offset -= q.cellWidth(); break;
    case SB_LINERIGHT: offset += q.cellWidth(); break;
    case SB_PAGELEFT: offset -= g.width - g.gutter; break;
    case SB_PAGERIGHT: offset += g.width - g.gutter; break;
    case SB_LEFT: offset = 0; break;
    case SB_RIGHT: offset = 0x7FFFFFFF / 2; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (GetScrollInfo(q.window(), SB_HORZ, &info)) offset = info.nTrackPos;
        break;
    }
    default: return;
    }
    offset = g.clampHorizontal(offset, q.wrapWidth());
    if (offset == q.horizontalOffset()) return;
    q.setHorizontalOffset(offset);
    q.jumpView(q.topRow(), q.pixelOffset());
}

}  // namespace

LRESULT Quorvale::onScroll(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_VSCROLL) {
        verticalBar(*this, LOWORD(wParam));
    } else if (message == WM_HSCROLL) {
        horizontalBar(*this, LOWORD(wParam));
    } else {
        // WM_MOUSEWHEEL or the registered wheel message; grab-scrolling ends here.
        if (mouseMode_ == 3) {
            mouseMode_ = 0;
            ReleaseCapture();
        }
        const int delta = message == WM_MOUSEWHEEL ? GET_WHEEL_DELTA_WPARAM(wParam) : static_cast<int>(wParam);
        wheelScroll(*this, delta);
    }
    return 0;
}

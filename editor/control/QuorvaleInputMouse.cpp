// Quorvale: mouse presses, double and third clicks, drag selection by characters and by lines,
// grab-scrolling, dragging the selected text and dropping it (move, or copy with Ctrl).
#include "LineRecord.h"
#include "QuorvaleInput.h"
#include "QuorvaleMarkup.h"
#include "QuorvaleInputLogic.h"
#include "QuorvaleScrollMath.h"
#include "TextCodes.h"

#include <windowsx.h>  // after windows.h

using namespace ctlinput;
using quorvale::MouseMode;
using quorvale::PressAction;

namespace {

// Only one window holds the capture at a time, so the drag's memory can be shared.
struct DragMemory {
    POINT last = {-1, -1};
    POINT grab = {0, 0};
    int32_t grabPosition = 0;     // view position in pixels when grab-scrolling began
    int32_t grabHorizontal = 0;
} drag;

bool keyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

int32_t mode(const Quorvale& q) { return q.mouseMode_; }

void startMode(Quorvale& q, MouseMode m, int x, int y) {
    q.mouseMode_ = static_cast<int32_t>(m);
    drag.last = {x, y};
    if (m == MouseMode::GrabScroll) {
        drag.grab = {x, y};
        drag.grabPosition = q.topRow() * q.lineHeight() + q.pixelOffset();
        drag.grabHorizontal = q.horizontalOffset();
    }
    SetCapture(q.window());
}

// Whole lines from the line where the gutter selection began to the line under the pointer.
void selectLines(Quorvale& q, int32_t from, int32_t to) {
    const int32_t last = q.lineCount() - 1;
    auto endOf = [&](int32_t line, int32_t* endLine, uint32_t* endOffset) {
        if (line < last) {
            *endLine = line + 1;
            *endOffset = 0;
        } else {
            *endLine = last;
            *endOffset = q.lineAt(last)->length;
        }
    };
    int32_t l = 0;
    uint32_t o = 0;
    if (to >= from) {
        endOf(to, &l, &o);
        q.selectRange(from, 0, l, o);
    } else {
        endOf(from, &l, &o);
        q.selectRange(l, o, to, 0);
    }
}

void pressLeft(Quorvale& q, int x, int y) {
    const PointHit hit = hitTest(q, x, y);
    quorvale::PressContext press;
    press.inGutter = hit.inGutter;
    press.shift = keyHeld(VK_SHIFT);
    press.ctrl = keyHeld(VK_CONTROL);
    press.alt = keyHeld(VK_MENU);
    press.insideSelection = !hit.inGutter && insideSelection(q, hit.line, hit.offset);
    press.thirdClick = quorvale::isThirdClick(GetMessageTime(), x, y, q.doubleClickTime_, q.doubleClickPoint_.x,
                                              q.doubleClickPoint_.y, q.doubleClickTime_ != 0, GetDoubleClickTime(),
                                              GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK));
    const PressAction action = quorvale::leftPressAction(press);
    if (press.thirdClick) q.doubleClickTime_ = 0;
    switch (action) {
    case PressAction::SelectLine:
        q.gutterSelectionLine_ = hit.line;
        selectLines(q, hit.line, hit.line);
        break;
    case PressAction::ExtendSelection:
        beginExtend(q, true);
        q.moveTo(hit.line, hit.offset);
        endExtend(q, true);
        break;
    case PressAction::DragMove:
    case PressAction::DragCopy:
        q.moveTo(hit.line, hit.offset);   // the drop position follows the pointer from here
        break;
    case PressAction::GrabScroll:
        break;
    case PressAction::PlaceCaret:
    case PressAction::PlaceCaretAltSelect:
        // Tag selection with Alt joins with the markup code; until then the caret is placed.
        q.dropSelection();
        q.moveTo(hit.line, hit.offset);
        q.setAnchorAtCaret();
        break;
    }
    startMode(q, quorvale::modeOf(action), x, y);
    afterMove(q);
}

void doubleClick(Quorvale& q, int x, int y) {
    const PointHit hit = hitTest(q, x, y);
    q.doubleClickTime_ = GetMessageTime();
    q.doubleClickPoint_ = {x, y};
    uint32_t start = 0, length = 0;
    bool mail = false;
    if (!hit.inGutter && linkAt(q, hit.line, hit.offset, &start, &length, &mail)) {
        openLink(q, q.lineAt(hit.line)->text + start, length, mail);
        return;
    }
    q.dropSelection();
    // The word of the character under the pointer: with the caret behind that character the
    // store's word selection takes its run.
    const LineRecord& line = *q.lineAt(hit.line);
    uint32_t behind = hit.offset;
    if (behind < line.length) behind += (isSjisLead(line.text[behind]) && behind + 1 < line.length) ? 2 : 1;
    q.moveTo(hit.line, hit.offset);
    // In HTML mode a tag, attribute, value or entity is selected whole.
    if (!hit.inGutter && ctlmarkup::selectElementAtCaret(q)) {
        startMode(q, MouseMode::Characters, x, y);
        afterMove(q);
        return;
    }
    q.moveTo(hit.line, behind);
    q.selectWordAtCaret();
    if (!q.hasSelection()) q.setAnchorAtCaret();
    startMode(q, MouseMode::Characters, x, y);
    afterMove(q);
}

// One pass of a drag: true when it moved the view (the pass then repeats).
bool dragPass(Quorvale& q, POINT p) {
    const int32_t topBefore = q.topRow(), pixelsBefore = q.pixelOffset(), hBefore = q.horizontalOffset();
    const MouseMode m = static_cast<MouseMode>(mode(q));
    if (m == MouseMode::GrabScroll) {
        const int32_t lh = q.lineHeight();
        const int32_t last = q.geometry().lastTopRow(q.rowCount()) * lh;
        int32_t position = drag.grabPosition - (p.y - drag.grab.y);
        position = position < 0 ? 0 : (position > last ? last : position);
        q.setHorizontalOffset(q.geometry().clampHorizontal(drag.grabHorizontal - (p.x - drag.grab.x), q.wrapWidth()));
        const quorvale::RowAndPixel at = quorvale::rowOfPosition(position, lh);
        if (at.row != topBefore || at.pixel != pixelsBefore || q.horizontalOffset() != hBefore)
            q.jumpView(at.row, at.pixel);
        return false;   // the text follows the pointer; nothing to repeat
    }
    const PointHit hit = hitTest(q, p.x, p.y);
    if (m == MouseMode::Characters) {
        q.moveTo(hit.line, hit.offset);
        q.extendSelectionToCaret();
    } else if (m == MouseMode::Lines) {
        selectLines(q, q.gutterSelectionLine_, hit.line);
    } else if (m == MouseMode::Drag) {
        q.moveTo(hit.line, hit.offset);
    }
    afterMove(q);
    return q.topRow() != topBefore || q.pixelOffset() != pixelsBefore || q.horizontalOffset() != hBefore;
}

bool mouseMessageWaiting(HWND window) {
    MSG msg;
    return PeekMessageA(&msg, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) ||
           PeekMessageA(&msg, window, WM_CAPTURECHANGED, WM_CAPTURECHANGED, PM_NOREMOVE);
}

void mouseMoved(Quorvale& q, int x, int y) {
    if (mode(q) == 0) return;
    if (x == drag.last.x && y == drag.last.y) return;
    drag.last = {x, y};
    if (!dragPass(q, POINT{x, y})) return;
    // Holding the pointer outside the window keeps scrolling, one pass per 30 ms at most.
    FineTimer timer;
    DWORD lastPass = GetTickCount();
    for (int passes = 0; passes < 100000 && mode(q) != 0 && GetCapture() == q.window(); ++passes) {
        if (mouseMessageWaiting(q.window())) break;
        Sleep(quorvale::waitBeforeNext(GetTickCount(), lastPass, quorvale::dragPassMs));
        lastPass = GetTickCount();
        POINT p;
        if (!GetCursorPos(&p) || !ScreenToClient(q.window(), &p)) break;
        if (!dragPass(q, p)) break;
    }
}

// The length of the selected range counted with one unit per line end (the drop primitives').
uint32_t selectionUnits(const Quorvale& q, quorvale::LinePos* start) {
    quorvale::LinePos a{q.anchor().line, q.anchor().offset}, b{q.selectionEnd().line, q.selectionEnd().offset};
    if (quorvale::comparePositions(a, b) > 0) std::swap(a, b);
    *start = a;
    if (a.line == b.line) return b.offset - a.offset;
    const LineRecord* line = q.lineAt(a.line);
    uint32_t units = line->length - a.offset + 1;
    for (int32_t i = a.line + 1; i < b.line; ++i) {
        line = line->next;
        units += line->length + 1;
    }
    return units + b.offset;
}

void dropText(Quorvale& q) {
    if (!q.hasSelection()) return;
    const bool copy = keyHeld(VK_CONTROL);
    quorvale::LinePos start{0, 0};
    const uint32_t units = selectionUnits(q, &start);
    const quorvale::LinePos drop{q.caret().line, q.caret().offset};
    const quorvale::LinePos a{q.anchor().line, q.anchor().offset}, b{q.selectionEnd().line, q.selectionEnd().offset};
    endCompletion(q);
    if (quorvale::dropCancels(drop, a, b, copy)) {
        q.dropSelection();
    } else if (copy) {
        q.copyRange(start.line, start.offset, units, true);
    } else {
        q.moveRange(start.line, start.offset, units, true);
    }
    afterEdit(q);
}

void captureEnded(Quorvale& q) {
    const int32_t m = mode(q);
    q.mouseMode_ = 0;
    if (m == 1 || m == 2) {
        q.updateCaret();
    } else if (m == 4) {
        dropText(q);
    }
    updateCursor(q);
}

}  // namespace

LRESULT Quorvale::onMouse(UINT message, WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        endCompletion(*this);
        if (mouseMode_ != 0 || y >= geometry().height) return 0;
        if (GetFocus() != window()) SetFocus(window());
        if (message == WM_MBUTTONDOWN)
            startMode(*this, MouseMode::GrabScroll, x, y);
        else if (message == WM_LBUTTONDOWN)
            pressLeft(*this, x, y);
        else
            doubleClick(*this, x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
        if (GetCapture() == window()) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        captureEnded(*this);
        return 0;
    case WM_MOUSEMOVE:
        mouseMoved(*this, x, y);
        return 0;
    default:
        return 0;
    }
}

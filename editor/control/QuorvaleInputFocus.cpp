// Quorvale: keyboard focus: the system caret while focused, and refusing a focus loss that comes
// right after the frame's focus stamp.
#include "QuorvaleInput.h"
#include "QuorvaleScrollMath.h"

LRESULT Quorvale::onFocus(UINT message, WPARAM, LPARAM) {
    if (message == WM_SETFOCUS) {
        if (!caretCreated_) {
            CreateCaret(window(), nullptr, 2 * GetSystemMetrics(SM_CXBORDER), lineHeight());
            caretCreated_ = true;
        }
        updateCaret();
        ShowCaret(window());
        return 0;
    }
    // WM_KILLFOCUS
    typedBytes_.reset();
    if (caretCreated_) {
        DestroyCaret();
        caretCreated_ = false;
    }
    if (focusStampTime_ != 0 && GetTickCount() - focusStampTime_ < quorvale::focusStampMs) {
        // The frame has just given us the focus: take it back once the change is over.
        focusStampTime_ = 0;
        PostMessageA(window(), EC_REQUEST, EC_FOCUS, 0);
        return 0;
    }
    ctlinput::updateCursor(*this);
    return 0;
}

// FloatText: the floating text window under the toolbar search box.
#include "FloatText.h"

#include "FrameMessages.h"

FloatText::~FloatText() {
    if (window_) DestroyWindow(window_);
}

void FloatText::show(HINSTANCE instance, HWND owner, HFONT font, int x, int y, const char* text) {
    font_ = font;
    if (!window_) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT;
            wc.lpfnWndProc = procedure;
            wc.cbWndExtra = sizeof(void*);
            wc.hInstance = instance;
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.lpszClassName = frame_msg::kFloatTextClass;
            registered = RegisterClassA(&wc) != 0;
        }
        window_ = CreateWindowExA(0, frame_msg::kFloatTextClass, "", WS_POPUP, 0, 0, 0, 0, owner,
                                  nullptr, instance, this);
        if (!window_) return;
    }
    text_ = text ? text : "";
    SetWindowTextA(window_, text_.c_str());   // readable by tests and accessibility tools
    RECT r = {0, 0, 0, 0};
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font_);
    DrawTextA(dc, text_.c_str(), -1, &r, DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    MoveWindow(window_, x, y, r.right + 2, r.bottom + 2, FALSE);
    InvalidateRect(window_, nullptr, TRUE);
    ShowWindow(window_, SW_SHOWNA);
}

void FloatText::hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void FloatText::moveTo(int x, int y) {
    if (window_) SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatText::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT r;
    GetClientRect(window_, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    RECT t = {1, 1, r.right, r.bottom};
    DrawTextA(dc, text_.c_str(), -1, &t, 0);
    SelectObject(dc, old);
    EndPaint(window_, &ps);
}

LRESULT CALLBACK FloatText::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<FloatText*>(GetWindowLongPtrA(window, 0));
    if (self && message == WM_PAINT) {
        self->paint();
        return 0;
    }
    if (message == frame_msg::WM_FLOAT_HIDE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    if (message == WM_NCDESTROY && self) self->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
}

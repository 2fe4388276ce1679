// What both bars share on Win32: class registration, the object pointer in the window's extra
// bytes, the off-screen surface, GDI guards and the tooltip window.
#pragma once
#include <windows.h>

#include "PointerModel.h"

namespace bars {

// Registers a bar class once per process (tooltip common controls initialised first): byte-aligned
// client area, arrow cursor, room for the object pointer, no background brush.
bool registerBarClass(const char* className, WNDPROC procedure, HINSTANCE instance);

// The object pointer stored at WM_CREATE, or nullptr before it.
template <class T>
T* barObject(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, 0));
}

// For WM_CREATE: stores the creation parameter as the object pointer and returns it.
void* storeBarObject(HWND window, LPARAM createStruct);

// The window procedure of a bar class: forwards every message from WM_CREATE on to T::windowProc,
// and never lets an exception out of a message handler.
template <class T>
LRESULT CALLBACK barWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* object = message == WM_CREATE ? static_cast<T*>(storeBarObject(window, lParam))
                                     : barObject<T>(window);
    if (object == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return object->windowProc(window, message, wParam, lParam);
    } catch (...) {
        return message == WM_CREATE ? -1 : 0;
    }
}

// A memory device context with a compatible bitmap as wide as the screen (rounded up to a multiple
// of 4) and `height` high selected into it. Released in reverse order of creation.
class OffscreenSurface {
public:
    OffscreenSurface() = default;
    ~OffscreenSurface() { destroy(); }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    bool create(HWND window, int height);
    void destroy();
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Selects a GDI object into a device context for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint / EndPaint.
class PaintGuard {
public:
    explicit PaintGuard(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintGuard() { EndPaint(window_, &paint_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A tooltip window owned by `owner`: always on top, shown also for inactive windows, "&" shown
// as itself.
HWND createToolTipWindow(HWND owner, HINSTANCE instance);
// Adds (or, with `update`, retitles) the tool `id` of `owner` over `area`. The text is copied.
bool addTool(HWND toolTip, HWND owner, UINT_PTR id, const RECT& area, const char* text);
bool updateToolText(HWND toolTip, HWND owner, UINT_PTR id, const char* text);
void deleteTool(HWND toolTip, HWND owner, UINT_PTR id);

// Captures the mouse for `window` and asks for WM_MOUSELEAVE.
void captureWithLeave(HWND window);

// The pointer model's capture on a bar window: captured with a leave notice, released only while
// this window holds it. `window` is the bar's own window member, read at each call.
class BarPointerSink : public PointerSink {
public:
    explicit BarPointerSink(const HWND& window) : window_(window) {}
    void capturePointer() override { captureWithLeave(window_); }
    void releasePointer() override {
        if (GetCapture() == window_) ReleaseCapture();
    }

private:
    const HWND& window_;
};

// The messages both bars answer alike: creation, destruction, painting, background and the
// pointer's messages, forwarded to T's handlers. False (result untouched) for any other message.
template <class T>
bool routeBarMessage(T& bar, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CREATE:
        bar.window_ = window;
        result = bar.onCreate();
        return true;
    case WM_DESTROY:
        bar.onDestroy();
        result = 0;
        return true;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, 0, 0);
        bar.window_ = nullptr;
        result = DefWindowProcA(window, message, wParam, lParam);
        return true;
    case WM_PAINT:
        bar.onPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
    case WM_RBUTTONDOWN:
        result = bar.onMouse(message, wParam, lParam);
        return true;
    default:
        return false;
    }
}

}  // namespace bars

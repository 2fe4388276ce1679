// What both bars share on Win32 (see BarWindow.h).
#include "BarWindow.h"

#include <commctrl.h>

namespace bars {

namespace {

// The tool structure as every version of the common controls accepts it.
TOOLINFOA toolInfo(HWND owner, UINT_PTR id) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = owner;
    info.uId = id;
    return info;
}

}  // namespace

bool registerBarClass(const char* className, WNDPROC procedure, HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, className, &existing)) return true;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = procedure;
    // The object pointer: a full pointer, also in 64-bit programs.
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

void* storeBarObject(HWND window, LPARAM createStruct) {
    void* object = reinterpret_cast<CREATESTRUCTA*>(createStruct)->lpCreateParams;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(object));
    return object;
}

bool OffscreenSurface::create(HWND window, int height) {
    destroy();
    const int width = (GetSystemMetrics(SM_CXSCREEN) + 3) & ~3;
    HDC screen = GetDC(window);
    if (screen == nullptr) return false;
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = dc_ ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    ReleaseDC(window, screen);
    if (bitmap_ == nullptr) {
        destroy();
        return false;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

void OffscreenSurface::destroy() {
    if (dc_ != nullptr && oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    oldBitmap_ = nullptr;
    width_ = height_ = 0;
}

HWND createToolTipWindow(HWND owner, HINSTANCE instance) {
    return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                           nullptr, instance, nullptr);
}

bool addTool(HWND toolTip, HWND owner, UINT_PTR id, const RECT& area, const char* text) {
    TOOLINFOA info = toolInfo(owner, id);
    info.uFlags = TTF_SUBCLASS;
    info.rect = area;
    info.lpszText = const_cast<char*>(text);
    return SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool updateToolText(HWND toolTip, HWND owner, UINT_PTR id, const char* text) {
    TOOLINFOA info = toolInfo(owner, id);
    if (!SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) return false;
    info.lpszText = const_cast<char*>(text);
    SendMessageA(toolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

void deleteTool(HWND toolTip, HWND owner, UINT_PTR id) {
    TOOLINFOA info = toolInfo(owner, id);
    SendMessageA(toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void captureWithLeave(HWND window) {
    SetCapture(window);
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}

}  // namespace bars

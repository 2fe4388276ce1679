// The demo behind huepick/screenshot.sh: a picker opened on "#A0B0C0" over a plain window; ends
// when the picker reports or after a minute.
#include <windows.h>

#include "HuePick.h"

namespace {
const UINT kReport = WM_USER + 5;

LRESULT CALLBACK demoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReport || message == WM_TIMER || message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = demoProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = "HuePickDemo";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "HuePick demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480, 360,
                                  nullptr, nullptr, instance, nullptr);
    HMODULE library = LoadLibraryA(huepick_exports::kLibraryName);
    if (!library) return 1;
    auto open = reinterpret_cast<huepick_exports::CreateHuePickWindowBFn>(
        reinterpret_cast<void*>(GetProcAddress(library, huepick_exports::kCreateWindowB)));
    // "色の選択"
    HWND picker = open ? open(window, kReport, "\x90\x46\x82\xcc\x91\x49\x91\xf0", "#A0B0C0") : nullptr;
    SetTimer(window, 1, 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (IsWindow(picker)) DestroyWindow(picker);
    FreeLibrary(library);
    return 0;
}

// A stand-in for the colour picker library, for the settings program's tests: the entry point
// opens a small window owned by the caller's window; the test posts it the user's answer
// (kAnswer: wParam non-zero for OK, lParam the colour as 0x00BBGGRR), and it reports that to the
// owner with the caller's message and three bytes blue, green, red, then closes. The colour it
// was opened with is kept in the window's user data.
#include <windows.h>

namespace {

constexpr UINT kAnswer = WM_APP + 1;
constexpr char kClass[] = "ConfTestPicker";

struct Picker {
    HWND owner;
    UINT message;
};

LRESULT CALLBACK pickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* picker = reinterpret_cast<Picker*>(GetPropA(window, "Picker"));
    if (message == kAnswer && picker) {
        const BYTE bgr[3] = {BYTE(lParam >> 16), BYTE(lParam >> 8), BYTE(lParam)};
        SendMessageA(picker->owner, picker->message, wParam, wParam ? reinterpret_cast<LPARAM>(bgr) : 0);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_NCDESTROY && picker) {
        RemovePropA(window, "Picker");
        delete picker;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) HWND CreateHuePickWindow(HWND owner, UINT message, const char* caption, BYTE* colour) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = pickerProc;
    windowClass.hInstance = GetModuleHandleA("HuePick.dll");
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kClass, caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 200, 120,
                                  GetAncestor(owner, GA_ROOT), nullptr, windowClass.hInstance, nullptr);
    if (!window) return nullptr;
    SetPropA(window, "Picker", new Picker{owner, message});
    SetWindowLongPtrA(window, GWLP_USERDATA, colour[0] << 16 | colour[1] << 8 | colour[2]);
    return window;
}

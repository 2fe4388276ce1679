// Test host for the bar window tests (see BarTestHost.h).
#include "BarTestHost.h"

#include <commctrl.h>

#include <algorithm>

namespace bars_test {

namespace {

constexpr char kHostClass[] = "UloBarTestHost";
constexpr char kEditorClass[] = "UloBarTestEditor";

void registerOnce(const char* name, WNDPROC procedure) {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &wc)) return;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

// For a test window's procedure: the object given as the creation parameter, kept in the
// window's user data from WM_NCCREATE on (null before).
template <class T>
T* windowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// State of whileMenuOpen, reached from the timer procedure.
struct MenuWatch {
    const std::function<void(HMENU)>* inside = nullptr;
    HMENU menu = nullptr;
    bool seen = false;
    DWORD started = 0;
};
MenuWatch* gWatch = nullptr;

// Whether this thread shows a popup menu (other test programs may show menus at the
// same time on the same display).
bool ownMenuShown() {
    bool found = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char name[16] = "";
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<bool*>(result) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The first popup initialised is the menu itself (its submenus come later, if ever).
LRESULT CALLBACK onSentMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && gWatch != nullptr && gWatch->menu == nullptr &&
        sent->message == WM_INITMENUPOPUP && HIWORD(sent->lParam) == 0) {
        gWatch->menu = reinterpret_cast<HMENU>(sent->wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK onMenuTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (gWatch == nullptr) return;
    if (!gWatch->seen && gWatch->menu != nullptr && ownMenuShown()) {
        gWatch->seen = true;
        (*gWatch->inside)(gWatch->menu);
        EndMenu();
        return;
    }
    if (GetTickCount() - gWatch->started > 3000) EndMenu();
}

}  // namespace

void pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < ms);
}

HostWindow::HostWindow() {
    registerOnce(kHostClass, procedure);
    // Near the bottom right of the screen, away from where other programs' windows usually
    // appear, since the pixel checks read the screen.
    const int x = std::max(0, GetSystemMetrics(SM_CXSCREEN) - 820);
    const int y = std::max(0, GetSystemMetrics(SM_CYSCREEN) - 240);
    window_ = CreateWindowExA(0, kHostClass, "bars test host", WS_POPUP | WS_CLIPCHILDREN, x, y,
                              800, 200, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    // Shown without activation: Wine then leaves the window unmanaged, and destroying it does
    // not wait for a window manager that the test display does not have.
    ShowWindow(window_, SW_SHOWNA);
    pump();
}

HostWindow::~HostWindow() {
    DestroyWindow(window_);
    pump(5);
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = windowObject<HostWindow>(window, message, lParam);
    if (host != nullptr && message == WM_COMMAND) {
        host->commands.push_back({wParam, lParam});
        return 0;
    }
    if (host != nullptr && message == WM_RBUTTONDOWN) {
        host->rightButtons.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

FakeEditor::FakeEditor() {
    registerOnce(kEditorClass, procedure);
    window_ = CreateWindowExA(0, kEditorClass, "fake editor", WS_POPUP, 0, 300, 100, 50, nullptr,
                              nullptr, GetModuleHandleA(nullptr), this);
}

FakeEditor::~FakeEditor() { DestroyWindow(window_); }

LRESULT CALLBACK FakeEditor::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* editor = windowObject<FakeEditor>(window, message, lParam);
    if (editor != nullptr && message == WM_CLOSE) {
        ++editor->closes;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(window, message, keys, MAKELPARAM(x, y));
}

std::vector<MenuEntry> menuEntries(HMENU menu) {
    std::vector<MenuEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        char text[512] = "";
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        entries.push_back({info.hSubMenu ? 0u : info.wID, text, (info.fState & MFS_GRAYED) != 0,
                           (info.fType & MFT_SEPARATOR) != 0, info.hSubMenu});
    }
    return entries;
}

bool whileMenuOpen(const std::function<void()>& open, const std::function<void(HMENU)>& inside) {
    MenuWatch watch;
    watch.inside = &inside;
    watch.started = GetTickCount();
    gWatch = &watch;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, onSentMessage, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, onMenuTimer);
    open();
    KillTimer(nullptr, timer);
    if (hook != nullptr) UnhookWindowsHookEx(hook);
    gWatch = nullptr;
    pump();
    return watch.seen;
}

COLORREF screenPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

HICON loadIcon(const char* name, int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0));
}

std::string toolText(HWND toolTip, HWND owner, UINT_PTR id) {
    char text[600] = "";
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = owner;
    info.uId = id;
    info.lpszText = text;
    SendMessageA(toolTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
}

}  // namespace bars_test

// Test host for the bar window tests: a top-level window that records what a bar sends its
// parent, stand-in editor windows that record WM_CLOSE, mouse and message helpers, and a way to
// look into (and leave) a popup menu while it is open.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bars_test {

// Processes every pending message of this thread (and what those cause) for about `ms`.
void pump(DWORD ms = 30);

// A visible 800 x 200 top-level window recording WM_COMMAND and WM_RBUTTONDOWN.
class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    struct Message {
        WPARAM wParam;
        LPARAM lParam;
    };
    HWND window() const { return window_; }
    std::vector<Message> commands;
    std::vector<Message> rightButtons;

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

// A top-level window standing for another editor's main window; counts WM_CLOSE without closing.
class FakeEditor {
public:
    FakeEditor();
    ~FakeEditor();
    FakeEditor(const FakeEditor&) = delete;
    FakeEditor& operator=(const FakeEditor&) = delete;
    HWND window() const { return window_; }
    int closes = 0;

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

// Puts the real pointer over a point of `window`'s client area and sends `message` with it, as
// the system would (so that leave tracking sees the pointer where the message says it is).
void mouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);

struct MenuEntry {
    UINT id;          // 0 for separators and submenus
    std::string text; // Shift_JIS
    bool grayed;
    bool separator;
    HMENU submenu;
};
std::vector<MenuEntry> menuEntries(HMENU menu);

// Runs `open` (which shows a popup menu and returns when it closes). While the menu is open,
// `inside` is called once with it (the menu as the owner was given it in WM_INITMENUPOPUP), and
// then the menu is closed. A menu that never appears, or does not close, is ended after three
// seconds. Returns whether a menu was seen. The menu is closed rather than driven with keys:
// other programs on the same display may move the pointer over it at any time.
bool whileMenuOpen(const std::function<void()>& open, const std::function<void(HMENU)>& inside);

// Pixel of a window's client area as shown on the screen.
COLORREF screenPixel(HWND window, int x, int y);

// The program's icon resource `name` at `size` x `size` pixels (null when it is missing).
HICON loadIcon(const char* name, int size = 16);

// The text the tooltip window `toolTip` holds for tool `id` of `owner` (at most 599 bytes).
std::string toolText(HWND toolTip, HWND owner, UINT_PTR id);

}  // namespace bars_test

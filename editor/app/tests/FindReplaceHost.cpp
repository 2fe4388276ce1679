// The in-process host of the FindReplace tests and its dialog driver.
#include "FindReplaceHost.h"

#include <thread>

#include "FrameMessages.h"
#include "MainSettings.h"
#include "UloResource.h"

namespace find_test {

namespace {

DWORD hostThread = 0;
constexpr char kHostClass[] = "FindReplaceTestHost";

using ulo_e2e::className;
std::string title(HWND w) { return ulo_e2e::windowTitle(w); }

std::vector<HWND> hostDialogs() {
    std::vector<HWND> list;
    EnumThreadWindows(
        hostThread,
        [](HWND w, LPARAM l) -> BOOL {
            if (className(w) == "#32770" && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    return list;
}

}  // namespace

LRESULT CALLBACK Host::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<Host*>(GetWindowLongPtrA(window, 0));
    if (!host) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_COMMAND) {
        host->commands.push_back(LOWORD(wParam));
        return host->commands_.run(CommandCall{LOWORD(wParam), HIWORD(wParam), lParam});
    }
    if (message == frame_msg::WM_FRAME_FIND) return host->find_.dialogMessage(wParam, lParam);
    if (message == frame_msg::WM_FRAME_EDITOR) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

Host::Host(uint32_t toolbarMask) {
    hostThread = GetCurrentThreadId();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = procedure;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = instance;
        wc.lpszClassName = kHostClass;
        registered = RegisterClassA(&wc) != 0;
    }
    window_ = CreateWindowExA(0, kHostClass, "find host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700, 500,
                              nullptr, nullptr, instance, nullptr);
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(this));
    MainSettings settings = MainSettings::defaults();
    if (toolbarMask != 0xFFFFFFFFu) settings.toolbar_mask = toolbarMask;
    bars_.create(instance, window_, font_, settings);
    MoveWindow(bars_.toolbar().window(), 0, 0, 680, 29, TRUE);
    EditorCreation c;
    c.style = WS_CHILD | WS_VISIBLE;
    c.instance = instance;
    c.parent = window_;
    c.notifyMessage = frame_msg::WM_FRAME_EDITOR;
    c.fontFace = "";
    if (editor_.create(c)) MoveWindow(editor_.window(), 0, 40, 680, 400, TRUE);
    find_.addCommands(commands_);
    find_.attach(instance, window_, font_);
}

bool Host::findButtonsEnabled() {
    bars::ToolBar& bar = bars_.toolbar();
    int up = bar.findButton(CMD_FINDUP), down = bar.findButton(CMD_FINDDOWN);
    if (up < 0 || down < 0) return false;
    bool upOn = !(bar.buttonFlags(static_cast<size_t>(up)) & bars::kToolDisabled);
    bool downOn = !(bar.buttonFlags(static_cast<size_t>(down)) & bars::kToolDisabled);
    return upOn && downOn;
}

Host::~Host() {
    find_.detach();
    SetWindowLongPtrA(window_, 0, 0);
    editor_.destroy();
    DestroyWindow(window_);
}

void Host::setText(const std::string& text) {
    ask(EC_RESET, static_cast<LPARAM>(TextEncoding::ShiftJis));
    if (!text.empty()) ask(EC_INSERTTEXT, reinterpret_cast<LPARAM>(text.c_str()));
    ask(EC_GOTOLINE, 0);
}

std::string Host::text() const {
    std::string all;
    LineIterator it{};
    if (!ask(EC_FIRSTLINE, reinterpret_cast<LPARAM>(&it))) return all;
    do {
        all.append(reinterpret_cast<const char*>(it.text), it.length);
        if (it.lineEnd) all += "\r\n";
    } while (ask(EC_NEXTLINE, reinterpret_cast<LPARAM>(&it)));
    return all;
}

std::string Host::selection() const {
    LRESULT n = ask(EC_GETSELECTIONSIZE);
    if (n <= 0) return std::string();
    std::string text(static_cast<size_t>(n) + 1, '\0');
    ask(EC_GETSELECTIONTEXT, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(n));
    return text;
}

CaretState Host::caret() const {
    CaretState c{};
    ask(EC_GETCARET, reinterpret_cast<LPARAM>(&c));
    return c;
}

void Host::typeIntoBox(const std::string& text) {
    HWND edit = searchEdit();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Host::floatText() {
    HWND w = bars_.floatText().window();
    return w && IsWindowVisible(w) ? title(w) : std::string();
}

void runModal(const std::function<void()>& open, const std::function<void()>& drive) {
    std::thread driver([&drive] {
        drive();
        // Whatever is still open is closed, so that a failed step never leaves the test waiting.
        DWORD end = GetTickCount() + 3000;
        for (auto list = hostDialogs(); !list.empty() && static_cast<int>(end - GetTickCount()) > 0;
             list = hostDialogs()) {
            for (HWND w : list) {
                PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                PostMessageA(w, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
        }
    });
    open();
    driver.join();
}

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    while (!condition()) {
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
        Sleep(10);
    }
    return true;
}

void typeInto(HWND dialog, int id, const std::string& text) {
    HWND item = GetDlgItem(dialog, id);
    HWND edit = className(item) == "ComboBox" ? FindWindowExA(item, nullptr, "Edit", nullptr) : item;
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void setCheck(HWND dialog, int id, bool on) {
    SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string itemText(HWND dialog, int id) {
    return title(GetDlgItem(dialog, id));
}

}  // namespace find_test

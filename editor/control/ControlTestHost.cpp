// Test host for the editor control's window tests.
#include "ControlTestHost.h"

#include <deque>

namespace control_test {

void pump(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (GetTickCount() < until);
}

const ColourEntry* testColours() {
    static ColourEntry colours[colour::itemCount];
    for (int i = 0; i < colour::itemCount; ++i)
        colours[i] = {uint8_t(10 * i + 5), uint8_t(i == 0 ? 250 : 40), uint8_t(i == 0 ? 250 : 200 - 5 * i), 0};
    return colours;
}

HostWindow::HostWindow(int width, int height) {
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.lpszClassName = "QuorvaleControlTestHost";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        registered = true;
    }
    window_ = CreateWindowExA(0, "QuorvaleControlTestHost", "control test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              width, height, nullptr, nullptr, instance, this);
    pump(10);
}

HostWindow::~HostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    pump(5);
}

int HostWindow::count(WPARAM code) const {
    int n = 0;
    for (const Notification& x : notifications) n += x.code == code;
    return n;
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* host = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == notifyMessage && host != nullptr) {
        host->notifications.push_back({wParam, lParam});
        return 0;
    }
    if (message == WM_DESTROY && host != nullptr) host->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
}

Quorvale* createControl(HostWindow& host, const ControlOptions& o) {
    Quorvale* q = Quorvale::create(0, WS_CHILD | WS_VISIBLE, GetModuleHandleA(nullptr), host.window(), notifyMessage,
                                   "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e",  // ＭＳ ゴシック
                                   o.points, testColours(), o.tabWidth, 0xFFFFFFFFu, o.wrapWidth, o.flags, o.encoding);
    if (q != nullptr) {
        MoveWindow(q->window(), 0, 0, o.width, o.height, TRUE);
        pump(10);
    }
    return q;
}

void loadText(Quorvale& control, const std::string& text) {
    static std::deque<std::string> images;   // alive as long as the test program
    images.push_back(text);
    std::string& image = images.back();
    control.resetDocument(TextEncoding::ShiftJis);
    control.loadChunk(uint32_t(image.size()), reinterpret_cast<uint8_t*>(&image[0]), true);
    control.convertDocument();
    control.layoutClient();
    control.repaintAll();
    UpdateWindow(control.window());
}

}  // namespace control_test

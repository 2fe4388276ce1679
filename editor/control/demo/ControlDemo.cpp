// The demo behind screenshot.sh: one editor control in a window titled "Quorvale Ulo control",
// showing a Japanese HTML page coloured as HTML, with line numbers and the marks for tabs, spaces
// and line ends, in the standard colours of the settings.
#include <windows.h>

#include <string>

#include "MainSettings.h"
#include "Quorvale.h"

namespace {

Quorvale* control = nullptr;

// The sample page, written here in UTF-8 and turned into Shift_JIS at start.
const char* const sampleUtf8 =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html lang=\"ja\">\r\n"
    "<head>\r\n"
    "\t<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
    "\t<title>表示のテスト &amp; 日本語</title>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "<!-- コメント: ここは表示されません -->\r\n"
    "<h1 class=\"title\">ようこそ　全角スペース</h1>\r\n"
    "<p>ソフトウェアの表示と予定表。ｶﾀｶﾅ（半角）も使えます。&copy; 2026</p>\r\n"
    "<p>連絡先: info@example.co.jp / http://www.example.co.jp/index.html</p>\r\n"
    "\t<a href=\"page2.html\">次のページへ</a> &nbsp;\r\n"
    "<p>長い行は窓の幅で折り返されます。長い行は窓の幅で折り返されます。長い行は窓の幅で折り返されます。"
    "長い行は窓の幅で折り返されます。</p>\r\n"
    "</body>\r\n"
    "</html>\r\n";

std::string toShiftJis(const char* utf8) {
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(size_t(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], wide);
    const int bytes = WideCharToMultiByte(932, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(size_t(bytes), '\0');
    WideCharToMultiByte(932, 0, w.c_str(), -1, &s[0], bytes, nullptr, nullptr);
    s.resize(size_t(bytes - 1));
    return s;
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (control != nullptr) MoveWindow(control->window(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = instance;
    wc.lpszClassName = "QuorvaleControlDemo";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "Quorvale Ulo control", WS_OVERLAPPEDWINDOW, 0, 0, 900, 420,
                                 nullptr, nullptr, instance, nullptr);
    const MainSettings settings = MainSettings::defaults();
    ColourEntry colours[colour::itemCount];
    for (int i = 0; i < colour::itemCount; ++i) {
        const uint32_t c = settings.colours[i];
        colours[i] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0};
    }
    const uint32_t flags = ecflag::lineNumbers | ecflag::fullWidthSpaces | ecflag::tabs | ecflag::lineEnds |
                           ecflag::urls | ecflag::halfWidthSpaces | ecflag::smoothing;
    control = Quorvale::create(0, WS_CHILD | WS_VISIBLE, instance, frame, WM_APP, "\x82\x6c\x82\x72 \x83\x53\x83\x56"
                               "\x83\x62\x83\x4e",   // ＭＳ ゴシック
                               12, colours, 4, 0xFFFFFFFFu, 80, flags, TextEncoding::ShiftJis);
    if (control == nullptr) return 1;
    static std::string image = toShiftJis(sampleUtf8);
    control->resetDocument(TextEncoding::ShiftJis);
    control->loadChunk(uint32_t(image.size()), reinterpret_cast<uint8_t*>(&image[0]), true);
    control->convertDocument();
    control->setColouringMode(100);
    ShowWindow(frame, SW_SHOW);
    RECT client;
    GetClientRect(frame, &client);
    MoveWindow(control->window(), 0, 0, client.right, client.bottom, TRUE);
    control->repaintAll();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

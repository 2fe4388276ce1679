// Test host for the control's input and request tests (see InputTestHost.h).
#include "InputTestHost.h"

#include <cstring>

#include "ControlTestHost.h"

namespace input_test {

namespace {

constexpr char kHostClass[] = "UloCtlInputTestHost";
bool dispatchingPosted = false;

}  // namespace

Host::Host() {
    WNDCLASSA wc{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &wc)) {
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kHostClass;
        RegisterClassA(&wc);
    }
    window_ = CreateWindowExA(0, kHostClass, "input test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 480,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    pump();
}

Host::~Host() {
    if (window_) DestroyWindow(window_);
    pump();
}

int Host::count(WPARAM code) const {
    int n = 0;
    for (const Note& note : notes) n += note.code == code ? 1 : 0;
    return n;
}

const Note* Host::last(WPARAM code) const {
    for (auto it = notes.rbegin(); it != notes.rend(); ++it)
        if (it->code == code) return &*it;
    return nullptr;
}

LRESULT CALLBACK Host::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    Host* host = reinterpret_cast<Host*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (host != nullptr && message == notifyMessage) {
        Note note{wParam, lParam, dispatchingPosted, {0, 0}};
        if (wParam == ECN_CARETMOVED && lParam != 0) {
            note.caret[0] = reinterpret_cast<const int*>(lParam)[0];
            note.caret[1] = reinterpret_cast<const int*>(lParam)[1];
        }
        host->notes.push_back(note);
        if (wParam == ECN_KEYDOWN) return host->consumeKey != 0 && WPARAM(lParam) == host->consumeKey ? 1 : 0;
        if (wParam == ECN_COMPLETE || wParam == ECN_COMPLETEMORE) {
            if (lParam != 0) host->lastRequest = *reinterpret_cast<const CompletionRequest*>(lParam);
            return host->completionAnswer;
        }
        if (wParam == ECN_GETMAP) return host->mapAnswer;
        return 0;
    }
    if (host != nullptr && (message == WM_COMMAND || message == WM_DROPFILES)) {
        MSG forwarded{};
        forwarded.message = message;
        forwarded.wParam = wParam;
        forwarded.lParam = lParam;
        host->forwarded.push_back(forwarded);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatchingPosted = msg.message == notifyMessage;
            DispatchMessageA(&msg);
            dispatchingPosted = false;
        }
        Sleep(1);
    } while (GetTickCount() < end);
}

Quorvale* createControl(Host& host, uint32_t flags, int wrapWidth) {
    Quorvale* q = Quorvale::create(0, WS_CHILD | WS_VISIBLE, GetModuleHandleA(nullptr), host.window(), notifyMessage,
                                   "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e",  // ＭＳ ゴシック
                                   10, control_test::testColours(), 4, 0xFFFFFFFFu, wrapWidth, flags,
                                   TextEncoding::ShiftJis);
    if (q != nullptr) MoveWindow(q->window(), 0, 0, 640, 400, TRUE);
    pump();
    return q;
}

LRESULT request(Quorvale* q, uint32_t code, LPARAM argument) {
    return SendMessageA(q->window(), EC_REQUEST, code, argument);
}

bool load(Quorvale* q, std::string& image, TextEncoding encoding) {
    request(q, EC_RESET, static_cast<LPARAM>(encoding));
    LoadRecord record{static_cast<uint32_t>(image.size()), reinterpret_cast<uint8_t*>(&image[0]), 1};
    if (!request(q, EC_LOADIMAGE, &record)) return false;
    const bool converted = request(q, EC_CONVERT) != 0;
    request(q, EC_LOADDONE);
    return converted;
}

std::vector<std::string> lines(Quorvale* q) {
    std::vector<std::string> out;
    LineIterator it{};
    if (!request(q, EC_FIRSTLINE, &it)) return out;
    do out.emplace_back(reinterpret_cast<const char*>(it.text), it.length);
    while (request(q, EC_NEXTLINE, &it));
    return out;
}

std::string selectionText(Quorvale* q) {
    const LRESULT size = request(q, EC_GETSELECTIONSIZE);
    std::string text(static_cast<size_t>(size) + 1, '\0');
    if (!request(q, EC_GETSELECTIONTEXT, &text[0])) return "<none>";
    text.resize(std::strlen(text.c_str()));
    return text;
}

Keys::Keys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    for (int k : keys) state[k] |= 0x80;
    SetKeyboardState(state);
}

Keys::~Keys() { SetKeyboardState(saved_); }

void post(Quorvale* q, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(q->window(), message, wParam, lParam);
    pump(5);
}

void type(Quorvale* q, const std::string& text) {
    for (unsigned char c : text) post(q, WM_CHAR, c, 1);
}

void key(Quorvale* q, int virtualKey) { post(q, WM_KEYDOWN, virtualKey, 1); }

LPARAM cellPoint(Quorvale* q, int column, int row) {
    const int x = q->geometry().gutter + column * q->cellWidth() + 1;
    const int y = row * q->lineHeight() + 1;
    return MAKELPARAM(x, y);
}

std::string clipboardText() {
    std::string text = "<none>";
    if (!OpenClipboard(nullptr)) return "<closed>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void setClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

std::u16string unicodeClipboardText() {
    std::u16string text = u"<none>";
    if (!OpenClipboard(nullptr)) return u"<closed>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const char16_t* p = static_cast<const char16_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void setUnicodeClipboardText(const std::u16string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const size_t size = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text.c_str(), size);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

}  // namespace input_test

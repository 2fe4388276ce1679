// CompletionPopup: the "ForecastWindow" class and its list box.
#include "CompletionPopup.h"

#include <string>
#include <vector>

#include "HtmlModeLogic.h"

namespace {

constexpr char kClassName[] = "ForecastWindow";
constexpr UINT kAcceptMessage = WM_USER + 4;
constexpr int kMaxHeight = 200;
constexpr size_t kCandidateBytes = 65536;

}  // namespace

void CompletionPopup::attach(HINSTANCE instance, HWND owner, HWND editor, COLORREF background, COLORREF text) {
    instance_ = instance;
    owner_ = owner;
    editor_ = editor;
    backgroundColour_ = background;
    textColour_ = text;
}

bool CompletionPopup::create(HFONT font) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA c{};
        c.lpfnWndProc = procedure;
        c.hInstance = instance_;
        c.hCursor = LoadCursor(nullptr, IDC_ARROW);
        c.lpszClassName = kClassName;
        c.cbWndExtra = sizeof(void*);
        if (!RegisterClassA(&c) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
        registered = true;
    }
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 10, 10, owner_, nullptr, instance_,
                              this);
    if (window_ == nullptr) return false;
    list_ = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 1, 1, 8, 8, window_,
                            nullptr, instance_, nullptr);
    if (list_ == nullptr) {
        DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listBase_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure)));
    if (background_ == nullptr) background_ = CreateSolidBrush(backgroundColour_);
    return true;
}

bool CompletionPopup::show(const CompletionRequest& request, const void* map, bool xhtmlMap) {
    if (window_ == nullptr && !create(static_cast<HFONT>(request.font))) return false;
    ShowWindow(window_, SW_HIDE);
    request_ = request;
    map_ = map;
    std::vector<char> buffer(kCandidateBytes);
    CandidateRequest ask{map, buffer.data(), static_cast<uint32_t>(buffer.size())};
    const LRESULT bytes = SendMessageA(editor_, EC_REQUEST, EC_GETCANDIDATES, reinterpret_cast<LPARAM>(&ask));
    const PopupEntries entries =
        filterCandidates(buffer.data(), bytes > 0 ? static_cast<size_t>(bytes) : 0, request.typed,
                         static_cast<size_t>(request.length > 0 ? request.length : 0), request.kind, request.caseField,
                         xhtmlMap);
    if (entries.entries.empty()) {
        close();
        return false;
    }
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries.entries) SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    SendMessageA(list_, LB_SETCURSEL, entries.selectFirst ? 0 : static_cast<WPARAM>(-1), 0);
    const int itemHeight = static_cast<int>(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0));
    const int count = static_cast<int>(entries.entries.size());
    width_ = static_cast<int>(entries.longest + 3) * request.cellWidth;
    height_ = itemHeight * count;
    if (height_ > kMaxHeight) {
        height_ = kMaxHeight;
        width_ += GetSystemMetrics(SM_CXVSCROLL);
    }
    place();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    return true;
}

void CompletionPopup::place() {
    if (window_ == nullptr) return;
    POINT caret{};
    GetCaretPos(&caret);
    ClientToScreen(editor_, &caret);
    const int x = caret.x - request_.length * request_.cellWidth;
    const int y = caret.y + request_.lineHeight;
    SetWindowPos(window_, nullptr, x, y, width_ + 2, height_ + 2, SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(list_, 1, 1, width_, height_, TRUE);
}

void CompletionPopup::followCaret() { place(); }

void CompletionPopup::close() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = list_ = nullptr;
    if (background_ != nullptr) DeleteObject(background_);
    background_ = nullptr;
}

bool CompletionPopup::accept() {
    if (list_ == nullptr) return false;
    const LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return false;
    char text[128] = {};
    if (SendMessageA(list_, LB_GETTEXTLEN, selected, 0) >= static_cast<LRESULT>(sizeof text)) return false;
    SendMessageA(list_, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text));
    const HWND editor = editor_;
    const void* map = map_;
    close();
    InsertCandidateRequest insert{map, text};
    SendMessageA(editor, EC_REQUEST, EC_INSERTCANDIDATE, reinterpret_cast<LPARAM>(&insert));
    SetFocus(editor);
    return true;
}

LRESULT CALLBACK CompletionPopup::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<CompletionPopup*>(GetWindowLongPtrA(window, 0));
    switch (message) {
    case WM_CTLCOLORLISTBOX:
        if (self != nullptr && self->background_ != nullptr) {
            SetTextColor(reinterpret_cast<HDC>(wParam), self->textColour_);
            SetBkColor(reinterpret_cast<HDC>(wParam), self->backgroundColour_);
            return reinterpret_cast<LRESULT>(self->background_);
        }
        break;
    case WM_PAINT: {
        // A light-gray frame of one pixel around the list.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT r;
        GetClientRect(window, &r);
        HBRUSH gray = CreateSolidBrush(RGB(192, 192, 192));
        FrameRect(dc, &r, gray);
        DeleteObject(gray);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (self != nullptr && HIWORD(wParam) == LBN_DBLCLK) {
            self->accept();
            return 0;
        }
        break;
    case kAcceptMessage:
        if (self != nullptr && wParam == 1) return self->accept() ? 1 : 0;
        break;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CompletionPopup::listProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CompletionPopup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        self->accept();
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        PostMessageA(self->editor_, WM_KEYDOWN, VK_ESCAPE, 0);
        SetFocus(self->editor_);
        return 0;
    }
    if (message == WM_CHAR && ((wParam >= 'A' && wParam <= 'Z') || (wParam >= 'a' && wParam <= 'z'))) {
        SetFocus(self->editor_);
        SendMessageA(self->editor_, WM_CHAR, wParam, lParam);
        return 0;
    }
    return CallWindowProcA(self->listBase_, window, message, wParam, lParam);
}

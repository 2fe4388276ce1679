// StandInEditor: a plain read-only text view over the line store that answers the loading and
// line-iteration requests of the editor control's protocol. It keeps the program usable (open,
// convert, show, save) until the editor control proper is linked in; its window class is its
// own ("QuorvaleUloPlainView").
#include <cstring>
#include <new>

#include "EditorLink.h"
#include "LineRecord.h"
#include "QuorvaleMessages.h"
#include "TextStore.h"

namespace {

constexpr char kClassName[] = "QuorvaleUloPlainView";

class StandInEditor final : public EditorLink {
public:
    explicit StandInEditor(const EditorCreation& c) : creation_(c) {}
    StandInEditor(const StandInEditor&) = delete;
    StandInEditor& operator=(const StandInEditor&) = delete;
    ~StandInEditor() {
        if (font_) DeleteObject(font_);
    }

    bool create();
    HWND window() const override { return window_; }
    TextEncoding encoding() const override { return store_.encoding(); }
    void setEncoding(TextEncoding e) override { store_.setEncoding(e); }
    LineEnd lineEnd() const override { return store_.documentLineEnd(); }
    void setLineEnd(LineEnd e) override { store_.setDocumentLineEnd(e); }
    void release() override {}  // the window freed the object

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT request(WPARAM code, LPARAM lParam);
    LRESULT convert();
    void paint();
    void notify(WPARAM code, LPARAM lParam, bool post) {
        if (post) PostMessageA(creation_.parent, creation_.notifyMessage, code, lParam);
        else SendMessageA(creation_.parent, creation_.notifyMessage, code, lParam);
    }

    EditorCreation creation_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    int lineHeight_ = 16;
    int topLine_ = 0;
    TextStore store_;
    int32_t caret_[2] = {1, 1};
};

bool registerClass(HINSTANCE instance) {
    static bool done = false;
    if (done) return true;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = StandInEditor::procedure;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    done = RegisterClassA(&wc) != 0;
    return done;
}

bool StandInEditor::create() {
    if (!registerClass(creation_.instance)) return false;
    TextEncoding def = creation_.defaultEncoding == TextEncoding::Auto ? TextEncoding::ShiftJis
                                                                       : creation_.defaultEncoding;
    if (!store_.create(creation_.wrapColumns, creation_.tabWidth, creation_.undoLimit, def)) return false;
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(creation_.fontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                        FIXED_PITCH | FF_MODERN, creation_.fontFace);
    if (!font_) return false;
    lineHeight_ = height < 0 ? -height + 2 : height + 2;
    window_ = CreateWindowExA(creation_.exStyle, kClassName, "", creation_.style | WS_VSCROLL, 0, 0, 0,
                              0, creation_.parent, nullptr, creation_.instance, this);
    return window_ != nullptr;
}

LRESULT StandInEditor::convert() {
    bool ok = store_.convertLoaded();
    if (store_.loadHadMixedLineEnds()) notify(ECN_MIXEDLINEENDS, 0, true);
    if (store_.loadWasLossy()) notify(ECN_LOSSY, 0, true);
    return ok ? 1 : 0;
}

LRESULT StandInEditor::request(WPARAM code, LPARAM lParam) {
    switch (code) {
    case EC_RESET:
        store_.reset(static_cast<TextEncoding>(lParam));
        topLine_ = 0;
        return 1;
    case EC_LOADIMAGE: {
        auto* record = reinterpret_cast<LoadRecord*>(lParam);
        return store_.loadChunk(record->count, record->bytes, record->borrow != 0) ? 1 : 0;
    }
    case EC_CONVERT: return convert();
    case EC_LOADDONE:
        InvalidateRect(window_, nullptr, TRUE);
        PostMessageA(creation_.parent, creation_.notifyMessage, ECN_CARETMOVED, reinterpret_cast<LPARAM>(caret_));
        return 1;
    case EC_FIRSTLINE:
    case EC_NEXTLINE: {
        auto* it = reinterpret_cast<LineIterator*>(lParam);
        const LineRecord* line = store_.firstLine();
        if (code == EC_NEXTLINE) {
            line = static_cast<const LineRecord*>(it->handle)->next;
            if (!line) return 0;
        }
        it->length = line->length;
        it->text = line->text;
        it->lineEnd = line->lineEnd;
        it->handle = line;
        return 1;
    }
    case EC_NOTATEND: return 1;
    case EC_FOCUS: SetFocus(window_); return 1;
    case EC_LINENUMBERS: case EC_SETMODE: case EC_SETKEYWORDS: case EC_ENDCOMPLETION:
    case EC_UPDATECURSOR: return 1;
    default: return 0;
    }
}

void StandInEditor::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    int y = 2, index = 0;
    for (const LineRecord* line = store_.firstLine(); line && y < client.bottom; line = line->next, ++index) {
        if (index < topLine_) continue;
        // Tabs shown as blanks: TextOut draws no tab stops.
        char buffer[1024];
        uint32_t n = line->length < sizeof buffer ? line->length : sizeof buffer - 1;
        std::memcpy(buffer, line->text, n);
        for (uint32_t i = 0; i < n; ++i)
            if (buffer[i] == '\t') buffer[i] = ' ';
        TextOutA(dc, 8, y, buffer, static_cast<int>(n));
        y += lineHeight_;
    }
    SelectObject(dc, old);
    EndPaint(window_, &ps);
}

LRESULT CALLBACK StandInEditor::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<StandInEditor*>(cs->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<StandInEditor*>(GetWindowLongPtrA(window, 0));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case EC_REQUEST: return self->request(wParam, lParam);
    case WM_PAINT: self->paint(); return 0;
    case WM_LBUTTONDOWN: SetFocus(window); return 0;
    case WM_KEYDOWN:
        if (self->creation_.parent) {
            LRESULT consumed = SendMessageA(self->creation_.parent, self->creation_.notifyMessage,
                                            ECN_KEYDOWN, wParam);
            if (consumed) return 0;
        }
        if (wParam == VK_DOWN || wParam == VK_NEXT) ++self->topLine_;
        else if ((wParam == VK_UP || wParam == VK_PRIOR) && self->topLine_ > 0) --self->topLine_;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_MOUSEWHEEL:
        self->topLine_ -= GET_WHEEL_DELTA_WPARAM(wParam) / 40;
        if (self->topLine_ < 0) self->topLine_ = 0;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_COMMAND: case WM_DROPFILES:
        return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, 0, 0);
        delete self;
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

EditorLink* createEditorControl(const EditorCreation& creation) {
    auto* editor = new (std::nothrow) StandInEditor(creation);
    if (!editor) return nullptr;
    if (!editor->create()) {
        HWND w = editor->window();
        if (w) DestroyWindow(w);  // frees the object
        else delete editor;
        return nullptr;
    }
    return editor;
}

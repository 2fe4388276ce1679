// Quorvale: creating the control (class registration, resources, window), its window procedure
// routing each message family to its handler, and its release at WM_DESTROY.
#include "Quorvale.h"

#include <new>

#include "QuorvaleMarkup.h"

namespace {

bool registerControlClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, Quorvale::className, &existing)) return true;
    WNDCLASSA wc = {};
    wc.style = CS_BYTEALIGNCLIENT | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(void*);   // the object pointer
    wc.hInstance = instance;
    wc.lpszClassName = Quorvale::className;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

Quorvale* Quorvale::create(DWORD exStyle, DWORD style, HINSTANCE instance, HWND parent, UINT notifyMessage,
                           const char* faceName, int points, const ColourEntry* colours, int tabWidth,
                           uint32_t undoSize, int wrapWidth, uint32_t flags, TextEncoding defaultEncoding) {
    if (colours == nullptr || !registerControlClass(instance, windowProcedure)) return nullptr;
    Quorvale* q = new (std::nothrow) Quorvale();
    if (q == nullptr) return nullptr;
    q->parent_ = parent;
    q->notifyMessage_ = notifyMessage;
    if (defaultEncoding == TextEncoding::Auto) defaultEncoding = TextEncoding::ShiftJis;
    bool ok = q->createFont(faceName, points) &&
              q->createCore(wrapWidth, tabWidth, undoSize, defaultEncoding, flags) &&
              q->createPalette(colours) && q->createBackBuffer();
    if (ok) {
        q->lineNumbers_ = (flags & ecflag::lineNumbers) != 0;
        q->updateGutter();
        q->window_ = CreateWindowExA(exStyle, className, "", style | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, parent,
                                     nullptr, instance, q);
        ok = q->window_ != nullptr;
    }
    if (!ok) {
        delete q;
        return nullptr;
    }
    q->wheelMessage_ = RegisterWindowMessageA(wheelMessageName);
    q->updateScrollBars();
    PostMessageA(q->window_, EC_STARTUP, 0, 0);
    ShowWindow(q->window_, SW_SHOW);
    UpdateWindow(q->window_);
    return q;
}

Quorvale::~Quorvale() {
    ctlmarkup::releaseGrammarBinding(*this);
    releaseResources();
}

LRESULT CALLBACK Quorvale::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Quorvale* q;
    if (message == WM_CREATE) {
        q = static_cast<Quorvale*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(q));
        if (q != nullptr) q->window_ = window;
    } else {
        q = reinterpret_cast<Quorvale*>(GetWindowLongPtrA(window, 0));
    }
    if (q == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        SetWindowLongPtrA(window, 0, 0);
        q->window_ = nullptr;
        delete q;
        return 0;
    }
    try {
        const LRESULT result = q->windowProc(message, wParam, lParam);
        // Whether a selection exists is reported after every message that changed it.
        if (q->hasSelection() != q->reportedSelection_ && q->window_ != nullptr) {
            q->reportedSelection_ = q->hasSelection();
            q->notify(ECN_SELECTION, q->reportedSelection_ ? 1 : 0);
        }
        return result;
    } catch (...) {
        return 0;
    }
}

LRESULT Quorvale::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return 0;
    case WM_PAINT: return onPaint();
    case WM_SIZE: return onSize(wParam, LOWORD(lParam), HIWORD(lParam));
    case WM_CLOSE: DestroyWindow(window_); return 0;
    case WM_PALETTECHANGED: InvalidateRect(window_, nullptr, FALSE); return 0;
    case WM_POWERBROADCAST: return onPowerBroadcast(wParam);
    case WM_COMMAND:
    case WM_DROPFILES: return SendMessageA(parent_, message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_CHAR: return onKeyboard(message, wParam, lParam);
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_CHAR:
    case WM_IME_REQUEST: return onIme(message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_CAPTURECHANGED: return onMouse(message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: return onScroll(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return onFocus(message, wParam, lParam);
    case WM_SETCURSOR: return onSetCursor(message, wParam, lParam);
    case EC_REQUEST: return onRequest(wParam, lParam);
    case EC_STARTUP: return onStartup();
    default: break;
    }
    if (wheelMessage_ != 0 && message == wheelMessage_) return onScroll(message, wParam, lParam);
    return defaultProc(message, wParam, lParam);
}

LRESULT Quorvale::notify(uint32_t code, LPARAM lParam) {
    return SendMessageA(parent_, notifyMessage_, code, lParam);
}

void Quorvale::postNotify(uint32_t code, LPARAM lParam) { PostMessageA(parent_, notifyMessage_, code, lParam); }

void Quorvale::charactersReplaced() { postNotify(ECN_LOSSY, 0); }

void Quorvale::lineEndsMixed() { postNotify(ECN_MIXEDLINEENDS, 0); }

void Quorvale::undoStoppedAtLimit() { postNotify(ECN_UNDOLIMIT, 0); }

void Quorvale::setFocusStamp(uint32_t value) {
    focusStampValue_ = value;
    focusStampTime_ = GetTickCount();
}

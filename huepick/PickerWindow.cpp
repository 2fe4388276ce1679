// The picker window (see HuePick.h): a hue / saturation square, a brightness bar, a swatch, the
// R, G, B and hex fields, OK and キャンセル.
#include "PickerWindow.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HuePick.h"

namespace huepick {

namespace {

using namespace huepick_exports;

// "キャンセル"
const char kCancelText[] = "\x83L\x83\x83\x83\x93\x83Z\x83\x8b";

bool gRegistered = false;

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }
bool inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
double unitAt(int offset, int span) { return offset <= 0 ? 0.0 : offset >= span - 1 ? 1.0 : double(offset) / (span - 1); }

// A top-down 32-bit picture drawn straight to a device context.
void drawPixels(HDC dc, const RECT& where, const std::vector<DWORD>& pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width(where);
    info.bmiHeader.biHeight = -height(where);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, where.left, where.top, width(where), height(where), 0, 0, 0, height(where), pixels.data(),
                      &info, DIB_RGB_COLORS);
}

DWORD pixel(const Rgb& c) { return (DWORD(c.red) << 16) | (DWORD(c.green) << 8) | c.blue; }

class Picker {
public:
    Picker(HWND target, UINT message, const Rgb& initial) : target_(target), message_(message), rgb_(initial) {
        hsv_ = toHsv(initial);
    }
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    // Set while the window is being created: whether the window took the object over (from then
    // on its WM_NCDESTROY deletes it).
    bool* adopted = nullptr;

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void create(HWND window);
    void command(int id, int code);
    void mouse(int x, int y);
    void paint();
    void finish(bool ok);
    void setFromRgb(const Rgb& colour, int editing);
    void setFromHsv();
    void showFields(int editing);
    void readField(int id);
    HWND addControl(const char* windowClass, const char* text, DWORD style, int x, int y, int w, int h, int id);

    HWND window_ = nullptr;
    HWND target_;
    UINT message_;
    Rgb rgb_;
    Hsv hsv_;
    bool reported_ = false;
    bool updating_ = false;  // the fields are being set from the colour: their changes are ours
    int dragging_ = 0;       // 1 in the square, 2 in the bar
};

HWND Picker::addControl(const char* windowClass, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND control = CreateWindowExA(windowClass[0] == 'E' ? WS_EX_CLIENTEDGE : 0, windowClass, text,
                                   WS_CHILD | WS_VISIBLE | style, x, y, w, h, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), thisModule(), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void Picker::create(HWND window) {
    window_ = window;
    const char* labels[] = {"R", "G", "B", "#"};
    const int ids[] = {IDC_HUEPICK_RED, IDC_HUEPICK_GREEN, IDC_HUEPICK_BLUE, IDC_HUEPICK_HEX};
    for (int i = 0; i < 4; ++i) {
        const int y = kSwatch.bottom + 10 + i * 24;
        addControl("STATIC", labels[i], SS_LEFT, kSwatch.left, y + 3, 14, 16, -1);
        HWND edit = addControl("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kSwatch.left + 16, y, width(kSwatch) - 16, 20,
                               ids[i]);
        SendMessageA(edit, EM_LIMITTEXT, i < 3 ? 3 : 7, 0);
    }
    addControl("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kSwatch.right - 168, kHueSquare.bottom + 12, 80, 24, IDOK);
    addControl("BUTTON", kCancelText, BS_PUSHBUTTON | WS_TABSTOP, kSwatch.right - 80, kHueSquare.bottom + 12, 80, 24,
               IDCANCEL);
    showFields(0);
}

void Picker::showFields(int editing) {
    updating_ = true;
    const int values[] = {rgb_.red, rgb_.green, rgb_.blue};
    const int ids[] = {IDC_HUEPICK_RED, IDC_HUEPICK_GREEN, IDC_HUEPICK_BLUE};
    for (int i = 0; i < 3; ++i)
        if (ids[i] != editing) SetDlgItemInt(window_, ids[i], static_cast<UINT>(values[i]), FALSE);
    if (editing != IDC_HUEPICK_HEX) SetDlgItemTextA(window_, IDC_HUEPICK_HEX, hexColour(rgb_).c_str());
    updating_ = false;
}

void Picker::setFromRgb(const Rgb& colour, int editing) {
    if (colour == rgb_) return;
    const Hsv before = hsv_;
    rgb_ = colour;
    hsv_ = toHsv(colour);
    // Grey has no hue and black no saturation: keep where the marks were.
    if (hsv_.saturation == 0) hsv_.hue = before.hue;
    if (hsv_.value == 0) hsv_.saturation = before.saturation;
    showFields(editing);
    InvalidateRect(window_, nullptr, FALSE);
}

void Picker::setFromHsv() {
    rgb_ = toRgb(hsv_);
    showFields(0);
    InvalidateRect(window_, nullptr, FALSE);
}

// A field the user changed: a whole number 0-255 or a complete "#RRGGBB" takes effect at once.
void Picker::readField(int id) {
    char text[16] = "";
    GetDlgItemTextA(window_, id, text, sizeof text);
    Rgb colour = rgb_;
    if (id == IDC_HUEPICK_HEX) {
        if (!parseHexColour(text, &colour)) return;
    } else {
        char* end = nullptr;
        const long value = std::strtol(text, &end, 10);
        if (end == text || *end != '\0' || value < 0 || value > 255) return;
        (id == IDC_HUEPICK_RED ? colour.red : id == IDC_HUEPICK_GREEN ? colour.green : colour.blue) =
            static_cast<uint8_t>(value);
    }
    setFromRgb(colour, id);
}

void Picker::command(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        finish(id == IDOK);
    } else if (code == EN_CHANGE && !updating_) {
        readField(id);
    } else if (code == EN_KILLFOCUS) {
        showFields(0);  // a field left half typed shows the colour again
    }
}

void Picker::mouse(int x, int y) {
    if (dragging_ == 1) {
        hsv_.hue = unitAt(x - kHueSquare.left, width(kHueSquare)) * 360.0;
        hsv_.saturation = 1.0 - unitAt(y - kHueSquare.top, height(kHueSquare));
    } else if (dragging_ == 2) {
        hsv_.value = 1.0 - unitAt(y - kBrightnessBar.top, height(kBrightnessBar));
    } else {
        return;
    }
    setFromHsv();
}

void Picker::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    std::vector<DWORD> square(size_t(width(kHueSquare)) * height(kHueSquare));
    for (int y = 0; y < height(kHueSquare); ++y)
        for (int x = 0; x < width(kHueSquare); ++x)
            square[size_t(y) * width(kHueSquare) + x] =
                pixel(toRgb(Hsv{unitAt(x, width(kHueSquare)) * 360.0, 1.0 - unitAt(y, height(kHueSquare)), hsv_.value}));
    drawPixels(dc, kHueSquare, square);
    std::vector<DWORD> bar(size_t(width(kBrightnessBar)) * height(kBrightnessBar));
    for (int y = 0; y < height(kBrightnessBar); ++y) {
        const DWORD c = pixel(toRgb(Hsv{hsv_.hue, hsv_.saturation, 1.0 - unitAt(y, height(kBrightnessBar))}));
        for (int x = 0; x < width(kBrightnessBar); ++x) bar[size_t(y) * width(kBrightnessBar) + x] = c;
    }
    drawPixels(dc, kBrightnessBar, bar);
    // The marks: a ring where hue and saturation are, a line across the bar at the brightness.
    const int mx = kHueSquare.left + int(hsv_.hue / 360.0 * (width(kHueSquare) - 1) + 0.5);
    const int my = kHueSquare.top + int((1.0 - hsv_.saturation) * (height(kHueSquare) - 1) + 0.5);
    const int by = kBrightnessBar.top + int((1.0 - hsv_.value) * (height(kBrightnessBar) - 1) + 0.5);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(hsv_.value > 0.5 ? BLACK_PEN : WHITE_PEN));
    Ellipse(dc, mx - 4, my - 4, mx + 5, my + 5);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, kBrightnessBar.left - 3, by - 2, kBrightnessBar.right + 3, by + 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    HBRUSH swatch = CreateSolidBrush(RGB(rgb_.red, rgb_.green, rgb_.blue));
    FillRect(dc, &kSwatch, swatch);
    DeleteObject(swatch);
    FrameRect(dc, &kSwatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(window_, &ps);
}

// Reports once to the caller's window, then goes.
void Picker::finish(bool ok) {
    if (!reported_) {
        reported_ = true;
        BYTE bgr[3];
        toBgr(rgb_, bgr);
        if (IsWindow(target_))
            SendMessageA(target_, message_, ok ? 1 : 0, ok ? reinterpret_cast<LPARAM>(bgr) : 0);
    }
    if (IsWindow(window_)) DestroyWindow(window_);
}

LRESULT Picker::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: create(window); return 0;
        case WM_PAINT: paint(); return 0;
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_CLOSE: finish(false); return 0;
        case WM_LBUTTONDOWN: {
            const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
            dragging_ = inside(kHueSquare, x, y) ? 1 : inside(kBrightnessBar, x, y) ? 2 : 0;
            if (dragging_) SetCapture(window);
            mouse(x, y);
            return 0;
        }
        case WM_MOUSEMOVE: mouse(short(LOWORD(lParam)), short(HIWORD(lParam))); return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (dragging_ && message == WM_LBUTTONUP) ReleaseCapture();
            dragging_ = 0;
            return 0;
        case WM_DESTROY:
            // Destroyed by its owner or by the caller before the user finished: cancelled.
            if (!reported_) {
                reported_ = true;
                if (IsWindow(target_)) SendMessageA(target_, message_, 0, 0);
            }
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK pickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Picker* picker = reinterpret_cast<Picker*>(GetWindowLongPtrA(window, 0));
    if (message == WM_NCCREATE) {
        picker = static_cast<Picker*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(picker));
        if (picker->adopted) *picker->adopted = true;
    }
    if (!picker) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = picker->handle(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, 0, 0);
        delete picker;
    }
    return result;
}

bool registerPickerClass() {
    if (gRegistered) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = pickerProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = thisModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    gRegistered = RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return gRegistered;
}

}  // namespace

HWND openPicker(HWND owner, UINT message, const char* caption, const Rgb& initial) {
    if (!registerPickerClass()) return nullptr;
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame = {0, 0, kSwatch.right + 10, kHueSquare.bottom + 48};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    // Centred over the owner (or the screen).
    RECT around;
    if (!top || !GetWindowRect(top, &around)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &around, 0);
    const int x = around.left + (width(around) - width(frame)) / 2, y = around.top + (height(around) - height(frame)) / 2;
    Picker* picker = new Picker(owner, message, initial);
    bool adopted = false;
    picker->adopted = &adopted;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kWindowClass, caption ? caption : "", style, x, y, width(frame),
                                  height(frame), top, nullptr, thisModule(), picker);
    if (!adopted) delete picker;
    if (!window) return nullptr;
    picker->adopted = nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

void unregisterPickerClass() {
    if (!gRegistered) return;
    UnregisterClassA(kWindowClass, thisModule());
    gRegistered = false;
}

}  // namespace huepick

extern "C" HWND WINAPI CreateHuePickWindow(HWND owner, UINT message, const char* caption, const BYTE* bgr) {
    return huepick::openPicker(owner, message, caption, bgr ? huepick::fromBgr(bgr) : huepick::kDefaultColour);
}

extern "C" HWND WINAPI CreateHuePickWindowB(HWND owner, UINT message, const char* caption, const char* text) {
    huepick::Rgb initial = huepick::kDefaultColour;
    if (!huepick::parseHexColour(text, &initial)) initial = huepick::kDefaultColour;
    return huepick::openPicker(owner, message, caption, initial);
}

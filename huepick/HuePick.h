// HuePick.dll: a modeless colour picker window. For callers that load the library by name: the
// export names, their function types, and the window's class and control ids (used by tests).
//
// The picker is owned by the top-level window above `owner`, shows `caption`, lets the user pick a
// colour with the mouse (hue and saturation in the square, brightness in the bar beside it) or
// type it (R, G, B in decimal or "#RRGGBB"), and closes with OK or キャンセル (the close box
// cancels). It then reports once, by SendMessage to `owner`: wParam 1 and lParam pointing to the
// colour's blue, green and red bytes (valid during the call) for OK, wParam 0 and lParam 0 when
// cancelled or destroyed unconfirmed. It stores nothing. Each entry returns the picker's window
// (null when it could not be made); a caller destroys that window before unloading the library.
#pragma once
#include <windows.h>

namespace huepick_exports {

inline constexpr char kLibraryName[] = "HuePick.dll";
inline constexpr char kCreateWindow[] = "CreateHuePickWindow";
inline constexpr char kCreateWindowB[] = "CreateHuePickWindowB";

// `bgr`: the initial colour's blue, green and red bytes (null: white).
using CreateHuePickWindowFn = HWND(WINAPI*)(HWND owner, UINT message, const char* caption, const BYTE* bgr);
// `text`: the initial colour as "#RRGGBB" (null or other text: white).
using CreateHuePickWindowBFn = HWND(WINAPI*)(HWND owner, UINT message, const char* caption, const char* text);

inline constexpr char kWindowClass[] = "HuePickWindow";

// Child controls of the picker window; OK and キャンセル are IDOK and IDCANCEL.
enum ControlId {
    IDC_HUEPICK_RED = 101,
    IDC_HUEPICK_GREEN = 102,
    IDC_HUEPICK_BLUE = 103,
    IDC_HUEPICK_HEX = 104,
};

// The areas of the picker's client area that take the mouse: the hue (left to right, 0 to 360
// degrees) and saturation (top 1 to bottom 0) square, and the brightness bar (top 1 to bottom 0).
inline constexpr RECT kHueSquare = {10, 10, 10 + 241, 10 + 161};
inline constexpr RECT kBrightnessBar = {261, 10, 261 + 20, 10 + 161};
inline constexpr RECT kSwatch = {293, 10, 293 + 76, 10 + 60};

}  // namespace huepick_exports

// FloatText: the small floating text window (class QuorvaleFloatText) shown under the toolbar
// search box: a gray popup owned by the main window, sized to its text, never activated.
#pragma once
#include <windows.h>

#include <string>

class FloatText {
public:
    FloatText() = default;
    ~FloatText();
    FloatText(const FloatText&) = delete;
    FloatText& operator=(const FloatText&) = delete;

    // Creates the window on first use, keeps the text, moves and sizes the window to it and shows
    // it without activating it.
    void show(HINSTANCE instance, HWND owner, HFONT font, int x, int y, const char* text);
    void hide();
    void moveTo(int x, int y);
    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::string text_;
};

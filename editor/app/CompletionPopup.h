// CompletionPopup: the completion list window "ForecastWindow", a popup owned by the main window
// holding one list box. It shows the candidates the editor control gives for a completion
// request, filtered by the typed word, at the caret; accepting one has the control insert it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "QuorvaleMessages.h"

class CompletionPopup {
public:
    CompletionPopup() = default;
    ~CompletionPopup() { close(); }
    CompletionPopup(const CompletionPopup&) = delete;
    CompletionPopup& operator=(const CompletionPopup&) = delete;

    // owner: the main window; editor: the control's window; background/text: colour slots 0, 1.
    void attach(HINSTANCE instance, HWND owner, HWND editor, COLORREF background, COLORREF text);

    // Notification 201 (and 200 after creation): fills the list for `request` with the
    // control's candidates. True when it shows (the answer to the control), false when closed.
    bool show(const CompletionRequest& request, const void* map, bool xhtmlMap);
    // Notification 202 and every other end.
    void close();
    bool isOpen() const { return window_ != nullptr; }
    // Enter in the editor or the list, a double click, WM_USER+4 with 1: the control inserts the
    // selected entry. False when nothing is selected.
    bool accept();
    // The main window moved or changed size: the open list follows the caret.
    void followCaret();

    HWND window() const { return window_; }
    HWND list() const { return list_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool create(HFONT font);
    void place();

    HINSTANCE instance_ = nullptr;
    HWND owner_ = nullptr, editor_ = nullptr;
    HWND window_ = nullptr, list_ = nullptr;
    WNDPROC listBase_ = nullptr;
    HBRUSH background_ = nullptr;
    COLORREF backgroundColour_ = RGB(255, 255, 255), textColour_ = RGB(0, 0, 0);
    const void* map_ = nullptr;
    CompletionRequest request_{};
    int width_ = 0, height_ = 0;
};

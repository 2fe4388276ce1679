// FrameLayout: the main window's panes: placing the toolbar, tab bar, editor control, result pane
// and preview pane (PaneLayout computes the rectangles), showing and hiding them, the splitter
// drags with their cursors, the background between panes, window transparency and the two
// one-shot timers that follow the typing (preview refresh, focus back to the editor).
#pragma once
#include <windows.h>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "MainSettings.h"
#include "PaneLayout.h"
#include "ResultPane.h"

class FrameLayout {
public:
    FrameLayout(EditorChannel& editor, ResultPane& results) : editor_(editor), results_(results) {}
    FrameLayout(const FrameLayout&) = delete;
    FrameLayout& operator=(const FrameLayout&) = delete;

    // The main window and the bars exist: takes their visibility from the settings and ticks
    // their menu items.
    void attach(HINSTANCE instance, HWND main, HFONT font, HWND toolbar, HWND tabBar, const MainSettings& settings);

    void resize(int width, int height);
    void layout();

    // Creates the result pane on first use, a third of the client height, shown.
    bool ensureResultPane();
    void showResultPane(bool show);
    bool resultShown() const { return panes_.resultShown; }
    bool resultVisible() const { return panes_.resultShown && results_.exists(); }
    // The embedded viewer's window becomes (or, with nullptr, stops being) the preview pane.
    void setPreviewPane(HWND pane);
    bool previewShown() const { return panes_.previewShown; }
    void hidePreview();

    // Mouse messages of the main window's own client area (splitter drags).
    void mouse(UINT message, LPARAM lParam);
    void captureChanged() { panes_.endDrag(); }
    // WM_SETCURSOR; false when the default handling should run.
    bool setCursor(WPARAM wParam, LPARAM lParam);
    void paint();

    void toggleTransparency();
    // WM_ACTIVATE: the alpha of an active and an inactive transparent window.
    void activated(bool active);
    // WM_SYSCOMMAND: a transparent window moves more transparent. False: not handled here.
    bool sysCommand(WPARAM wParam, LPARAM lParam, LRESULT* result);

    // A change of the text: restarts the preview and focus timers.
    void restartTimers();
    void timer(WPARAM id);

    // Toolbar, file bar, result pane, preview pane and transparency commands.
    void addCommands(CommandTable& table);

private:
    void setAlpha(BYTE alpha);
    static void place(HWND window, const PaneRect& r);

    EditorChannel& editor_;
    ResultPane& results_;
    HINSTANCE instance_ = nullptr;
    HWND main_ = nullptr;
    HFONT font_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND tabBar_ = nullptr;
    HWND preview_ = nullptr;
    PaneLayout panes_;
    bool transparent_ = false;
};

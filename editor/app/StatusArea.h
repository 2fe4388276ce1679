// StatusArea: the main window's title and the status texts drawn at the right of the menu-bar row
// (caret position, encoding, line end), and whether the window is the active one, which the title
// follows.
#pragma once
#include <windows.h>

#include "DocumentState.h"
#include "EditorChannel.h"

class StatusArea {
public:
    StatusArea(const DocumentState& document, const EditorChannel& editor) : document_(document), editor_(editor) {}
    StatusArea(const StatusArea&) = delete;
    StatusArea& operator=(const StatusArea&) = delete;

    void attach(HWND main, HFONT font) {
        main_ = main;
        font_ = font;
    }
    void setActive(bool active) { active_ = active; }
    bool active() const { return active_; }

    void updateTitle();
    // Draws the status texts; `redrawMenuBar` first redraws the menu bar under them.
    void paintStatus(bool redrawMenuBar);
    void setCaretPosition(int line, int column);

private:
    const DocumentState& document_;
    const EditorChannel& editor_;
    HWND main_ = nullptr;
    HFONT font_ = nullptr;
    bool active_ = false;
    char caretText_[64] = {};
    int caretLength_ = 0;
    bool caretWide_ = false;  // the column is greater than 9
};

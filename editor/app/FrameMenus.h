// FrameMenus: the menus as they open: key labels beside the items, the texts that follow the
// window's state, the history list, items greyed by the command table's enabling rules; the
// context menus of the editor control, the result pane and the main window; and the toolbar's
// tooltips with their key labels.
#pragma once
#include <windows.h>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "FindReplace.h"
#include "FrameBars.h"
#include "FrameKeys.h"
#include "FrameLayout.h"
#include "ResultPane.h"

// Sets the text of the item `id`, keeping its check mark.
void setItemText(HMENU menu, UINT id, const char* text);

// Greys or enables every item of `menu` (not of its submenus) that has an enabling rule in
// `commands`; items without a rule keep their state.
void greyByRules(HMENU menu, const CommandTable& commands);

class FrameMenus {
public:
    FrameMenus(const CommandTable& commands, FrameKeys& keys, EditorChannel& editor, FrameBars& bars,
               FrameLayout& layout, ResultPane& results, FindReplace& find)
        : commands_(commands), keys_(keys), editor_(editor), bars_(bars), layout_(layout), results_(results),
          find_(find) {}
    FrameMenus(const FrameMenus&) = delete;
    FrameMenus& operator=(const FrameMenus&) = delete;

    void attach(HWND main) { main_ = main; }

    // WM_INITMENUPOPUP of a popup at `position` in its parent.
    void prepare(HMENU menu, int position);
    // WM_CONTEXTMENU from `from` at the screen point in lParam.
    void contextMenu(HWND from, LPARAM lParam);
    void setToolTips();

private:
    // Sets an item's text with the key label of its command after a TAB.
    void menuText(HMENU menu, UINT id, const char* text);

    const CommandTable& commands_;
    FrameKeys& keys_;
    EditorChannel& editor_;
    FrameBars& bars_;
    FrameLayout& layout_;
    ResultPane& results_;
    FindReplace& find_;
    HWND main_ = nullptr;
};

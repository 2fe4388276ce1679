// FrameMenus: menu preparation with key labels and enabling rules, context menus, tooltips.
#include "FrameMenus.h"

#include <cstring>
#include <initializer_list>
#include <string>

#include "FrameTexts.h"
#include "QuorvaleMessages.h"
#include "ToolBarItems.h"
#include "UloResource.h"

namespace {

// The current text of a menu item, so that the key label can be set again.
std::string itemText(HMENU menu, UINT id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    char* tab = std::strchr(text, '\t');
    if (tab) *tab = 0;
    return text;
}

}  // namespace

void FrameMenus::menuText(HMENU menu, UINT id, const char* text) {
    std::string full = text;
    std::string label = keys_.label(id);
    if (!label.empty()) full += "\t" + label;
    if (full.size() > 127) full.resize(127);
    setItemText(menu, id, full.c_str());
}

void setItemText(HMENU menu, UINT id, const char* text) {
    // ModifyMenu sets the item's whole state: a check mark is given again or it would vanish.
    UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    UINT checked = state != static_cast<UINT>(-1) ? (state & MF_CHECKED) : 0;
    ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING | checked, id, text);
}

void greyByRules(HMENU menu, const CommandTable& commands) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(-1) || !commands.hasRule(id)) continue;
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (commands.enabled(id) ? MF_ENABLED : MF_GRAYED));
    }
}

void FrameMenus::prepare(HMENU menu, int position) {
    editor_.ask(EC_ENDCOMPLETION);
    if (editor_.window()) PostMessageA(editor_.window(), EC_REQUEST, EC_UPDATECURSOR, 1);
    auto relabel = [&](std::initializer_list<UINT> ids) {
        for (UINT id : ids) menuText(menu, id, itemText(menu, id).c_str());
    };
    if (position == 0 && GetSubMenu(GetMenu(main_), 0) == menu) {
        relabel({CMD_NEW, CMD_OPEN, CMD_CLOSE, CMD_RELOAD, CMD_SAVE, CMD_SAVEAS, CMD_PRINT, CMD_EXIT, CMD_CLOSEALL});
        DrawMenuBar(main_);
    } else if (position == 1) {
        relabel({CMD_TOOLBAR, CMD_FILEBAR, CMD_LINENUMBERS});
        bool hideText = layout_.resultShown() || !results_.exists();
        ModifyMenuA(menu, CMD_RESULTPANE, MF_BYCOMMAND | MF_STRING, CMD_RESULTPANE,
                    hideText ? ulo_text::kResultHide : ulo_text::kResultShow);
    } else if (position == 2) {
        relabel({CMD_UNDO, CMD_REDO, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_DELETE, CMD_SELECTALL, CMD_FIND, CMD_FINDUP,
                 CMD_FINDDOWN, CMD_REPLACE, CMD_GOTOLINE});
    } else if (position == 3) {
        relabel({CMD_CLOSETAG, CMD_LINEBREAKTAG, CMD_COLOUR, CMD_RELPATH, CMD_LINK, CMD_IMAGE, CMD_GRAMMAR,
                 CMD_PREVIEW, CMD_COUNTCHARS});
    } else if (position == 5) {
        bars_.tabBar().fillHistoryMenu(menu, true);
    } else if (position == 7) {
        for (UINT k = 0; k < 10; ++k) menuText(menu, CMD_PHRASE_FIRST + k, itemText(menu, CMD_PHRASE_FIRST + k).c_str());
    } else if (position == 12) {
        relabel({CMD_BROWSER_IE, CMD_BROWSER_CHROME, CMD_BROWSER_FIREFOX, CMD_BROWSER_OPERA, CMD_BROWSER_REGISTER});
    }
    greyByRules(menu, commands_);
    if (position == 2) {
        // The selection-conversion submenu goes with the selection.
        bool selection = editor_.ask(EC_HASSELECTION) != 0;
        EnableMenuItem(menu, 15, MF_BYPOSITION | (selection ? MF_ENABLED : MF_GRAYED));
    }
}

void FrameMenus::contextMenu(HWND from, LPARAM lParam) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (from == editor_.window()) {
        editor_.ask(EC_ENDCOMPLETION);
        // From the keyboard (lParam -1) the word and the menu are at the caret.
        if (lParam == -1 && GetCaretPos(&at)) ClientToScreen(editor_.window(), &at);
        std::string word = find_.contextWord(lParam);
        if (!word.empty()) {
            AppendMenuA(menu, MF_STRING, CMD_FINDWORD, find_state::wordMenuText(word).c_str());
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        }
        HMENU edit = GetSubMenu(GetMenu(main_), 2);
        UINT ids[] = {CMD_UNDO, CMD_REDO, 0, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_DELETE, CMD_SELECTALL};
        for (UINT id : ids) {
            if (!id) {
                AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            AppendMenuA(menu, MF_STRING, id, itemText(edit, id).c_str());
            menuText(menu, id, itemText(edit, id).c_str());
        }
        greyByRules(menu, commands_);
    } else if (from == results_.window() && results_.exists()) {
        AppendMenuA(menu, MF_STRING, CMD_COPYRESULTS, ulo_text::kCopyAll);
    } else {
        AppendMenuA(menu, MF_STRING, CMD_ABOUT, ulo_text::kAboutItem);
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, main_, nullptr);
    DestroyMenu(menu);
}

void FrameMenus::setToolTips() {
    for (const bars::ToolBarItem& item : bars::toolBarItems()) {
        if (item.kind != bars::ToolBarItemKind::Button || !item.tooltip) continue;
        std::string text = item.tooltip;
        std::string label = keys_.label(item.command);
        if (!label.empty()) text += " (" + label + ")";
        bars_.toolbar().setToolTip(item.command, text.c_str());
    }
}

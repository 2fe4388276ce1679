// MainFrame: the title, the status texts drawn in the menu-bar row, menu preparation with key
// labels, the context menus and the toolbar tooltips.
#include <cstdio>
#include <cstring>

#include "FrameTexts.h"
#include "MainFrame.h"
#include "QuorvaleMessages.h"
#include "SettingsStore.h"
#include "ToolBarItems.h"
#include "UloResource.h"

namespace {

const char* encodingStatus(TextEncoding e) {
    switch (e) {
    case TextEncoding::ShiftJis: return " SJIS  ";
    case TextEncoding::Jis: return "  JIS  ";
    case TextEncoding::EucJp: return "  EUC  ";
    case TextEncoding::Utf8: return " UTF8  ";
    case TextEncoding::Utf16Le: return " UTF16 ";
    default: return nullptr;
    }
}

const char* lineEndStatus(LineEnd e) {
    switch (e) {
    case LineEnd::CrLf: return "CRLF ";
    case LineEnd::Cr: return " CR  ";
    case LineEnd::Lf: return " LF  ";
    default: return nullptr;
    }
}

}  // namespace

void MainFrame::updateTitle() {
    if (!mainWindow_) return;
    const char* name = path_[0] == 0 ? ulo_text::kUntitled : (active_ ? path_ : fileName_);
    char title[kPathSize + 64];
    std::snprintf(title, sizeof title, isModified() ? "%s * - %s" : "%s - %s", name, ulo_text::kAppName);
    SetWindowTextA(mainWindow_, title);
}

void MainFrame::paintStatus(bool redrawMenuBar) {
    if (!mainWindow_) return;
    if (redrawMenuBar) DrawMenuBar(mainWindow_);
    HDC dc = GetWindowDC(mainWindow_);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, font_);
    static int blank = 0;
    SIZE size;
    if (!blank && GetTextExtentPoint32A(dc, " ", 1, &size)) blank = size.cx;
    GetTextExtentPoint32A(dc, "0", 1, &size);
    RECT window, client;
    GetWindowRect(mainWindow_, &window);
    GetClientRect(mainWindow_, &client);
    POINT origin = {0, 0};
    ClientToScreen(mainWindow_, &origin);
    int width = window.right - window.left;
    int f = GetSystemMetrics(SM_CXFRAME);
    int menuHeight = GetSystemMetrics(SM_CYMENU);
    int y = (origin.y - window.top) - menuHeight + (menuHeight - size.cy) / 2;
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, OPAQUE);
    if (caretLength_) {
        int x = width - f - (caretLength_ - (caretWide_ ? 1 : 0) + 12) * blank;
        TextOutA(dc, x, y, caretText_, caretLength_);
    }
    if (editor_) {
        const char* enc = encodingStatus(editor_->encoding());
        if (enc) {
            TextOutA(dc, width - 12 * blank - f, y, enc, static_cast<int>(std::strlen(enc)));
            const char* le = lineEndStatus(editor_->lineEnd());
            if (le) TextOutA(dc, width - 5 * blank - blank / 2 - f, y, le, static_cast<int>(std::strlen(le)));
        }
    }
    SelectObject(dc, old);
    ReleaseDC(mainWindow_, dc);
}

void MainFrame::setCaretPosition(int line, int column) {
    int oldLength = caretLength_;
    caretLength_ = std::snprintf(caretText_, sizeof caretText_, ulo_text::kLineColumnFormat, line, column);
    caretWide_ = column > 9;
    paintStatus(caretLength_ <= oldLength - 2);
}

const std::vector<KeyBinding>& MainFrame::keyBindings() {
    if (!bindingsLoaded_) {
        settings_store::loadKeyBindings(&bindings_, key_bindings::DefaultTable::Editor);
        bindingsLoaded_ = true;
    }
    return bindings_;
}

std::string MainFrame::keyLabel(UINT command) {
    for (const KeyBinding& b : keyBindings())
        if (b.command == command) return key_bindings::displayName(b.virtual_key, b.modifiers);
    return std::string();
}

void MainFrame::menuText(HMENU menu, UINT id, const char* text) {
    std::string full = text;
    std::string label = keyLabel(id);
    if (!label.empty()) full += "\t" + label;
    if (full.size() > 127) full.resize(127);
    ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, full.c_str());
}

namespace {

void gray(HMENU menu, UINT id, bool grayed) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

// The current text of a menu item, so that the key label can be set again.
std::string itemText(HMENU menu, UINT id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    char* tab = std::strchr(text, '\t');
    if (tab) *tab = 0;
    return text;
}

}  // namespace

void MainFrame::prepareMenu(HMENU menu, int position) {
    ask(EC_ENDCOMPLETION);
    if (editorWindow_) PostMessageA(editorWindow_, EC_REQUEST, EC_UPDATECURSOR, 1);
    auto relabel = [&](std::initializer_list<UINT> ids) {
        for (UINT id : ids) menuText(menu, id, itemText(menu, id).c_str());
    };
    if (position == 0 && GetSubMenu(GetMenu(mainWindow_), 0) == menu) {
        relabel({CMD_NEW, CMD_OPEN, CMD_CLOSE, CMD_RELOAD, CMD_SAVE, CMD_SAVEAS, CMD_PRINT, CMD_EXIT, CMD_CLOSEALL});
        DrawMenuBar(mainWindow_);
        gray(menu, CMD_RELOAD, path_[0] == 0);
        gray(menu, CMD_SAVE, path_[0] == 0);
    } else if (position == 1) {
        relabel({CMD_TOOLBAR, CMD_FILEBAR, CMD_LINENUMBERS});
        bool hideText = resultShown_ || !resultPane_;
        ModifyMenuA(menu, CMD_RESULTPANE, MF_BYCOMMAND | MF_STRING, CMD_RESULTPANE,
                    hideText ? ulo_text::kResultHide : ulo_text::kResultShow);
        gray(menu, CMD_RESULTPANE, !resultPane_);
        gray(menu, CMD_HIDEPREVIEW, !previewShown_);
    } else if (position == 2) {
        relabel({CMD_UNDO, CMD_REDO, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_DELETE, CMD_SELECTALL, CMD_FIND, CMD_FINDUP,
                 CMD_FINDDOWN, CMD_REPLACE, CMD_GOTOLINE});
        bool selection = ask(EC_HASSELECTION) != 0;
        gray(menu, CMD_UNDO, !ask(EC_CANUNDO));
        gray(menu, CMD_REDO, !ask(EC_CANREDO));
        gray(menu, CMD_CUT, !selection);
        gray(menu, CMD_COPY, !selection);
        EnableMenuItem(menu, 15, MF_BYPOSITION | (selection ? MF_ENABLED : MF_GRAYED));
        gray(menu, CMD_PASTE, !IsClipboardFormatAvailable(CF_TEXT));
        gray(menu, CMD_DELETE, !selection && !ask(EC_NOTATEND));
        gray(menu, CMD_FINDDOWN, searchText_.empty());
        gray(menu, CMD_FINDUP, searchText_.empty());
    } else if (position == 3) {
        relabel({CMD_CLOSETAG, CMD_LINEBREAKTAG, CMD_COLOUR, CMD_RELPATH, CMD_LINK, CMD_IMAGE, CMD_GRAMMAR,
                 CMD_PREVIEW, CMD_COUNTCHARS});
        gray(menu, CMD_COUNTCHARS, false);
    } else if (position == 5) {
        tabBar_.fillHistoryMenu(menu, true);
    } else if (position == 7) {
        for (UINT k = 0; k < 10; ++k) {
            UINT id = CMD_PHRASE_FIRST + k;
            menuText(menu, id, itemText(menu, id).c_str());
            gray(menu, id, !settings_store::isPhraseDefined(k));
        }
    } else if (position == 12) {
        relabel({CMD_BROWSER_IE, CMD_BROWSER_CHROME, CMD_BROWSER_FIREFOX, CMD_BROWSER_OPERA, CMD_BROWSER_REGISTER});
    }
}

void MainFrame::contextMenu(HWND from, LPARAM lParam) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    if (from == editorWindow_) {
        ask(EC_ENDCOMPLETION);
        HMENU edit = GetSubMenu(GetMenu(mainWindow_), 2);
        bool selection = ask(EC_HASSELECTION) != 0;
        UINT ids[] = {CMD_UNDO, CMD_REDO, 0, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_DELETE, CMD_SELECTALL};
        for (UINT id : ids) {
            if (!id) {
                AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            AppendMenuA(menu, MF_STRING, id, itemText(edit, id).c_str());
            menuText(menu, id, itemText(edit, id).c_str());
        }
        gray(menu, CMD_UNDO, !ask(EC_CANUNDO));
        gray(menu, CMD_REDO, !ask(EC_CANREDO));
        gray(menu, CMD_CUT, !selection);
        gray(menu, CMD_COPY, !selection);
        gray(menu, CMD_PASTE, !IsClipboardFormatAvailable(CF_TEXT));
        gray(menu, CMD_DELETE, !selection && !ask(EC_NOTATEND));
    } else if (from == resultPane_ && resultPane_) {
        AppendMenuA(menu, MF_STRING, CMD_COPYRESULTS, ulo_text::kCopyAll);
    } else {
        AppendMenuA(menu, MF_STRING, CMD_ABOUT, ulo_text::kAboutItem);
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), 0,
                   mainWindow_, nullptr);
    DestroyMenu(menu);
}

void MainFrame::setToolTips() {
    for (const bars::ToolBarItem& item : bars::toolBarItems()) {
        if (item.kind != bars::ToolBarItemKind::Button || !item.tooltip) continue;
        std::string text = item.tooltip;
        std::string label = keyLabel(item.command);
        if (!label.empty()) text += " (" + label + ")";
        toolbar_.setToolTip(item.command, text.c_str());
    }
}

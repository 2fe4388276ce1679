// MainFrame: the command dispatcher of the main window, the editor control's notifications and
// the key bindings the message loop applies to keys addressed to the editor control.
#include <cstring>

#include "CommandLine.h"
#include "FrameTexts.h"
#include "MainFrame.h"
#include "QuorvaleMessages.h"
#include "SettingsStore.h"
#include "UloResource.h"


LRESULT MainFrame::ask(uint32_t code, LPARAM lParam) const {
    return editorWindow_ ? SendMessageA(editorWindow_, EC_REQUEST, code, lParam) : 0;
}

void MainFrame::applyDocumentType(int type) {
    documentType_ = type;
    // Colouring per type comes with the document-type table; HTML types colour as HTML.
    ask(EC_SETMODE, isHtmlMode() ? 100 : 0);
}

namespace {

void toggleCheck(HMENU menu, UINT id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

}  // namespace

LRESULT MainFrame::dispatchCommand(UINT id, UINT notification, LPARAM lParam) {
    HMENU menu = GetMenu(mainWindow_);
    if (id >= CMD_HISTORY_FIRST && id < CMD_HISTORY_FIRST + 10) {
        openHistoryEntry(id - CMD_HISTORY_FIRST);
        return 0;
    }
    if ((id == CMD_DOCTYPE_PLAIN || (id >= 28101 && id <= 28199) || (id >= 28200 && id <= 28203))) {
        applyDocumentType(static_cast<int>(id));
        return 0;
    }
    switch (id) {
    case CMD_NEW: openInNewWindow(nullptr, 0); return 0;
    case CMD_OPEN:
        if (lParam) open(reinterpret_cast<const char*>(lParam));
        else openDialog();
        return 0;
    case CMD_CLOSE: closeDocument(false); return 0;
    case CMD_RELOAD: reload(); return 0;
    case CMD_SAVE: save(); return 0;
    case CMD_SAVEAS: saveAs(); return 0;
    case CMD_EXIT: PostMessageA(mainWindow_, WM_CLOSE, 0, 0); return 0;
    case CMD_CLOSEALL: closeAllEditors(); return 0;
    case CMD_HISTORY_CLEAR: settings_store::clearFileHistory(); return 0;
    case CMD_TOOLBAR:
        toolbarShown_ = !toolbarShown_;
        toggleCheck(menu, id, toolbarShown_);
        ShowWindow(toolbar_.window(), toolbarShown_ ? SW_SHOW : SW_HIDE);
        layout();
        return 0;
    case CMD_FILEBAR:
        tabBarShown_ = !tabBarShown_;
        toggleCheck(menu, id, tabBarShown_);
        ShowWindow(tabBar_.window(), tabBarShown_ ? SW_SHOW : SW_HIDE);
        layout();
        return 0;
    case CMD_LINENUMBERS: {
        bool on = !(GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED);
        if (ask(EC_LINENUMBERS, on ? 1 : 0)) toggleCheck(menu, id, on);
        return 0;
    }
    case CMD_RESULTPANE: showResultPane(!resultShown_); return 0;
    case CMD_HIDEPREVIEW:
        if (previewPane_) ShowWindow(previewPane_, SW_HIDE);
        previewShown_ = false;
        layout();
        return 0;
    case CMD_TRANSPARENCY: toggleTransparency(); return 0;
    case CMD_UNDO: ask(EC_UNDO); return 0;
    case CMD_REDO: ask(EC_REDO); return 0;
    case CMD_CUT: floatText_.hide(); ask(EC_CUT); return 0;
    case CMD_COPY: ask(EC_COPY); return 0;
    case CMD_PASTE: floatText_.hide(); ask(EC_PASTE); return 0;
    case CMD_DELETE: ask(EC_DELETE, 0); return 0;
    case CMD_DELETELINE: ask(EC_DELETELINE); return 0;
    case CMD_SELECTALL: ask(EC_SELECTALL); return 0;
    case CMD_CLOSETAG:
        if (!isHtmlMode()) ask(EC_INSERTTEXT, reinterpret_cast<LPARAM>("\r\n"));
        return 0;
    case CMD_LINEBREAKTAG:
        if (!isHtmlMode() && editorWindow_) SendMessageA(editorWindow_, WM_KEYDOWN, VK_RETURN, 0);
        return 0;
    case CMD_COPYRESULTS: copyResults(); return 0;
    case CMD_RESULTLIST:
        if (notification == LBN_SELCHANGE && resultPane_) {
            LRESULT i = SendMessageA(resultPane_, LB_GETCURSEL, 0, 0);
            if (i >= 0 && static_cast<size_t>(i) < resultLines_.size() && resultLines_[i] > 0)
                ask(EC_GOTOLINE, resultLines_[i] - 1);
            if (editorWindow_) SetFocus(editorWindow_);
        }
        return 0;
    case CMD_PREVWINDOW: cycleWindow(false); return 0;
    case CMD_NEXTWINDOW: cycleWindow(true); return 0;
    case CMD_ABOUT:
        MessageBoxA(mainWindow_, ulo_text::kAboutText, ulo_text::kAboutCaption, MB_ICONINFORMATION);
        return 0;
    case CMD_HINTS: case CMD_RELEASENOTES: {
        std::string file = programFolder(GetCommandLineA()) + (id == CMD_HINTS ? "ulo_hint.txt" : "ulo.txt");
        openInNewWindow(file.c_str(), 0);
        return 0;
    }
    case CMD_ACTIVATE: activateWindow(reinterpret_cast<HWND>(lParam)); return 0;
    case CMD_DIALOG_ENCODING: dialogEncoding_ = static_cast<int>(lParam); return lParam;
    case CMD_DIALOG_LINEEND: dialogLineEnd_ = static_cast<int>(lParam); return lParam;
    case CMD_TOOLTIPS: setToolTips(); return 0;
    case CMD_SEARCHFOCUS: ask(EC_FOCUS); return 0;
    default: return 0;
    }
}

LRESULT MainFrame::editorNotification(WPARAM kind, LPARAM lParam) {
    switch (kind) {
    case ECN_CHANGED: {
        bool wasModified = isModified();
        currentMark_ = lParam;
        if (wasModified != isModified()) updateTitle();
        toolbar_.setFlags(CMD_UNDO, ask(EC_CANUNDO) ? 0 : bars::kToolDisabled);
        toolbar_.setFlags(CMD_REDO, ask(EC_CANREDO) ? 0 : bars::kToolDisabled);
        if (previewShown_ && !(settings_.option_flags & OptionFlag::kNoAutoPreview)) {
            SetTimer(mainWindow_, frame_msg::kPreviewTimer, 300, nullptr);
            SetTimer(mainWindow_, frame_msg::kFocusTimer, 500, nullptr);
        }
        return 0;
    }
    case ECN_CARETMOVED: {
        const int32_t* cl = reinterpret_cast<const int32_t*>(lParam);
        if (cl) setCaretPosition(cl[1], cl[0]);
        return 0;
    }
    case ECN_SELECTION:
        toolbar_.setFlags(CMD_CUT, lParam ? 0 : bars::kToolDisabled);
        toolbar_.setFlags(CMD_COPY, lParam ? 0 : bars::kToolDisabled);
        return 0;
    case ECN_KEYDOWN:
        if (lParam == VK_ESCAPE) {
            if (resultShown_ && resultPane_) {
                dispatchCommand(CMD_RESULTPANE, 0, 0);
                return 1;
            }
            if (previewShown_) {
                dispatchCommand(CMD_HIDEPREVIEW, 0, 0);
                return 1;
            }
        }
        return 0;
    case ECN_GETMAP: return 0;
    case ECN_LOSSY: MessageBoxA(mainWindow_, ulo_text::kLossy, ulo_text::kAppName, MB_ICONINFORMATION); return 0;
    case ECN_MIXEDLINEENDS:
        MessageBoxA(mainWindow_, ulo_text::kMixedLineEnds, ulo_text::kAppName, MB_ICONINFORMATION);
        return 0;
    case ECN_UNDOLIMIT: MessageBoxA(mainWindow_, ulo_text::kUndoLimit, ulo_text::kAppName, MB_ICONWARNING); return 0;
    default: return 0;
    }
}

bool MainFrame::translateKey(const MSG& msg) {
    bool read = false;
    uint32_t modifiers = 0;
    for (const KeyBinding& b : keyBindings()) {
        if (b.virtual_key != msg.wParam) continue;
        if (!read) {
            if (GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers |= KeyModifier::kCtrl;
            if (GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers |= KeyModifier::kShift;
            if (GetAsyncKeyState(VK_MENU) & 0x8000) modifiers |= KeyModifier::kAlt;
            read = true;
        }
        if (b.modifiers != modifiers) continue;
        SendMessageA(mainWindow_, WM_COMMAND, b.command, b.parameter);
        return true;
    }
    return false;
}

// FindReplace: the dialog procedures of "FINDBOX", "REPLACEBOX" and "LINEBOX" and the search
// box's edit field. The two search dialogs tell the frame what happens through WM_FRAME_FIND
// sent to their owner, the main window.
#include "FindReplace.h"

#include "FrameMessages.h"
#include "UloResource.h"

namespace {

LRESULT tell(HWND dialog, WPARAM code, LPARAM lParam = 0) {
    return SendMessageA(GetWindow(dialog, GW_OWNER), frame_msg::WM_FRAME_FIND, code, lParam);
}

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

// --- the search box's edit field

LRESULT CALLBACK FindReplace::editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<FindReplace*>(GetPropA(window, kEditProperty));
    if (!self || !self->editProcedure_) return DefWindowProcA(window, message, wParam, lParam);
    HWND main = self->main_;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (message == WM_CHAR) {
        if (wParam == '\t' || wParam == VK_ESCAPE) {
            SendMessageA(main, WM_COMMAND, CMD_SEARCHFOCUS, 0);
            return 0;
        }
        if (wParam == '\r') {
            SendMessageA(main, WM_COMMAND, shift ? CMD_FINDUP : CMD_FINDDOWN, 1);
            return 0;
        }
    } else if (message == WM_KEYDOWN) {
        if (wParam == VK_F3) {
            SendMessageA(main, WM_COMMAND, shift ? CMD_FINDUP : CMD_FINDDOWN, 1);
            return 0;
        }
        if (wParam == 'F' && GetKeyState(VK_CONTROL) < 0) {
            SendMessageA(main, WM_COMMAND, CMD_FIND, 0);
            return 0;
        }
    }
    return CallWindowProcA(self->editProcedure_, window, message, wParam, lParam);
}

// --- find and replace dialogs

void FindReplace::fillFromHistory(HWND combo, WPARAM code) const {
    auto* history = reinterpret_cast<const find_state::SearchHistory*>(
        SendMessageA(main_, frame_msg::WM_FRAME_FIND, code, 0));
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    if (!history) return;
    for (const std::string& entry : history->entries())
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void FindReplace::initDialog(HWND dialog) {
    dialog_ = dialog;
    CheckDlgButton(dialog, IDC_FIND_CASE, caseSensitive_ ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_FIND_TABESCAPE, tabEscape_ ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_FIND_TEXT, CB_LIMITTEXT, find_state::kTextBytes, 0);
    if (dialogIsFind_) {
        CheckRadioButton(dialog, IDC_FIND_UP, IDC_FIND_DOWN, searchUp_ ? IDC_FIND_UP : IDC_FIND_DOWN);
    } else {
        SendDlgItemMessageA(dialog, IDC_REPLACE_TEXT, CB_LIMITTEXT, find_state::kTextBytes, 0);
        CheckRadioButton(dialog, IDC_REPLACE_INSELECTION, IDC_REPLACE_WHOLEFILE,
                         replaceInSelection_ ? IDC_REPLACE_INSELECTION : IDC_REPLACE_WHOLEFILE);
        if (!replaceInSelection_) EnableWindow(GetDlgItem(dialog, IDC_REPLACE_INSELECTION), FALSE);
        HWND replace = GetDlgItem(dialog, IDC_REPLACE_TEXT);
        fillFromHistory(replace, 113);
        SetWindowTextA(replace, replaceHistory_.front().c_str());
    }
    const char* text = reinterpret_cast<const char*>(tell(dialog, 111));
    std::string initial = text && *text ? text : findHistory_.front();
    if (!initial.empty()) {
        SetDlgItemTextA(dialog, IDC_FIND_TEXT, initial.c_str());
        PostMessageA(main_, frame_msg::WM_FRAME_FIND, 104, 1);
    } else {
        EnableWindow(GetDlgItem(dialog, IDC_FIND_NEXT), FALSE);
        EnableWindow(GetDlgItem(dialog, dialogIsFind_ ? IDC_FIND_LIST : IDC_REPLACE_ALL), FALSE);
    }
    // The replace button works on a match "find next" selected.
    if (!dialogIsFind_) EnableWindow(GetDlgItem(dialog, IDC_REPLACE_ONE), FALSE);
}

void FindReplace::dialogCommand(HWND dialog, UINT id, UINT notification) {
    switch (id) {
    case IDC_FIND_NEXT: tell(dialog, 100); break;
    case IDC_FIND_LIST:
        tell(dialog, 101);
        EndDialog(dialog, 0);
        break;
    case IDC_REPLACE_ONE: tell(dialog, 102); break;
    case IDC_REPLACE_ALL: tell(dialog, 103); break;
    case IDC_FIND_TEXT:
        if (notification == CBN_EDITUPDATE) tell(dialog, 104);
        else if (notification == CBN_SELCHANGE) PostMessageA(GetWindow(dialog, GW_OWNER), frame_msg::WM_FRAME_FIND, 104, 0);
        else if (notification == CBN_DROPDOWN) fillFromHistory(GetDlgItem(dialog, IDC_FIND_TEXT), 112);
        break;
    case IDC_REPLACE_TEXT:
        if (notification == CBN_DROPDOWN) fillFromHistory(GetDlgItem(dialog, IDC_REPLACE_TEXT), 113);
        break;
    case IDC_FIND_CASE: tell(dialog, 105, checked(dialog, id)); break;
    case IDC_FIND_TABESCAPE: tell(dialog, 106, checked(dialog, id)); break;
    case IDC_FIND_UP: tell(dialog, 107, 1); break;
    case IDC_FIND_DOWN: tell(dialog, 107, 0); break;
    case IDC_REPLACE_INSELECTION: tell(dialog, 108, 1); break;
    case IDC_REPLACE_WHOLEFILE: tell(dialog, 108, 0); break;
    case IDC_FIND_CLOSE: case IDCANCEL:
        tell(dialog, 110);
        EndDialog(dialog, 0);
        break;
    default: break;
    }
}

INT_PTR CALLBACK FindReplace::searchDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<FindReplace*>(lParam)->initDialog(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<FindReplace*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
    case WM_COMMAND: self->dialogCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE:
        tell(dialog, 109);
        EndDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY: self->dialog_ = nullptr; return FALSE;
    default: return FALSE;
    }
}

// --- go to line: the dialog's result is the number, -1 when cancelled

INT_PTR CALLBACK FindReplace::lineDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_LINE_NUMBER, EM_LIMITTEXT, find_state::kLineFieldBytes, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_LINE_OK || LOWORD(wParam) == IDOK) {
            char text[find_state::kLineFieldBytes + 1] = {};
            int n = GetDlgItemTextA(dialog, IDC_LINE_NUMBER, text, sizeof text);
            std::string field = find_state::cutText(text, n > 0 ? static_cast<size_t>(n) : 0, find_state::kLineFieldBytes);
            EndDialog(dialog, find_state::parseLineNumber(field.data(), field.size()));
        } else if (LOWORD(wParam) == IDC_LINE_CANCEL || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, -1);
        }
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, -1); return TRUE;
    default: return FALSE;
    }
}

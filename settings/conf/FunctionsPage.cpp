// The page "機能": input-assistance flags and the undo buffer's size.
#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"

namespace {

using namespace conf_page;

void showUndo(HWND page, bool unlimited, uint32_t shownMiB) {
    CheckRadioButton(page, IDC_UNDO_UNLIMITED, IDC_UNDO_LIMITED, unlimited ? IDC_UNDO_UNLIMITED : IDC_UNDO_LIMITED);
    SetDlgItemInt(page, IDC_UNDO_MIB, shownMiB, FALSE);
    EnableWindow(GetDlgItem(page, IDC_UNDO_MIB), !unlimited);
}

void init(HWND page, ConfState* state) {
    showFlagBoxes(page, *state);
    const uint32_t limit = state->settings.undo_limit;
    showUndo(page, limit == MainSettings::kUnlimitedUndo, conf_rules::undoShownMiB(limit));
}

void apply(HWND page, ConfState* state) {
    if (IsDlgButtonChecked(page, IDC_UNDO_UNLIMITED) == BST_CHECKED) {
        state->settings.undo_limit = MainSettings::kUnlimitedUndo;
    } else {
        state->settings.undo_limit = conf_rules::undoLimitFromField(conf_rules::parseNumber(controlText(page, IDC_UNDO_MIB)));
    }
}

}  // namespace

INT_PTR CALLBACK functionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        init(page, s);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (LOWORD(wParam) == IDC_UNDO_UNLIMITED) {
            showUndo(page, true, conf_rules::kUnlimitedUndoShown);
        } else if (LOWORD(wParam) == IDC_UNDO_LIMITED) {
            EnableWindow(GetDlgItem(page, IDC_UNDO_MIB), TRUE);
        } else {
            handleFlagClick(page, LOWORD(wParam), s);
        }
        return FALSE;
    case WM_NOTIFY:
        if (isApply(message, lParam)) {
            apply(page, s);
            answerApply(page, s, true);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

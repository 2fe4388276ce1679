// The page "ツールバー": a list with a check box per toolbar item, in toolbar_mask order.
#include <windows.h>
#include <commctrl.h>

#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"

namespace {

using namespace conf_page;
using conf_rules::kToolbarRows;

constexpr int kRowCount = static_cast<int>(sizeof kToolbarRows / sizeof kToolbarRows[0]);

void tickRows(HWND list, uint32_t mask) {
    for (int row = 0; row < kRowCount; ++row) ListView_SetCheckState(list, row, (mask & kToolbarRows[row].mask) != 0);
}

void init(HWND page, const ConfState& state) {
    HWND list = GetDlgItem(page, IDC_TOOLBAR_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
    RECT area{};
    GetClientRect(list, &area);
    addColumns(list, {{text(IDS_COLUMN_TOOLBAR_ITEM), area.right - GetSystemMetrics(SM_CXVSCROLL)}});
    for (int row = 0; row < kRowCount; ++row)
        setItem(list, row, 0, text(kToolbarRows[row].separator ? IDS_TOOLBAR_SEPARATOR : IDS_TOOLBAR_FIRST + row));
    tickRows(list, state.settings.toolbar_mask);
}

uint32_t tickedMask(HWND list) {
    uint32_t mask = 0;
    for (int row = 0; row < kRowCount; ++row)
        if (ListView_GetCheckState(list, row)) mask |= kToolbarRows[row].mask;
    return mask;
}

}  // namespace

INT_PTR CALLBACK toolbarPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        init(page, *s);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_TOOLBAR_DEFAULTS && HIWORD(wParam) == BN_CLICKED) {
            s->settings.toolbar_mask = conf_rules::kDefaultToolbarMask;
            tickRows(GetDlgItem(page, IDC_TOOLBAR_LIST), s->settings.toolbar_mask);
        }
        return FALSE;
    case WM_NOTIFY:
        if (isApply(message, lParam)) {
            s->settings.toolbar_mask = tickedMask(GetDlgItem(page, IDC_TOOLBAR_LIST));
            answerApply(page, s, true);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

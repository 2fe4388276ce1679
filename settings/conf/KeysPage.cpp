// The page "キー割り当て": one row per offered key combination with its command, the dialog
// "コマンドの選択" that changes a row, and "標準に戻す".
#include <windows.h>
#include <commctrl.h>

#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"
#include "SettingsStore.h"

namespace {

using namespace conf_page;

struct CommandChoice {
    uint32_t command;  // in: the bound command; out: the chosen one (0 = none)
};

std::string commandName(uint32_t command) {
    if (command == 0) return std::string();
    const std::string name = command <= 0xFFFF ? text(command) : std::string();
    return name.empty() ? std::to_string(command) : name;  // a command this program has no name for
}

void fillCommands(HWND dialog, uint32_t current) {
    HWND list = GetDlgItem(dialog, IDC_COMMAND_LIST);
    const std::string separator = text(IDS_COMMAND_SEPARATOR);
    for (uint16_t id : conf_rules::commandChoices()) {
        const std::string label = id ? text(id) : separator;
        const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), id);
        if (id && id == current) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

uint32_t chosenCommand(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_COMMAND_LIST);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? 0 : static_cast<uint32_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

INT_PTR CALLBACK commandDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* choice = reinterpret_cast<CommandChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        fillCommands(dialog, reinterpret_cast<CommandChoice*>(lParam)->command);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_COMMAND_LIST:
            if (HIWORD(wParam) != LBN_DBLCLK) return FALSE;
            [[fallthrough]];
        case IDOK:
            choice->command = chosenCommand(dialog);  // a separator row or no row: no binding
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDC_COMMAND_NONE:
            choice->command = 0;
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void showCommands(HWND list, const std::vector<KeyBinding>& keys) {
    const auto rows = conf_rules::keyRows();
    for (size_t row = 0; row < rows.size(); ++row)
        setItem(list, static_cast<int>(row), 1, commandName(conf_rules::boundCommand(keys, rows[row])));
}

void init(HWND page, ConfState* state) {
    HWND list = GetDlgItem(page, IDC_KEY_LIST);
    RECT area{};
    GetClientRect(list, &area);
    const int keyWidth = 120;
    addColumns(list, {{text(IDS_COLUMN_KEY), keyWidth},
                      {text(IDS_COLUMN_COMMAND), area.right - keyWidth - GetSystemMetrics(SM_CXVSCROLL)}});
    const auto rows = conf_rules::keyRows();
    for (size_t row = 0; row < rows.size(); ++row)
        setItem(list, static_cast<int>(row), 0, key_bindings::displayName(rows[row].virtual_key, rows[row].modifiers));
    showCommands(list, state->keys);
}

void changeRow(HWND page, ConfState* state, int row) {
    const auto rows = conf_rules::keyRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    CommandChoice choice{conf_rules::boundCommand(state->keys, rows[static_cast<size_t>(row)])};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COMMAND_CHOICE), GetParent(page),
                        commandDialogProc, reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return;
    conf_rules::assign(&state->keys, rows[static_cast<size_t>(row)], choice.command);
    setItem(GetDlgItem(page, IDC_KEY_LIST), row, 1, commandName(choice.command));
}

}  // namespace

INT_PTR CALLBACK keysPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        init(page, s);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_KEY_DEFAULTS && HIWORD(wParam) == BN_CLICKED) {
            s->keys = key_bindings::defaults(key_bindings::DefaultTable::SettingsProgram);
            showCommands(GetDlgItem(page, IDC_KEY_LIST), s->keys);
        }
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_KEY_LIST && header->code == LVN_ITEMACTIVATE) {
            changeRow(page, s, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
            return TRUE;
        }
        if (isApply(message, lParam)) {
            // A failed write is reported when the sheet has closed (ConfMain).
            if (!settings_store::saveKeyBindings(s->keys)) s->keysSaveFailed = true;
            answerApply(page, s, true);
            return TRUE;
        }
        return FALSE;
    }
    }
    return FALSE;
}

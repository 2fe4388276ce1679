// The list page of the browser registration sheet and its slot dialog.
#include "BrowserListPage.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "BrowserPickResource.h"
#include "CompanionStart.h"

namespace {

using companion::resourceText;

// The path box holds at most this many bytes: a slot keeps 516 with its NUL, but the path buffers
// of the file dialog are 510 bytes.
constexpr size_t kPathBuffer = 510;

struct SlotDialog {
    std::string path;  // in: the slot's path; out: the new path ("" = not registered)
};

std::string dialogText(HWND dialog, int id) {
    char text[kPathBuffer] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string programFilesFolder() {
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return std::string();
    return folder;
}

// "参照": a file-open dialog for an existing executable; true with the chosen path.
bool browseForProgram(HWND owner, const std::string& current, std::string* chosen) {
    std::string filter = resourceText(IDS_FILTER);
    for (char& c : filter)
        if (c == '|') c = '\0';
    char file[kPathBuffer] = {};
    if (current.size() < sizeof file) std::memcpy(file, current.data(), current.size());
    const std::string folder = programFilesFolder();

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) return false;
    *chosen = file;
    return true;
}

INT_PTR CALLBACK slotDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* slot = reinterpret_cast<SlotDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    const std::string notSet = resourceText(IDS_NOT_SET);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        slot = reinterpret_cast<SlotDialog*>(lParam);
        SetDlgItemTextA(dialog, IDC_SLOT_PATH, slot->path.empty() ? notSet.c_str() : slot->path.c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SLOT_BROWSE: {
            std::string current = dialogText(dialog, IDC_SLOT_PATH);
            if (current == notSet) current.clear();
            std::string chosen;
            if (browseForProgram(dialog, current, &chosen)) SetDlgItemTextA(dialog, IDC_SLOT_PATH, chosen.c_str());
            return TRUE;
        }
        case IDC_SLOT_RESET:
            SetDlgItemTextA(dialog, IDC_SLOT_PATH, notSet.c_str());
            return TRUE;
        case IDOK: {
            const std::string text = dialogText(dialog, IDC_SLOT_PATH);
            slot->path = !text.empty() && text[0] == '<' ? std::string() : text;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void showSlotRow(HWND list, const BrowserList& browsers, int slot) {
    const std::string notSet = resourceText(IDS_NOT_SET);
    const char* path = browsers.isRegistered(static_cast<size_t>(slot)) ? browsers.paths[slot] : notSet.c_str();
    ListView_SetItemText(list, slot, 1, const_cast<char*>(path));
}

void fillList(HWND list, const BrowserList& browsers) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    std::string kind = resourceText(IDS_COLUMN_KIND), path = resourceText(IDS_COLUMN_PATH);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 130;
    column.pszText = &kind[0];
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    RECT area{};
    GetClientRect(list, &area);
    column.cx = area.right - 130 - GetSystemMetrics(SM_CXVSCROLL);
    column.pszText = &path[0];
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    for (int slot = 0; slot < static_cast<int>(BrowserList::kSlotCount); ++slot) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = slot;
        item.pszText = const_cast<char*>(BrowserList::kSlotNames[slot]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        showSlotRow(list, browsers, slot);
    }
}

void changeSlot(HWND page, BrowserPickState* state, int slot) {
    if (slot < 0 || slot >= static_cast<int>(BrowserList::kSlotCount)) return;
    SlotDialog dialog{state->list.paths[slot]};
    if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_BROWSER_SLOT), GetParent(page),
                        slotDialogProc, reinterpret_cast<LPARAM>(&dialog)) != IDOK)
        return;
    // The dialog's text is at most 509 bytes, so it always fits its 516-byte slot.
    state->list.setPath(static_cast<size_t>(slot), dialog.path);
    showSlotRow(GetDlgItem(page, IDC_BROWSER_LIST), state->list, slot);
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BrowserPickState*>(GetWindowLongPtrA(page, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<BrowserPickState*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        fillList(GetDlgItem(page, IDC_BROWSER_LIST), state->list);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_BROWSER_CHANGE && HIWORD(wParam) == BN_CLICKED) {
            const int selected = ListView_GetNextItem(GetDlgItem(page, IDC_BROWSER_LIST), -1, LVNI_SELECTED);
            if (selected < 0) {
                MessageBoxA(GetParent(page), resourceText(IDS_NOTHING_SELECTED).c_str(),
                            resourceText(IDS_BROWSER_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
            } else {
                changeSlot(page, state, selected);
            }
            return TRUE;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_BROWSER_LIST && header->code == LVN_ITEMACTIVATE) {
            changeSlot(page, state, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
            return TRUE;
        }
        if (header->code == PSN_APPLY) {
            state->changed = true;
            SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

}  // namespace

PROPSHEETPAGEA browserListPage(BrowserPickState* state) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(IDD_BROWSER_LIST_PAGE);
    page.pfnDlgProc = pageProc;
    page.lParam = reinterpret_cast<LPARAM>(state);
    return page;
}

// ulo_conf.exe: edits the editor's start-up settings ("main", "keybindsize", "keybind") in a
// property sheet of seven pages. Exit code 1 when the settings were saved, 0 otherwise.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <iterator>

#include "CompanionStart.h"
#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"
#include "SettingsStore.h"

namespace {

struct PageEntry {
    int dialog;
    DLGPROC procedure;
};

const PageEntry kPages[] = {
    {IDD_PAGE_DISPLAY, displayPageProc}, {IDD_PAGE_FUNCTIONS, functionsPageProc},
    {IDD_PAGE_TOOLBAR, toolbarPageProc}, {IDD_PAGE_KEYS, keysPageProc},
    {IDD_PAGE_COLOURS, coloursPageProc}, {IDD_PAGE_HTML, htmlPageProc},
    {IDD_PAGE_CODES, codesPageProc},
};

void runSheet(HWND owner, const std::string& caption, ConfState* state) {
    PROPSHEETPAGEA pages[std::size(kPages)] = {};
    for (size_t i = 0; i < std::size(kPages); ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = GetModuleHandleA(nullptr);
        pages[i].pszTemplate = MAKEINTRESOURCEA(kPages[i].dialog);
        pages[i].pfnDlgProc = kPages[i].procedure;
        pages[i].lParam = reinterpret_cast<LPARAM>(state);
    }
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    sheet.hwndParent = owner;
    sheet.hInstance = GetModuleHandleA(nullptr);
    sheet.pszCaption = caption.c_str();
    sheet.nPages = static_cast<UINT>(std::size(kPages));
    sheet.ppsp = pages;
    PropertySheetA(&sheet);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string caption = companion::resourceText(IDS_CAPTION);
    if (companion::activateRunningInstance(caption.c_str())) return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    ConfState state;
    settings_store::loadMainSettings(&state.settings);  // on failure: the defaults
    settings_store::loadKeyBindings(&state.keys, key_bindings::DefaultTable::SettingsProgram);

    const HWND owner = companion::editorOwner();
    companion::OwnerEnabler enabler(owner);
    state.changed = false;
    runSheet(owner, caption, &state);
    const bool mainSaved = state.changed && settings_store::saveMainSettings(state.settings);
    const conf_rules::Ending ending = conf_rules::ending(state.changed, mainSaved, !state.keysSaveFailed);
    if (ending == conf_rules::Ending::WriteFailed) {
        MessageBoxA(owner, companion::resourceText(IDS_SAVE_FAILED).c_str(), "", MB_OK | MB_ICONERROR);
    } else if (ending == conf_rules::Ending::Saved && companion::editorRunning()) {
        MessageBoxA(owner, companion::resourceText(IDS_NEXT_START).c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
    }
    return conf_rules::exitCode(ending);
}

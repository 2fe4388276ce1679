// browserpick.exe: records the executables of the external browsers ("browser") and tells every
// running editor to read the record again. Exit code 1 when the record was saved, 0 otherwise.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "BrowserListPage.h"
#include "BrowserPickResource.h"
#include "CompanionStart.h"
#include "SettingsStore.h"
#include "UloNames.h"

namespace {

// A hung editor must not hold this program forever; a responsive one answers at once.
constexpr UINT kNotifyTimeoutMs = 10000;

void notifyEditors() {
    companion::forEachEditor([](HWND editor) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(editor, ulo_names::WM_FRAME_BROWSERS_CHANGED, 0, 0, SMTO_ABORTIFHUNG,
                            kNotifyTimeoutMs, &result);
    });
}

bool runSheet(HWND owner, const std::string& caption, BrowserPickState* state) {
    PROPSHEETPAGEA page = browserListPage(state);
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    sheet.hwndParent = owner;
    sheet.hInstance = GetModuleHandleA(nullptr);
    sheet.pszCaption = caption.c_str();
    sheet.nPages = 1;
    sheet.ppsp = &page;
    PropertySheetA(&sheet);
    return state->changed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string caption = companion::resourceText(IDS_BROWSER_CAPTION);
    if (companion::activateRunningInstance(caption.c_str())) return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    BrowserPickState state;
    settings_store::loadBrowserList(&state.list);  // on failure: version 3 and five empty slots

    const HWND owner = companion::editorOwner();
    companion::OwnerEnabler enabler(owner);
    if (!runSheet(owner, caption, &state)) return 0;

    if (!settings_store::saveBrowserList(state.list)) {
        MessageBoxA(owner, companion::resourceText(IDS_SAVE_FAILED).c_str(), caption.c_str(),
                    MB_OK | MB_ICONERROR);
        return 0;
    }
    notifyEditors();
    return 1;
}

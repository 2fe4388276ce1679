// setup.exe: refuses while an editor runs, proposes the previous installation's folder (or one under
// Program Files) and runs the wizard. Exit code 1, or -1 when refused.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "UloNames.h"
#include "InstallLog.h"
#include "InstallPaths.h"
#include "InstallTexts.h"
#include "Payload.h"
#include "SetupWizard.h"
#include "SjisPath.h"

namespace {

std::string ownFolder() {
    char path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? sjis_path::parentFolder(std::string(path, length)) : std::string();
}

// "UninstallString" of an earlier installation, or "".
std::string previousUninstallString() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, install_log::kUninstallKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return "";
    }
    char value[1024] = {};
    DWORD type = 0, size = sizeof value - 1;
    const bool ok = RegQueryValueExA(key, "UninstallString", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                        ERROR_SUCCESS &&
                    (type == REG_SZ || type == REG_EXPAND_SZ);
    RegCloseKey(key);
    return ok ? value : "";
}

std::string defaultFolder() {
    char programFiles[MAX_PATH] = {}, windows[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles) != S_OK) {
        programFiles[0] = '\0';
        GetWindowsDirectoryA(windows, sizeof windows);
    }
    return install_paths::defaultFolder(programFiles, windows);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (HWND running = FindWindowA(nullptr, install_text::kSetupCaption)) {
        SetForegroundWindow(running);
        return 1;
    }
    if (FindWindowA(ulo_names::kMainWindowClass, nullptr) != nullptr) {
        MessageBoxA(nullptr, install_text::kSetupEditorRunning, install_text::kSetupCaption, MB_OK | MB_ICONERROR);
        return -1;
    }
    setup_ui::Start start;
    start.sourceFolder = ownFolder();
    const std::string previous = install_paths::folderFromUninstallString(previousUninstallString());
    if (!previous.empty()) {
        start.folder = previous;
        start.previousLog = previous + payload::kLogName;
    } else {
        start.folder = defaultFolder();
    }
    // The folder browser needs COM on the dialog's thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    setup_ui::runWizard(instance, start);
    if (SUCCEEDED(com)) CoUninitialize();
    return 1;
}

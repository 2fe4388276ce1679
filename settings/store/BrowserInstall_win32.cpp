// The installer's look-ups on this machine for the browser record: App Paths and file existence.
#include <windows.h>

#include <vector>

#include "SettingsStore.h"

namespace settings_store {

namespace {

constexpr char kAppPathsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
// Longer strings are refused by the record preparation anyway; nothing larger is read.
constexpr DWORD kMaxRead = 4096;

// The key's default value as text; false unless it is a REG_SZ value.
bool readSystemBrowserPath(std::string* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0, size = 0;
    bool ok = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
              type == REG_SZ && size <= kMaxRead;
    std::vector<char> text(size + 1, 0);  // room for a NUL the stored string may lack
    if (ok) {
        ok = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                              &size) == ERROR_SUCCESS &&
             type == REG_SZ && size < text.size();
    }
    RegCloseKey(key);
    if (ok) path->assign(text.data());
    return ok;
}

bool isExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

BrowserInstallProbe systemBrowserInstallProbe() {
    return {readSystemBrowserPath, isExistingFile};
}

}  // namespace settings_store

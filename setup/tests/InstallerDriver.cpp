// The installer tests' driver layer (see InstallerDriver.h).
#include "InstallerDriver.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "TestDriver.h"

namespace installer_e2e {

namespace {

// A message box's text control has the id 0xFFFF; the programs' own dialogs have none.
bool isMessageBox(HWND window) { return ulo_e2e::findChildById(window, 0xFFFF) != nullptr; }

HWND waitTop(DWORD pid, const char* caption, bool messageBox, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    do {
        const std::vector<HWND> found = ulo_e2e::topWindows([&](HWND w) {
            return (pid == 0 || ulo_e2e::processOf(w) == pid) && IsWindowVisible(w) &&
                   ulo_e2e::className(w) == "#32770" && ulo_e2e::windowTitle(w) == caption &&
                   isMessageBox(w) == messageBox;
        });
        if (!found.empty()) {
            ulo_e2e::pause(100);
            return found[0];
        }
        ulo_e2e::pause(50);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return nullptr;
}

std::string hex(const BYTE* data, DWORD size) {
    std::string out;
    char two[3];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(two, sizeof two, "%02x", data[i]);
        out += two;
    }
    return out;
}

void collectValues(HKEY root, const std::string& shown, const std::string& path, std::vector<std::string>* out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        char name[512];
        BYTE data[8192];
        DWORD nameSize = sizeof name, type = 0, dataSize = sizeof data;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        out->push_back(shown + "\\" + path + "\\" + name + "=" + std::to_string(type) + ":" + hex(data, dataSize));
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& sub : subkeys) collectValues(root, shown, path + "\\" + sub, out);
}

void collectFiles(const std::string& folder, std::vector<std::string>* out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            collectFiles(folder + name + "\\", out);
        } else {
            out->push_back(folder + name + " " + std::to_string(found.nFileSizeLow));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

HWND waitMessageBox(DWORD pid, const char* caption, DWORD timeoutMs) { return waitTop(pid, caption, true, timeoutMs); }

std::string answerBox(DWORD pid, const char* caption, int buttonId, DWORD timeoutMs) {
    HWND box = waitMessageBox(pid, caption, timeoutMs);
    if (box == nullptr) return "";
    const std::string text = ulo_e2e::messageText(box);
    ulo_e2e::press(box, buttonId);
    const DWORD end = GetTickCount() + 5000;
    while (IsWindow(box) && static_cast<int>(end - GetTickCount()) > 0) ulo_e2e::pause(50);
    ulo_e2e::pause(100);
    return text;
}

HWND waitMainDialog(DWORD pid, const char* caption, DWORD timeoutMs) { return waitTop(pid, caption, false, timeoutMs); }

// WM_GETTEXT, not the window title: an edit control keeps its text itself. Asked in UTF-16 across
// processes and given back in code page 932.
std::string controlText(HWND dialog, int id) {
    wchar_t wide[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 5000,
                        &length);
    char text[4096] = {};
    WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

bool waitControlText(HWND dialog, int id, const std::string& text, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    do {
        if (controlText(dialog, id) == text) return true;
        ulo_e2e::pause(50);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return false;
}

void click(HWND dialog, int id) {
    ulo_e2e::press(dialog, id);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    ulo_e2e::pause(100);
}

std::vector<std::string> registryValues(HKEY root, const std::string& rootName, const std::string& path) {
    std::vector<std::string> out;
    collectValues(root, rootName, path, &out);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> folderFiles(const std::string& folder) {
    std::vector<std::string> out;
    collectFiles(folder, &out);
    std::sort(out.begin(), out.end());
    return out;
}

bool readDefault(HKEY root, const std::string& path, std::string* text, DWORD* size) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char data[2048] = {};
    DWORD type = 0, dataSize = sizeof data - 1;
    const bool ok = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) ==
                        ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(key);
    if (ok) {
        text->assign(data);
        if (size != nullptr) *size = dataSize;
    }
    return ok;
}

bool writeDefault(HKEY root, const std::string& path, const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool ok = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

void deleteTree(HKEY root, const std::string& path) { RegDeleteTreeA(root, path.c_str()); RegDeleteKeyA(root, path.c_str()); }

bool readShortcut(const std::string& link, std::string* target, int* show) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    bool ok = SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (ok) {
        wchar_t wide[MAX_PATH * 2] = {};
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH * 2);
        ok = SUCCEEDED(file->Load(wide, STGM_READ));
        file->Release();
    }
    char path[MAX_PATH * 2] = {};
    if (ok) ok = SUCCEEDED(shellLink->GetPath(path, sizeof path, nullptr, 0)) && SUCCEEDED(shellLink->GetShowCmd(show));
    if (ok) target->assign(path);
    shellLink->Release();
    return ok;
}

std::string specialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return "";
    return path;
}

}  // namespace installer_e2e

// Carries out the replay plan of an install log (see LogReplay_win32.h).
#include "LogReplay_win32.h"

#include <cstdio>
#include <vector>

#include "InstallTexts.h"
#include "SjisPath.h"

namespace install_replay {

namespace {

using install_log::Action;
using install_log::Step;

HKEY rootKey(install_log::Root root) {
    switch (root) {
        case install_log::Root::LocalMachine: return HKEY_LOCAL_MACHINE;
        case install_log::Root::ClassesRoot: return HKEY_CLASSES_ROOT;
        case install_log::Root::CurrentUser: return HKEY_CURRENT_USER;
    }
    return HKEY_LOCAL_MACHINE;
}

bool isNotFound(DWORD status) { return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND; }

bool readWholeFile(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);  // a log is a few kilobytes
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes->empty() || (ReadFile(file, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &read, nullptr) &&
                                read == bytes->size());
    }
    CloseHandle(file);
    return ok;
}

class Replayer {
public:
    Replayer(HWND owner, const char* caption) : owner_(owner), caption_(caption) {}

    void run(const Step& step) {
        switch (step.action) {
            case Action::DeleteKey: deleteKey(step); break;
            case Action::RestoreDefault: restoreDefault(step); break;
            case Action::DeleteFile: deleteFile(step); break;
            case Action::RemoveFolder: removeFolder(step); break;
            case Action::Undefined: warn(format(install_text::kUndefinedCommand, step.shown)); break;
        }
    }

private:
    void warn(const std::string& text) { MessageBoxA(owner_, text.c_str(), caption_, MB_OK | MB_ICONWARNING); }

    // One key only: RegDeleteKeyA refuses a key that still has subkeys.
    void deleteKey(const Step& step) {
        const LONG status = RegDeleteKeyA(rootKey(step.root), step.key.c_str());
        if (status != ERROR_SUCCESS && !isNotFound(status) && step.reportFailure) {
            warn(format(install_text::kKeyDeleteFailed, step.shown, status));
        }
    }

    // Writes the previous value back only while the key still holds what setup wrote there: an
    // association another program made since stays.
    void restoreDefault(const Step& step) {
        HKEY key = nullptr;
        LONG status = RegOpenKeyExA(rootKey(step.root), step.key.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
        if (isNotFound(status)) return;
        if (status == ERROR_SUCCESS) {
            char current[1024] = {};
            DWORD type = 0, size = sizeof current - 1;
            const LONG read = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(current), &size);
            if (read == ERROR_SUCCESS && type == REG_SZ && install_log::stillOurs(step, current)) {
                status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(step.value.c_str()),
                                        static_cast<DWORD>(step.value.size() + 1));
            }
            RegCloseKey(key);
        }
        if (status != ERROR_SUCCESS) warn(format(install_text::kKeyUpdateFailed, step.shown, status));
    }

    void deleteFile(const Step& step) {
        if (!DeleteFileA(step.path.c_str()) && !isNotFound(GetLastError())) {
            warn(format(install_text::kFileDeleteFailed, step.path));
        }
    }

    void removeFolder(const Step& step) {
        if (!RemoveDirectoryA(step.path.c_str()) && !isNotFound(GetLastError())) {
            warn(format(install_text::kFolderDeleteFailed, step.path));
        }
    }

    HWND owner_;
    const char* caption_;
};

}  // namespace

std::string format(const char* pattern, const std::string& text, unsigned long code) {
    std::vector<char> buffer(text.size() + 1024);
    std::snprintf(buffer.data(), buffer.size(), pattern, text.c_str(), static_cast<unsigned>(code));
    return buffer.data();
}

bool replayLog(const std::string& logPath, const install_log::ReplayOptions& options, HWND owner,
               const char* caption) {
    std::string bytes;
    if (!readWholeFile(logPath, &bytes)) {
        MessageBoxA(owner, format(install_text::kCannotOpenLog, logPath).c_str(), caption, MB_OK | MB_ICONERROR);
        return false;
    }
    const std::string folder = sjis_path::parentFolder(logPath);
    Replayer replayer(owner, caption);
    for (const Step& step : install_log::planReplay(bytes, folder, options)) replayer.run(step);
    return true;
}

}  // namespace install_replay

// The installation steps (see Installer_win32.h).
#include "Installer_win32.h"

#include <objbase.h>
#include <shlobj.h>

#include <set>

#include "InstallLog.h"
#include "InstallPaths.h"
#include "InstallTexts.h"
#include "LogReplay_win32.h"
#include "Payload.h"
#include "SettingsStore.h"
#include "Shortcut_win32.h"
#include "SjisPath.h"

namespace installer {

namespace {

using install_log::Root;
using install_replay::format;

// The longest file type read from an extension's key.
constexpr DWORD kMaxTypeBytes = 310;

HKEY rootKey(Root root) {
    return root == Root::LocalMachine ? HKEY_LOCAL_MACHINE
                                      : root == Root::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool setDefault(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

// The default value of root\path as text of at most `limit` bytes; false when missing.
bool readDefault(Root root, const std::string& path, DWORD limit, std::string* text) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey(root), path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    char buffer[1024] = {};
    DWORD type = 0, size = limit;
    const bool ok = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                        ERROR_SUCCESS &&
                    (type == REG_SZ || type == REG_EXPAND_SZ);
    RegCloseKey(key);
    if (ok) text->assign(buffer, strnlen(buffer, size));
    return ok;
}

// The open log: every line is written and flushed right after its change, and written once.
class LogFile {
public:
    ~LogFile() { close(); }
    bool open(const std::string& path) {
        path_ = path;
        file_ = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE;
    }
    void close() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
    bool write(const std::string& line) {
        if (!written_.insert(line).second) return true;
        DWORD done = 0;
        return WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &done, nullptr) &&
               done == line.size() && FlushFileBuffers(file_);
    }
    const std::string& path() const { return path_; }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string path_;
    std::set<std::string> written_;
};

class Installation {
public:
    explicit Installation(const Request& request) : request_(request), folder_(request.folder) {}

    bool run() {
        if (!request_.previousLog.empty() && exists(request_.previousLog)) {
            install_log::ReplayOptions options;
            options.keepSettings = true;
            install_replay::replayLog(request_.previousLog, options, request_.owner, install_text::kSetupCaption);
        }
        if (!makeFolder() || !openLog() || !makeSubfolders() || !copyFiles() || !uninstallEntry() ||
            !startMenu() || !openWith() || !fileType()) {
            return false;
        }
        if (!runOptions()) return false;
        if (!contextMenus()) return false;
        if (!logKey(Root::CurrentUser, install_log::kSettingsKey)) return false;
        settings_store::ensureInstallFirstPhrase();
        log_.close();
        return true;
    }

private:
    // ---- messages ----
    void error(const std::string& text) { box(text, MB_OK | MB_ICONERROR); }
    bool ask(const std::string& text) { return box(text, MB_YESNO | MB_ICONQUESTION) == IDYES; }
    int box(const std::string& text, UINT flags) {
        return MessageBoxA(request_.owner, text.c_str(), install_text::kSetupCaption, flags);
    }

    // ---- the log ----
    // A line the reader would refuse is never written: the change it belongs to is not made.
    bool writeLine(bool formatted, const std::string& line) {
        if (formatted && log_.write(line)) return true;
        error(format(install_text::kLogWriteFailed, log_.path()));
        writeFailed_ = true;
        return false;
    }
    bool logFolder(const std::string& path) {
        std::string line;
        return writeLine(install_log::folderRecord(path, &line), line);
    }
    bool logFile(const std::string& path) {
        std::string line;
        return writeLine(install_log::fileRecord(path, &line), line);
    }
    bool logKey(Root root, const std::string& key) {
        std::string line;
        return writeLine(install_log::keyRecord(root, key, &line), line);
    }
    static bool fitsLog(const std::string& argument) {
        std::string line;
        return install_log::formatRecord("FD", argument, &line);
    }

    // ---- steps 3 to 5: folders and the log ----
    bool makeFolder() {
        const std::string shown = folder_.substr(0, folder_.size() - 1);
        if (exists(shown)) return ask(format(install_text::kFolderExists, shown));
        if (CreateDirectoryA(shown.c_str(), nullptr)) return createdFolder_ = true;
        if (!ask(format(install_text::kFolderMissing, shown))) return false;
        // Every missing folder along the path, from the one below the drive down.
        for (std::string::size_type i = 3; i < folder_.size(); ++i) {
            if (sjis_path::isLead(static_cast<unsigned char>(folder_[i]))) {
                ++i;  // the trail byte may be 5C
                continue;
            }
            if (folder_[i] != '\\') continue;
            const std::string part = folder_.substr(0, i);
            if (!CreateDirectoryA(part.c_str(), nullptr) && !isFolder(part)) {
                error(format(install_text::kFolderCreateFailed, part));
                return false;
            }
        }
        return createdFolder_ = true;
    }

    bool openLog() {
        const std::string path = folder_ + payload::kLogName;
        if (!fitsLog(path) || !log_.open(path)) {
            error(format(install_text::kLogCreateFailed, path));
            return false;
        }
        if (createdFolder_ && !logFolder(folder_.substr(0, folder_.size() - 1))) return false;
        return logFile(path);
    }

    bool makeSubfolders() {
        for (const char* name : {payload::kDtdFolder, payload::kKeywordFolder}) {
            const std::string path = folder_ + name;
            if (CreateDirectoryA(path.c_str(), nullptr)) {
                if (!logFolder(path)) return false;
            } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
                error(format(install_text::kSubfolderFailed, path));
                return false;
            }
        }
        return true;
    }

    // ---- step 6: the files, each copied under a temporary name and renamed ----
    bool copyFiles() {
        for (const std::string& name : packagedNames()) {
            const payload::File* entry = payload::find(name);
            const std::string target = folder_ + payload::subfolderPrefix(entry->folder) + entry->name;
            if (exists(target) && !ask(format(install_text::kFileExists, target))) continue;
            if (!copyOne(request_.sourceFolder + entry->name, target)) {
                if (!writeFailed_) error(format(install_text::kCopyFailed, target));
                return false;
            }
            if (!logFile(target)) return false;
        }
        return true;
    }

    bool copyOne(const std::string& source, const std::string& target) {
        if (!fitsLog(target)) return false;
        const std::string temporary = sjis_path::parentFolder(target) + "~" + sjis_path::lastComponent(target) + ".tmp";
        if (CopyFileA(source.c_str(), temporary.c_str(), FALSE) &&
            MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileA(temporary.c_str());
        return false;
    }

    // ---- step 7: the uninstall entry ----
    bool uninstallEntry() {
        HKEY key = nullptr;
        bool ok = RegCreateKeyExA(HKEY_LOCAL_MACHINE, install_log::kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr) == ERROR_SUCCESS;
        if (ok) {
            ok = setDefault(key, "DisplayName", payload::kFolderName) &&
                 setDefault(key, "UninstallString", install_paths::uninstallString(folder_));
            RegCloseKey(key);
        }
        if (ok) return logKey(Root::LocalMachine, install_log::kUninstallKey);
        error(install_text::kUninstallEntryFailed);
        return false;
    }

    // ---- steps 8 and 9: the Start menu ----
    bool startMenu() {
        char programs[MAX_PATH] = {};
        if (SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs) != S_OK &&
            SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs) != S_OK) {
            error(install_text::kStartMenuFailed);
            return false;
        }
        const std::string menu = sjis_path::withTrailingBackslash(programs) + payload::kFolderName;
        if (!CreateDirectoryA(menu.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            error(install_text::kStartMenuFailed);
            return false;
        }
        if (!logFolder(menu)) return false;
        return link(menu + "\\" + payload::kShortcutName, folder_ + payload::kProgramName, install_text::kStartMenuFailed) &&
               link(menu + "\\" + payload::kReadMeShortcutName, folder_ + payload::kReadMeName,
                    install_text::kStartMenuFailed);
    }

    bool link(const std::string& path, const std::string& target, const char* failure) {
        if (!fitsLog(path) || !shortcut::create(path, target)) {
            error(failure);
            return false;
        }
        return logFile(path);
    }

    // ---- registry keys, one level at a time, each logged right after it exists ----
    // Creates base + each level in turn ("" stands for base itself), logging each one; the last
    // key stays open in *last when asked for.
    bool createKeys(Root root, const std::string& base, std::initializer_list<const char*> levels, HKEY* last) {
        std::string path = base;
        std::size_t left = levels.size();
        for (const char* level : levels) {
            --left;
            if (*level != '\0') path += std::string("\\") + level;
            std::string line;
            if (!install_log::keyRecord(root, path, &line)) return false;
            HKEY key = nullptr;
            if (RegCreateKeyExA(rootKey(root), path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
                ERROR_SUCCESS) {
                return false;
            }
            if (!logKey(root, path)) {
                RegCloseKey(key);
                return false;
            }
            if (left == 0 && last != nullptr) {
                *last = key;
            } else {
                RegCloseKey(key);
            }
        }
        return true;
    }

    bool createKeyWithDefault(Root root, const std::string& base, std::initializer_list<const char*> levels,
                              const std::string& value) {
        HKEY key = nullptr;
        if (!createKeys(root, base, levels, &key)) return false;
        const bool ok = setDefault(key, nullptr, value);
        RegCloseKey(key);
        return ok;
    }

    // ---- step 10: the HTML editor's open-with entry ----
    bool openWith() {
        const bool ok = createKeys(Root::ClassesRoot, install_log::kOpenWithKey, {""}, nullptr) &&
                        createKeyWithDefault(Root::ClassesRoot, install_log::kApplicationKey,
                                             {"", "shell", "edit", "command"}, install_paths::commandText(folder_));
        if (!ok && !writeFailed_) error(install_text::kHtmlEditorFailed);
        return ok;
    }

    // ---- step 11: the file type ----
    bool fileType() {
        const std::string type = install_log::kFileType;
        const bool ok =
            createKeyWithDefault(Root::ClassesRoot, type, {""}, install_text::kFileTypeName) &&
            createKeyWithDefault(Root::ClassesRoot, type, {"shell", "open", "command"}, install_paths::commandText(folder_)) &&
            createKeyWithDefault(Root::ClassesRoot, type, {"DefaultIcon"}, folder_ + payload::kDocumentIconName);
        if (!ok && !writeFailed_) error(install_text::kFileTypeFailed);
        return ok;
    }

    // ---- step 12: the options; none fails the installation, only a failed log write does ----
    bool runOptions() {
        const Options& options = request_.options;
        if (options.sendTo && !optionalLink(CSIDL_SENDTO, install_text::kSendToFailed)) return false;
        if (options.cssFiles) associate(".css");
        if (options.textFiles && fileType()) associate(".txt");
        if (options.desktop && !optionalLink(CSIDL_DESKTOPDIRECTORY, install_text::kDesktopFailed)) return false;
        if (options.sourceViewer) sourceViewer();
        return !writeFailed_;
    }

    bool optionalLink(int folderId, const char* failure) {
        char path[MAX_PATH] = {};
        if (SHGetFolderPathA(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
            error(failure);
            return true;
        }
        const std::string link = sjis_path::withTrailingBackslash(path) + payload::kShortcutName;
        if (!fitsLog(link) || !shortcut::create(link, folder_ + payload::kProgramName)) {
            error(failure);
            return true;
        }
        return logFile(link);
    }

    // The extension's type becomes ours; the previous one is logged for the uninstaller.
    void associate(const char* extension) {
        std::string previous, line;
        HKEY key = nullptr;
        bool ok = readDefault(Root::ClassesRoot, extension, kMaxTypeBytes, &previous) &&
                  install_log::valueRecord(Root::ClassesRoot, extension, previous, &line) &&
                  RegOpenKeyExA(HKEY_CLASSES_ROOT, extension, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS;
        if (ok) {
            ok = setDefault(key, nullptr, install_log::kFileType);
            RegCloseKey(key);
        }
        if (!ok) {
            error(install_text::kAssociationFailed);
            return;
        }
        writeLine(true, line);
    }

    // The source viewer may be another program's: then its value is logged to be restored.
    void sourceViewer() {
        const std::string program = folder_ + payload::kProgramName;
        std::string previous, line;
        bool ok;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, install_log::kSourceViewerNameKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            readDefault(Root::LocalMachine, install_log::kSourceViewerNameKey, 1000, &previous);
            ok = install_log::valueRecord(Root::LocalMachine, install_log::kSourceViewerNameKey, previous, &line) &&
                 setDefault(key, nullptr, program);
            RegCloseKey(key);
            if (ok) writeLine(true, line);
        } else {
            HKEY parent = nullptr;
            DWORD disposition = 0;
            ok = RegCreateKeyExA(HKEY_LOCAL_MACHINE, install_log::kSourceViewerKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                 &parent, &disposition) == ERROR_SUCCESS;
            if (ok) {
                RegCloseKey(parent);
                if (disposition == REG_CREATED_NEW_KEY && !logKey(Root::LocalMachine, install_log::kSourceViewerKey)) return;
                ok = createKeyWithDefault(Root::LocalMachine, install_log::kSourceViewerNameKey, {""}, program);
            }
        }
        if (!ok && !writeFailed_) box(install_text::kSourceViewerFailed, MB_OK | MB_ICONWARNING);
    }

    // ---- step 13: "Quorvale Ulo で開く(&E)" on the types of .html, .htm and .css ----
    bool contextMenus() {
        for (const char* extension : {".html", ".htm", ".css"}) {
            std::string type;
            const bool ok = readDefault(Root::ClassesRoot, extension, kMaxTypeBytes, &type) && !type.empty() &&
                            createKeyWithDefault(Root::ClassesRoot, type + install_log::kEditVerb, {""},
                                                 install_text::kEditVerbName) &&
                            createKeyWithDefault(Root::ClassesRoot, type + install_log::kEditVerb, {"command"},
                                                 install_paths::commandText(folder_));
            if (writeFailed_) return false;
            if (!ok) error(install_text::kContextMenuFailed);
        }
        return true;
    }

    const Request& request_;
    const std::string folder_;
    LogFile log_;
    bool createdFolder_ = false;
    bool writeFailed_ = false;
};

}  // namespace

const std::vector<std::string>& packagedNames() {
    static const std::vector<std::string> names = {
#include "PayloadNames.inc"
    };
    return names;
}

bool install(const Request& request) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BrowserList browsers = BrowserList::empty();
    settings_store::loadBrowserList(&browsers);
    prepareBrowserListForInstall(&browsers, settings_store::systemBrowserInstallProbe());
    const bool ok = Installation(request).run();
    settings_store::saveBrowserList(browsers);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    if (SUCCEEDED(com)) CoUninitialize();
    return ok;
}

}  // namespace installer

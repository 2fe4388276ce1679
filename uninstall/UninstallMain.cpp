// uninstall.exe. Started from the installation folder it copies itself to the temporary folder,
// starts the copy with "*" and the log's path, and exits so that its own file can be deleted. The
// copy shows the dialog, replays the log and schedules its own deletion for the next restart.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "UloNames.h"
#include "InstallTexts.h"
#include "LogReplay_win32.h"
#include "Payload.h"
#include "SjisPath.h"
#include "UninstallDialog.h"

namespace {

using install_replay::format;

std::string ownPath() {
    char path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// The command line after the program's name (quoted or not) and the blanks after it.
std::string commandTail() {
    const char* p = GetCommandLineA();
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {}
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

bool editorRuns() { return FindWindowA(ulo_names::kMainWindowClass, nullptr) != nullptr; }

// Copies this program to "TEMP%u.exe" in the temporary folder under a name not yet taken. Empty
// when the user gave up (キャンセル on the failure message).
std::string copyToTemporaryFolder(const std::string& self) {
    char folder[MAX_PATH * 2] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    const std::string temp = length > 0 && length < sizeof folder ? sjis_path::withTrailingBackslash(folder) : "";
    std::srand(GetTickCount());
    for (;;) {
        char name[64];
        wsprintfA(name, "TEMP%u.exe", static_cast<unsigned>(std::rand()) * 32768u + static_cast<unsigned>(std::rand()));
        const std::string copy = temp + name;
        if (!temp.empty() && CopyFileA(self.c_str(), copy.c_str(), TRUE)) return copy;
        const DWORD error = GetLastError();
        if (!temp.empty() && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)) continue;
        const int answer = MessageBoxA(nullptr, format(install_text::kTempFolderFailed, temp).c_str(),
                                       install_text::kUninstallCaption, MB_OKCANCEL | MB_ICONERROR);
        if (answer != IDOK) return "";
    }
}

int normalStart() {
    if (editorRuns()) {
        MessageBoxA(nullptr, install_text::kUninstallEditorRunning, install_text::kUninstallCaption, MB_OK | MB_ICONERROR);
        return -1;
    }
    const std::string self = ownPath();
    const std::string logPath = sjis_path::parentFolder(self) + payload::kLogName;
    const std::string copy = copyToTemporaryFolder(self);
    if (copy.empty()) return 0;
    // The copy's path goes both as the application name and quoted on its command line: user
    // names (and so temporary folders) may hold blanks.
    std::string commandLine = "\"" + copy + "\" *" + logPath;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        MessageBoxA(nullptr, install_text::kStartCopyFailed, install_text::kUninstallCaption, MB_OK | MB_ICONERROR);
        DeleteFileA(copy.c_str());
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}

int temporaryCopy(HINSTANCE instance, const std::string& logPath) {
    uninstall_ui::runDialog(instance, logPath);
    // 64-bit Windows only knows the delayed delete; there is no older way worth taking (an entry
    // in WININIT.INI would never be read and the file would stay while success was reported).
    const std::string self = ownPath();
    if (!MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        MessageBoxA(nullptr, format(install_text::kTempDeleteFailed, self).c_str(), install_text::kUninstallCaption,
                    MB_OK | MB_ICONINFORMATION);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string tail = commandTail();
    if (!tail.empty() && tail[0] == '*') return temporaryCopy(instance, tail.substr(1));
    return normalStart();
}

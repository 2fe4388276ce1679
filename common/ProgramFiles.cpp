// ProgramFiles: the program's folder from the module file name.
#include "ProgramFiles.h"

#include <vector>

std::string programFolder() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD got = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) return "";
        if (got < path.size()) break;
        path.resize(path.size() * 2);
    }
    // The last backslash that is a character of its own, not a trail byte ("表" is 95 5C).
    size_t cut = 0;
    for (size_t i = 0; path[i];) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && path[i + 1]) {
            i += 2;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/') cut = i + 1;
        ++i;
    }
    return std::string(path.data(), cut);
}

std::string programFile(const char* name) { return programFolder() + name; }

bool startProcess(const char* application, std::string commandLine, DWORD* processId, HANDLE* process) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    if (processId) *processId = pi.dwProcessId;
    if (process) *process = pi.hProcess;
    else CloseHandle(pi.hProcess);
    return true;
}

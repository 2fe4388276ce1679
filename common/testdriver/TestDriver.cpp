// TestDriver: processes, windows, message boxes and files for the end-to-end tests.
#include "TestDriver.h"

#include <cstring>

namespace ulo_e2e {

namespace {

struct Started {
    HANDLE process;
    DWORD pid;
};

std::vector<Started>& startedProcesses() {
    static std::vector<Started> list;
    return list;
}

bool timeLeft(DWORD end) { return static_cast<int>(end - GetTickCount()) > 0; }

}  // namespace

std::string sjis(const wchar_t* text) {
    int n = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text, -1, &bytes[0], n, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(n - 1));
    return bytes;
}

void pause(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(20);
    } while (timeLeft(end));
}

std::string pathBeside(const char* fileName) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    std::string folder = slash ? std::string(path, static_cast<size_t>(slash + 1 - path)) : std::string();
    return folder + fileName;
}

std::string workFolder(const char* name) {
    char temp[MAX_PATH], longForm[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    if (GetLongPathNameA(folder.c_str(), longForm, MAX_PATH)) folder = longForm;
    return folder + "\\";
}

std::string className(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string windowTitle(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DWORD processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> topWindows(const std::function<bool(HWND)>& test) {
    struct Context {
        const std::function<bool(HWND)>* test;
        std::vector<HWND> found;
    } context{&test, {}};
    EnumWindows(
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Context*>(l);
            if ((*c->test)(w)) c->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

std::vector<HWND> windowsOfClass(const char* windowClass) {
    return topWindows([windowClass](HWND w) { return className(w) == windowClass; });
}

HWND windowOf(DWORD pid, const char* windowClass) {
    for (HWND w : windowsOfClass(windowClass))
        if (processOf(w) == pid) return w;
    return nullptr;
}

HWND findChildById(HWND parent, int id) {
    struct Context {
        int id;
        HWND found;
    } context{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Context*>(l);
            if (GetDlgCtrlID(w) != c->id) return TRUE;
            c->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND waitWindow(DWORD pid, const std::function<bool(HWND)>& test, DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    do {
        auto found = topWindows([&](HWND w) { return processOf(w) == pid && IsWindowVisible(w) && test(w); });
        if (!found.empty()) return found[0];
        pause(50);
    } while (timeLeft(end));
    return nullptr;
}

Program startProgram(const std::string& path, const std::string& tail, const char* windowClass, DWORD timeoutMs) {
    Program program;
    std::string line = "\"" + path + "\"" + (tail.empty() ? "" : " " + tail);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return program;
    CloseHandle(pi.hThread);
    program.pid = pi.dwProcessId;
    program.process = pi.hProcess;
    startedProcesses().push_back({pi.hProcess, pi.dwProcessId});
    if (!windowClass) return program;
    DWORD end = GetTickCount() + timeoutMs;
    while (timeLeft(end)) {
        HWND w = windowOf(program.pid, windowClass);
        if (w && IsWindowVisible(w)) {
            program.window = w;
            break;
        }
        if (WaitForSingleObject(program.process, 0) == WAIT_OBJECT_0) break;
        pause(50);
    }
    return program;
}

DWORD waitExit(const Program& program, DWORD timeoutMs) {
    if (!program.process) return 0;
    WaitForSingleObject(program.process, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program.process, &code);
    return code;
}

bool startedHere(DWORD pid) {
    for (const Started& s : startedProcesses())
        if (s.pid == pid) return true;
    return false;
}

void endStartedProcesses(DWORD graceMs) {
    for (const Started& s : startedProcesses()) {
        if (WaitForSingleObject(s.process, graceMs) != WAIT_OBJECT_0) TerminateProcess(s.process, 1);
        CloseHandle(s.process);
    }
    startedProcesses().clear();
}

HWND waitDialog(DWORD pid, const char* caption, DWORD timeoutMs) {
    HWND box = waitWindow(
        pid, [caption](HWND w) { return className(w) == "#32770" && windowTitle(w) == caption; }, timeoutMs);
    if (box) pause(100);  // its controls and text
    return box;
}

std::string messageText(HWND box) {
    std::string longest;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM l) -> BOOL {
            if (className(w) != "Static") return TRUE;
            std::string text = windowTitle(w);
            auto* best = reinterpret_cast<std::string*>(l);
            if (text.size() > best->size()) *best = text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&longest));
    return longest;
}

void press(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

std::string answerDialog(DWORD pid, const char* caption, int buttonId, DWORD timeoutMs) {
    HWND box = waitDialog(pid, caption, timeoutMs);
    if (!box) return std::string();
    std::string text = messageText(box);
    press(box, buttonId);
    // The box must be gone before the next wait: without a window manager Wine takes up to two
    // seconds to withdraw it, and a later wait would find this box still there.
    DWORD end = GetTickCount() + 5000;
    while (IsWindow(box) && timeLeft(end)) pause(50);
    pause(100);
    return text;
}

std::string readFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string("<missing>");
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n) bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

}  // namespace ulo_e2e

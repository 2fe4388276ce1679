// UloDriver: the end-to-end tests' handle on running editor processes.
#include "UloDriver.h"

#include <commctrl.h>

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

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

template <typename Test>
std::vector<HWND> topWindows(Test test) {
    struct Context {
        Test* test;
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

HWND findChildById(HWND parent, int id) {
    struct Context {
        int id;
        HWND found;
    } context{id, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Context*>(l);
            if (GetDlgCtrlID(w) == c->id) {
                c->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

}  // namespace

std::string sjis(const wchar_t* text) {
    char buffer[4096];
    int n = WideCharToMultiByte(932, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n - 1)) : std::string();
}

void pause(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(20);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

std::string programPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    std::strcpy(slash + 1, "ulo.exe");
    return path;
}

std::string workFolder() {
    char temp[MAX_PATH], longForm[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "ulo_e2e";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (GetLongPathNameA(folder.c_str(), longForm, MAX_PATH)) folder = longForm;
    return folder + "\\";
}

HWND mainWindowOf(DWORD pid) {
    for (HWND w : mainWindows())
        if (processOf(w) == pid) return w;
    return nullptr;
}

std::vector<HWND> mainWindows() {
    return topWindows([](HWND w) { return className(w) == "QuorvaleUloMainWindowClass"; });
}

Editor start(const std::string& tail, DWORD timeoutMs) {
    Editor editor;
    std::string line = "\"" + programPath() + "\"" + (tail.empty() ? "" : " " + tail);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return editor;
    CloseHandle(pi.hThread);
    editor.pid = pi.dwProcessId;
    editor.process = pi.hProcess;
    startedProcesses().push_back({pi.hProcess, pi.dwProcessId});
    DWORD end = GetTickCount() + timeoutMs;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        HWND w = mainWindowOf(editor.pid);
        if (w && IsWindowVisible(w)) {
            editor.window = w;
            pause(300);  // the announce exchange and the first paint
            break;
        }
        if (WaitForSingleObject(editor.process, 0) == WAIT_OBJECT_0) break;
        pause(50);
    }
    return editor;
}

DWORD waitExit(const Editor& editor, DWORD timeoutMs) {
    if (!editor.process) return 0;
    WaitForSingleObject(editor.process, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(editor.process, &code);
    return code;
}

HWND waitMessageBox(DWORD pid, DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    do {
        auto boxes = topWindows([pid](HWND w) {
            return processOf(w) == pid && className(w) == "#32770" && IsWindowVisible(w) &&
                   windowTitle(w) == "Quorvale Ulo";
        });
        if (!boxes.empty()) {
            pause(100);
            return boxes[0];
        }
        pause(50);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return nullptr;
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

std::string answer(DWORD pid, int buttonId, DWORD timeoutMs) {
    HWND box = waitMessageBox(pid, timeoutMs);
    if (!box) return std::string();
    std::string text = messageText(box);
    press(box, buttonId);
    // The box must be gone before the next wait: without a window manager Wine takes up to two
    // seconds to withdraw it, and a later wait would find this box still there.
    DWORD end = GetTickCount() + 5000;
    while (IsWindow(box) && static_cast<int>(end - GetTickCount()) > 0) pause(50);
    pause(100);
    return text;
}

namespace {

// Runs a file dialog of the editor (command 21001 or 21004) with the added choices.
bool fileDialogWith(const Editor& editor, UINT command, int encodingIndex, int lineEndIndex, const std::string& path) {
    PostMessageA(editor.window, WM_COMMAND, command, 0);
    HWND dialog = nullptr, encoding = nullptr;
    DWORD end = GetTickCount() + 10000;
    while (!encoding && static_cast<int>(end - GetTickCount()) > 0) {
        pause(100);
        for (HWND w : topWindows([&](HWND w) { return processOf(w) == editor.pid && className(w) == "#32770"; })) {
            HWND combo = findChildById(w, 10000);
            if (combo) {
                dialog = w;
                encoding = combo;
            }
        }
    }
    if (!encoding) return false;
    pause(300);
    auto choose = [](HWND combo, int id, int index) {
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    };
    choose(encoding, 10000, encodingIndex);
    HWND lineEnd = findChildById(dialog, 10001);
    if (lineEnd) choose(lineEnd, 10001, lineEndIndex);
    HWND name = findChildById(dialog, 0x47c);  // the file-name box
    if (!name) name = findChildById(dialog, 0x480);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    HWND ok = GetDlgItem(dialog, IDOK);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) pause(50);
    pause(300);
    return !IsWindow(dialog);
}

}  // namespace

bool saveAsWith(const Editor& editor, int encodingIndex, int lineEndIndex, const std::string& path) {
    return fileDialogWith(editor, 21004, encodingIndex, lineEndIndex, path);
}

bool openWith(const Editor& editor, int encodingIndex, const std::string& path) {
    return fileDialogWith(editor, 21001, encodingIndex, 0, path);
}

namespace {

// The tabs of the window's tab bar in tab order: their windows and names (read from the tooltips).
void readTabs(HWND mainWindow, std::vector<HWND>* windows, std::vector<std::string>* names) {
    HWND bar = FindWindowExA(mainWindow, nullptr, "QuorvaleTabBar", nullptr);
    if (!bar) return;
    InvalidateRect(bar, nullptr, FALSE);
    pause(300);
    DWORD pid = processOf(mainWindow);
    // The tooltip windows are owned by the main window; the tab bar's tools name the bar.
    auto tips = topWindows([&](HWND w) { return GetWindow(w, GW_OWNER) == mainWindow && className(w) == TOOLTIPS_CLASSA; });
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return;
    void* remote = VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    for (HWND tip : tips) {
        int count = static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count && remote; ++i) {
            TOOLINFOA info{};
            info.cbSize = sizeof info;
            info.lpszText = reinterpret_cast<char*>(remote) + 1024;
            SIZE_T done = 0;
            WriteProcessMemory(process, remote, &info, sizeof info, &done);
            char empty = 0;
            WriteProcessMemory(process, info.lpszText, &empty, 1, &done);
            if (!SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote))) break;
            ReadProcessMemory(process, remote, &info, sizeof info, &done);
            if (info.hwnd != bar) continue;
            if (windows) windows->push_back(reinterpret_cast<HWND>(info.uId));
            if (names) {
                char text[1024] = {};
                ReadProcessMemory(process, reinterpret_cast<char*>(remote) + 1024, text, sizeof text - 1, &done);
                names->push_back(text);
            }
        }
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
}

}  // namespace

std::vector<HWND> tabOrder(HWND mainWindow) {
    std::vector<HWND> order;
    readTabs(mainWindow, &order, nullptr);
    return order;
}

std::vector<std::string> tabNames(HWND mainWindow) {
    std::vector<std::string> names;
    readTabs(mainWindow, nullptr, &names);
    return names;
}

std::string windowTitle(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
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
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

void closeEverything() {
    for (int round = 0; round < 20; ++round) {
        auto windows = mainWindows();
        if (windows.empty()) break;
        for (HWND w : windows) PostMessageA(w, WM_CLOSE, 0, 0);
        pause(300);
        auto ours = [](HWND w) {
            for (const Started& s : startedProcesses())
                if (s.pid == processOf(w)) return className(w) == "#32770" && IsWindowVisible(w);
            return false;
        };
        for (HWND box : topWindows(ours)) {
            press(box, IDNO);
            press(box, IDOK);
        }
        pause(200);
    }
    for (const Started& s : startedProcesses()) {
        if (WaitForSingleObject(s.process, 3000) != WAIT_OBJECT_0) TerminateProcess(s.process, 1);
        CloseHandle(s.process);
    }
    startedProcesses().clear();
}

}  // namespace ulo_e2e

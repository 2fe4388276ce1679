// UloDriver: the end-to-end tests' handle on running editor processes.
#include "UloDriver.h"

#include <commctrl.h>

#include "UloNames.h"

namespace ulo_e2e {

std::string programPath() { return pathBeside("ulo.exe"); }

std::vector<HWND> mainWindows() { return windowsOfClass(ulo_names::kMainWindowClass); }

HWND mainWindowOf(DWORD pid) { return windowOf(pid, ulo_names::kMainWindowClass); }

Editor start(const std::string& tail, DWORD timeoutMs) {
    Editor editor = startProgram(programPath(), tail, ulo_names::kMainWindowClass, timeoutMs);
    if (editor.window) pause(300);  // the announce exchange and the first paint
    return editor;
}

HWND waitMessageBox(DWORD pid, DWORD timeoutMs) { return waitDialog(pid, ulo_names::kEditorCaption, timeoutMs); }

std::string answer(DWORD pid, int buttonId, DWORD timeoutMs) {
    return answerDialog(pid, ulo_names::kEditorCaption, buttonId, timeoutMs);
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

namespace {

// The companion programs an editor may start (settings, browser registration, phrase editor):
// they are not started by the test, so they are ended by their window's caption.
void endCompanions() {
    static const char* const kCaptions[] = {
        "Quorvale Ulo \x8b\x4e\x93\xae\x8e\x9e\x82\xcc\x90\xdd\x92\xe8",          // 起動時の設定
        "\x83\x75\x83\x89\x83\x45\x83\x55\x8f\xee\x95\xf1\x82\xcc\x90\xdd\x92\xe8",  // ブラウザ情報の設定
        "Quorvale Ulo \x92\xe8\x8c\x5e\x8b\xe5\x82\xcc\x95\xd2\x8f\x57",          // 定型句の編集
    };
    auto companion = [](HWND w) {
        const std::string title = windowTitle(w);
        for (const char* caption : kCaptions)
            if (title == caption) return true;
        return false;
    };
    for (HWND w : topWindows(companion)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processOf(w));
        if (!process) continue;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

}  // namespace

void closeEverything() {
    endCompanions();
    for (int round = 0; round < 20; ++round) {
        auto windows = mainWindows();
        if (windows.empty()) break;
        for (HWND w : windows) PostMessageA(w, WM_CLOSE, 0, 0);
        pause(300);
        auto ours = [](HWND w) { return startedHere(processOf(w)) && className(w) == "#32770" && IsWindowVisible(w); };
        for (HWND box : topWindows(ours)) {
            press(box, IDNO);
            press(box, IDOK);
        }
        pause(200);
    }
    endStartedProcesses();
}

}  // namespace ulo_e2e

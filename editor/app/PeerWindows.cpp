// PeerWindows: window messages, atoms, window enumeration and editor processes for the peer table.
#include "PeerWindows.h"

#include <shlobj.h>

#include <cstring>

#include "CommandLine.h"
#include "DocumentState.h"
#include "FrameTexts.h"
#include "ProgramFiles.h"

using namespace frame_msg;

intptr_t Win32PeerPort::send(PeerWindow to, uint32_t code, PeerWindow about) {
    return SendMessageA(static_cast<HWND>(to), WM_FRAME_PEER, code, reinterpret_cast<LPARAM>(about));
}

void Win32PeerPort::post(PeerWindow to, uint32_t code, PeerWindow about) {
    PostMessageA(static_cast<HWND>(to), WM_FRAME_PEER, code, reinterpret_cast<LPARAM>(about));
}

PeerAtom Win32PeerPort::addAtom(const char* text) { return GlobalAddAtomA(text); }

void Win32PeerPort::deleteAtom(PeerAtom atom) { GlobalDeleteAtom(atom); }

std::string Win32PeerPort::atomText(PeerAtom atom) {
    char text[DocumentState::kPathSize] = {};
    GlobalGetAtomNameA(atom, text, DocumentState::kPathSize - 1);
    return text;
}

void Win32PeerPort::activate(PeerWindow window) { peer_windows::activate(static_cast<HWND>(window)); }

namespace peer_windows {

namespace {

struct FindByProcess {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findByProcess(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<FindByProcess*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && isEditorMainWindow(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool isEditorMainWindow(HWND window) {
    char name[32] = {};
    int n = GetClassNameA(window, name, sizeof name);
    return n == static_cast<int>(sizeof kMainWindowClass - 1) && std::strcmp(name, kMainWindowClass) == 0;
}

void collect(PeerTable& table) {
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            if (!isEditorMainWindow(window)) return TRUE;
            return reinterpret_cast<PeerTable*>(lParam)->collect(window) ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&table));
}

void closeAllEditors() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            if (!isEditorMainWindow(window)) return TRUE;
            return SendMessageA(window, WM_CLOSE, 0, 0) == 0;
        },
        0);
}

void activate(HWND window) {
    if (!window) return;
    SetForegroundWindow(window);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
}

std::string longPath(const std::string& path) {
    constexpr size_t kSize = DocumentState::kPathSize;
    char out[kSize] = {};
    using GetLong = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    auto getLong = reinterpret_cast<GetLong>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.DLL"), "GetLongPathNameA")));
    if (getLong) {
        DWORD n = getLong(path.c_str(), out, sizeof out - 1);
        if (n > 0 && n < sizeof out - 1) return out;
        return path;
    }
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return path;
    WCHAR wide[kSize];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, kSize);
    LPITEMIDLIST list = nullptr;
    std::string result = path;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list, nullptr)) && list) {
        if (SHGetPathFromIDListA(list, out) && out[0]) result = out;
        CoTaskMemFree(list);
    }
    desktop->Release();
    return result;
}

void startChain(const std::string& remainder) { startProcess(nullptr, "ulo.exe " + remainder); }

bool openInNewWindow(HWND owner, const char* file, int encoding, int documentType) {
    std::string token;
    DWORD pid = 0;
    HANDLE process = nullptr;
    std::string path = file ? file : "";
    bool started = programToken(GetCommandLineA(), &token) &&
                   startProcess(nullptr, newWindowCommandLine(token, file ? &path : nullptr, encoding), &pid,
                                file ? nullptr : &process);
    if (!started) {
        MessageBoxA(owner, ulo_text::kNewWindowFailed, ulo_text::kAppName, MB_ICONERROR);
        return false;
    }
    if (file) return true;
    if (WaitForInputIdle(process, 10000) == 0) {
        FindByProcess search{pid, nullptr};
        EnumWindows(findByProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) SendMessageA(search.found, WM_COMMAND, static_cast<WPARAM>(documentType), 0);
    }
    CloseHandle(process);
    return true;
}

}  // namespace peer_windows

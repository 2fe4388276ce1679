// MainFrame: start-up under the init semaphore, the peer table and the peer protocol between
// editor processes, new windows as new processes, window cycling, closing all editors and the
// message loop.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "FrameTexts.h"
#include "MainFrame.h"
#include "PeerOrder.h"
#include "QuorvaleMessages.h"
#include "SemaphoreGuard.h"
#include "SettingsNames.h"
#include "TabBarConstants.h"
#include "UloResource.h"

using namespace frame_msg;

namespace {

bool isMainWindow(HWND window) {
    char name[32] = {};
    int n = GetClassNameA(window, name, sizeof name);
    return n == static_cast<int>(sizeof kMainWindowClass - 1) && std::strcmp(name, kMainWindowClass) == 0;
}

// The long form of a path (at most 510 bytes); the path unchanged when that yields nothing.
std::string longPath(const std::string& path) {
    char out[MainFrame::kPathSize] = {};
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
    WCHAR wide[MainFrame::kPathSize];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MainFrame::kPathSize);
    LPITEMIDLIST list = nullptr;
    std::string result = path;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list, nullptr)) && list) {
        if (SHGetPathFromIDListA(list, out) && out[0]) result = out;
        CoTaskMemFree(list);
    }
    desktop->Release();
    return result;
}

bool startProcess(std::string commandLine, DWORD* processId, HANDLE* process) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    if (processId) *processId = pi.dwProcessId;
    if (process) *process = pi.hProcess;
    else CloseHandle(pi.hProcess);
    return true;
}

struct FindByProcess {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findByProcess(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<FindByProcess*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && isMainWindow(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool MainFrame::startUp(HINSTANCE instance, const char* tail, int showCommand) {
    instance_ = instance;
    CommandLine line = CommandLine::parse(tail ? tail : "");
    if (line.hasRemainder) startChain(line.remainder);
    std::string file = line.path.empty() ? std::string() : longPath(line.path);
    int type = line.html ? CMD_DOCTYPE_HTML401T : CMD_DOCTYPE_PLAIN;

    // Held from the peer enumeration to the end of the announce exchange; when the file cannot
    // be loaded it is released before the window is destroyed.
    SemaphoreGuard guard(settings_names::kInitSemaphore);
    if (!guard.held()) return false;
    findPeers();
    if (!file.empty() && alreadyOpen(file.c_str())) return false;
    if (!createMainWindow(type)) return false;
    ShowWindow(mainWindow_, showCommand);
    UpdateWindow(mainWindow_);
    SetForegroundWindow(mainWindow_);
    if (!file.empty() && !load(file.c_str(), line.encoding)) {
        guard.release();
        DestroyWindow(mainWindow_);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}  // drops the WM_QUIT of the shutdown
        return false;
    }
    SendMessageA(mainWindow_, WM_FRAME_PEER, PEER_ANNOUNCE, 0);
    return true;
}

void MainFrame::startChain(const std::string& remainder) {
    startProcess("ulo.exe " + remainder, nullptr, nullptr);  // a failure is dropped silently
}

int MainFrame::run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd && msg.hwnd == editorWindow_ && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
            if (translateKey(msg)) continue;
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            HWND searchEdit = searchBox_ ? GetWindow(searchBox_, GW_CHILD) : nullptr;
            if (!searchEdit || msg.hwnd != searchEdit) escapeAction();
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void MainFrame::findPeers() {
    struct Context {
        MainFrame* frame;
    } context{this};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            MainFrame* frame = reinterpret_cast<Context*>(lParam)->frame;
            if (!isMainWindow(window)) return TRUE;
            if (frame->peerCount_ > kMaxPeers - 1) return FALSE;
            ATOM atom = static_cast<ATOM>(SendMessageA(window, WM_FRAME_PEER, PEER_QUERY_ATOM, 0));
            frame->peerTable_[frame->peerCount_++] = {window, atom};
            return frame->peerCount_ < kMaxPeers;
        },
        reinterpret_cast<LPARAM>(&context));
}

void MainFrame::activateWindow(HWND window) {
    if (!window) return;
    SetForegroundWindow(window);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
}

bool MainFrame::alreadyOpen(const char* file) {
    if (!file || !file[0]) return false;
    ATOM atom = GlobalAddAtomA(file);
    if (!atom) return false;
    bool found = false;
    for (int i = 0; i < peerCount_; ++i) {
        if (peerTable_[i].atom == atom && peerTable_[i].window != mainWindow_) {
            activateWindow(peerTable_[i].window);
            found = true;
            break;
        }
    }
    GlobalDeleteAtom(atom);
    return found;
}

std::string MainFrame::atomText(ATOM atom) const {
    if (!atom) return ulo_text::kUntitled;
    char text[kPathSize] = {};
    GlobalGetAtomNameA(atom, text, kPathSize - 1);
    return text;
}

void MainFrame::addPeerTab(const Peer& peer, bool own) {
    if (own) {
        tabBar_.add(path_[0] ? path_ : ulo_text::kUntitled, bars::kTabClickCommand, peer.window, bars::kTabOwn,
                    tabIcon_, bars::kOwnTabIconWidth, tabIconInactive_);
    } else {
        tabBar_.add(atomText(peer.atom).c_str(), bars::kTabClickCommand, peer.window, 0, nullptr, 0, nullptr);
    }
}

void MainFrame::announce() {
    std::vector<Peer> peers(peerTable_, peerTable_ + peerCount_);
    std::vector<int32_t> answers;
    for (const Peer& p : peers)
        answers.push_back(static_cast<int32_t>(
            SendMessageA(p.window, WM_FRAME_PEER, PEER_ARRIVED, reinterpret_cast<LPARAM>(mainWindow_))));
    ownSequence_ = nextSequence(answers);
    sortByAnswers(peers, answers);
    for (size_t i = 0; i < peers.size(); ++i) {
        peerTable_[i] = peers[i];
        addPeerTab(peers[i], false);
    }
    if (peerCount_ <= kMaxPeers - 1) {
        peerTable_[peerCount_++] = {mainWindow_, 0};
        addPeerTab(peerTable_[peerCount_ - 1], true);
    }
    tabBar_.repaint();
}

LRESULT MainFrame::peerMessage(WPARAM wParam, LPARAM lParam) {
    HWND other = reinterpret_cast<HWND>(lParam);
    switch (LOWORD(wParam)) {
    case PEER_ANNOUNCE: announce(); return 0;
    case PEER_ARRIVED:
        if (peerCount_ < kMaxPeers) {
            ATOM atom = static_cast<ATOM>(SendMessageA(other, WM_FRAME_PEER, PEER_QUERY_ATOM, 0));
            peerTable_[peerCount_++] = {other, atom};
            addPeerTab(peerTable_[peerCount_ - 1], false);
            tabBar_.repaint();
        }
        return ownSequence_;
    case PEER_GONE:
        for (int i = 0; i < peerCount_; ++i) {
            if (peerTable_[i].window != other) continue;
            std::memmove(&peerTable_[i], &peerTable_[i + 1], sizeof(Peer) * (peerCount_ - i - 1));
            --peerCount_;
            tabBar_.remove(other);
            tabBar_.repaint();
            break;
        }
        return 0;
    case PEER_PATH_CHANGED: {
        ATOM atom = static_cast<ATOM>(SendMessageA(other, WM_FRAME_PEER, PEER_QUERY_ATOM, 0));
        tabBar_.rename(other, atomText(atom).c_str());
        tabBar_.repaint();
        return 0;
    }
    case PEER_QUERY_ATOM:
        if (!path_[0]) return 0;
        if (!ownAtom_) ownAtom_ = GlobalAddAtomA(path_);
        return ownAtom_;
    default: return 0;
    }
}

void MainFrame::pathChanged() {
    if (ownAtom_) {
        GlobalDeleteAtom(ownAtom_);
        ownAtom_ = 0;
    }
    if (ownSequence_ == 0 || !mainWindow_) return;
    for (int i = 0; i < peerCount_; ++i)
        PostMessageA(peerTable_[i].window, WM_FRAME_PEER, PEER_PATH_CHANGED, reinterpret_cast<LPARAM>(mainWindow_));
}

void MainFrame::announceDeparture() {
    for (int i = 0; i < peerCount_; ++i)
        if (peerTable_[i].window != mainWindow_)
            PostMessageA(peerTable_[i].window, WM_FRAME_PEER, PEER_GONE, reinterpret_cast<LPARAM>(mainWindow_));
}

bool MainFrame::openInNewWindow(const char* file, int encoding) {
    std::string token;
    DWORD pid = 0;
    HANDLE process = nullptr;
    std::string path = file ? file : "";
    bool started = programToken(GetCommandLineA(), &token) &&
                   startProcess(newWindowCommandLine(token, file ? &path : nullptr, encoding), &pid,
                                file ? nullptr : &process);
    if (!started) {
        MessageBoxA(mainWindow_, ulo_text::kNewWindowFailed, ulo_text::kAppName, MB_ICONERROR);
        return false;
    }
    if (file) return true;
    if (WaitForInputIdle(process, 10000) == 0) {
        FindByProcess search{pid, nullptr};
        EnumWindows(findByProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) SendMessageA(search.found, WM_COMMAND, static_cast<WPARAM>(documentType_), 0);
    }
    CloseHandle(process);
    return true;
}

void MainFrame::cycleWindow(bool next) {
    if (peerCount_ < 2) return;
    int own = -1;
    for (int i = 0; i < peerCount_; ++i)
        if (peerTable_[i].window == mainWindow_) own = i;
    int target;
    if (next) target = (own < 0 || own == peerCount_ - 1) ? 0 : own + 1;
    else target = own <= 0 ? peerCount_ - 1 : own - 1;
    activateWindow(peerTable_[target].window);
}

void MainFrame::closeAllEditors() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            if (!isMainWindow(window)) return TRUE;
            return SendMessageA(window, WM_CLOSE, 0, 0) == 0;
        },
        0);
}

// The temporary copy's dialog (see UninstallDialog.h).
#include "UninstallDialog.h"

#include <shlobj.h>

#include "InstallTexts.h"
#include "LogReplay_win32.h"
#include "UninstallResource.h"

namespace uninstall_ui {

namespace {

constexpr UINT WM_REPLAY_DONE = WM_APP + 1;  // wParam: 1 when the log could be read

enum class State { Asking, Replaying, Done };

struct Dialog {
    std::string logPath;
    State state = State::Asking;
    HANDLE worker = nullptr;
};

DWORD WINAPI replayThread(void* parameter) {
    HWND dialog = static_cast<HWND>(parameter);
    const Dialog* self = reinterpret_cast<const Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    const bool ok = install_replay::replayLog(self->logPath, {}, dialog, install_text::kUninstallCaption);
    // The file types and verbs are gone: the shell drops what it cached of them.
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    PostMessageA(dialog, WM_REPLAY_DONE, ok ? 1 : 0, 0);
    return 0;
}

void start(HWND dialog, Dialog* self) {
    self->state = State::Replaying;
    SetDlgItemTextA(dialog, IDC_UNINSTALL_MESSAGE, install_text::kUninstalling);
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
    self->worker = CreateThread(nullptr, 0, replayThread, dialog, 0, nullptr);
    if (self->worker == nullptr) PostMessageA(dialog, WM_REPLAY_DONE, 0, 0);
}

void finish(HWND dialog, Dialog* self, bool ok) {
    if (self->worker != nullptr) {
        WaitForSingleObject(self->worker, INFINITE);  // it has posted its last message
        CloseHandle(self->worker);
        self->worker = nullptr;
    }
    self->state = State::Done;
    SetDlgItemTextA(dialog, IDC_UNINSTALL_MESSAGE, ok ? install_text::kUninstallDone : install_text::kUninstallFailed);
    SetDlgItemTextA(dialog, IDOK, install_text::kUninstallClose);
    EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    SetFocus(GetDlgItem(dialog, IDOK));
}

void command(HWND dialog, Dialog* self, int id) {
    if (self->state == State::Replaying) return;  // Esc and closing wait for the worker
    if (id == IDOK && self->state == State::Asking) {
        start(dialog, self);
    } else if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, 0);
    }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetWindowTextA(dialog, install_text::kUninstallCaption);
            SetDlgItemTextA(dialog, IDC_UNINSTALL_MESSAGE, install_text::kUninstallPrompt);
            SetDlgItemTextA(dialog, IDOK, install_text::kUninstallButton);
            SetDlgItemTextA(dialog, IDCANCEL, install_text::kCancel);
            return TRUE;
        case WM_COMMAND:
            if (self != nullptr) command(dialog, self, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            if (self != nullptr && self->state != State::Replaying) EndDialog(dialog, 0);
            return TRUE;
        case WM_REPLAY_DONE:
            if (self != nullptr) finish(dialog, self, wParam != 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void runDialog(HINSTANCE instance, const std::string& logPath) {
    Dialog self;
    self.logPath = logPath;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_UNINSTALL), nullptr, dialogProc, reinterpret_cast<LPARAM>(&self));
}

}  // namespace uninstall_ui

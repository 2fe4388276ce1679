// The installer's wizard (see SetupWizard.h).
#include "SetupWizard.h"

#include <shlobj.h>

#include "UloNames.h"
#include "InstallPaths.h"
#include "InstallTexts.h"
#include "Installer_win32.h"
#include "SetupResource.h"
#include "SjisPath.h"

namespace setup_ui {

namespace {

constexpr UINT WM_INSTALL_DONE = WM_APP + 1;  // wParam: 1 when the installation completed

enum class Page { Folder, Options, Confirm, Installing, End };

constexpr int kFolderControls[] = {IDC_SETUP_NOTE, IDC_SETUP_FOLDER_LABEL, IDC_SETUP_FOLDER, IDC_SETUP_CHANGE};
constexpr int kOptionControls[] = {IDC_SETUP_SENDTO, IDC_SETUP_CSS, IDC_SETUP_TEXT, IDC_SETUP_DESKTOP,
                                   IDC_SETUP_SOURCE_VIEWER};

struct Wizard {
    Start start;
    Page page = Page::Folder;
    installer::Request request;
    HANDLE worker = nullptr;
};

Wizard* wizardOf(HWND dialog) { return reinterpret_cast<Wizard*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void showControls(HWND dialog, const int* ids, size_t count, bool shown) {
    for (size_t i = 0; i < count; ++i) ShowWindow(GetDlgItem(dialog, ids[i]), shown ? SW_SHOW : SW_HIDE);
}

void showPage(HWND dialog, Wizard* self, Page page) {
    self->page = page;
    const bool update = !self->start.previousLog.empty();
    showControls(dialog, kFolderControls, 4, page == Page::Folder);
    showControls(dialog, kOptionControls, 5, page == Page::Options);
    const char* prompt = install_text::kConfirmPrompt;
    switch (page) {
        case Page::Folder: prompt = update ? install_text::kUpdatePrompt : install_text::kFolderPrompt; break;
        case Page::Options: prompt = install_text::kOptionsPrompt; break;
        case Page::Confirm: break;
        case Page::Installing: prompt = install_text::kInstalling; break;
        case Page::End: break;
    }
    if (page != Page::End) SetDlgItemTextA(dialog, IDC_SETUP_PROMPT, prompt);
    const bool busy = page == Page::Installing;
    EnableWindow(GetDlgItem(dialog, IDC_SETUP_BACK), page == Page::Options || page == Page::Confirm);
    EnableWindow(GetDlgItem(dialog, IDC_SETUP_NEXT), !busy);
    EnableWindow(GetDlgItem(dialog, IDCANCEL), !busy && page != Page::End);
}

std::string folderText(HWND dialog) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, IDC_SETUP_FOLDER, text, sizeof text);
    return text;
}

bool editorRuns() { return FindWindowA(ulo_names::kMainWindowClass, nullptr) != nullptr; }

int box(HWND dialog, const char* text, UINT flags) {
    return MessageBoxA(dialog, text, install_text::kSetupCaption, flags);
}

// "次へ(&N)" on the folder page: a drive path, never setup's own folder.
bool acceptFolder(HWND dialog, Wizard* self) {
    const std::string text = folderText(dialog);
    if (!install_paths::isAcceptableFolder(text)) {
        box(dialog, install_text::kBadFolder, MB_OK | MB_ICONWARNING);
        return false;
    }
    const std::string folder = sjis_path::withTrailingBackslash(text);
    // An update would first delete the payload it is about to copy.
    if (install_paths::isSameFolder(folder, self->start.sourceFolder)) {
        box(dialog, install_text::kOwnFolder, MB_OK | MB_ICONWARNING);
        return false;
    }
    self->request.folder = folder;
    return true;
}

void readOptions(HWND dialog, installer::Options* options) {
    auto on = [dialog](int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; };
    options->sendTo = on(IDC_SETUP_SENDTO);
    options->cssFiles = on(IDC_SETUP_CSS);
    options->textFiles = on(IDC_SETUP_TEXT);
    options->desktop = on(IDC_SETUP_DESKTOP);
    options->sourceViewer = on(IDC_SETUP_SOURCE_VIEWER);
}

DWORD WINAPI installThread(void* parameter) {
    HWND dialog = static_cast<HWND>(parameter);
    const bool ok = installer::install(wizardOf(dialog)->request);
    PostMessageA(dialog, WM_INSTALL_DONE, ok ? 1 : 0, 0);
    return 0;
}

void startInstallation(HWND dialog, Wizard* self) {
    if (editorRuns()) {
        box(dialog, install_text::kSetupEditorRunning, MB_OK | MB_ICONERROR);
        return;
    }
    readOptions(dialog, &self->request.options);
    self->request.owner = dialog;
    self->request.sourceFolder = self->start.sourceFolder;
    self->request.previousLog = self->start.previousLog;
    showPage(dialog, self, Page::Installing);
    self->worker = CreateThread(nullptr, 0, installThread, dialog, 0, nullptr);
    if (self->worker == nullptr) PostMessageA(dialog, WM_INSTALL_DONE, 0, 0);
}

void finish(HWND dialog, Wizard* self, bool ok) {
    if (self->worker != nullptr) {
        WaitForSingleObject(self->worker, INFINITE);  // it has posted its last message
        CloseHandle(self->worker);
        self->worker = nullptr;
    }
    SetDlgItemTextA(dialog, IDC_SETUP_PROMPT, ok ? install_text::kInstallDone : install_text::kInstallFailed);
    SetDlgItemTextA(dialog, IDC_SETUP_NEXT, install_text::kCloseWizard);
    showPage(dialog, self, Page::End);
    SetFocus(GetDlgItem(dialog, IDC_SETUP_NEXT));
}

// The folder browser starts at the folder above the one in the field (where "\Quorvale Ulo" is
// added again), when that folder exists.
int CALLBACK browseStarted(HWND browser, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

void browse(HWND dialog) {
    std::string start = folderText(dialog);
    if (sjis_path::endsWithBackslash(start)) start.resize(start.size() - 1);
    start = sjis_path::parentFolder(start);
    if (start.size() > 3 && sjis_path::endsWithBackslash(start)) start.resize(start.size() - 1);
    BROWSEINFOA info = {};
    char chosen[MAX_PATH] = {};
    info.hwndOwner = dialog;
    info.pszDisplayName = chosen;
    info.lpszTitle = install_text::kBrowseTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = browseStarted;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (item == nullptr) return;
    if (SHGetPathFromIDListA(item, chosen)) {
        SetDlgItemTextA(dialog, IDC_SETUP_FOLDER, install_paths::folderUnderChoice(chosen).c_str());
    }
    CoTaskMemFree(item);
}

void next(HWND dialog, Wizard* self) {
    switch (self->page) {
        case Page::Folder:
            if (acceptFolder(dialog, self)) showPage(dialog, self, Page::Options);
            break;
        case Page::Options: showPage(dialog, self, Page::Confirm); break;
        case Page::Confirm: startInstallation(dialog, self); break;
        case Page::Installing: break;
        case Page::End: EndDialog(dialog, 0); break;
    }
}

void command(HWND dialog, Wizard* self, int id) {
    if (self->page == Page::Installing) return;  // Esc included: the worker must finish
    switch (id) {
        case IDC_SETUP_NEXT: next(dialog, self); break;
        case IDC_SETUP_BACK:
            if (self->page == Page::Options) showPage(dialog, self, Page::Folder);
            if (self->page == Page::Confirm) showPage(dialog, self, Page::Options);
            break;
        case IDC_SETUP_CHANGE: browse(dialog); break;
        case IDCANCEL:
            if (self->page != Page::End) EndDialog(dialog, 0);
            break;
    }
}

void initialise(HWND dialog, Wizard* self) {
    const bool update = !self->start.previousLog.empty();
    SetWindowTextA(dialog, install_text::kSetupCaption);
    SetDlgItemTextA(dialog, IDC_SETUP_NOTE, update ? install_text::kUpdateNote : install_text::kSpaceNote);
    SetDlgItemTextA(dialog, IDC_SETUP_FOLDER_LABEL, install_text::kFolderLabel);
    SetDlgItemTextA(dialog, IDC_SETUP_FOLDER, self->start.folder.c_str());
    SetDlgItemTextA(dialog, IDC_SETUP_CHANGE, install_text::kChange);
    const std::pair<int, const char*> options[] = {
        {IDC_SETUP_SENDTO, install_text::kOptionSendTo}, {IDC_SETUP_CSS, install_text::kOptionCss},
        {IDC_SETUP_TEXT, install_text::kOptionText}, {IDC_SETUP_DESKTOP, install_text::kOptionDesktop},
        {IDC_SETUP_SOURCE_VIEWER, install_text::kOptionSourceViewer}};
    for (const auto& option : options) {
        SetDlgItemTextA(dialog, option.first, option.second);
        CheckDlgButton(dialog, option.first, option.first == IDC_SETUP_DESKTOP ? BST_UNCHECKED : BST_CHECKED);
    }
    SetDlgItemTextA(dialog, IDC_SETUP_BACK, install_text::kBack);
    SetDlgItemTextA(dialog, IDC_SETUP_NEXT, install_text::kNext);
    SetDlgItemTextA(dialog, IDCANCEL, install_text::kCancel);
    showPage(dialog, self, Page::Folder);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Wizard* self = wizardOf(dialog);
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            initialise(dialog, reinterpret_cast<Wizard*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (self != nullptr) command(dialog, self, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            if (self != nullptr && self->page != Page::Installing) EndDialog(dialog, 0);
            return TRUE;
        case WM_INSTALL_DONE:
            if (self != nullptr) finish(dialog, self, wParam != 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void runWizard(HINSTANCE instance, const Start& start) {
    Wizard self;
    self.start = start;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, dialogProc, reinterpret_cast<LPARAM>(&self));
}

}  // namespace setup_ui

// DocumentSession: the open and save-as dialogs with their added encoding and line-end choices.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "FrameTexts.h"
#include "DocumentSession.h"
#include "UloResource.h"

namespace {

// Filter pairs, each text NUL-terminated, the list ending with an empty text.
std::string filterList() {
    using namespace ulo_text;
    const char* pairs[] = {kFilterText, "*.txt", kFilterHtml, "*.html;*.htm;*.shtml;*.jsp;*.asp;*.php",
                           kFilterCss, "*.css", kFilterPerl, "*.cgi;*.pl;*.pm", kFilterJava, "*.java",
                           kFilterCpp, "*.cpp;*.c;*.h", kFilterAll, "*.*"};
    std::string list;
    for (const char* p : pairs) {
        list += p;
        list += '\0';
    }
    list += '\0';
    return list;
}

void myDocuments(char* folder) {
    folder[0] = 0;
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &list)) && list) {
        SHGetPathFromIDListA(list, folder);
        CoTaskMemFree(list);
    }
}

HWND topLevel(HWND window) {
    for (HWND parent = GetParent(window); parent; parent = GetParent(window)) window = parent;
    return window;
}

constexpr DWORD kOpenFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                             OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = (kOpenFlags & ~OFN_FILEMUSTEXIST) | OFN_OVERWRITEPROMPT;

// What the open and the save-as dialog have in common: owner, filters, file buffer, first folder,
// flags, the added template with its hook.
OPENFILENAMEA fileDialogRecord(HWND owner, HINSTANCE instance, const std::string& filters,
                               int filterIndex, char* file, const char* folder, DWORD flags,
                               int templateId, LPOFNHOOKPROC hook) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
    ofn.lpstrFile = file;
    ofn.nMaxFile = DocumentState::kPathSize - 1;
    ofn.lpstrInitialDir = folder[0] ? folder : nullptr;
    ofn.Flags = flags;
    ofn.lpTemplateName = MAKEINTRESOURCEA(templateId);
    ofn.lpfnHook = hook;
    return ofn;
}

// Fills the added combo boxes, reports their choices to the main window and stretches them
// with the dialog.
UINT_PTR CALLBACK dialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace ulo_text;
    HWND encoding = GetDlgItem(dialog, IDC_ENCODING_COMBO);
    HWND lineEnd = GetDlgItem(dialog, IDC_LINEEND_COMBO);
    if (message == WM_INITDIALOG) {
        const char* encodings[] = {kEncAuto, "Shift JIS", "JIS, ISO-2022-JP", "EUC-JP", "UTF-8", kEncUtf16};
        for (const char* e : encodings) SendMessageA(encoding, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
        SendMessageA(encoding, CB_SETCURSEL, 0, 0);
        if (lineEnd) {
            const char* ends[] = {kLeAuto, kLeCrLf, kLeCr, kLeLf};
            for (const char* e : ends) SendMessageA(lineEnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
            SendMessageA(lineEnd, CB_SETCURSEL, 0, 0);
        }
        SetWindowLongPtrA(dialog, DWLP_USER, 1);  // the first WM_SIZE is left alone
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        UINT id = LOWORD(wParam);
        if (id == IDC_ENCODING_COMBO || id == IDC_LINEEND_COMBO) {
            LRESULT index = SendMessageA(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0);
            SendMessageA(topLevel(dialog), WM_COMMAND, id == IDC_ENCODING_COMBO ? CMD_DIALOG_ENCODING : CMD_DIALOG_LINEEND,
                         index);
        }
        return 0;
    }
    if (message == WM_SIZE) {
        if (GetWindowLongPtrA(dialog, DWLP_USER) == 1) {
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return 0;
        }
        int w = LOWORD(lParam);
        RECT r;
        GetWindowRect(encoding, &r);
        POINT p = {r.left, r.top};
        ScreenToClient(dialog, &p);
        if (lineEnd) {
            MoveWindow(encoding, p.x, p.y, w - 469 > 20 ? w - 469 : 20, 170, TRUE);
            MoveWindow(lineEnd, p.x + w - 464, p.y, 95, 170, TRUE);
        } else {
            MoveWindow(encoding, p.x, p.y, w - 369 > 20 ? w - 369 : 20, 170, TRUE);
        }
    }
    return 0;
}

}  // namespace

void DocumentSession::initialFolder(char* folder, bool forSave) {
    folder[0] = 0;
    char* lastPath = state_.lastPathBuffer();
    if (forSave && state_.titled()) {
        lstrcpynA(lastPath, state_.path(), DocumentState::kPathSize);
        char* slash = std::strrchr(lastPath, '\\');
        if (slash) *slash = 0;
        lstrcpynA(folder, lastPath, DocumentState::kPathSize);
        return;
    }
    if (lastPath[0]) {
        lstrcpynA(folder, lastPath, DocumentState::kPathSize);
        if (!forSave) {
            DWORD attributes = GetFileAttributesA(folder);
            if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                char* slash = std::strrchr(folder, '\\');
                if (slash) *slash = 0;
            }
        }
    } else if (state_.titled()) {
        lstrcpynA(folder, state_.path(), DocumentState::kPathSize);
        char* slash = std::strrchr(folder, '\\');
        if (slash) *slash = 0;
    } else {
        myDocuments(folder);
    }
}

void DocumentSession::openDialog() {
    if (filterIndex_ == 1 && events_.htmlMode()) filterIndex_ = 2;
    std::string filters = filterList();
    char file[DocumentState::kPathSize] = {};
    char folder[DocumentState::kPathSize];
    initialFolder(folder, false);
    OPENFILENAMEA ofn = fileDialogRecord(main_, instance_, filters, filterIndex_, file, folder,
                                         kOpenFlags, IDD_OPEN_TEMPLATE, dialogHook);
    dialogEncoding_ = dialogLineEnd_ = 0;
    if (!GetOpenFileNameA(&ofn)) return;
    int encoding = 0;
    if (dialogEncoding_ >= 1 && dialogEncoding_ <= 4) encoding = dialogEncoding_;
    if (dialogEncoding_ == 5) {
        MessageBoxA(main_, ulo_text::kUtf16OnlyAuto, ulo_text::kAppName, MB_ICONWARNING);
        return;
    }
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    openChosen(file, encoding);
}

bool DocumentSession::saveAs() {
    if (filterIndex_ == 1 && events_.htmlMode()) filterIndex_ = 2;
    std::string filters = filterList();
    char file[DocumentState::kPathSize];
    lstrcpynA(file, state_.fileName()[0] ? state_.fileName() : ulo_text::kUntitled, DocumentState::kPathSize);
    char folder[DocumentState::kPathSize];
    initialFolder(folder, true);
    static const char* const extensions[] = {nullptr, "txt", "html", "css", "cgi", "java", "cpp", nullptr};
    OPENFILENAMEA ofn = fileDialogRecord(main_, instance_, filters, filterIndex_, file, folder,
                                         kSaveFlags, IDD_SAVE_TEMPLATE, dialogHook);
    ofn.lpstrDefExt = filterIndex_ >= 1 && filterIndex_ <= 7 ? extensions[filterIndex_] : nullptr;
    dialogEncoding_ = dialogLineEnd_ = 0;
    if (!GetSaveFileNameA(&ofn)) return false;

    bool chosen = false;
    int lineChoice = dialogLineEnd_;
    static const TextEncoding byIndex[6] = {TextEncoding::Auto, TextEncoding::ShiftJis, TextEncoding::Jis,
                                            TextEncoding::EucJp, TextEncoding::Utf8, TextEncoding::Utf16Le};
    if (dialogEncoding_ >= 1 && dialogEncoding_ <= 5) {
        editor_.setEncoding(byIndex[dialogEncoding_]);
        if (lineChoice == 0) lineChoice = dialogEncoding_ == 3 ? 3 : 1;
        chosen = true;
    }
    static const LineEnd byLineIndex[4] = {LineEnd::None, LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf};
    if (lineChoice >= 1 && lineChoice <= 3) {
        editor_.setLineEnd(byLineIndex[lineChoice]);
        chosen = true;
    }
    if (chosen) events_.statusChanged(true);
    setPath(file);
    filterIndex_ = ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) : 1;
    state_.markUnsaved();
    if (!save()) return false;
    return true;
}

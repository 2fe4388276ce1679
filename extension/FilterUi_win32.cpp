// Dialogs "STRINGDIALOG" and "REPLACEDIALOG" and the two message boxes of the filters.
#include "FilterUi_win32.h"

#include <windows.h>

#include <cstdio>

#include "ExtensionModule_win32.h"
#include "ExtensionResource.h"
#include "FilterTables.h"

namespace {

constexpr int kInsertLimit = 1023;
constexpr int kReplaceLimit = 1000;

std::string itemText(HWND dialog, int id) {
    const int length = GetWindowTextLengthA(GetDlgItem(dialog, id));
    std::string text(length + 1, '\0');
    const int got = GetDlgItemTextA(dialog, id, &text[0], length + 1);
    text.resize(got > 0 ? got : 0);
    return text;
}

struct StringDialog {
    std::string text;

    static INT_PTR handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SendDlgItemMessageA(dialog, IDC_STRING_EDIT, EM_LIMITTEXT, kInsertLimit, 0);
            return TRUE;
        }
        auto* self = reinterpret_cast<StringDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (message == WM_COMMAND && self) {
            const int id = LOWORD(wParam);
            if (id == IDOK) {
                self->text = itemText(dialog, IDC_STRING_EDIT);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
        }
        return FALSE;
    }
};

struct ReplaceDialog {
    const ulo_filters::ReplaceProbe* probe;
    std::string search, replacement;

    // Each change of the search text: a match clears the note and enables the replace button.
    void searchChanged(HWND dialog) {
        const bool found = probe->matches(itemText(dialog, IDC_SEARCH_EDIT));
        SetDlgItemTextA(dialog, IDC_REPLACE_NOTE, found ? "" : ulo_filters::kNoMatch);
        EnableWindow(GetDlgItem(dialog, IDC_REPLACE_BUTTON), found);
    }

    static INT_PTR handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SendDlgItemMessageA(dialog, IDC_SEARCH_EDIT, EM_LIMITTEXT, kReplaceLimit, 0);
            SendDlgItemMessageA(dialog, IDC_REPLACE_EDIT, EM_LIMITTEXT, kReplaceLimit, 0);
            return TRUE;
        }
        auto* self = reinterpret_cast<ReplaceDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (message != WM_COMMAND || !self) return FALSE;
        const int id = LOWORD(wParam);
        if (id == IDC_SEARCH_EDIT && HIWORD(wParam) == EN_CHANGE) {
            self->searchChanged(dialog);
            return TRUE;
        }
        // The default button answers Enter only while it is enabled.
        if ((id == IDC_REPLACE_BUTTON || id == IDOK) &&
            IsWindowEnabled(GetDlgItem(dialog, IDC_REPLACE_BUTTON))) {
            self->search = itemText(dialog, IDC_SEARCH_EDIT);
            self->replacement = itemText(dialog, IDC_REPLACE_EDIT);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
};

// Nothing throws through the dialog manager: a failed allocation closes the dialog as cancelled.
template <typename Dialog>
INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dialog::handle(dialog, message, wParam, lParam);
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

}  // namespace

void DialogFilterUi::showNoLines(void* owner) {
    MessageBoxA(static_cast<HWND>(owner), ulo_filters::kNoLines, ulo_filters::kConvertCaption,
                MB_OK | MB_ICONERROR);
}

bool DialogFilterUi::askInsertString(void* owner, std::string& text) {
    StringDialog dialog;
    const INT_PTR answer = DialogBoxParamA(extensionModule(), "STRINGDIALOG", static_cast<HWND>(owner),
                                           dialogProc<StringDialog>, reinterpret_cast<LPARAM>(&dialog));
    if (answer != IDOK) return false;
    text = dialog.text;
    return true;
}

bool DialogFilterUi::askReplacement(void* owner, const ulo_filters::ReplaceProbe& probe, std::string& search,
                                    std::string& replacement) {
    ReplaceDialog dialog{&probe, {}, {}};
    const INT_PTR answer = DialogBoxParamA(extensionModule(), "REPLACEDIALOG", static_cast<HWND>(owner),
                                           dialogProc<ReplaceDialog>, reinterpret_cast<LPARAM>(&dialog));
    if (answer != IDOK) return false;
    search = dialog.search;
    replacement = dialog.replacement;
    return true;
}

void DialogFilterUi::showReplacedCount(void* owner, int count) {
    char text[64];
    std::snprintf(text, sizeof text, ulo_filters::kReplacedCount, count);
    MessageBoxA(static_cast<HWND>(owner), text, ulo_filters::kReplaceCaption, MB_OK | MB_ICONINFORMATION);
}

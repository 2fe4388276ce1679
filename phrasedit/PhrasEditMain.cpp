// phrasedit.exe: edits the ten fixed phrases the editor inserts. One modal dialog; exit code 0.
#include <windows.h>

#include <cstdio>
#include <string>

#include "CompanionStart.h"
#include "Phrase.h"
#include "PhraseValues.h"
#include "PhrasEditResource.h"

namespace {

using companion::resourceText;

constexpr int kFieldCount = static_cast<int>(phrases::kCount);

int fieldId(int number) { return IDC_PHRASE_FIRST + number - 1; }

// The field's Shift_JIS bytes. GetWindowTextLengthA may overstate the length, never understate
// it, so the buffer always holds the whole text and the copy's count is the true byte length.
std::string fieldText(HWND dialog, int number) {
    HWND field = GetDlgItem(dialog, fieldId(number));
    const int capacity = GetWindowTextLengthA(field) + 1;
    std::string text(static_cast<size_t>(capacity), '\0');
    const int length = GetWindowTextA(field, &text[0], capacity);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

void showError(HWND dialog, UINT textId, int number) {
    char message[256];
    std::snprintf(message, sizeof message, resourceText(textId).c_str(), number);
    MessageBoxA(dialog, message, resourceText(IDS_CAPTION).c_str(), MB_OK | MB_ICONERROR);
}

void fillFields(HWND dialog) {
    for (int number = 1; number <= kFieldCount; ++number) {
        HWND field = GetDlgItem(dialog, fieldId(number));
        // The default limit would stop typing at 32767 characters, well below the 65536-byte
        // rule; the size is checked on OK instead.
        SendMessageA(field, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        SetWindowTextA(field, phrase_values::readRaw(static_cast<unsigned>(number - 1)).c_str());
    }
}

// Writes the fields in order and stops at the first that cannot be saved; true when all ten were.
bool saveFields(HWND dialog) {
    for (int number = 1; number <= kFieldCount; ++number) {
        const std::string text = fieldText(dialog, number);
        if (text.size() > phrases::kMaxTextLength) {
            showError(dialog, IDS_TOO_LARGE, number);
            return false;
        }
        if (!phrase_values::write(static_cast<unsigned>(number - 1), text)) {
            showError(dialog, IDS_SAVE_FAILED, number);
            return false;
        }
    }
    return true;
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        fillFields(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (saveFields(dialog)) EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (companion::activateRunningInstance(resourceText(IDS_CAPTION).c_str())) return 0;
    const HWND owner = companion::editorOwner();
    companion::OwnerEnabler enabler(owner);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PHRASES), owner, dialogProc, 0);
    return 0;
}

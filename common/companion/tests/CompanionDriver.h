// CompanionDriver: the companion programs' end-to-end tests drive property sheets, dialogs, list
// views and list boxes of another process, and read and lock the settings key.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestDriver.h"

namespace companion_e2e {

using ulo_e2e::Program;

// Starts the program beside the test and waits for its window ("#32770") with the caption.
Program startWithWindow(const char* exeName, const std::string& caption, DWORD timeoutMs = 20000);
// The exit code once the process ended, while this thread keeps answering messages: a program
// owned by a window of this thread sends it messages (enabling, activation, notifications).
DWORD waitExitPumping(const Program& program, DWORD timeoutMs = 15000);
// A visible "#32770" of the process with the caption that has a child with the id.
HWND waitDialogWith(DWORD pid, const std::string& caption, int childId, DWORD timeoutMs = 10000);
// A message box (it has the text Static 0xFFFF) of the process with the caption: waits for it,
// presses the button, waits until it has gone; returns its text ("" when none came).
std::string answerMessageBox(DWORD pid, const std::string& caption, int buttonId, DWORD timeoutMs = 10000);
// Waits until the window has gone (answers whether it did).
bool waitGone(HWND window, DWORD timeoutMs = 10000);

// Property sheets: show a page (pages exist only once shown) and return it; press a button by
// posting PSM_PRESSBUTTON (PSBTN_OK, PSBTN_CANCEL).
HWND showPage(HWND sheet, int index);
void pressSheet(HWND sheet, int button);
// The texts of the sheet's tabs, in order.
std::vector<std::string> sheetTabs(HWND sheet);
// Whether the sheet shows a button with this id (Apply 0x3021, Help 9).
bool sheetShowsButton(HWND sheet, int id);

// Controls.
HWND childWithText(HWND parent, const std::string& sjisText);
std::string controlText(HWND control);
void setText(HWND control, const std::string& sjisText);
void click(HWND button);       // BM_CLICK, sent
void postClick(HWND button);   // BM_CLICK, posted: for buttons that open a modal box
bool isChecked(HWND button);
// Chooses the combo box's item and tells the owner as a user's choice would.
void chooseCombo(HWND combo, int index);
int comboSelection(HWND combo);
std::string comboText(HWND combo);
std::vector<std::string> comboItems(HWND combo);

// List views of another process.
int listCount(HWND list);
std::string listText(HWND list, int row, int column);
void selectRow(HWND list, int row);
bool rowChecked(HWND list, int row);
void setRowChecked(HWND list, int row, bool checked);
// Double-clicks the row (posted mouse messages), which activates it.
void activateRow(HWND list, int row);

// List boxes of another process.
std::vector<std::string> listBoxItems(HWND list);
void selectListBox(HWND list, int index);

// The settings key HKEY_CURRENT_USER\Software\Tovrik\QuorvaleUlo.
void deleteSettingsKey();
// A value's bytes whatever its type; "<missing>" when it does not exist.
std::string readValue(const char* name);
DWORD valueType(const char* name);
void writeValue(const char* name, DWORD type, const std::string& bytes);
// Makes the key read-only (writes fail with error 5) and back.
bool lockSettingsKey();
void unlockSettingsKey();

// A window of the editor's main-window class in this process, in front (for the owner rules and
// the browser-list message). Counts the messages WM_FRAME_BROWSERS_CHANGED it receives and the
// "browser" bytes stored when the first arrived.
class FakeEditor {
public:
    FakeEditor();
    ~FakeEditor();
    FakeEditor(const FakeEditor&) = delete;
    FakeEditor& operator=(const FakeEditor&) = delete;
    HWND window() const { return window_; }
    int browserMessages() const;
    bool parametersWereZero() const;
    std::string browserAtMessage() const;
    void bringToFront();

private:
    HWND window_ = nullptr;
};

}  // namespace companion_e2e

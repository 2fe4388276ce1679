// UloDriver: runs real ulo.exe processes for the end-to-end tests and talks to their windows:
// finds main windows, message boxes and file dialogs, reads them, answers them, reads each
// window's tab order from its tab bar's tooltips and reads the files the editor writes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace ulo_e2e {

// Shift_JIS bytes of the editor's texts used by the tests.
std::string sjis(const wchar_t* text);

struct Editor {
    DWORD pid = 0;
    HANDLE process = nullptr;
    HWND window = nullptr;
};

// ulo.exe beside the test program.
std::string programPath();
// An empty folder for the test's files (long path form, ending with a backslash).
std::string workFolder();

// Starts ulo.exe with the tail; waits for its main window (null window when it never came).
Editor start(const std::string& tail, DWORD timeoutMs = 20000);
// The exit code once the process ended, or STILL_ACTIVE after the time-out.
DWORD waitExit(const Editor& editor, DWORD timeoutMs = 15000);
std::vector<HWND> mainWindows();
HWND mainWindowOf(DWORD pid);

// A message box ("#32770", caption "Quorvale Ulo") of the process, or null after the time-out.
HWND waitMessageBox(DWORD pid, DWORD timeoutMs = 10000);
std::string messageText(HWND box);
void press(HWND box, int buttonId);
// Waits for a box, checks nothing, presses the button; returns its text ("" when none came).
std::string answer(DWORD pid, int buttonId, DWORD timeoutMs = 10000);

// The save-as dialog of the process: choose encoding and line-end items, type the path, press OK.
bool saveAsWith(const Editor& editor, int encodingIndex, int lineEndIndex, const std::string& path);
// The open dialog likewise (it has the encoding choice only).
bool openWith(const Editor& editor, int encodingIndex, const std::string& path);

// The windows of the tab bar's tabs, in tab order (read from its tooltips).
std::vector<HWND> tabOrder(HWND mainWindow);
// Their names likewise.
std::vector<std::string> tabNames(HWND mainWindow);
std::string windowTitle(HWND window);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Lets Windows messages of this thread through while waiting.
void pause(DWORD ms);

// Closes every editor window that is still open, answering its questions with No, and ends the
// processes this program started that remain.
void closeEverything();

}  // namespace ulo_e2e

// UloDriver: the editor's layer over the shared end-to-end driver: starts real ulo.exe processes,
// finds their main windows and "Quorvale Ulo" message boxes, runs the file dialogs with their added
// choices and reads each window's tab order from its tab bar's tooltips.
#pragma once
#include <windows.h>

#include "TestDriver.h"

#include <string>
#include <vector>

namespace ulo_e2e {

// An editor process and its main window.
using Editor = Program;

// ulo.exe beside the test program.
std::string programPath();

// Starts ulo.exe with the tail; waits for its main window (null window when it never came).
Editor start(const std::string& tail, DWORD timeoutMs = 20000);
std::vector<HWND> mainWindows();
HWND mainWindowOf(DWORD pid);

// A message box ("#32770", caption "Quorvale Ulo") of the process, or null after the time-out.
HWND waitMessageBox(DWORD pid, DWORD timeoutMs = 10000);
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

// Closes every editor window that is still open, answering its questions with No, and ends the
// processes this program started that remain.
void closeEverything();

}  // namespace ulo_e2e

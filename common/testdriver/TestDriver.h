// TestDriver: the end-to-end tests' handle on real programs under test. Starts programs that sit
// beside the test program, finds their windows, message boxes and dialogs, reads and answers them,
// reads and writes files, and ends every process it started. Each program's tests add a thin layer
// of their own (for the editor: editor/app/tests/UloDriver).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ulo_e2e {

// Shift_JIS bytes of a text (the programs' texts are compared in Shift_JIS).
std::string sjis(const wchar_t* text);

struct Program {
    DWORD pid = 0;
    HANDLE process = nullptr;
    HWND window = nullptr;  // its main window, once found
};

// The full path of a file beside the test program ("ulo.exe", "setup.exe", ...).
std::string pathBeside(const char* fileName);
// An empty-or-existing folder of the given name in the temporary folder (long path form, ending "\").
std::string workFolder(const char* name = "ulo_e2e");

// Starts the program (a path) with the command-line tail. When windowClass is given, waits until a
// visible top-level window of that class belongs to the process (null window after the time-out or
// when the process ended first). The process is remembered for endStartedProcesses().
Program startProgram(const std::string& path, const std::string& tail, const char* windowClass,
                     DWORD timeoutMs = 20000);
// The exit code once the process ended, or STILL_ACTIVE after the time-out.
DWORD waitExit(const Program& program, DWORD timeoutMs = 15000);
// Ends the processes started here that remain (after a grace period), and forgets them all.
void endStartedProcesses(DWORD graceMs = 3000);
// Whether the process was started by startProgram.
bool startedHere(DWORD pid);

std::string className(HWND window);
std::string windowTitle(HWND window);
DWORD processOf(HWND window);
// Top-level windows for which the test answers true.
std::vector<HWND> topWindows(const std::function<bool(HWND)>& test);
std::vector<HWND> windowsOfClass(const char* windowClass);
HWND windowOf(DWORD pid, const char* windowClass);
// A child (at any depth) with the control id, or null.
HWND findChildById(HWND parent, int id);
// Waits for a visible top-level window of the process for which the test answers true.
HWND waitWindow(DWORD pid, const std::function<bool(HWND)>& test, DWORD timeoutMs = 10000);

// A dialog box or message box ("#32770") of the process with this caption, or null after the time-out.
HWND waitDialog(DWORD pid, const char* caption, DWORD timeoutMs = 10000);
// The message text of a message box: its longest Static child.
std::string messageText(HWND box);
// Posts a click of the button id to the box.
void press(HWND box, int buttonId);
// Waits for a box, presses the button, waits until the box has gone; returns its text ("" when
// none came).
std::string answerDialog(DWORD pid, const char* caption, int buttonId, DWORD timeoutMs = 10000);

std::string readFile(const std::string& path);  // "<missing>" when it cannot be read
void writeFile(const std::string& path, const std::string& bytes);

// Lets the messages of this thread through while waiting.
void pause(DWORD ms);

}  // namespace ulo_e2e

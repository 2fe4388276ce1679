// The installer tests' layer over the shared driver: the wizard and the uninstaller's dialog,
// message boxes told apart from those dialogs (same class and caption), and snapshots of the
// registry and of folders to compare an installation's traces before and after.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace installer_e2e {

// A message box (not the wizard or the uninstall dialog) with the caption, of the process (0: any
// process), or null after the time-out.
HWND waitMessageBox(DWORD pid, const char* caption, DWORD timeoutMs = 10000);
// Answers it with the button; its text ("" when none came).
std::string answerBox(DWORD pid, const char* caption, int buttonId, DWORD timeoutMs = 10000);
// The dialog of the caption that is not a message box, of the process (0: any).
HWND waitMainDialog(DWORD pid, const char* caption, DWORD timeoutMs = 15000);
std::string controlText(HWND dialog, int id);
// Waits until the control's text is `text`; false after the time-out.
bool waitControlText(HWND dialog, int id, const std::string& text, DWORD timeoutMs = 60000);
// Presses and waits until the dialog has handled it.
void click(HWND dialog, int id);

// Every value under the key and its subkeys as "path\name=type:hex" lines, sorted (keys without
// values leave no line).
std::vector<std::string> registryValues(HKEY root, const std::string& rootName, const std::string& path);
// Every file below the folder as "path size" lines, sorted.
std::vector<std::string> folderFiles(const std::string& folder);

// The default value of a key, with its stored size; false when it cannot be read.
bool readDefault(HKEY root, const std::string& path, std::string* text, DWORD* size = nullptr);
bool writeDefault(HKEY root, const std::string& path, const std::string& text);
void deleteTree(HKEY root, const std::string& path);
// The target and show command of a shell link.
bool readShortcut(const std::string& link, std::string* target, int* show);
std::string specialFolder(int csidl);

}  // namespace installer_e2e

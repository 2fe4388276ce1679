// The settings every program shares, read and written as whole registry values of
// HKEY_CURRENT_USER\Software\Tovrik\QuorvaleUlo (Win32 builds only; library ulo_settings_store).
//
// Readers never use a value partly: a value that is missing, of another type or size, of another
// version, or with a field out of range gives the documented fallback, stated for each function.
// Writers replace the whole value and report failure by false; what to show the user is the
// calling program's business.
#pragma once
#include <string>
#include <vector>

#include "BrowserList.h"
#include "FileHistory.h"
#include "KeyBinding.h"
#include "MainSettings.h"
#include "Phrase.h"
#include "WindowInformation.h"

namespace settings_store {

// "main". On false *record holds MainSettings::defaults(); the editor then saves them at once.
bool loadMainSettings(MainSettings* record);
bool saveMainSettings(const MainSettings& record);

// "window_information". On false *record is untouched.
bool loadWindowInformation(WindowInformation* record);
bool saveWindowInformation(const WindowInformation& record);

// "keybindsize" and "keybind". On false *list holds the program's default table.
bool loadKeyBindings(std::vector<KeyBinding>* list, key_bindings::DefaultTable defaults);
// Writes the count, then the records. False for more than key_bindings::kMaxCount records.
bool saveKeyBindings(const std::vector<KeyBinding>& list);

// "browser". On false *record is BrowserList::empty().
bool loadBrowserList(BrowserList* record);
bool saveBrowserList(const BrowserList& record);

// "template0" ... "template9" (digit 0 = phrase 1), read raw whatever its registry type: the
// text up to the first NUL (or the whole value without one). False, with *text empty, when the
// value is missing or unreadable.
bool loadPhrase(unsigned digit, std::string* text);
// Defined: the value exists and holds more than one byte.
bool isPhraseDefined(unsigned digit);
// False for a digit above 9 or a text that phrases::encode refuses (too long, holds a NUL).
bool savePhrase(unsigned digit, const std::string& text);
// Installer: phrase 1 becomes phrases::kInstallFirstPhrase when it is not defined.
bool ensureInstallFirstPhrase();

// The installer's look-ups for prepareBrowserListForInstall: the default value of
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\IEXPLORE.EXE when it
// is a string (REG_SZ), and whether a path names an existing file.
BrowserInstallProbe systemBrowserInstallProbe();

// "file_history": a snapshot for building the history menu (no lock taken). On false (missing
// or malformed value) *history is empty.
bool readFileHistory(FileHistory* history);
// The read-modify-writes of the file history, each holding "Quorvale Ulo filehistory_semaphore"
// from the read to the write. False when the semaphore could not be had (the history is then not
// touched) or the write failed. A malformed stored history counts as empty.
//   A document was loaded from `path`: its entry leaves the history.
bool removeFromFileHistory(const std::string& path);
//   A document with `path` was closed: it becomes the newest entry (at most 10 are kept).
bool addToFileHistory(const std::string& path);
//   Clear: the value is written with size 0.
bool clearFileHistory();

}  // namespace settings_store

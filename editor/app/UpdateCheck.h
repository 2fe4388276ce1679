// The update check (command 29004): the release page opened with the system's default handler.
#pragma once
#include <windows.h>

namespace update_check {

// The page; a build setting (CMake cache variable ULO_UPDATE_URL) so that whoever publishes builds
// points it at their own page.
extern const char* const kUpdateUrl;

// Opens the page; a failure (ShellExecute's result 32 or less) shows "ShellExecute() Error" with
// caption "Error", owned by `owner`. True when the page was opened.
bool openUpdatePage(HWND owner);

}  // namespace update_check

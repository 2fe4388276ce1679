// The installer's path rules: the folder page's check, the previous installation's folder read
// from its uninstall entry, the texts written to the registry. Portable; Shift_JIS throughout.
#pragma once
#include <string>

namespace install_paths {

// The folder page accepts at least three characters starting with a drive letter, ":" and "\".
bool isAcceptableFolder(const std::string& text);
// The folder browser's choice plus "\Quorvale Ulo" (a drive root "C:\" gives "C:\Quorvale Ulo").
std::string folderUnderChoice(const std::string& chosen);
// True when both name the same folder (canonical forms compared, ASCII case ignored).
bool isSameFolder(const std::string& a, const std::string& b);

// "UninstallString" as setup writes it: the uninstaller's path in double quotes, so that a blank in
// the folder cannot make the system start a program named by the path's first word.
std::string uninstallString(const std::string& folder);
// The installation folder (ending in "\") from an "UninstallString" in either form, quoted or not
// (an unquoted one is cut at the first "?"); "" when it names no folder.
std::string folderFromUninstallString(const std::string& value);

// The shell command of the file type and the edit verb: "<folder>Ulo.exe" "%1".
std::string commandText(const std::string& folder);

// The default folder when no installation exists: Program Files (or, without it, the Windows
// folder's drive with ":\Program Files") plus "\Quorvale Ulo", ending in "\".
std::string defaultFolder(const std::string& programFiles, const std::string& windowsFolder);

}  // namespace install_paths

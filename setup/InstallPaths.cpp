// The installer's path rules (see InstallPaths.h).
#include "InstallPaths.h"

#include "Payload.h"
#include "SjisPath.h"

namespace install_paths {

namespace {
bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

bool isAcceptableFolder(const std::string& text) {
    return text.size() >= 3 && isAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\';
}

std::string folderUnderChoice(const std::string& chosen) {
    return sjis_path::withTrailingBackslash(chosen) + payload::kFolderName;
}

bool isSameFolder(const std::string& a, const std::string& b) {
    const std::string ca = sjis_path::canonical(a);
    return !ca.empty() && sjis_path::equalsIgnoreCase(ca, sjis_path::canonical(b));
}

std::string uninstallString(const std::string& folder) {
    return "\"" + sjis_path::withTrailingBackslash(folder) + payload::kUninstallerName + "\"";
}

std::string folderFromUninstallString(const std::string& value) {
    std::string path;
    if (!value.empty() && value[0] == '"') {
        const std::string::size_type close = value.find('"', 1);  // '"' is never a trail byte
        if (close == std::string::npos) return "";
        path = value.substr(1, close - 1);
    } else {
        path = value.substr(0, value.find('?'));  // '?' is never a trail byte either
    }
    const std::string::size_type slash = sjis_path::lastBackslash(path);
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string commandText(const std::string& folder) {
    return "\"" + sjis_path::withTrailingBackslash(folder) + payload::kProgramName + "\" \"%1\"";
}

std::string defaultFolder(const std::string& programFiles, const std::string& windowsFolder) {
    std::string base = programFiles;
    if (base.empty() && !windowsFolder.empty()) base = windowsFolder.substr(0, 1) + ":\\Program Files";
    if (base.empty()) base = "C:\\Program Files";
    return sjis_path::withTrailingBackslash(folderUnderChoice(base));
}

}  // namespace install_paths

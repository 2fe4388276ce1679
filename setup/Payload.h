// The installation's files: every name setup copies, in copy order, with the subfolder of the
// installation folder it goes to. The uninstaller's log replay deletes only these names (plus the
// log and the shortcuts), so the table lives here once for both programs.
#pragma once
#include <string>
#include <vector>

namespace payload {

enum class Subfolder { Top, Dtd, Keyword };

struct File {
    const char* name;
    Subfolder folder;
};

// The whole copy list, in the order setup copies it (maps, keyword files, then the programs,
// libraries and documents).
const std::vector<File>& copyList();
// "dtd\", "keyword\" or "" for the top folder.
const char* subfolderPrefix(Subfolder folder);
// The entry whose name equals `name` (ASCII case ignored), or null.
const File* find(const std::string& name);

inline constexpr const char kLogName[] = "install_log";
inline constexpr const char kDtdFolder[] = "dtd";
inline constexpr const char kKeywordFolder[] = "keyword";
inline constexpr const char kProgramName[] = "Ulo.exe";
inline constexpr const char kReadMeName[] = "ulo.txt";
inline constexpr const char kUninstallerName[] = "uninstall.exe";
inline constexpr const char kDocumentIconName[] = "document.ico";
// The folder name proposed under Program Files and used in the Start menu.
inline constexpr const char kFolderName[] = "Quorvale Ulo";
inline constexpr const char kShortcutName[] = "Quorvale Ulo.lnk";
// "Quorvale Ulo お読みください.lnk"
inline constexpr const char kReadMeShortcutName[] =
    "Quorvale Ulo \x82\xa8\x93\xc7\x82\xdd\x82\xad\x82\xbe\x82\xb3\x82\xa2.lnk";

}  // namespace payload

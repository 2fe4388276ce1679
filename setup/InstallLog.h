// The install log "install_log": one record per line, Shift_JIS, each line ended by LF. The first
// two characters are the kind, the rest the argument:
//   "DD" folder   a folder setup created (undo: remove it when empty)
//   "FD" file     a file setup created or overwrote (undo: delete it)
//   "RD" key      ROOT "\" path of a registry key setup created (undo: delete that one key)
//   "RU" key|old  a key whose default value setup replaced (undo: write `old` back)
// A key is logged after its parent and a file after its folder, so replaying from the last line to
// the first removes children before parents.
//
// The log is a plain file and the uninstaller runs as administrator, so the replay plan acts only on
// what an installation makes: the payload names in the log's own folder, the shortcuts, the folders
// and the registry keys setup writes. Every other line becomes an "undefined command" step.
#pragma once
#include <string>
#include <vector>

namespace install_log {

// Longest line, its LF (and a CR before it) included. The reader refuses a longer line whole.
constexpr std::string::size_type kMaxLineBytes = 319;

enum class Root { LocalMachine, ClassesRoot, CurrentUser };
const char* rootName(Root root);  // "HKEY_LOCAL_MACHINE" ...

// Keys setup writes (below their root).
inline constexpr const char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorvaleUlo";
inline constexpr const char kSourceViewerKey[] = "Software\\Microsoft\\Internet Explorer\\View Source Editor";
inline constexpr const char kSourceViewerNameKey[] =
    "Software\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name";
inline constexpr const char kFileType[] = "QuorvaleUloFile";
inline constexpr const char kApplicationKey[] = "Applications\\ulo.exe";
inline constexpr const char kOpenWithKey[] = ".htm\\OpenWithList\\ulo.exe";
inline constexpr const char kEditVerb[] = "\\shell\\EditWithUlo";
inline constexpr const char kSettingsKey[] = "Software\\Tovrik\\QuorvaleUlo";

// ---- Writing ----

// One record with its LF, or false (nothing to write) when the reader would refuse the line: a byte
// below 0x20 in the argument or a line over kMaxLineBytes.
bool formatRecord(const char* kind, const std::string& argument, std::string* line);
bool folderRecord(const std::string& folder, std::string* line);  // "DD"
bool fileRecord(const std::string& file, std::string* line);      // "FD"
bool keyRecord(Root root, const std::string& key, std::string* line);  // "RD"
bool valueRecord(Root root, const std::string& key, const std::string& previous, std::string* line);  // "RU"

// ---- Reading ----

struct Line {
    std::string text;   // without its line end
    bool refused;       // over the limit or holding a byte below 0x20: never acted on
};
// The log's lines in file order: split at LF, a CR before the LF removed, empty lines skipped.
std::vector<Line> readLines(const std::string& bytes);

// ---- Replay plan ----

enum class Action {
    DeleteKey,       // delete root\key (one key, never its subkeys)
    RestoreDefault,  // write `value` as the default of root\key, if it still holds one of `ours`
    DeleteFile,      // delete `path`
    RemoveFolder,    // remove the empty folder `path`
    Undefined,       // show "コマンド %s は未定義です。" with `shown`
};

struct Step {
    Action action = Action::Undefined;
    Root root = Root::LocalMachine;
    std::string key;
    std::string value;
    std::vector<std::string> ours;  // RestoreDefault: the values setup wrote (ASCII case ignored)
    std::string path;
    std::string shown;              // the text for messages about this step
    bool reportFailure = true;      // DeleteKey: false when setup replays a previous log
};

struct ReplayOptions {
    // Setup replaying a previous installation: the settings key stays and key deletions that fail
    // are not reported.
    bool keepSettings = false;
};

// The steps for the log's bytes, last line first. `logFolder` is the folder holding the log
// (ending in "\"); only names in it (and its dtd\ and keyword\) are payload.
std::vector<Step> planReplay(const std::string& bytes, const std::string& logFolder, const ReplayOptions& options);

// Whether the current default value of a key still shows setup's writing.
bool stillOurs(const Step& step, const std::string& current);

}  // namespace install_log

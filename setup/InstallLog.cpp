// The install log's record format, reading rules and replay plan (see InstallLog.h).
#include "InstallLog.h"

#include "Payload.h"
#include "SjisPath.h"

namespace install_log {

namespace {

using sjis_path::equalsIgnoreCase;

struct RootEntry {
    Root root;
    const char* name;
};
constexpr RootEntry kRoots[] = {
    {Root::LocalMachine, "HKEY_LOCAL_MACHINE"},
    {Root::ClassesRoot, "HKEY_CLASSES_ROOT"},
    {Root::CurrentUser, "HKEY_CURRENT_USER"},
};

bool hasControlByte(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) return true;
    }
    return false;
}

// Splits "ROOT\key" (root name in its exact case); false for any other root.
bool splitRoot(const std::string& argument, Root* root, std::string* key) {
    for (const RootEntry& entry : kRoots) {
        const std::string prefix = std::string(entry.name) + "\\";
        if (argument.compare(0, prefix.size(), prefix) == 0) {
            *root = entry.root;
            *key = argument.substr(prefix.size());
            return true;
        }
    }
    return false;
}

// True when `text` ends with `suffix` and the suffix starts on a character boundary.
bool endsWithAtBoundary(const std::string& text, const std::string& suffix) {
    if (suffix.size() >= text.size()) return false;
    const std::string::size_type start = text.size() - suffix.size();
    std::string::size_type i = 0;
    while (i < start) i += sjis_path::isLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == start && equalsIgnoreCase(text.substr(start), suffix);
}

bool isOneOf(const std::string& key, std::initializer_list<std::string> names) {
    for (const std::string& name : names) {
        if (equalsIgnoreCase(key, name)) return true;
    }
    return false;
}

// The keys setup creates, each deleted on its own.
bool isDeletableKey(Root root, const std::string& key) {
    const std::string type = kFileType;
    const std::string app = kApplicationKey;
    const std::string verb = kEditVerb;
    switch (root) {
        case Root::ClassesRoot:
            return isOneOf(key, {type, type + "\\shell", type + "\\shell\\open", type + "\\shell\\open\\command",
                                 type + "\\DefaultIcon", app, app + "\\shell", app + "\\shell\\edit",
                                 app + "\\shell\\edit\\command", kOpenWithKey}) ||
                   endsWithAtBoundary(key, verb) || endsWithAtBoundary(key, verb + "\\command");
        case Root::LocalMachine:
            return isOneOf(key, {kUninstallKey, kSourceViewerKey, kSourceViewerNameKey});
        case Root::CurrentUser:
            return isOneOf(key, {kSettingsKey});
    }
    return false;
}

// The keys whose default value setup replaces, with the values it writes there.
bool restorableKey(Root root, const std::string& key, const std::string& logFolder, std::vector<std::string>* ours) {
    if (root == Root::ClassesRoot && isOneOf(key, {".css", ".txt"})) {
        *ours = {kFileType};
        return true;
    }
    if (root == Root::LocalMachine && isOneOf(key, {kSourceViewerNameKey})) {
        *ours = {logFolder + payload::kProgramName};
        return true;
    }
    return false;
}

bool isPayloadFile(const std::string& path, const std::string& folder) {
    const std::string name = sjis_path::lastComponent(path);
    if (isOneOf(name, {payload::kShortcutName, payload::kReadMeShortcutName})) return true;
    const std::string parent = sjis_path::parentFolder(path);
    if (equalsIgnoreCase(parent, folder) && equalsIgnoreCase(name, payload::kLogName)) return true;
    const payload::File* file = payload::find(name);
    return file != nullptr && equalsIgnoreCase(parent, folder + payload::subfolderPrefix(file->folder));
}

bool isInstallFolder(const std::string& path, const std::string& folder) {
    const std::string top = folder.substr(0, folder.size() - 1);
    return isOneOf(path, {top, folder + payload::kDtdFolder, folder + payload::kKeywordFolder}) ||
           equalsIgnoreCase(sjis_path::lastComponent(path), payload::kFolderName);
}

// A refused line as shown in a message: an overlong one is cut on a character boundary.
std::string shownLine(const std::string& text) {
    if (text.size() <= kMaxLineBytes) return text;
    std::string::size_type i = 0;
    while (i < kMaxLineBytes) {
        const std::string::size_type step = sjis_path::isLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > kMaxLineBytes) break;
        i += step;
    }
    return text.substr(0, i) + "...";
}

Step undefined(const std::string& shown) {
    Step step;
    step.shown = shown;
    return step;
}

// One line's step; false when the line is left out (the kept settings key).
bool planLine(const Line& line, const std::string& folder, const ReplayOptions& options, Step* step) {
    if (line.refused) {
        *step = undefined(shownLine(line.text));
        return true;
    }
    const std::string kind = line.text.substr(0, 2);
    const std::string argument = line.text.size() > 2 ? line.text.substr(2) : "";
    *step = undefined(argument);
    if (kind == "RD" || kind == "RU") {
        Root root;
        std::string key;
        if (!splitRoot(argument, &root, &key)) return true;
        if (kind == "RD") {
            if (options.keepSettings && root == Root::CurrentUser && equalsIgnoreCase(key, kSettingsKey)) return false;
            if (!isDeletableKey(root, key)) return true;
            step->action = Action::DeleteKey;
            step->reportFailure = !options.keepSettings;
        } else {
            // The first "|": a key name setup writes holds none, while a type may (ポ is 83 7C).
            const std::string::size_type bar = key.find('|');
            if (bar == std::string::npos) return true;
            step->value = key.substr(bar + 1);
            key.resize(bar);
            if (!restorableKey(root, key, folder, &step->ours)) return true;
            step->action = Action::RestoreDefault;
            step->shown = rootName(root) + std::string("\\") + key;
        }
        step->root = root;
        step->key = key;
    } else if (kind == "FD" || kind == "DD") {
        const std::string path = sjis_path::canonical(argument);
        if (path.empty()) return true;
        if (kind == "FD" ? !isPayloadFile(path, folder) : !isInstallFolder(path, folder)) return true;
        step->action = kind == "FD" ? Action::DeleteFile : Action::RemoveFolder;
        step->path = path;
    } else {
        step->shown = line.text;
    }
    return true;
}

}  // namespace

const char* rootName(Root root) {
    for (const RootEntry& entry : kRoots) {
        if (entry.root == root) return entry.name;
    }
    return "";
}

bool formatRecord(const char* kind, const std::string& argument, std::string* line) {
    const std::string text = std::string(kind) + argument;
    if (hasControlByte(text) || text.size() + 1 > kMaxLineBytes) return false;
    *line = text + "\n";
    return true;
}

bool folderRecord(const std::string& folder, std::string* line) { return formatRecord("DD", folder, line); }
bool fileRecord(const std::string& file, std::string* line) { return formatRecord("FD", file, line); }

bool keyRecord(Root root, const std::string& key, std::string* line) {
    return formatRecord("RD", rootName(root) + std::string("\\") + key, line);
}

bool valueRecord(Root root, const std::string& key, const std::string& previous, std::string* line) {
    return formatRecord("RU", rootName(root) + std::string("\\") + key + "|" + previous, line);
}

std::vector<Line> readLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        std::string::size_type end = bytes.find('\n', start);
        // A last line without its LF may be a write cut short: its path may name another file.
        const bool complete = end != std::string::npos;
        if (!complete) end = bytes.size();
        const std::string::size_type rawLength = end - start + (complete ? 1 : 0);
        std::string text = bytes.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (!text.empty()) {
            lines.push_back({text, !complete || rawLength > kMaxLineBytes || hasControlByte(text)});
        }
        start = end + 1;
    }
    return lines;
}

std::vector<Step> planReplay(const std::string& bytes, const std::string& logFolder, const ReplayOptions& options) {
    const std::string canonicalFolder = sjis_path::canonical(logFolder);
    const std::string folder = canonicalFolder.empty() ? "" : sjis_path::withTrailingBackslash(canonicalFolder);
    const std::vector<Line> lines = readLines(bytes);
    std::vector<Step> steps;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        Step step;
        if (planLine(*line, folder, options, &step)) steps.push_back(step);
    }
    return steps;
}

bool stillOurs(const Step& step, const std::string& current) {
    for (const std::string& value : step.ours) {
        if (equalsIgnoreCase(current, value)) return true;
    }
    return false;
}

}  // namespace install_log

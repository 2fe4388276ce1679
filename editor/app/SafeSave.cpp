// SafeSave: the temporary-file-and-replace way of saving a document.
#include "SafeSave.h"

#include <windows.h>

#include <string>

namespace {

// The folder of `path` including its last backslash (double-byte aware), or empty.
std::string folderOf(const char* path) {
    size_t cut = 0;
    for (size_t i = 0; path[i]; ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsDBCSLeadByte(c) && path[i + 1]) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/') cut = i + 1;
    }
    return std::string(path, cut);
}

// The target must be writable at all: an existing file is opened for writing (without
// truncating) once, so that a locked or protected file is reported before anything is written.
SaveResult probeTarget(const char* path, DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return SaveResult::Saved;
    if (attributes & FILE_ATTRIBUTE_READONLY) return SaveResult::ReadOnly;
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return SaveResult::CannotOpen;
    CloseHandle(h);
    return SaveResult::Saved;
}

}  // namespace

SaveResult saveSafely(const char* path, const std::function<bool(std::FILE*)>& write) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return SaveResult::CannotOpen;
    SaveResult probe = probeTarget(path, attributes);
    if (probe != SaveResult::Saved) return probe;

    std::string folder = folderOf(path);
    char temporary[MAX_PATH + 16];
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "~ul", 0, temporary)) return SaveResult::CannotOpen;
    std::FILE* stream = std::fopen(temporary, "wb");
    if (!stream) {
        DeleteFileA(temporary);
        return SaveResult::CannotOpen;
    }
    bool ok = write(stream);
    ok = std::fflush(stream) == 0 && ok;
    ok = std::fclose(stream) == 0 && ok;
    if (ok) {
        if (attributes == INVALID_FILE_ATTRIBUTES)
            ok = MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
        else
            ok = ReplaceFileA(path, temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    }
    if (!ok) {
        DeleteFileA(temporary);
        return SaveResult::WriteFailed;
    }
    return SaveResult::Saved;
}

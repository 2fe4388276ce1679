// SafeSave: writes a file's new content beside it under a temporary name and puts it in the
// file's place only once every byte was written and the temporary file closed, so that a failed
// save leaves the original file as it was.
#pragma once
#include <cstdio>
#include <functional>

enum class SaveResult {
    Saved,
    ReadOnly,      // the target exists with the read-only attribute
    CannotOpen,    // the target (or a temporary file beside it) cannot be written
    WriteFailed,   // a write, the close or the replacement failed; the target is untouched
};

// `write` fills the stream and answers false at the first failed write.
SaveResult saveSafely(const char* path, const std::function<bool(std::FILE*)>& write);

// The path of one file relative to an HTML document, as written in a link: "../" per folder up,
// "/" between names. Shift_JIS paths: a trail byte 0x5C (as in 表) is never a separator.
#pragma once
#include <string>

namespace pagetool {

enum class RelativeResult {
    Ok,
    OtherRoot,       // the files lie on different drives or network shares: no relative path
    NoCommonFolder,  // the paths share no folder (neither has a root this code understands)
    NoRoom,          // the result (or the "../" steps) would not fit the caller's buffer
};

// The root of a full path: "X:\" or "\\server\share\" (the server and share names as they stand).
// Empty when the path has neither form.
std::string pathRoot(const std::string& path);

// The path of `target` relative to the folder of `document`. Roots compare ignoring the case of
// ASCII letters (as the file system does), and so does the rest of the common folder part; the
// result keeps the target's own spelling. `bufferLength` is the caller's buffer size: the result
// and its NUL must fit, and so must five bytes per folder step up.
RelativeResult relativePath(const std::string& document, const std::string& target,
                            size_t bufferLength, std::string* result);

}  // namespace pagetool

// Shift_JIS (code page 932) paths taken apart the way the file system sees them: a "\" is a
// separator only when it is a character of its own, never the trail byte 0x5C of a double-byte
// character such as 表 (95 5C); names compare ignoring the case of ASCII letters only. Portable.
#pragma once
#include <cstddef>
#include <string>

namespace sjis_path {

// Bytes the character at `at` takes: 2 for a lead byte with a byte after it, else 1.
size_t charLength(const std::string& text, size_t at);

// Offset of the file name in a path: just after the last separator; 0 when there is none.
size_t fileNameOffset(const std::string& path);
inline std::string fileNamePart(const std::string& path) { return path.substr(fileNameOffset(path)); }
// The folder with its last separator ("C:\web\" for "C:\web\a.html"); empty when there is none.
inline std::string folderPart(const std::string& path) { return path.substr(0, fileNameOffset(path)); }

// Equal without regard to the case of ASCII letters; double-byte characters compare exactly.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace sjis_path

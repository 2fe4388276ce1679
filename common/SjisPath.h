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

// Whole paths, for the installer and the uninstaller.
bool isLead(unsigned char byte);
// True when the last character of `text` is a backslash (not the trail byte of a pair).
bool endsWithBackslash(const std::string& text);
std::string withTrailingBackslash(const std::string& text);
// Byte offset of the last backslash character, or npos.
std::string::size_type lastBackslash(const std::string& text);
// ASCII letters compared without case, double-byte characters byte for byte.
bool equalsIgnoreCase(const std::string& a, const std::string& b);
bool startsWithIgnoreCase(const std::string& text, const std::string& prefix);
// The canonical form of an absolute path "X:\...": separators "/" and "\" as one "\", "." left
// out, ".." takes the folder before it away. Empty when the path is not absolute, climbs above the
// drive, or names something Windows would read differently from its text (a component ending in
// "." or blank, a ":" after the drive, a control byte, a double-byte character cut at the end).
// A trailing backslash is dropped except after the drive ("C:\").
std::string canonical(const std::string& path);
// The last component of a canonical path ("" for a drive root).
std::string lastComponent(const std::string& path);
// The canonical path without its last component, ending in "\" ("" when none).
std::string parentFolder(const std::string& path);

}  // namespace sjis_path

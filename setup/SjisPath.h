// Shift_JIS path helpers for the installer and uninstaller: every scan steps over double-byte
// characters, so a trail byte 0x5C (表 = 95 5C) is never taken for a backslash and only ASCII
// letters are case-folded (ア 83 41 and ヂ 83 61 stay different).
#pragma once
#include <string>

namespace sjis_path {

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

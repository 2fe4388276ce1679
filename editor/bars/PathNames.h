// Names shown for paths in the tab bar and its menus: the file-name part, names made unique by
// widening them folder by folder, and menu labels that show an ampersand as itself.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace bars {

// Offset of the file name in a Shift_JIS path: just after the last "\" that is a character of its
// own (the trail byte 0x5C of a double-byte character such as 表 is not a separator). 0 when the
// path has no separator.
size_t fileNameOffset(const std::string& path);
inline std::string fileNamePart(const std::string& path) {
    return path.substr(fileNameOffset(path));
}

// Equal without regard to the case of ASCII letters; double-byte characters compare exactly.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);

// One name per path, unique among them: each starts as its file name; while two names are equal
// (ignoring case), every later one equal to an earlier one and that earlier one gain the folder to
// their left; a name with no folder left to gain is the whole path. Paths that are equal ignoring
// case end as their whole paths, still equal.
std::vector<std::string> uniqueNames(const std::vector<std::string>& paths);

// The text with every "&" doubled, so that a menu shows it instead of underlining the next letter.
std::string menuEscaped(const std::string& text);

}  // namespace bars

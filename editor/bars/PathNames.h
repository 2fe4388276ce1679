// Names shown for paths in the tab bar and its menus: names made unique by widening them folder by
// folder, and menu labels that show an ampersand as itself. The path parts come from SjisPath.h.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "SjisPath.h"

namespace bars {

// One name per path, unique among them: each starts as its file name; while two names are equal
// (ignoring case), every later one equal to an earlier one and that earlier one gain the folder to
// their left; a name with no folder left to gain is the whole path. Paths that are equal ignoring
// case end as their whole paths, still equal.
std::vector<std::string> uniqueNames(const std::vector<std::string>& paths);

// The text with every "&" doubled, so that a menu shows it instead of underlining the next letter.
std::string menuEscaped(const std::string& text);

}  // namespace bars

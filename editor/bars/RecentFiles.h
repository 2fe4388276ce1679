// The one place the tab bar reads the recently used files ("file_history") from the settings.
#pragma once
#include <string>
#include <vector>

namespace bars {

// The history entries, newest first; empty when the value is missing, empty or malformed.
std::vector<std::string> readRecentFiles();

}  // namespace bars

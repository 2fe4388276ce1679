// Shell links: a target path, shown normally, no arguments and no working folder.
#pragma once
#include <string>

namespace shortcut {

// Writes the link file `link` (COM must be initialised on the calling thread).
bool create(const std::string& link, const std::string& target);

}  // namespace shortcut

// ProgramFiles: full paths of files in the running program's own folder, so that companions and
// libraries are taken from there and never from the current folder or the search path.
#pragma once
#include <string>

// The folder of the running program, with its trailing backslash.
std::string programFolder();
// programFolder() + name.
std::string programFile(const char* name);

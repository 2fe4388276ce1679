// A temporary file that belongs to this process alone, for tests and benchmarks that write through
// a stdio stream and read the bytes back.
//
// Windows' C library builds tmpfile() from a name it asks the system for, then deletes that file
// and opens the name again: two programs that start at the same moment in the same prefix (as
// tests run in parallel do) can be given one name and write into each other's file. Here the name
// holds the process id, and the file is deleted when it is closed.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <process.h>
#endif

inline std::FILE* openPrivateTempFile() {
#ifdef _WIN32
    static unsigned counter = 0;
    const char* folder = std::getenv("TEMP");
    if (!folder || !*folder) folder = std::getenv("TMP");
    std::string name = std::string(folder && *folder ? folder : ".") + "\\ulo-test-" +
                       std::to_string(_getpid()) + "-" + std::to_string(counter++) + ".tmp";
    return std::fopen(name.c_str(), "w+bD");  // D: removed when closed
#else
    return std::tmpfile();
#endif
}

// ProgramFiles: full paths of files in the running program's own folder, so that companions,
// libraries and data files are taken from there and never from the current folder or the search
// path; and starting a program of its own.
#pragma once
#include <windows.h>

#include <string>

// The folder of the running program, with its trailing backslash.
std::string programFolder();
// programFolder() + name.
std::string programFile(const char* name);
// Starts a program with a normal window in a process group of its own. application: the
// program's full path, or null to take it from the command line's first token. The process id
// and handle are given when asked for (the caller then closes the handle).
bool startProcess(const char* application, std::string commandLine, DWORD* processId = nullptr,
                  HANDLE* process = nullptr);

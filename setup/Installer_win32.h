// The installation itself, run on the wizard's worker thread: replays a previous installation's
// log, copies the payload, registers file types, verbs, shortcuts and the uninstall entry, and
// writes every change to install_log right after making it. Questions and failures are message
// boxes owned by the wizard's dialog.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace installer {

struct Options {
    bool sendTo = true;
    bool cssFiles = true;
    bool textFiles = true;
    bool desktop = false;
    bool sourceViewer = true;
};

struct Request {
    std::string folder;          // the installation folder, ending in "\"
    std::string sourceFolder;    // setup's own folder, ending in "\"
    std::string previousLog;     // a previous installation's log, or ""
    Options options;
    HWND owner = nullptr;        // the wizard's dialog
};

// True when the installation completed.
bool install(const Request& request);

// The names setup was built to copy (the copy list's entries present in the build), in order.
const std::vector<std::string>& packagedNames();

}  // namespace installer

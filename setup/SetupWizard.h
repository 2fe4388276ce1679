// The installer's wizard: folder, options and confirmation pages, then the installation on one
// worker thread while the dialog keeps answering (its buttons disabled, closing and Esc ignored),
// then the end page.
#pragma once
#include <windows.h>

#include <string>

namespace setup_ui {

struct Start {
    std::string folder;        // proposed installation folder, ending in "\"
    std::string previousLog;   // a previous installation's log, or ""
    std::string sourceFolder;  // setup's own folder, ending in "\"
};

void runWizard(HINSTANCE instance, const Start& start);

}  // namespace setup_ui

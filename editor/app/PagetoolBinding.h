// PagetoolBinding: pagetool.dll for the frame, loaded on first use and kept until the main window
// goes. Loading also asks for the two exports the preview cannot do without; a library without
// them is reported and unloaded, and the next use tries again.
#pragma once
#include <windows.h>

#include "LibraryOnDemand.h"
#include "PagetoolExports.h"

class PagetoolBinding {
public:
    PagetoolBinding() = default;
    PagetoolBinding(const PagetoolBinding&) = delete;
    PagetoolBinding& operator=(const PagetoolBinding&) = delete;

    // Loads the library if needed; a missing or incomplete library gets its error box, owned by
    // `owner`, and false.
    bool load(HWND owner);
    bool loaded() const { return library_.loaded(); }
    // An export looked up by name; null when missing or the library is not loaded.
    template <typename Function>
    Function function(const char* name) const {
        return library_.function<Function>(name);
    }
    void unload() { library_.unload(); }

private:
    LibraryOnDemand library_{pagetool_exports::kLibraryName};
};

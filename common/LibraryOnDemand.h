// LibraryOnDemand: a DLL loaded by file name on first use and kept until its owner goes. A
// library that cannot be loaded is reported (when the caller asks) and tried again at the next use.
#pragma once
#include <windows.h>

class LibraryOnDemand {
public:
    // fileName: the bare file name ("pagetool.dll"), loaded from the program's own folder; a
    // full path is loaded as it is.
    explicit LibraryOnDemand(const char* fileName);
    ~LibraryOnDemand();
    LibraryOnDemand(const LibraryOnDemand&) = delete;
    LibraryOnDemand& operator=(const LibraryOnDemand&) = delete;

    // True when the library is loaded (now or earlier). Silent on failure.
    bool load();
    // Like load(), but a failure shows the error box "<file> が見つかりません。" owned by owner.
    bool loadOrReport(HWND owner, const char* caption);
    bool loaded() const { return module_ != nullptr; }
    // The export's address, or null when it is missing or the library is not loaded.
    FARPROC symbol(const char* name) const;
    template <typename Function>
    Function function(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(symbol(name)));
    }
    void unload();
    const char* fileName() const { return fileName_; }
    HMODULE module() const { return module_; }

private:
    const char* fileName_;
    HMODULE module_ = nullptr;
};

// Shows the error box "<file> が見つかりません。" (not found) for a library or program file name.
void reportFileNotFound(HWND owner, const char* caption, const char* fileName);

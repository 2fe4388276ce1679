// LibraryOnDemand: loading by name on first use, the not-found report, unloading by the owner.
#include "LibraryOnDemand.h"

#include <cstring>
#include <string>

#include "ProgramFiles.h"

namespace {
// " が見つかりません。" (" was not found.")
constexpr char kNotFoundTail[] = " \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B";
}  // namespace

LibraryOnDemand::LibraryOnDemand(const char* fileName) : fileName_(fileName) {}

LibraryOnDemand::~LibraryOnDemand() { unload(); }

// A bare file name is taken from the program's own folder only: the usual DLL search would also
// look in the current folder, where a document's folder may hold a file of the same name.
bool LibraryOnDemand::load() {
    if (module_) return true;
    const std::string path = std::strpbrk(fileName_, "\\/:") ? std::string(fileName_) : programFile(fileName_);
    module_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module_ != nullptr;
}

bool LibraryOnDemand::loadOrReport(HWND owner, const char* caption) {
    if (load()) return true;
    reportFileNotFound(owner, caption, fileName_);
    return false;
}

FARPROC LibraryOnDemand::symbol(const char* name) const {
    return module_ ? GetProcAddress(module_, name) : nullptr;
}

void LibraryOnDemand::unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

void reportFileNotFound(HWND owner, const char* caption, const char* fileName) {
    std::string text = std::string(fileName) + kNotFoundTail;
    MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONERROR);
}

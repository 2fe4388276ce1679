// LintBinding: lint.dll bound by name through the shared on-demand loader.
#include <windows.h>

#include "LibraryOnDemand.h"
#include "LintBinding.h"

namespace {
template <typename F>
void take(const LibraryOnDemand& library, const char* name, F& slot) {
    slot = library.function<F>(name);
}
}  // namespace

LintBinding::LintBinding() : library_(new LibraryOnDemand("lint.dll")) {}

LintBinding::~LintBinding() {
    session_.release();
    delete library_;
}

bool LintBinding::check(const void* map, uint32_t options, LintMessageCallback callback, void* context,
                        LintLineSource& lines) {
    if (!session_.started()) {
        if (!library_->load()) return false;
        LintFunctions f;
        take(*library_, "LINT_CreateObject", f.createObject);
        take(*library_, "LINT_Initialize", f.initialize);
        take(*library_, "LINT_Execute", f.execute);
        take(*library_, "LINT_Execute_Finish", f.executeFinish);
        take(*library_, "LINT_ReleaseObject", f.releaseObject);
        if (!session_.start(f)) {
            library_->unload();
            return false;
        }
    }
    if (session_.check(map, options, callback, context, lines)) return true;
    library_->unload();
    return false;
}

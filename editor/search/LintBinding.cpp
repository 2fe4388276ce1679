// LintSession: the order of calls the checker library relies on.
#include "LintBinding.h"

bool LintSession::start(const LintFunctions& functions) {
    release();
    if (!functions.complete()) return false;
    void* handle = functions.createObject(0);
    if (handle == nullptr) return false;
    functions_ = functions;
    handle_ = handle;
    return true;
}

void LintSession::release() {
    if (handle_ != nullptr) functions_.releaseObject(handle_);
    handle_ = nullptr;
}

bool LintSession::check(const void* map, uint32_t options, LintMessageCallback callback, void* context,
                        LintLineSource& lines) {
    if (handle_ == nullptr) return false;
    bool ok = functions_.initialize(handle_, map, callback, context, options) != 0;
    const char* text = nullptr;
    uint32_t length = 0;
    bool lineBreak = false;
    while (ok && lines.next(&text, &length, &lineBreak)) {
        ok = functions_.execute(handle_, text, length) != 0;
        if (ok && lineBreak) ok = functions_.execute(handle_, "\n", 1) != 0;
    }
    if (ok) ok = functions_.executeFinish(handle_) != 0;
    if (!ok) release();
    return ok;
}

// lint.dll: the five exports the editor binds by name. A handle is a LintChecker object.
#include <windows.h>

#include <new>

#include "DocumentMap.h"
#include "LintChecker.h"

extern "C" {

__declspec(dllexport) void* __stdcall LINT_CreateObject(uint32_t) {
    return new (std::nothrow) LintChecker();
}

__declspec(dllexport) BOOL __stdcall LINT_Initialize(void* handle, const void* map, LintCallback callback,
                                                     void* context, uint32_t options) {
    if (handle == nullptr) return FALSE;
    return static_cast<LintChecker*>(handle)->initialize(static_cast<const DocumentMap*>(map), callback,
                                                         context, options);
}

__declspec(dllexport) BOOL __stdcall LINT_Execute(void* handle, const char* text, uint32_t length) {
    if (handle == nullptr || (text == nullptr && length != 0)) return FALSE;
    return static_cast<LintChecker*>(handle)->execute(reinterpret_cast<const uint8_t*>(text), length);
}

__declspec(dllexport) BOOL __stdcall LINT_Execute_Finish(void* handle) {
    if (handle == nullptr) return FALSE;
    return static_cast<LintChecker*>(handle)->finish();
}

__declspec(dllexport) void __stdcall LINT_ReleaseObject(void* handle) {
    delete static_cast<LintChecker*>(handle);
}

}  // extern "C"

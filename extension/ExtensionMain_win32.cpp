// Entry point of ulo_extension.dll: keeps the module handle.
#include "ExtensionModule_win32.h"

namespace {
HINSTANCE module = nullptr;
}

HINSTANCE extensionModule() { return module; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

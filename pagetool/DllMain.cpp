// Entry point of pagetool.dll: the host window classes go with the library when it is unloaded.
#include <windows.h>

#include "ViewerHost.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
    // At process end (reserved non-null) the classes go with the process.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) pagetool::unregisterViewerHost();
    return TRUE;
}

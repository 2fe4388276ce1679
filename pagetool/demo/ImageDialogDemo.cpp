// The demo behind pagetool/screenshot.sh: the image dialog of RP_GetImageTag for the document named
// on the command line; shows the tag it gave in a message box.
#include <windows.h>

#include <string>

#include "PagetoolExports.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    HMODULE library = LoadLibraryA(pagetool_exports::kLibraryName);
    if (!library) return 1;
    auto imageTag = reinterpret_cast<pagetool_exports::GetImageTagFn>(
        reinterpret_cast<void*>(GetProcAddress(library, pagetool_exports::kGetImageTag)));
    char buffer[510] = "";
    lstrcpynA(buffer, commandLine, sizeof buffer);
    if (imageTag && imageTag(nullptr, buffer, sizeof buffer, "pagetool demo", FALSE, FALSE, FALSE))
        MessageBoxA(nullptr, buffer, "pagetool demo", MB_OK);
    FreeLibrary(library);
    return 0;
}

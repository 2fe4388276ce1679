// Entry point of HuePick.dll: the picker's window class goes with the library when it is unloaded.
#include <windows.h>

#include "PickerWindow.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) huepick::unregisterPickerClass();
    return TRUE;
}

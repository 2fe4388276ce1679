// A pagetool.dll for tests only that lacks HV_Refresh: the editor must refuse it, unload it and
// try again at the next use.
#include <windows.h>

extern "C" BOOL WINAPI HV_Navigate(void*, const char*) { return FALSE; }

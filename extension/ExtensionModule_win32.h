// The plug-in's own module handle, recorded when the library is loaded: its dialog templates are
// loaded from it, not from the program that loaded the library.
#pragma once

#include <windows.h>

HINSTANCE extensionModule();

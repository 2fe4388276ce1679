// The picker window behind both exports of HuePick.dll (see HuePick.h).
#pragma once
#include <windows.h>

#include "HueColour.h"

namespace huepick {

// Opens a picker owned by owner's top-level window; null when it could not be made.
HWND openPicker(HWND owner, UINT message, const char* caption, const Rgb& initial);
void unregisterPickerClass();

}  // namespace huepick

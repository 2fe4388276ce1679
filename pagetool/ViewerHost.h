// The window that hosts an ActiveX control: class "AtlAxWin80" (and "AtlAxWinLic80", the same
// host), whose window text names the control ("Shell.Explorer.2" or a "{CLSID}"). At creation the
// host creates the control, gives it client and in-place sites and activates it in place; every
// WM_SIZE resizes it; destruction closes and releases it.
//
// Messages (registered, the same numbers in every module of the process):
//   "WM_ATLGETCONTROL" (0, 0) -> the control's IUnknown, AddRef'ed: the caller releases it. Null
//                                when the control could not be created.
//   "WM_ATLGETHOST"    (0, 0) -> the host's client site as IUnknown, AddRef'ed likewise.
#pragma once
#include <windows.h>

namespace pagetool {

inline constexpr char kHostClass[] = "AtlAxWin80";
inline constexpr char kLicensedHostClass[] = "AtlAxWinLic80";
inline constexpr char kGetControlMessage[] = "WM_ATLGETCONTROL";
inline constexpr char kGetHostMessage[] = "WM_ATLGETHOST";

// Registers both classes (with this module's handle) and both messages, once per process.
bool registerViewerHost();
// Undoes the registration when the library is unloaded, so that a later load registers its own
// window procedure again.
void unregisterViewerHost();

UINT getControlMessage();
UINT getHostMessage();

// The module holding this code: pagetool.dll, or the program it is linked into.
HINSTANCE thisModule();

}  // namespace pagetool

// Names that more than one program needs: the editor's main-window class, the messages other
// programs send to it and the caption of the editor's message boxes. One literal each.
#pragma once

namespace ulo_names {

// The editor's main windows; companions, the installer and the uninstaller find editors by it.
inline constexpr const char kMainWindowClass[] = "QuorvaleUloMainWindowClass";

// Caption of the editor's message boxes and its program name.
inline constexpr const char kEditorCaption[] = "Quorvale Ulo";

// Sent to every editor main window by the browser registration program when it has written a new
// "browser" record: the editor drops its cached copy. Result 0.
constexpr unsigned WM_FRAME_BROWSERS_CHANGED = 0x0400 + 6;

}  // namespace ulo_names

// The messages of the editor's main window: the frame messages (WM_USER + n), the peer protocol
// between editor processes, the editor notification message and the window-class names.
#pragma once
#include <cstdint>

#include "UloNames.h"

namespace frame_msg {

using ulo_names::kMainWindowClass;
inline constexpr const char kFloatTextClass[] = "QuorvaleFloatText";

// Sent to a main window by another editor process (or itself): wParam low word = a PEER_* code.
constexpr unsigned WM_FRAME_PEER = 0x0400 + 1;
// The editor control's notifications: wParam = the ECN_* kind.
constexpr unsigned WM_FRAME_EDITOR = 0x0400 + 2;
constexpr unsigned WM_FRAME_FIND = 0x0400 + 3;
constexpr unsigned WM_FRAME_COMPLETION = 0x0400 + 4;
constexpr unsigned WM_FRAME_COLOUR = 0x0400 + 5;
using ulo_names::WM_FRAME_BROWSERS_CHANGED;  // from the browser registration program
// Posted to the floating text window: hide it.
constexpr unsigned WM_FLOAT_HIDE = 0x0400 + 1;

// PEER_* codes of WM_FRAME_PEER (wParam); lParam as noted, results as noted.
enum PeerCode : uint32_t {
    PEER_ANNOUNCE = 10002,      // 0, sent to itself once after start-up -> 0
    PEER_ARRIVED = 10003,       // the new window -> the receiver's sequence number
    PEER_GONE = 10004,          // the closing window (posted) -> 0
    PEER_PATH_CHANGED = 10005,  // the window whose path changed (posted) -> 0
    PEER_QUERY_ATOM = 10101,    // 0 -> the global atom of the full path, or 0 when untitled
};

constexpr int kMaxPeers = 200;

// Timers of the main window.
constexpr unsigned kPreviewTimer = 1;   // 300 ms after the last change
constexpr unsigned kFocusTimer = 2;     // 500 ms after the last change

}  // namespace frame_msg

// PeerWindows: the Win32 side of the peer table: WM_FRAME_PEER messages and global atoms, the
// enumeration of editor main windows, closing every editor, and starting editor processes
// (a further file of the command line, a new window with or without a file).
#pragma once
#include <windows.h>

#include <string>

#include "PeerTable.h"

class Win32PeerPort final : public PeerPort {
public:
    intptr_t send(PeerWindow to, uint32_t code, PeerWindow about) override;
    void post(PeerWindow to, uint32_t code, PeerWindow about) override;
    PeerAtom addAtom(const char* text) override;
    void deleteAtom(PeerAtom atom) override;
    std::string atomText(PeerAtom atom) override;
    void activate(PeerWindow window) override;
};

namespace peer_windows {

// Whether a top-level window is an editor main window (exact class name).
bool isEditorMainWindow(HWND window);
// Enters every editor main window into the table until it is full.
void collect(PeerTable& table);
// Sends WM_CLOSE to every editor main window, the own one included; each asks about its changes.
void closeAllEditors();
// Brings a window to the front, restoring it when minimised.
void activate(HWND window);
// The long form of a path (at most 510 bytes); the path unchanged when that yields nothing.
std::string longPath(const std::string& path);
// Starts "ulo.exe " + the rest of the command line; a failure is dropped silently.
void startChain(const std::string& remainder);
// Starts a new editor window, with a file (and its encoding) or empty; an empty one is sent the
// document type once it is idle. A failure is reported to the user over `owner`.
bool openInNewWindow(HWND owner, const char* file, int encoding, int documentType);

}  // namespace peer_windows

// PeerTable: the start-ordered table of the editor windows this process knows (its own included
// once announced), its sequence number and the atom of its own path, and the peer protocol of
// WM_FRAME_PEER that keeps every window's table in the same order. The system calls (window
// messages, the global atom table, activation) and the tab bar are reached through the two small
// interfaces below, so that the table runs without windows in its tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FrameMessages.h"

using PeerWindow = void*;  // an editor main window (HWND)
using PeerAtom = uint16_t; // a global atom naming a full path, 0 for none

struct Peer {
    PeerWindow window;
    PeerAtom atom;
};

// The messages and atoms of the peer protocol.
class PeerPort {
public:
    // Sends WM_FRAME_PEER with `code` and `about` (lParam) to `to` and answers its result.
    virtual intptr_t send(PeerWindow to, uint32_t code, PeerWindow about) = 0;
    // Posts WM_FRAME_PEER likewise.
    virtual void post(PeerWindow to, uint32_t code, PeerWindow about) = 0;
    virtual PeerAtom addAtom(const char* text) = 0;
    virtual void deleteAtom(PeerAtom atom) = 0;
    // The text of a nonzero atom (at most 510 bytes).
    virtual std::string atomText(PeerAtom atom) = 0;
    // Brings a window to the front, restoring it when minimised.
    virtual void activate(PeerWindow window) = 0;

protected:
    ~PeerPort() = default;
};

// The tab bar as the table sees it: one tab per entry, in table order.
class PeerTabs {
public:
    virtual void addTab(const char* name, PeerWindow window, bool own) = 0;
    virtual void removeTab(PeerWindow window) = 0;
    virtual void renameTab(PeerWindow window, const char* name) = 0;
    virtual void repaintTabs() = 0;

protected:
    ~PeerTabs() = default;
};

class PeerTable {
public:
    PeerTable(PeerPort& port, PeerTabs& tabs) : port_(port), tabs_(tabs) {}
    PeerTable(const PeerTable&) = delete;
    PeerTable& operator=(const PeerTable&) = delete;

    void setOwnWindow(PeerWindow window) { own_ = window; }

    // Start-up enumeration: enters a main window found with the atom it answers. False once the
    // table is full, which ends the enumeration.
    bool collect(PeerWindow window);
    // Whether `path` is open in another window of the table; that window is brought to the front.
    bool alreadyOpen(const char* path);
    // The announce exchange: asks every peer for its sequence number, sorts the table into start
    // order, fills the tab bar and enters the own window. `ownPath` is empty when untitled.
    void announce(const char* ownPath);
    // A WM_FRAME_PEER message received from `other`; the message's result.
    intptr_t receive(uint32_t code, PeerWindow other, const char* ownPath);
    // The document's path was set or cleared: drops the own atom and, once announced, tells every
    // entry (the own one included) to retitle the tab.
    void pathChanged();
    // The window is being destroyed: drops the own atom and tells the other entries it is gone.
    void depart();
    // Brings the next (or previous) window of the table to the front, wrapping around.
    void cycle(bool next);

    int count() const { return static_cast<int>(peers_.size()); }
    const Peer& at(int i) const { return peers_[static_cast<size_t>(i)]; }
    int32_t ownSequence() const { return ownSequence_; }
    PeerAtom ownAtom() const { return ownAtom_; }

private:
    std::string tabName(PeerAtom atom);
    void dropOwnAtom();

    PeerPort& port_;
    PeerTabs& tabs_;
    std::vector<Peer> peers_;  // at most frame_msg::kMaxPeers
    PeerWindow own_ = nullptr;
    int32_t ownSequence_ = 0;
    PeerAtom ownAtom_ = 0;
};

// PeerTable: the peer protocol between editor processes over the table of their main windows.
#include "PeerTable.h"

#include "FrameTexts.h"
#include "PeerOrder.h"

using namespace frame_msg;

namespace {
constexpr size_t kMax = static_cast<size_t>(kMaxPeers);
}  // namespace

bool PeerTable::collect(PeerWindow window) {
    if (peers_.size() > kMax - 1) return false;
    PeerAtom atom = static_cast<PeerAtom>(port_.send(window, PEER_QUERY_ATOM, nullptr));
    peers_.push_back({window, atom});
    return peers_.size() < kMax;
}

bool PeerTable::alreadyOpen(const char* path) {
    if (!path || !path[0]) return false;
    PeerAtom atom = port_.addAtom(path);
    if (!atom) return false;
    bool found = false;
    for (const Peer& p : peers_) {
        if (p.atom == atom && p.window != own_) {
            port_.activate(p.window);
            found = true;
            break;
        }
    }
    port_.deleteAtom(atom);
    return found;
}

std::string PeerTable::tabName(PeerAtom atom) {
    return atom ? port_.atomText(atom) : std::string(ulo_text::kUntitled);
}

void PeerTable::announce(const char* ownPath) {
    std::vector<int32_t> answers;
    for (const Peer& p : peers_) answers.push_back(static_cast<int32_t>(port_.send(p.window, PEER_ARRIVED, own_)));
    ownSequence_ = nextSequence(answers);
    sortByAnswers(peers_, answers);
    for (const Peer& p : peers_) tabs_.addTab(tabName(p.atom).c_str(), p.window, false);
    if (peers_.size() <= kMax - 1) {
        peers_.push_back({own_, 0});
        tabs_.addTab(ownPath && ownPath[0] ? ownPath : ulo_text::kUntitled, own_, true);
    }
    tabs_.repaintTabs();
}

intptr_t PeerTable::receive(uint32_t code, PeerWindow other, const char* ownPath) {
    switch (code) {
    case PEER_ANNOUNCE: announce(ownPath); return 0;
    case PEER_ARRIVED:
        if (peers_.size() < kMax) {
            PeerAtom atom = static_cast<PeerAtom>(port_.send(other, PEER_QUERY_ATOM, nullptr));
            peers_.push_back({other, atom});
            tabs_.addTab(tabName(atom).c_str(), other, false);
            tabs_.repaintTabs();
        }
        return ownSequence_;
    case PEER_GONE:
        for (size_t i = 0; i < peers_.size(); ++i) {
            if (peers_[i].window != other) continue;
            peers_.erase(peers_.begin() + static_cast<std::ptrdiff_t>(i));
            tabs_.removeTab(other);
            tabs_.repaintTabs();
            break;
        }
        return 0;
    case PEER_PATH_CHANGED: {
        PeerAtom atom = static_cast<PeerAtom>(port_.send(other, PEER_QUERY_ATOM, nullptr));
        tabs_.renameTab(other, tabName(atom).c_str());
        tabs_.repaintTabs();
        return 0;
    }
    case PEER_QUERY_ATOM:
        if (!ownPath || !ownPath[0]) return 0;
        if (!ownAtom_) ownAtom_ = port_.addAtom(ownPath);
        return ownAtom_;
    default: return 0;
    }
}

void PeerTable::dropOwnAtom() {
    if (!ownAtom_) return;
    port_.deleteAtom(ownAtom_);
    ownAtom_ = 0;
}

void PeerTable::pathChanged() {
    dropOwnAtom();
    if (ownSequence_ == 0 || !own_) return;
    for (const Peer& p : peers_) port_.post(p.window, PEER_PATH_CHANGED, own_);
}

void PeerTable::depart() {
    dropOwnAtom();
    for (const Peer& p : peers_)
        if (p.window != own_) port_.post(p.window, PEER_GONE, own_);
}

void PeerTable::cycle(bool next) {
    int n = count();
    if (n < 2) return;
    int own = -1;
    for (int i = 0; i < n; ++i)
        if (peers_[static_cast<size_t>(i)].window == own_) own = i;
    int target;
    if (next) target = (own < 0 || own == n - 1) ? 0 : own + 1;
    else target = own <= 0 ? n - 1 : own - 1;
    port_.activate(peers_[static_cast<size_t>(target)].window);
}

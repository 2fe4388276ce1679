// Tests of the peer table: several editors, each a PeerTable, talk through a fake system that
// delivers sent messages at once and posted ones when the test says so, and keeps a global atom
// table that ignores letter case and counts references as the system's does.
#include "PeerTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FrameTexts.h"

using namespace frame_msg;

namespace {

struct World;

// One editor process: its table, its document path and its tab bar.
struct Editor final : PeerPort, PeerTabs {
    Editor(World& w, int n) : world(w), number(n) {}

    intptr_t send(PeerWindow to, uint32_t code, PeerWindow about) override;
    void post(PeerWindow to, uint32_t code, PeerWindow about) override;
    PeerAtom addAtom(const char* text) override;
    void deleteAtom(PeerAtom atom) override;
    std::string atomText(PeerAtom atom) override;
    void activate(PeerWindow window) override;

    void addTab(const char* name, PeerWindow window, bool own) override {
        tabs.push_back({window, name, own});
    }
    void removeTab(PeerWindow window) override {
        tabs.erase(std::remove_if(tabs.begin(), tabs.end(), [&](const Tab& t) { return t.window == window; }),
                   tabs.end());
    }
    void renameTab(PeerWindow window, const char* name) override {
        for (Tab& t : tabs)
            if (t.window == window) t.name = name;
    }
    void repaintTabs() override { ++repaints; }

    PeerWindow window() const { return reinterpret_cast<PeerWindow>(static_cast<intptr_t>(number)); }
    std::string tabNames() const {
        std::string all;
        for (const Tab& t : tabs) all += (all.empty() ? "" : "|") + t.name + (t.own ? "*" : "");
        return all;
    }

    struct Tab {
        PeerWindow window;
        std::string name;
        bool own;
    };
    World& world;
    int number;
    std::string path;
    PeerTable table{*this, *this};
    std::vector<Tab> tabs;
    int repaints = 0;
};

struct World {
    struct Posted {
        PeerWindow to;
        uint32_t code;
        PeerWindow about;
    };
    struct Atom {
        std::string text;
        int references;
    };

    std::vector<std::unique_ptr<Editor>> editors;  // editors[n - 1] has window n
    std::deque<Posted> posted;
    std::map<PeerAtom, Atom> atoms;
    std::vector<PeerWindow> activated;

    Editor& at(PeerWindow w) { return *editors[static_cast<size_t>(reinterpret_cast<intptr_t>(w)) - 1]; }
    bool alive(PeerWindow w) {
        intptr_t n = reinterpret_cast<intptr_t>(w);
        return n >= 1 && static_cast<size_t>(n) <= editors.size() && editors[static_cast<size_t>(n) - 1];
    }

    // The start-up of an editor with `path`: peers found newest first (the window list's order),
    // the already-open check, the window, the announce exchange. Null when the file was open.
    Editor* start(const std::string& path = "") {
        auto editor = std::make_unique<Editor>(*this, static_cast<int>(editors.size()) + 1);
        for (size_t i = editors.size(); i-- > 0;)
            if (editors[i] && !editor->table.collect(editors[i]->window())) break;
        if (editor->table.alreadyOpen(path.c_str())) return nullptr;
        editor->path = path;
        editor->table.setOwnWindow(editor->window());
        editors.push_back(std::move(editor));
        Editor* e = editors.back().get();
        send(e->window(), PEER_ANNOUNCE, nullptr);
        return e;
    }
    intptr_t send(PeerWindow to, uint32_t code, PeerWindow about) {
        if (!alive(to)) return 0;
        Editor& e = at(to);
        return e.table.receive(code, about, e.path.c_str());
    }
    void deliver() {
        while (!posted.empty()) {
            Posted p = posted.front();
            posted.pop_front();
            send(p.to, p.code, p.about);
        }
    }
    void close(Editor* e) {
        e->table.depart();
        editors[static_cast<size_t>(e->number) - 1].reset();
    }

    static std::string folded(const std::string& s) {
        std::string f = s;
        for (char& c : f) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return f;
    }
    PeerAtom add(const char* text) {
        for (auto& [atom, entry] : atoms)
            if (folded(entry.text) == folded(text)) {
                ++entry.references;
                return atom;
            }
        PeerAtom atom = static_cast<PeerAtom>(0xC000 + atoms.size() + 1);
        while (atoms.count(atom)) ++atom;
        atoms[atom] = {text, 1};
        return atom;
    }
    void remove(PeerAtom atom) {
        auto it = atoms.find(atom);
        ASSERT_NE(it, atoms.end()) << "deleting an atom that is not there";
        if (--it->second.references == 0) atoms.erase(it);
    }
};

intptr_t Editor::send(PeerWindow to, uint32_t code, PeerWindow about) { return world.send(to, code, about); }
void Editor::post(PeerWindow to, uint32_t code, PeerWindow about) { world.posted.push_back({to, code, about}); }
PeerAtom Editor::addAtom(const char* text) { return world.add(text); }
void Editor::deleteAtom(PeerAtom atom) { world.remove(atom); }
std::string Editor::atomText(PeerAtom atom) { return world.atoms.at(atom).text; }
void Editor::activate(PeerWindow window) { world.activated.push_back(window); }

const std::string kNew = ulo_text::kUntitled;

}  // namespace

TEST(PeerTable, EveryEditorListsTheOthersInStartOrder) {
    World w;
    Editor* a = w.start("C:\\a.txt");
    Editor* b = w.start();
    Editor* c = w.start("C:\\c.txt");
    w.deliver();
    EXPECT_EQ(a->table.ownSequence(), 1);
    EXPECT_EQ(b->table.ownSequence(), 2);
    EXPECT_EQ(c->table.ownSequence(), 3);
    EXPECT_EQ(a->tabNames(), "C:\\a.txt*|" + kNew + "|C:\\c.txt");
    EXPECT_EQ(b->tabNames(), "C:\\a.txt|" + kNew + "*|C:\\c.txt");
    EXPECT_EQ(c->tabNames(), "C:\\a.txt|" + kNew + "|C:\\c.txt*");
    for (Editor* e : {a, b, c}) {
        ASSERT_EQ(e->table.count(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(e->table.at(i).window, w.editors[static_cast<size_t>(i)]->window());
    }
    // The one atom asked for by the peers: A's and C's paths; B is untitled.
    EXPECT_EQ(w.atoms.size(), 2u);
}

TEST(PeerTable, ALaterEditorStillSortsAfterAGapInTheSequence) {
    World w;
    Editor* a = w.start();
    Editor* b = w.start();
    w.close(a);
    w.deliver();
    EXPECT_EQ(b->table.count(), 1);
    Editor* c = w.start();
    w.deliver();
    EXPECT_EQ(c->table.ownSequence(), 3);
    EXPECT_EQ(b->table.at(1).window, c->window());
    EXPECT_EQ(c->table.at(0).window, b->window());
}

TEST(PeerTable, PathChangesRetitleTheTabEverywhereAndFreeTheAtom) {
    World w;
    Editor* a = w.start();
    Editor* b = w.start();
    w.deliver();
    b->path = "C:\\Web\\Index.html";
    // A query makes the own atom; a path change drops it and tells every entry, itself included.
    PeerAtom first = static_cast<PeerAtom>(w.send(b->window(), PEER_QUERY_ATOM, nullptr));
    EXPECT_EQ(b->table.ownAtom(), first);
    b->table.pathChanged();
    EXPECT_EQ(b->table.ownAtom(), 0);
    EXPECT_EQ(w.posted.size(), 2u);
    w.deliver();
    EXPECT_EQ(a->tabNames(), kNew + "*|C:\\Web\\Index.html");
    EXPECT_EQ(b->tabNames(), kNew + "|C:\\Web\\Index.html*");
    // The retitling made a fresh atom; the own entry's recorded atom stays 0.
    EXPECT_NE(b->table.ownAtom(), 0);
    EXPECT_EQ(a->table.at(1).atom, 0);

    b->path.clear();
    b->table.pathChanged();
    w.deliver();
    EXPECT_EQ(a->tabNames(), kNew + "*|" + kNew);
    EXPECT_TRUE(w.atoms.empty());
    // Before the announce a path change tells nobody.
    PeerTable quiet(*a, *a);
    quiet.pathChanged();
    EXPECT_TRUE(w.posted.empty());
}

TEST(PeerTable, AClosingEditorLeavesEveryTable) {
    World w;
    Editor* a = w.start("C:\\a.txt");
    Editor* b = w.start("C:\\b.txt");
    Editor* c = w.start("C:\\c.txt");
    w.deliver();
    w.send(b->window(), PEER_QUERY_ATOM, nullptr);
    size_t atomsBefore = w.atoms.size();
    w.close(b);
    EXPECT_EQ(w.posted.size(), 2u);  // to the others, not to itself
    w.deliver();
    EXPECT_EQ(a->tabNames(), "C:\\a.txt*|C:\\c.txt");
    EXPECT_EQ(c->tabNames(), "C:\\a.txt|C:\\c.txt*");
    EXPECT_EQ(a->table.count(), 2);
    // B's own atom went with it.
    EXPECT_EQ(w.atoms.size(), atomsBefore - 1);
    // A window that is not in the table changes nothing.
    int repaints = a->repaints;
    w.send(a->window(), PEER_GONE, reinterpret_cast<PeerWindow>(intptr_t{77}));
    EXPECT_EQ(a->table.count(), 2);
    EXPECT_EQ(a->repaints, repaints);
}

TEST(PeerTable, AFileOpenElsewhereIsFoundIgnoringCase) {
    World w;
    Editor* a = w.start("C:\\Docs\\memo.txt");
    w.start();
    w.deliver();
    EXPECT_EQ(w.start("c:\\docs\\MEMO.TXT"), nullptr);
    ASSERT_EQ(w.activated.size(), 1u);
    EXPECT_EQ(w.activated[0], a->window());
    EXPECT_EQ(w.editors.size(), 2u);
    // The check's temporary reference is gone again; A's own atom stays, made once however often
    // it is asked for.
    ASSERT_EQ(w.atoms.size(), 1u);
    EXPECT_EQ(w.atoms.begin()->second.references, 1);
    EXPECT_FALSE(a->table.alreadyOpen(""));
    EXPECT_FALSE(a->table.alreadyOpen(nullptr));
    // The own window does not count.
    EXPECT_FALSE(a->table.alreadyOpen("C:\\Docs\\memo.txt"));
}

TEST(PeerTable, CyclingWrapsAround) {
    World w;
    Editor* a = w.start();
    Editor* b = w.start();
    Editor* c = w.start();
    w.deliver();
    b->table.cycle(true);
    c->table.cycle(true);
    a->table.cycle(false);
    b->table.cycle(false);
    std::vector<PeerWindow> expected = {c->window(), a->window(), c->window(), a->window()};
    EXPECT_EQ(w.activated, expected);

    World alone;
    alone.start()->table.cycle(true);
    EXPECT_TRUE(alone.activated.empty());
}

TEST(PeerTable, AFullTableTakesNoMoreButStillAnswers) {
    World w;
    Editor* first = w.start();
    PeerTable& t = first->table;
    for (int i = 0; i < kMaxPeers - 2; ++i)
        EXPECT_TRUE(t.collect(reinterpret_cast<PeerWindow>(intptr_t{1000 + i})));
    EXPECT_FALSE(t.collect(reinterpret_cast<PeerWindow>(intptr_t{2000})));  // the 200th entry
    EXPECT_EQ(t.count(), kMaxPeers);
    EXPECT_FALSE(t.collect(reinterpret_cast<PeerWindow>(intptr_t{2001})));
    EXPECT_EQ(t.count(), kMaxPeers);
    EXPECT_EQ(t.receive(PEER_ARRIVED, reinterpret_cast<PeerWindow>(intptr_t{3000}), ""), 1);
    EXPECT_EQ(t.count(), kMaxPeers);
    EXPECT_EQ(t.receive(12345, nullptr, ""), 0);
}

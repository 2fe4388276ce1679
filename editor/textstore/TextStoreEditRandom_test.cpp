// Randomised differential test of the editing primitives and of undo/redo: every operation runs on
// the store and on a plain model (one unit per byte, one per line end); after every step the
// texts agree and the store's invariants hold; undo and redo walk back and forth through states
// that were seen.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "TextStore.h"
#include "TextStoreTestSupport.h"

namespace {

// A document as units: a byte is 0-255, a line end 256 + its LineEnd.
using Units = std::vector<int>;

Units unitsOf(const TextStore& store) {
    Units u;
    for (const LineRecord* line = store.firstLine(); line; line = line->next) {
        u.insert(u.end(), line->text, line->text + line->length);
        if (line->next) u.push_back(256 + line->lineEnd);
    }
    return u;
}

size_t indexOf(const TextStore& store, const TextPosition& p) {
    size_t index = 0;
    const LineRecord* line = store.firstLine();
    for (int32_t i = 0; i < p.line; ++i, line = line->next) index += line->length + 1;
    return index + p.offset;
}

Units unitsOfBytes(const std::string& s) {
    Units u;
    for (size_t i = 0; i < s.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(s[i]);
        if (b == 0x0D && i + 1 < s.size() && s[i + 1] == '\n') {
            u.push_back(256 + 3);
            ++i;
        } else if (b == 0x0D) {
            u.push_back(256 + 1);
        } else if (b == 0x0A) {
            u.push_back(256 + 2);
        } else {
            u.push_back(b);
        }
    }
    return u;
}

size_t lineStartIndex(const Units& u, size_t at) {
    while (at > 0 && u[at - 1] < 256) --at;
    return at;
}

// Length in units of the character that starts at `at` (a line end counts one).
size_t charUnits(const Units& u, size_t at) {
    if (u[at] >= 256) return 1;
    return u[at] < 256 && isSjisLead(static_cast<uint8_t>(u[at])) && at + 1 < u.size() && u[at + 1] < 256 ? 2 : 1;
}

// Start of the character before `at` within its line, scanning from the line start.
size_t previousChar(const Units& u, size_t at) {
    size_t i = lineStartIndex(u, at), last = i;
    while (i < at) {
        last = i;
        i += charUnits(u, i);
    }
    return last;
}

bool onBoundary(const Units& u, size_t at) {
    size_t i = lineStartIndex(u, at);
    while (i < at) i += charUnits(u, i);
    return i == at;
}

const char* const pieces[] = {"a", "b", "Z", "7", " ", "  ", "\t", "#", ".", "\x95\x5C" /* 表 */,
                              "\x83\x41" /* ア */, "\xB1" /* ｱ */, "\x81\x40" /* full-width space */,
                              "\x82\xA0" /* あ */, "\x81\x5B" /* ー */, "@", "xy",
                              "\x82" /* a lone lead byte: pairs with whatever follows */};

struct Runner {
    std::mt19937 random;
    TextStore store;
    Units model;
    std::map<int32_t, Units> seen;   // the text after the edit with that identifier
    storetest::Bytes image;

    explicit Runner(uint32_t seed, uint32_t limit) : random(seed) {
        // Narrow and wide rows by turns: double-byte characters cross row edges, TABs end rows.
        store.create(static_cast<int32_t>(3 + seed % 13), static_cast<int32_t>(2 + seed % 3), limit,
                     TextEncoding::ShiftJis);
        image = storetest::bytesOf("first line\r\n\tindented \x95\x5C\r\nthird\rfourth\nlast");
        storetest::loadImage(store, image, TextEncoding::ShiftJis);
        model = unitsOf(store);
        seen[store.lastEditId()] = model;
    }

    uint32_t below(uint32_t n) { return n ? static_cast<uint32_t>(random() % n) : 0; }

    std::string randomText(bool lineEnds) {
        std::string s;
        uint32_t n = 1 + below(lineEnds ? 12 : 4);
        for (uint32_t i = 0; i < n; ++i) {
            if (lineEnds && below(4) == 0) {
                static const char* const ends[] = {"\r\n", "\r", "\n"};
                s += ends[below(3)];
            } else {
                s += pieces[below(sizeof pieces / sizeof pieces[0])];
            }
        }
        return s;
    }

    size_t caretIndex() const { return indexOf(store, store.caret()); }

    // A random place on a character boundary.
    void randomPlace(int32_t* line, uint32_t* offset) {
        *line = static_cast<int32_t>(below(static_cast<uint32_t>(store.lineCount())));
        const LineRecord* r = store.firstLine();
        for (int32_t i = 0; i < *line; ++i) r = r->next;
        uint32_t want = below(r->length + 1), at = 0;
        while (at < want) at += isSjisLead(r->text[at]) && at + 1 < r->length ? 2 : 1;
        *offset = at > r->length ? r->length : at;
    }

    void move() {
        switch (below(15)) {
        case 14: store.setTop(static_cast<int32_t>(below(static_cast<uint32_t>(store.lineCount()))), int32_t(below(3))); break;
        case 0: {
            size_t at = caretIndex();
            store.moveLeft();
            ASSERT_EQ(caretIndex(), at == 0 ? 0 : (model[at - 1] >= 256 ? at - 1 : previousChar(model, at)));
            break;
        }
        case 1: {
            size_t at = caretIndex();
            store.moveRight();
            ASSERT_EQ(caretIndex(), at == model.size() ? at : at + charUnits(model, at));
            break;
        }
        case 2: store.moveWordLeft(); break;
        case 3: store.moveWordRight(); break;
        case 4: {
            int32_t row = store.caret().row;
            store.moveRowUp();
            ASSERT_EQ(store.caret().row, row > 0 ? row - 1 : 0);
            break;
        }
        case 5: {
            int32_t row = store.caret().row;
            store.moveRowDown();
            ASSERT_EQ(store.caret().row, row + 1 < store.rowCount() ? row + 1 : row);
            break;
        }
        case 6: store.moveLineStart(); break;
        case 7: store.moveSmartHome(); break;
        case 8: store.moveLineEnd(); break;
        case 9: store.moveDocumentStart(); break;
        case 10: store.moveDocumentEnd(); break;
        case 11: store.movePrevChangedBlock(); break;
        case 12: store.moveNextChangedBlock(); break;
        default: {
            int32_t line;
            uint32_t offset;
            randomPlace(&line, &offset);
            store.moveTo(line, offset);
        }
        }
    }

    void select() {
        store.setAnchorAtCaret();
        int32_t line;
        uint32_t offset;
        randomPlace(&line, &offset);
        store.moveTo(line, offset);
        store.extendSelectionToCaret();
    }

    void typeOrInsert(bool typed) {
        std::string s = randomText(false);
        size_t at = caretIndex();
        const uint8_t* b = reinterpret_cast<const uint8_t*>(s.data());
        bool ok = typed ? store.typeBytes(b, uint32_t(s.size()), true, true)
                        : store.insertBytes(b, uint32_t(s.size()), true, true);
        ASSERT_TRUE(ok);
        Units u = unitsOfBytes(s);
        model.insert(model.begin() + at, u.begin(), u.end());
        ASSERT_EQ(caretIndex(), at + u.size());
    }

    void insertText() {
        std::string s = randomText(true);
        size_t at = caretIndex();
        ASSERT_TRUE(store.insertText(reinterpret_cast<const uint8_t*>(s.data()), uint32_t(s.size()), true));
        Units u = unitsOfBytes(s);
        model.insert(model.begin() + at, u.begin(), u.end());
        ASSERT_EQ(caretIndex(), at + u.size());
    }

    void deleteChar(bool backward) {
        size_t at = caretIndex();
        ASSERT_TRUE(store.deleteChar(backward, true));
        if (backward && at > 0) {
            size_t from = model[at - 1] >= 256 ? at - 1 : previousChar(model, at);
            model.erase(model.begin() + from, model.begin() + at);
            ASSERT_EQ(caretIndex(), from);
        } else if (!backward && at < model.size()) {
            model.erase(model.begin() + at, model.begin() + at + charUnits(model, at));
            ASSERT_EQ(caretIndex(), at);
        }
    }

    void deleteForward() {
        uint32_t n = below(30);
        size_t at = caretIndex(), end = at;
        uint32_t bytes = 0;
        while (end < model.size() && bytes < n) {
            bytes += model[end] >= 256 ? (model[end] == 259 ? 2 : 1) : 1;
            ++end;
        }
        if (!onBoundary(model, end)) ++end;
        ASSERT_TRUE(store.deleteForward(n, true));
        model.erase(model.begin() + at, model.begin() + end);
        ASSERT_EQ(caretIndex(), at);
    }

    void split() {
        bool indent = below(2) == 0;
        size_t at = caretIndex(), start = lineStartIndex(model, at);
        int32_t next = store.nextEditId();
        ASSERT_TRUE(store.splitLine(indent, true));
        Units add{256 + static_cast<int>(store.documentLineEnd())};
        model.insert(model.begin() + at, add.begin(), add.end());
        // The indent is a record of its own: the state between the two is one undo can reach.
        if (store.lastEditId() == next + 1) seen[next] = model;
        if (indent) {
            Units run;
            for (size_t i = start; i < at && (model[i] == '\t' || model[i] == ' '); ++i) run.push_back(model[i]);
            model.insert(model.begin() + at + 1, run.begin(), run.end());
            add.insert(add.end(), run.begin(), run.end());
        }
        ASSERT_EQ(caretIndex(), at + add.size());
    }

    void join() {
        size_t at = caretIndex(), end = at;
        while (end < model.size() && model[end] < 256) ++end;
        ASSERT_TRUE(store.joinWithNext(true));
        if (end < model.size()) model.erase(model.begin() + end);
        ASSERT_EQ(caretIndex(), at);
    }

    void transfer(bool move) {
        int32_t line;
        uint32_t offset;
        randomPlace(&line, &offset);
        TextPosition from = store.caret();
        store.moveTo(line, offset);
        size_t start = caretIndex();
        store.moveTo(from.line, from.offset);
        size_t target = caretIndex();
        size_t length = below(25);
        if (start + length > model.size()) length = model.size() - start;
        if (!onBoundary(model, start + length)) ++length;
        bool refused = move && target >= start && target <= start + length;
        bool ok = move ? store.moveRange(line, offset, uint32_t(length), true)
                       : store.copyRange(line, offset, uint32_t(length), true);
        ASSERT_EQ(ok, !refused);
        if (refused) return;
        Units part(model.begin() + start, model.begin() + start + length);
        model.insert(model.begin() + target, part.begin(), part.end());
        size_t newStart = target;
        if (move) {
            size_t s = target <= start ? start + length : start;
            model.erase(model.begin() + s, model.begin() + s + length);
            if (start < target) newStart = target - length;
        }
        ASSERT_TRUE(store.hasSelection() || length == 0);
        ASSERT_EQ(caretIndex(), newStart + length) << move << " start " << start << " target " << target
                                                   << " length " << length;
    }

    void indent(bool add) {
        select();
        if (!store.hasSelection()) return;
        size_t a = indexOf(store, store.anchor()), b = indexOf(store, store.selectionEnd());
        if (a > b) std::swap(a, b);
        // Whole lines from a's line start; the later end's line only when it is not at its start.
        size_t first = lineStartIndex(model, a);
        size_t lastStart = lineStartIndex(model, b);
        bool lastIncluded = b != lastStart || lastStart == first;
        std::vector<size_t> starts;
        for (size_t i = first;;) {
            if (i == lastStart && !lastIncluded) break;
            starts.push_back(i);
            if (i == lastStart) break;
            while (model[i] < 256) ++i;
            ++i;
        }
        bool any = false;
        for (size_t s : starts) any = any || (s < model.size() && model[s] == '\t');
        ASSERT_TRUE(add ? store.indentLines(true) : store.unindentLines(true));
        for (size_t k = starts.size(); k-- > 0;) {
            size_t s = starts[k];
            bool empty = s >= model.size() || model[s] >= 256;
            if (add && !empty) model.insert(model.begin() + s, '\t');
            if (!add && any && !empty && model[s] == '\t') model.erase(model.begin() + s);
        }
    }

    void deleteSelection() {
        select();
        if (!store.hasSelection()) return;
        size_t a = indexOf(store, store.anchor()), b = indexOf(store, store.selectionEnd());
        if (a > b) std::swap(a, b);
        ASSERT_TRUE(store.deleteSelection(true));
        model.erase(model.begin() + a, model.begin() + b);
        ASSERT_FALSE(store.hasSelection());
        ASSERT_EQ(caretIndex(), a);
    }

    void undoOrRedo(bool undo) {
        bool ok = undo ? store.undo() : store.redo();
        if (ok) {
            ASSERT_TRUE(seen.count(store.lastEditId()));
            model = seen[store.lastEditId()];
        }
    }

    void step(bool withUndo) {
        uint32_t pick = below(withUndo ? 24 : 22);
        if (pick < 5) return move();
        if (pick < 8) return typeOrInsert(true);
        if (pick < 9) return typeOrInsert(false);
        if (pick < 11) return insertText();
        if (pick < 13) return deleteChar(below(2) == 0);
        if (pick < 14) return deleteForward();
        if (pick < 15) return split();
        if (pick < 16) return join();
        if (pick < 17) return transfer(true);
        if (pick < 18) return transfer(false);
        if (pick < 19) return indent(true);
        if (pick < 20) return indent(false);
        if (pick < 22) return deleteSelection();
        undoOrRedo(pick == 22);
    }

    void verify(int stepNumber) {
        ASSERT_TRUE(store.check()) << "step " << stepNumber;
        ASSERT_EQ(unitsOf(store), model) << "step " << stepNumber;
        // Inserting a lone lead byte before a byte makes a character of the two and leaves the
        // caret inside it; the keys and the mouse never go there, so neither does the test.
        if (!onBoundary(model, caretIndex())) {
            size_t at = caretIndex();
            store.moveTo(store.caret().line, store.caret().offset - uint32_t(at - previousChar(model, at)));
        }
        ASSERT_TRUE(onBoundary(model, caretIndex())) << "step " << stepNumber;
        seen[store.lastEditId()] = model;
    }
};

void runSeed(uint32_t seed, uint32_t limit, int steps, bool withUndo) {
    Runner r(seed, limit);
    Units start = r.model;
    bool wrapped = false;
    for (int i = 0; i < steps; ++i) {
        r.step(withUndo);
        wrapped = wrapped || r.store.undoJournal().oldestOffset() > 0;
        ASSERT_TRUE(r.store.undoJournal().check()) << "seed " << seed << " step " << i;
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "seed " << seed << " step " << i;
            return;
        }
        r.verify(i);
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << "seed " << seed << " step " << i;
            return;
        }
    }
    // After interleaved undos the newest state lies ahead: redo to it first.
    while (r.store.redo()) {
        ASSERT_TRUE(r.seen.count(r.store.lastEditId())) << "seed " << seed;
        r.model = r.seen[r.store.lastEditId()];
        ASSERT_EQ(unitsOf(r.store), r.model) << "seed " << seed;
    }
    Units end = r.model;
    int32_t endId = r.store.lastEditId();
    // Back through every kept step: each state is one that was seen.
    int undone = 0;
    while (r.store.undo()) {
        ++undone;
        ASSERT_TRUE(r.store.check()) << "seed " << seed << " undo " << undone;
        ASSERT_TRUE(r.seen.count(r.store.lastEditId())) << r.store.lastEditId() << " seed " << seed;
        ASSERT_EQ(unitsOf(r.store), r.seen[r.store.lastEditId()]) << "seed " << seed << " undo " << undone;
    }
    if (limit != UndoJournal::noLimit) {
        ASSERT_TRUE(wrapped) << "seed " << seed;
        ASSERT_GT(r.store.lastEditId(), 0) << "seed " << seed;   // the oldest edits were dropped
    }
    if (limit == UndoJournal::noLimit && !withUndo) {
        ASSERT_EQ(unitsOf(r.store), start) << "seed " << seed;
        ASSERT_EQ(r.store.lastEditId(), 0);
    }
    while (r.store.redo()) {
        ASSERT_TRUE(r.store.check()) << "seed " << seed;
        ASSERT_EQ(unitsOf(r.store), r.seen[r.store.lastEditId()]) << "seed " << seed;
    }
    ASSERT_EQ(unitsOf(r.store), end) << "seed " << seed;
    ASSERT_EQ(r.store.lastEditId(), endId);
}

}  // namespace

TEST(TextStoreEditRandom, EditsAgreeWithTheModelAndUndoRedoEverything) {
    for (uint32_t seed = 1; seed <= 6 && !HasFailure(); ++seed) runSeed(seed, UndoJournal::noLimit, 5000, false);
}

TEST(TextStoreEditRandom, InterleavedUndoAndRedoVisitOnlySeenStates) {
    for (uint32_t seed = 11; seed <= 14 && !HasFailure(); ++seed) runSeed(seed, UndoJournal::noLimit, 3000, true);
}

// A small journal turns into a ring many times; undo then stops at the oldest kept record, on a
// state that was seen after exactly that edit.
TEST(TextStoreEditRandom, SmallJournalWrapsAndUndoStopsAtTheOldestKeptRecord) {
    for (uint32_t seed = 21; seed <= 24 && !HasFailure(); ++seed) runSeed(seed, 65536, 6000, seed % 2 == 0);
}

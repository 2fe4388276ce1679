// Tests of the control's document requests on a real text store and search engine: line
// iteration, clipboard text, find in both directions, listing, replace one and replace all.
#include "QuorvaleDocumentOps.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FindRequestTest.h"
#include "LineRecord.h"
#include "SearchIF_Simple.h"
#include "TextStore.h"

using namespace quorvale;

namespace {

using Lines = std::vector<std::string>;

class DocumentOps : public ::testing::Test {
protected:
    TextStore store;
    std::vector<uint8_t> image;
    SearchIF_Simple search;

    void load(const std::string& text) {
        ASSERT_TRUE(store.create(76, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis));
        image.assign(text.begin(), text.end());
        store.reset(TextEncoding::ShiftJis);
        ASSERT_TRUE(store.loadChunk(static_cast<uint32_t>(image.size()), image.data(), true));
        ASSERT_TRUE(store.convertLoaded());
    }
    Lines lines() {
        Lines out;
        LineIterator it{};
        firstLine(store, &it);
        do out.emplace_back(reinterpret_cast<const char*>(it.text), it.length);
        while (nextLine(&it));
        return out;
    }
    FindRequest request(const char* pattern, uint32_t flags = 0) {
        return find_test::findRequest(search, pattern, flags);
    }
    std::pair<LinePos, LinePos> selection() {
        LinePos a, b;
        selectionBounds(store, &a, &b);
        return {a, b};
    }
    void expectSelection(int32_t line, uint32_t from, uint32_t to) {
        ASSERT_TRUE(store.hasSelection());
        auto s = selection();
        EXPECT_EQ(s.first.line, line);
        EXPECT_EQ(s.first.offset, from);
        EXPECT_EQ(s.second.line, line);
        EXPECT_EQ(s.second.offset, to);
        EXPECT_EQ(store.caret().offset, to);  // the caret at the match's end
    }
};

}  // namespace

TEST_F(DocumentOps, IterationReportsEveryLineAndStopsAfterTheLast) {
    load("ab\r\n\x95\x5C\ncd");
    EXPECT_EQ(lines(), (Lines{"ab", "\x95\x5C", "cd"}));
    LineIterator it{};
    firstLine(store, &it);
    EXPECT_EQ(it.lineEnd, 3u);
    ASSERT_TRUE(nextLine(&it));
    ASSERT_TRUE(nextLine(&it));
    EXPECT_EQ(it.lineEnd, 0u);
    const LineIterator last = it;
    EXPECT_FALSE(nextLine(&it));
    EXPECT_EQ(it.handle, last.handle);
    EXPECT_EQ(it.length, last.length);
}

TEST_F(DocumentOps, ClipboardTextJoinsLinesWithCrLfWhateverTheLineEnd) {
    load("abc\ndef\rghi");
    EXPECT_EQ(clipboardSize(store), 0u);
    char none[4] = "x";
    EXPECT_FALSE(clipboardText(store, none));
    store.selectRange(2, 1, 0, 1);  // backwards
    ASSERT_EQ(clipboardSize(store), 2u + 2 + 3 + 2 + 1);
    std::string out(clipboardSize(store) + 1, '?');
    ASSERT_TRUE(clipboardText(store, &out[0]));
    EXPECT_STREQ(out.c_str(), "bc\r\ndef\r\ng");
    store.selectRange(1, 0, 1, 2);
    EXPECT_EQ(clipboardSize(store), 2u);
}

TEST_F(DocumentOps, FindForwardSkipsTheSelectedMatchAndBackwardFindsTheOneBefore) {
    load("xab ab\r\nAB");
    FindRequest r = request("ab");
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 1, 3);
    EXPECT_EQ(r.selectionMatched, 0u);
    r = request("ab");
    ASSERT_TRUE(findNext(store, r));  // the selection itself matched: the next one
    EXPECT_EQ(r.selectionMatched, 1u);
    expectSelection(0, 4, 6);
    r = request("ab");
    ASSERT_TRUE(findNext(store, r));  // case-insensitive by default: "AB" on the next line
    expectSelection(1, 0, 2);
    r = request("ab");
    EXPECT_FALSE(findNext(store, r));
    expectSelection(1, 0, 2);         // no match changes nothing
    r = request("ab", FIND_BACKWARD);
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 4, 6);
    r = request("ab", FIND_BACKWARD);
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 1, 3);
    r = request("ab", FIND_FROMTOP | FIND_TESTONLY);
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 1, 3);         // test only: nothing moved
}

TEST_F(DocumentOps, FindNeverMatchesInsideATwoByteCharacter) {
    // 表 = 95 5C; the pattern "\\x" must not match its trail byte followed by "x".
    load("\x95\x5Cx \\x");
    FindRequest r = request("\\x");
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 4, 6);
    // A selected two-byte match is stepped over as a whole character.
    load("\x83\x41\x83\x41\x83\x41");
    r = request("\x83\x41");
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 0, 2);
    r = request("\x83\x41");
    ASSERT_TRUE(findNext(store, r));
    expectSelection(0, 2, 4);
}

TEST_F(DocumentOps, ListingNumbersLinesCutsNothingShortAndEndsWithTheCount) {
    load("one\r\ntwo\r\none two");
    std::vector<std::pair<int32_t, std::string>> got;
    FindRequest r = request("one", FIND_LISTALL);
    r.context = &got;
    r.callback = [](void* context, int32_t line, const char* text) {
        static_cast<std::vector<std::pair<int32_t, std::string>>*>(context)->emplace_back(line, text);
        return true;
    };
    EXPECT_EQ(listAll(store, r), 2);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], std::make_pair(1, std::string("      1\x8d\x73: one")));
    EXPECT_EQ(got[1], std::make_pair(3, std::string("      3\x8d\x73: one two")));
    EXPECT_EQ(got[2].first, -1);
    EXPECT_EQ(got[2].second.substr(0, 4), std::string("\x81\x79 2"));
    got.clear();
    r = request("zzz", FIND_LISTALL);
    r.context = &got;
    r.callback = [](void* context, int32_t line, const char* text) {
        static_cast<std::vector<std::pair<int32_t, std::string>>*>(context)->emplace_back(line, text);
        return false;
    };
    EXPECT_EQ(listAll(store, r), 0);
    ASSERT_EQ(got.size(), 1u);  // only the closing line, with 0
    EXPECT_EQ(got[0].second.substr(0, 4), std::string("\x81\x79 0"));
}

TEST_F(DocumentOps, ReplaceOneMovesTheTrackedPositionWithTheText) {
    load("a foo b foo");
    ReplaceRequest rep{"XY", 2, nullptr};
    EXPECT_FALSE(replaceSelection(store, rep));  // no selection
    CaretState tracked = stateAt(store, 0, 9);   // inside the second "foo"
    store.selectRange(0, 2, 0, 5);
    rep.tracked = &tracked;
    ASSERT_TRUE(replaceSelection(store, rep));
    EXPECT_EQ(lines(), (Lines{"a XY b foo"}));
    EXPECT_EQ(tracked.offset, 8u);
    EXPECT_FALSE(store.hasSelection());
    CaretState inside = stateAt(store, 0, 9);
    store.selectRange(0, 7, 0, 10);
    rep = ReplaceRequest{"", 0, &inside};
    ASSERT_TRUE(replaceSelection(store, rep));
    EXPECT_EQ(lines(), (Lines{"a XY b "}));
    EXPECT_EQ(inside.offset, 7u);                // inside the replaced text: to its start
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(lines(), (Lines{"a XY b foo"}));
}

TEST_F(DocumentOps, ReplaceAllIsOneUndoStepAndKeepsTheCaretOnItsText) {
    load("aa x aa\r\naaa\r\nend");
    store.moveTo(2, 1);
    FindRequest f = request("aa");
    ReplaceRequest rep{"b", 1, nullptr};
    ReplaceAllRequest all{&f, &rep};
    EXPECT_EQ(replaceAll(store, all), 3);
    EXPECT_EQ(lines(), (Lines{"b x b", "ba", "end"}));
    EXPECT_EQ(store.caret().line, 2);
    EXPECT_EQ(store.caret().offset, 1u);
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(lines(), (Lines{"aa x aa", "aaa", "end"}));
    EXPECT_FALSE(store.canUndo());
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(lines(), (Lines{"b x b", "ba", "end"}));
}

TEST_F(DocumentOps, ReplaceAllInsideTheSelectionReselectsTheShiftedRange) {
    load("ab ab ab\r\nab");
    store.selectRange(0, 3, 0, 8);
    FindRequest f = request("ab", FIND_INSELECTION);
    ReplaceRequest rep{"long", 4, nullptr};
    ReplaceAllRequest all{&f, &rep};
    EXPECT_EQ(replaceAll(store, all), 2);
    EXPECT_EQ(lines(), (Lines{"ab long long", "ab"}));
    auto s = selection();
    EXPECT_EQ(s.first.offset, 3u);
    EXPECT_EQ(s.second.offset, 12u);
    // A replacement that contains the pattern is not replaced again.
    load("ab");
    f = request("a");
    rep = ReplaceRequest{"aa", 2, nullptr};
    EXPECT_EQ(replaceAll(store, all), 1);
    EXPECT_EQ(lines(), (Lines{"aab"}));
    // A replacement without text removes the matches, whatever length it claims.
    load("xaxa");
    rep = ReplaceRequest{nullptr, 40, nullptr};
    EXPECT_EQ(replaceAll(store, all), 2);
    EXPECT_EQ(lines(), (Lines{"xx"}));
    store.selectRange(0, 0, 0, 1);
    EXPECT_TRUE(replaceSelection(store, rep));
    EXPECT_EQ(lines(), (Lines{"x"}));
}

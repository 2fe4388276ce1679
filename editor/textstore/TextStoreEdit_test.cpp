// Tests of caret movement, selection, the editing primitives and undo/redo on the text store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextStore.h"
#include "TextStoreTestSupport.h"

using storetest::linesOf;
using Lines = std::vector<std::string>;
using namespace undo;

namespace {

const uint8_t* u8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }
uint32_t n32(const std::string& s) { return static_cast<uint32_t>(s.size()); }

class Editing : public ::testing::Test {
protected:
    TextStore store;
    storetest::Bytes image;

    void load(const std::string& text, int32_t wrap = 76, uint32_t limit = UndoJournal::noLimit) {
        ASSERT_TRUE(store.create(wrap, 4, limit, TextEncoding::ShiftJis));
        image = storetest::bytesOf(text);
        ASSERT_TRUE(storetest::loadImage(store, image, TextEncoding::ShiftJis));
    }
    // Types character by character, as the keyboard does.
    void type(const std::string& s) {
        for (size_t i = 0; i < s.size();) {
            size_t n = isSjisLead(static_cast<uint8_t>(s[i])) && i + 1 < s.size() ? 2 : 1;
            ASSERT_TRUE(store.typeBytes(u8(s) + i, static_cast<uint32_t>(n), true, true));
            i += n;
        }
    }
    void select(int32_t anchorLine, uint32_t anchorOffset, int32_t line, uint32_t offset) {
        store.selectRange(anchorLine, anchorOffset, line, offset);
    }
    uint32_t undoSteps() {
        uint32_t steps = 0;
        while (store.undo()) ++steps;
        return steps;
    }
};

}  // namespace

TEST_F(Editing, NothingToDeleteAtTheDocumentEdgesWritesNoRecord) {
    load("ab\r\ncd");
    ASSERT_TRUE(store.deleteChar(true, true));
    store.moveDocumentEnd();
    ASSERT_TRUE(store.deleteChar(false, true));
    EXPECT_EQ(linesOf(store), (Lines{"ab", "cd"}));
    EXPECT_FALSE(store.canUndo());
    EXPECT_EQ(store.lastEditId(), 0);
    EXPECT_FALSE(store.undo());
    EXPECT_FALSE(store.redo());
}

TEST_F(Editing, SmartHomeStopsAfterTheIndentThenAtTheLineStart) {
    load("\t\t\x81\x40word");   // TAB TAB, a full-width space, "word"
    store.moveLineEnd();
    store.moveSmartHome();
    EXPECT_EQ(store.caret().offset, 4u);
    store.moveSmartHome();
    EXPECT_EQ(store.caret().offset, 0u);
}

TEST_F(Editing, WordMovementUsesTheByteClasses) {
    load("abc.d  \x95\x5C\x95\x5C!\r\n\t\tx");
    store.moveWordRight();   // "abc.d" is one class-97 run
    EXPECT_EQ(store.caret().offset, 5u);
    store.moveWordRight();
    EXPECT_EQ(store.caret().offset, 7u);
    store.moveWordRight();   // 表表: both lead bytes in class 252
    EXPECT_EQ(store.caret().offset, 11u);
    store.moveLineEnd();
    store.moveWordRight();   // to the next line, past its leading TABs
    EXPECT_EQ(store.caret().line, 1);
    EXPECT_EQ(store.caret().offset, 2u);
    store.moveWordLeft();
    EXPECT_EQ(store.caret().offset, 0u);
    store.moveWordLeft();
    EXPECT_EQ(store.caret().line, 0);
    EXPECT_EQ(store.caret().offset, 12u);
    store.moveWordLeft();
    EXPECT_EQ(store.caret().offset, 11u);
    store.moveWordLeft();
    EXPECT_EQ(store.caret().offset, 7u);
}

TEST_F(Editing, HorizontalMovesStepOverDoubleByteCharactersWithAsciiTrailBytes) {
    load("\x83\x41\x95\x5C" "a\r\nb");   // ア 表 a
    store.moveRight();
    EXPECT_EQ(store.caret().offset, 2u);
    store.moveRight();
    EXPECT_EQ(store.caret().offset, 4u);
    store.moveLeft();
    EXPECT_EQ(store.caret().offset, 2u);
    store.moveLineEnd();
    store.moveRight();
    EXPECT_EQ(store.caret().line, 1);
    store.moveLeft();
    EXPECT_EQ(store.caret().line, 0);
    EXPECT_EQ(store.caret().offset, 5u);
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, VerticalMovesKeepTheWantedColumnAndStayOnTheirRow) {
    // Wrap 10: "aaaaaaaa" + 漢 fills the first row exactly, "bc" is the second row.
    load("aaaaaaaa\x8A\xBF" "bc\r\nxyz\r\n\x82\xA0\x82\xA0\x82\xA0", 10);
    store.moveTo(0, 12);   // end of "bc", column 2 of row 1
    store.moveRowUp();
    EXPECT_EQ(store.caret().offset, 2u);
    EXPECT_EQ(store.caret().row, 0);
    store.moveLineEnd();   // offset 12; wantedColumn is recomputed from the row start
    store.moveTo(0, 10);
    store.moveRowUp();     // column 0 of row 1 goes to the row start
    EXPECT_EQ(store.caret().offset, 0u);
    // From far right the caret stops before the row's last character, not inside 漢.
    store.moveTo(1, 3);
    store.moveRowUp();
    EXPECT_EQ(store.caret().row, 1);
    EXPECT_EQ(store.caret().offset, 12u);
    store.moveTo(0, 9 - 9);
    store.moveLineEnd();
    store.moveTo(0, 12);
    store.moveRowDown();   // column 2 on "xyz"
    EXPECT_EQ(store.caret().line, 1);
    EXPECT_EQ(store.caret().offset, 2u);
    store.moveRowDown();   // column 2: the second あ starts at cell 2
    EXPECT_EQ(store.caret().offset, 2u);
    store.moveRowDown();   // last row: nothing
    EXPECT_EQ(store.caret().line, 2);
    // Wanted column 10 on row 0 of line 0: the last character of the row is 漢 at byte 8.
    store.moveTo(0, 0);
    store.moveLineEnd();
    store.moveTo(2, 6);
    store.moveRowUp();
    store.moveRowUp();
    store.moveRowUp();
    EXPECT_EQ(store.caret().row, 0);
    EXPECT_EQ(store.caret().offset, 6u);
    store.moveRight();
    store.moveRight();
    store.moveRight();   // offset 10, the start of row 1
    EXPECT_EQ(store.caret().row, 1);
    store.moveRowUp();
    EXPECT_EQ(store.caret().offset, 0u);
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, VerticalMoveNeverLandsInsideADoubleByteCharacterAtARowEnd) {
    load("aaaaaaaa\x8A\xBF" "bcdefghij", 10);
    store.moveTo(0, 19);   // column 9 of row 1
    store.moveRowUp();
    EXPECT_EQ(store.caret().offset, 8u);   // before 漢, which ends the first row
    EXPECT_EQ(store.caret().row, 0);
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, MoveToClampsAndChangedBlocksFollowTheMarks) {
    load("a\r\nb\r\nc\r\nd\r\ne\r\nf");
    store.moveTo(-3, 5);
    EXPECT_EQ(store.caret().line, 0);
    EXPECT_EQ(store.caret().offset, 0u);
    store.moveTo(99, 0);
    EXPECT_EQ(store.caret().line, 5);
    EXPECT_EQ(store.caret().offset, 1u);
    store.moveTo(1, 0);
    type("x");
    store.moveTo(2, 0);
    type("x");
    store.moveTo(4, 0);
    type("x");
    store.moveDocumentStart();
    store.moveNextChangedBlock();
    EXPECT_EQ(store.caret().line, 1);
    store.moveNextChangedBlock();
    EXPECT_EQ(store.caret().line, 4);
    store.moveDocumentEnd();
    store.movePrevChangedBlock();
    EXPECT_EQ(store.caret().line, 4);
    store.movePrevChangedBlock();
    EXPECT_EQ(store.caret().line, 1);
    store.movePrevChangedBlock();   // nothing marked above
    EXPECT_EQ(store.caret().line, 1);
}

TEST_F(Editing, SelectWordJoinsKatakanaKanjiAndTheLongVowelMark) {
    // "abc カタカナー漢字ひらがな"
    load("abc \x83\x4A\x83\x5E\x83\x4A\x83\x69\x81\x5B\x8A\xBF\x8E\x9A\x82\xD0\x82\xE7\x82\xAA\x82\xC8");
    store.moveTo(0, 6);
    store.selectWordAtCaret();
    ASSERT_TRUE(store.hasSelection());
    EXPECT_EQ(store.anchor().offset, 4u);
    EXPECT_EQ(store.caret().offset, 18u);
    store.moveTo(0, 26);   // the line's end: the run before the caret, the hiragana
    store.selectWordAtCaret();
    EXPECT_EQ(store.anchor().offset, 18u);
    EXPECT_EQ(store.caret().offset, 26u);
    store.moveTo(0, 3);    // the caret ends "abc": that run, not the space
    store.selectWordAtCaret();
    EXPECT_EQ(store.anchor().offset, 0u);
    EXPECT_EQ(store.caret().offset, 3u);
}

TEST_F(Editing, TypedWordsUndoAsWholesAndDoubleByteCharactersNeverMerge) {
    load("");
    type("abc");
    type(" ");
    type("def");
    EXPECT_EQ(store.undoJournal().recordCount(), 3u);
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"abc "}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"abc"}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{""}));
    EXPECT_FALSE(store.undo());

    // Two double-byte characters are two records; so is ア then "A", although ア's trail byte is 'A'.
    type("\x82\xA0\x82\xA2");
    type("\x83\x41" "A");
    EXPECT_EQ(store.undoJournal().recordCount(), 4u);
    type("..");   // a run of the same punctuation merges
    EXPECT_EQ(store.undoJournal().recordCount(), 5u);
}

TEST_F(Editing, TypingAfterUndoingEverythingStartsTheJournalOver) {
    load("");
    type("abc def");
    undoSteps();
    EXPECT_TRUE(store.canRedo());
    type("x");
    EXPECT_FALSE(store.canRedo());
    EXPECT_EQ(store.undoJournal().oldestOffset(), 0);
    EXPECT_EQ(store.undoJournal().recordCount(), 1u);
}

TEST_F(Editing, SplitWithAutoIndentCopiesTheIndent) {
    load("\t\tabcd\r\nnext");
    store.moveTo(0, 4);
    ASSERT_TRUE(store.splitLine(true, true));
    EXPECT_EQ(linesOf(store), (Lines{"\t\tab", "\t\tcd", "next"}));
    EXPECT_EQ(store.caret().line, 1);
    EXPECT_EQ(store.caret().offset, 2u);
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 3, 0}));
    EXPECT_TRUE(store.check());
    ASSERT_TRUE(store.undo());   // the indent
    ASSERT_TRUE(store.undo());   // the split
    EXPECT_EQ(linesOf(store), (Lines{"\t\tabcd", "next"}));
}

TEST_F(Editing, InsertTextCutsAtEveryKindOfLineEnd) {
    load("ab\ncd");
    store.moveTo(0, 1);
    std::string text = "x\r\ny";
    ASSERT_TRUE(store.insertText(u8(text), n32(text), true));
    EXPECT_EQ(linesOf(store), (Lines{"ax", "yb", "cd"}));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 2, 0}));
    EXPECT_EQ(store.caret().line, 1);
    EXPECT_EQ(store.caret().offset, 1u);
    text = "1\r2\n\r\n3\r";
    ASSERT_TRUE(store.insertText(u8(text), n32(text), true));
    EXPECT_EQ(linesOf(store), (Lines{"ax", "y1", "2", "", "3", "b", "cd"}));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 1, 2, 3, 1, 2, 0}));
    EXPECT_TRUE(store.check());
    ASSERT_TRUE(store.undo());
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"ab", "cd"}));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{2, 0}));
}

// Undo takes out exactly the inserted bytes, even when the text ends in a lone lead byte that
// now pairs with the byte after it.
TEST_F(Editing, UndoOfAnInsertionEndingInALoneLeadByteKeepsTheFollowingText) {
    load("ab\r\ncd");
    store.moveTo(0, 1);
    std::string text = "x\r\n\x82";
    ASSERT_TRUE(store.insertText(u8(text), n32(text), true));
    EXPECT_EQ(linesOf(store), (Lines{"ax", "\x82" "b", "cd"}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"ab", "cd"}));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 0}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"ax", "\x82" "b", "cd"}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"ab", "cd"}));
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, DeletingACrLineEndBeforeAnEmptyLfLineUndoesToTheSameLines) {
    load("a\r\nb\rc");   // "a" CrLf, "b" Cr, "c"
    // Make "b" Cr, "" Lf, "c": the removed text reads CR LF, which alone would look like CrLf.
    store.moveTo(1, 1);
    std::string lf = "\n";
    store.moveTo(2, 0);
    ASSERT_TRUE(store.insertText(u8(lf), 1, false));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 1, 2, 0}));
    store.moveTo(1, 0);
    ASSERT_TRUE(store.deleteForward(3, true));   // "b", CR, LF
    EXPECT_EQ(linesOf(store), (Lines{"a", "c"}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"a", "b", "", "c"}));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 1, 2, 0}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"a", "c"}));
}

TEST_F(Editing, DeleteCharJoinsAtLineBoundariesAndRemovesWholeCharacters) {
    load("a\x95\x5C\r\nb");
    store.moveTo(0, 3);
    ASSERT_TRUE(store.deleteChar(true, true));   // 表 as one character
    EXPECT_EQ(linesOf(store), (Lines{"a", "b"}));
    ASSERT_TRUE(store.deleteChar(false, true));  // at the end: join
    EXPECT_EQ(linesOf(store), (Lines{"ab"}));
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{0}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(storetest::lineEndsOf(store), (std::vector<uint8_t>{3, 0}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"a\x95\x5C", "b"}));
    EXPECT_EQ(store.caret().offset, 3u);   // undoing a Backspace puts the caret behind the text
    ASSERT_TRUE(store.redo());
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"ab"}));
    store.moveTo(0, 0);
    store.moveDocumentStart();
    store.moveTo(0, 1);
    ASSERT_TRUE(store.splitLine(false, true));
    ASSERT_TRUE(store.deleteChar(true, true));   // Backspace at a line start joins
    EXPECT_EQ(linesOf(store), (Lines{"ab"}));
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, DeletingTheSelectionUndoesWithItsSelectionAndRedoes) {
    load("one\r\ntwo\r\nthree");
    select(2, 2, 0, 1);   // anchor after, caret before
    ASSERT_TRUE(store.deleteSelection(true));
    EXPECT_EQ(linesOf(store), (Lines{"oree"}));
    EXPECT_FALSE(store.hasSelection());
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"one", "two", "three"}));
    ASSERT_TRUE(store.hasSelection());
    EXPECT_EQ(store.anchor().line, 2);
    EXPECT_EQ(store.anchor().offset, 2u);
    EXPECT_EQ(store.caret().line, 0);
    EXPECT_EQ(store.caret().offset, 1u);
    EXPECT_TRUE(store.check());
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"oree"}));
    EXPECT_FALSE(store.canRedo());
}

TEST_F(Editing, SavedIdentifierComesBackAfterUndoAndRedo) {
    load("");
    type("abc");
    int32_t saved = store.lastEditId();
    ASSERT_TRUE(store.undo());
    EXPECT_NE(store.lastEditId(), saved);
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(store.lastEditId(), saved);
    // A selection record does not change the identifier, not even when it is redone alone.
    store.selectRange(0, 0, 0, 2);
    store.recordSelection();
    EXPECT_EQ(store.lastEditId(), saved);
    ASSERT_TRUE(store.undo());
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(store.lastEditId(), saved);
}

TEST_F(Editing, AfterAResetUndoAndRedoHaveNothing) {
    load("");
    type("abc");
    store.reset(TextEncoding::ShiftJis);
    EXPECT_FALSE(store.undo());
    EXPECT_FALSE(store.redo());
    EXPECT_EQ(store.lastEditId(), 0);
    EXPECT_EQ(store.nextEditId(), 1);
}

TEST_F(Editing, TwoLargeInsertionsWrapTheJournalAndOnlyTheSecondUndoes) {
    load("", 76, 65536);
    std::string a(40000, 'a'), b(40000, 'b');
    ASSERT_TRUE(store.insertBytes(u8(a), n32(a), true, true));
    ASSERT_TRUE(store.insertBytes(u8(b), n32(b), true, true));
    EXPECT_EQ(store.undoJournal().oldestOffset(), 0);
    EXPECT_EQ(store.undoJournal().allocated(), 65536u);
    ASSERT_TRUE(store.undo());
    EXPECT_FALSE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{a}));
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, AnEditTooLargeForTheJournalStillHappensAndOlderUndoIsDropped) {
    load("", 76, 65536);
    type("abc");
    std::string big(70000, 'z');
    ASSERT_TRUE(store.insertBytes(u8(big), n32(big), true, true));
    EXPECT_EQ(store.lastEditId(), 4);   // every typed character is an edit of its own identifier
    EXPECT_FALSE(store.canUndo());   // undoing "abc" under the big text would corrupt it
    EXPECT_EQ(store.caret().offset, 70003u);
}

TEST_F(Editing, UndoInsideAGroupStopsAtTheLimit) {
    load("", 76, 65536);
    std::string chunk(20000, 'q');
    {
        UndoGroup group(store.undoJournal());
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(store.insertBytes(u8(chunk), n32(chunk), true, true));
    }
    bool stopped = false;
    ASSERT_TRUE(store.undo(&stopped));
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(store.canUndo());
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, IndentSkipsEmptyLinesAndALineTheSelectionEndsAtTheStartOf) {
    load("a\r\n\r\nb\r\nc");
    select(0, 1, 3, 0);
    ASSERT_TRUE(store.indentLines(true));
    EXPECT_EQ(linesOf(store), (Lines{"\ta", "", "\tb", "c"}));
    ASSERT_TRUE(store.hasSelection());
    EXPECT_EQ(store.anchor().line, 0);
    EXPECT_EQ(store.anchor().offset, 0u);
    EXPECT_EQ(store.caret().line, 3);
    EXPECT_EQ(store.caret().offset, 0u);
    EXPECT_TRUE(store.check());
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"a", "", "b", "c"}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"\ta", "", "\tb", "c"}));
}

TEST_F(Editing, UnindentRecordsWhichLinesLostATab) {
    load("a\r\n\tb\r\nc");
    select(0, 0, 2, 1);
    ASSERT_TRUE(store.unindentLines(true));
    EXPECT_EQ(linesOf(store), (Lines{"a", "b", "c"}));
    const uint8_t* p = store.undoJournal().newestPayload();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(readU16(p), typeUnindentLines);
    EXPECT_EQ(readI32(p + 20), 3);
    EXPECT_EQ(p[24], 0x40);   // 0100 0000
    EXPECT_EQ(store.caret().line, 2);
    EXPECT_EQ(store.caret().offset, 1u);   // the whole last line stays selected
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"a", "\tb", "c"}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"a", "b", "c"}));
    // No line begins with a TAB: nothing changes and nothing is recorded.
    uint32_t records = store.undoJournal().recordCount();
    select(0, 0, 2, 1);
    ASSERT_TRUE(store.unindentLines(true));
    EXPECT_EQ(store.undoJournal().recordCount(), records);
}

TEST_F(Editing, MoveAndCopyRangesUndoAndRedo) {
    load("0123\r\nabcd\r\nWXYZ");
    store.moveTo(2, 2);
    ASSERT_TRUE(store.moveRange(0, 2, 5, true));   // "23", the line end, "ab"
    EXPECT_EQ(linesOf(store), (Lines{"01cd", "WX23", "abYZ"}));
    ASSERT_TRUE(store.hasSelection());
    EXPECT_EQ(store.anchor().line, 1);
    EXPECT_EQ(store.anchor().offset, 2u);
    EXPECT_EQ(store.caret().line, 2);
    EXPECT_EQ(store.caret().offset, 2u);
    EXPECT_TRUE(store.check());
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"0123", "abcd", "WXYZ"}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"01cd", "WX23", "abYZ"}));
    ASSERT_TRUE(store.undo());

    store.moveTo(0, 1);
    ASSERT_TRUE(store.copyRange(1, 1, 2, true));
    EXPECT_EQ(linesOf(store), (Lines{"0bc123", "abcd", "WXYZ"}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"0123", "abcd", "WXYZ"}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"0bc123", "abcd", "WXYZ"}));

    // A move onto its own range, ends included, changes nothing.
    store.moveTo(1, 3);
    EXPECT_FALSE(store.moveRange(1, 1, 2, true));
    EXPECT_EQ(linesOf(store), (Lines{"0bc123", "abcd", "WXYZ"}));
}

// Moving text carries its whole lines unedited: only the lines cut and joined count as changed,
// so the changed-block moves do not stop at text that was merely dragged elsewhere.
TEST_F(Editing, MovedWholeLinesKeepTheirChangedMarks) {
    load("a\r\nb\r\nc\r\nd\r\ne");
    store.moveTo(1, 1);
    type("B");   // "bB" is changed, "c" is not
    store.moveTo(4, 1);
    ASSERT_TRUE(store.moveRange(0, 1, 6, true));   // line end, "bB", line end, "c", line end
    EXPECT_EQ(linesOf(store), (Lines{"ad", "e", "bB", "c", ""}));
    auto marked = [this] {
        std::vector<bool> marks;
        for (const LineRecord* line = store.firstLine(); line; line = line->next)
            marks.push_back((line->marks & LineRecord::modifiedMark) != 0);
        return marks;
    };
    EXPECT_EQ(marked(), (std::vector<bool>{true, true, true, false, true}));
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"a", "bB", "c", "d", "e"}));
    EXPECT_FALSE(store.firstLine()->next->next->marks & LineRecord::modifiedMark);
    store.moveTo(2, 0);
    store.moveNextChangedBlock();   // past "c" to the next changed line
    EXPECT_EQ(store.caret().line, 3);
    EXPECT_TRUE(store.check());
}

TEST_F(Editing, OverwriteUndoesToTheOldBytes) {
    load("find me here");
    store.moveTo(0, 5);
    std::string with = "\x95\x5C\x95\x5C\x95\x5C";
    ASSERT_TRUE(store.overwriteBytes(u8(with), n32(with), 2, true));
    EXPECT_EQ(linesOf(store), (Lines{"find " + with + " here"}));
    EXPECT_EQ(store.caret().offset, 11u);
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"find me here"}));
    ASSERT_TRUE(store.redo());
    EXPECT_EQ(linesOf(store), (Lines{"find " + with + " here"}));
}

TEST_F(Editing, DeleteSelectionOrLineTakesTheLineWithItsLineEnd) {
    load("one\r\ntwo\r\nthree");
    store.moveTo(1, 2);
    ASSERT_TRUE(store.deleteSelectionOrLine(true));
    EXPECT_EQ(linesOf(store), (Lines{"one", "three"}));
    select(0, 1, 0, 2);
    ASSERT_TRUE(store.deleteSelectionOrLine(true));
    EXPECT_EQ(linesOf(store), (Lines{"three"}));
    ASSERT_TRUE(store.undo());
    ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"one", "two", "three"}));
}

TEST_F(Editing, EditsKeepRowsAndRepaintRanges) {
    load("aaaa\r\nbbbb\r\ncccc", 6);
    store.clearDirtyRows();
    store.moveTo(1, 1);
    type("x");   // "bxbbb" still one row
    EXPECT_EQ(store.dirtyFirstRow(), 1);
    EXPECT_EQ(store.dirtyLastRow(), 1);
    type("yz");  // now two rows: everything below moves
    EXPECT_EQ(store.rowCount(), 4);
    EXPECT_EQ(store.dirtyLastRow(), -1);
    EXPECT_TRUE(store.firstLine()->next->marks & LineRecord::modifiedMark);
    EXPECT_FALSE(store.firstLine()->marks & LineRecord::modifiedMark);
    EXPECT_EQ(store.caret().row, 1);
    type("qq");  // the caret's offset 6 starts the second row
    EXPECT_EQ(store.caret().row, 2);
    EXPECT_TRUE(store.check());
}

// Every allocation an edit needs may fail: the edit then reports false and the text, rows and
// caret are as before; once memory is back the same edit succeeds.
TEST_F(Editing, FailedAllocationsLeaveTheTextUnchanged) {
    std::string text = "first\r\nsecond \x95\x5C\nthird";
    std::string insert = "1\r\n22\r333\n4444";
    for (int kind = 0; kind < 5; ++kind) {
        for (int64_t allowed = 0; allowed < 12; ++allowed) {
            load(text);
            store.moveTo(1, 3);
            Lines before = linesOf(store);
            int32_t row = store.caret().row;
            store.allocator().failAfter(allowed);
            std::string grow(40, 'g');
            bool ok = false;
            switch (kind) {
            case 0: ok = store.insertText(u8(insert), n32(insert), true); break;
            case 1: ok = store.splitLine(true, true); break;
            case 2: ok = store.typeBytes(u8(grow), n32(grow), true, true); break;
            case 3: store.moveTo(0, 5); ok = store.joinWithNext(true); break;
            default: store.moveTo(0, 5); ok = store.deleteForward(9, true); break;
            }
            store.allocator().failAfter(-1);
            ASSERT_TRUE(store.check()) << kind << " " << allowed;
            if (!ok) {
                EXPECT_EQ(linesOf(store), before) << kind << " " << allowed;
                if (kind < 3) {
                    EXPECT_EQ(store.caret().row, row);
                }
                EXPECT_FALSE(store.canUndo());
            } else {
                EXPECT_NE(linesOf(store), before);
                ASSERT_TRUE(store.undo());
                EXPECT_EQ(linesOf(store), before);
            }
        }
    }
}

// An indent that runs out of memory half-way records only the lines it did, so undo restores the
// text exactly.
TEST_F(Editing, IndentStoppedByMemoryUndoesOnlyWhatItDid) {
    std::string text = "\tone\r\ntwo\r\n\tthree\r\nfour";
    for (int64_t allowed = 0; allowed < 8; ++allowed) {
        load(text);
        Lines before = linesOf(store);
        store.selectRange(0, 0, 3, 4);
        // Borrowed lines copy their text the first time they grow; each copy is one allocation.
        store.allocator().failAfter(allowed);
        bool ok = store.indentLines(true);
        store.allocator().failAfter(-1);
        ASSERT_TRUE(store.check());
        if (!ok && !store.canUndo()) {
            EXPECT_EQ(linesOf(store), before);
            continue;
        }
        ASSERT_TRUE(store.undo());
        EXPECT_EQ(linesOf(store), before) << allowed;
    }
}

// Edits above the view's first line move its row so that the same text stays on screen.
TEST_F(Editing, TheViewTopFollowsEditsAboveIt) {
    load("aaaa\r\nbbbb\r\ncccc\r\ndddd", 6);
    store.setTop(2, 0);
    EXPECT_EQ(store.top().row, 2);
    store.moveTo(0, 4);
    type("xyz");   // line 0 now has two rows
    EXPECT_EQ(store.top().line, 2);
    EXPECT_EQ(store.top().row, 3);
    ASSERT_TRUE(store.splitLine(false, true));
    EXPECT_EQ(store.top().line, 3);
    EXPECT_EQ(store.top().row, 4);   // two rows of line 0 and the new empty line above it
    store.moveTo(1, 0);
    store.selectRange(1, 0, 3, 2);
    ASSERT_TRUE(store.deleteSelection(true));   // the top line goes: the top moves to the caret's line
    EXPECT_EQ(store.top().line, 1);
    EXPECT_TRUE(store.check());
    while (store.undo()) ASSERT_TRUE(store.check());
}

// Empty lines hold no text at all (a null pointer with length 0): inserting lines into one,
// joining two and removing a range that ends at one must not hand that pointer to memcpy or
// memmove (the sanitizer build stops on it).
TEST_F(Editing, EditsAtEmptyLinesWithoutTextBytes) {
    load("\r\n");
    ASSERT_TRUE(store.insertText(u8("\r\n"), 2, true));   // the empty first line takes new lines
    EXPECT_EQ(linesOf(store), (Lines{"", "", ""}));
    store.moveTo(0, 0);
    ASSERT_TRUE(store.deleteForward(1, true));             // joins two empty lines
    EXPECT_EQ(linesOf(store), (Lines{"", ""}));
    select(0, 0, 1, 0);
    ASSERT_TRUE(store.deleteSelection(true));              // a range ending on an empty line
    EXPECT_EQ(linesOf(store), (Lines{""}));
    EXPECT_TRUE(store.check());
    while (store.canUndo()) ASSERT_TRUE(store.undo());
    EXPECT_EQ(linesOf(store), (Lines{"", ""}));
}

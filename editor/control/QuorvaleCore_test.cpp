// Tests of the portable control core through a stand-in subclass that records the screen
// operations: creation, loading reports, colouring, display rows, selection per row, the view.
#include "QuorvaleCore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class FakeCore final : public QuorvaleCore {
public:
    void renderRows(int32_t first, int32_t last) override { calls.push_back("render " + range(first, last)); }
    void showRows(int32_t first, int32_t last) override { calls.push_back("show " + range(first, last)); }
    void bringCaretIntoView(bool reset) override { calls.push_back(reset ? "into view reset" : "into view"); }
    void updateCaret() override { calls.push_back("caret"); }
    void charactersReplaced() override { calls.push_back("lossy"); }
    void lineEndsMixed() override { calls.push_back("mixed"); }
    void undoStoppedAtLimit() override { calls.push_back("undo limit"); }

    // The loaded image must outlive the document.
    void load(const std::string& text) {
        image = text;
        resetDocument(TextEncoding::ShiftJis);
        loadChunk(uint32_t(image.size()), reinterpret_cast<uint8_t*>(&image[0]), true);
        convertDocument();
    }
    std::vector<std::string> calls;
    std::string image;

private:
    static std::string range(int32_t a, int32_t b) { return std::to_string(a) + ".." + std::to_string(b); }
};

// A core that does nothing in the slots with default behaviour.
class MinimalCore final : public QuorvaleCore {
public:
    void renderRows(int32_t, int32_t) override {}
    void showRows(int32_t, int32_t) override {}
    void bringCaretIntoView(bool) override {}
    void updateCaret() override {}
};

}  // namespace

TEST(QuorvaleCore, CreatesAnEmptyDocument) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(80, 4, 0xFFFFFFFFu, TextEncoding::Auto, ecflag::urls));
    EXPECT_EQ(core.encoding(), TextEncoding::ShiftJis);
    EXPECT_EQ(core.lineCount(), 1);
    EXPECT_EQ(core.rowCount(), 1);
    EXPECT_EQ(core.documentLineEnd(), LineEnd::CrLf);
    EXPECT_EQ(core.lexer().syntaxMode(), SyntaxMode::None);
    EXPECT_EQ(core.flags(), ecflag::urls);
    EXPECT_TRUE(core.urlHighlighting());
    FakeCore off;
    ASSERT_TRUE(off.createCore(80, 4, 0xFFFFFFFFu, TextEncoding::EucJp, 0));
    EXPECT_EQ(off.encoding(), TextEncoding::EucJp);
    EXPECT_FALSE(off.urlHighlighting());
    EXPECT_TRUE(core.calls.empty());
}

TEST(QuorvaleCore, LoadingReportsMixedLineEndsThroughItsSlot) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(80, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, 0));
    core.load("a\r\nb\r\nc");
    EXPECT_TRUE(core.calls.empty());
    core.load("a\r\nb\nc\rd");
    EXPECT_EQ(core.calls, std::vector<std::string>{"mixed"});
    EXPECT_EQ(core.lineCount(), 4);
    // The default slots do nothing (and do not have to be overridden).
    MinimalCore minimal;
    ASSERT_TRUE(minimal.createCore(80, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, 0));
    minimal.charactersReplaced();
    minimal.lineEndsMixed();
    minimal.undoStoppedAtLimit();
}

TEST(QuorvaleCore, WalksDisplayRowsAcrossWrappedLines) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(10, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, 0));
    // Line 0: 25 bytes -> rows of 10, 10, 5; line 1: 9 a's and a two-byte character (starts row 2).
    core.load(std::string(25, 'x') + "\r\n" + std::string(9, 'a') + "\x95\x5c" + "\r\nend");
    ASSERT_EQ(core.rowCount(), 3 + 2 + 1);
    QuorvaleCore::RowCursor c = core.cursorAtRow(0);
    std::vector<std::string> rows;
    do {
        RowText t = core.rowText(c);
        rows.push_back(std::to_string(c.lineIndex) + ":" + std::to_string(t.start) + "-" + std::to_string(t.end) +
                       (t.lastRowOfLine ? "L" : "") + (t.lastLine ? "E" : ""));
    } while (QuorvaleCore::nextRow(c));
    EXPECT_EQ(rows, (std::vector<std::string>{"0:0-10", "0:10-20", "0:20-25L", "1:0-9", "1:9-11L", "2:0-3LE"}));
    EXPECT_EQ(core.cursorAtRow(4).lineIndex, 1);
    EXPECT_EQ(core.cursorAtRow(99).row, 5);   // clamped to the last row
    core.setView(4, 3);
    EXPECT_EQ(core.topRow(), 4);
    EXPECT_EQ(core.pixelOffset(), 3);
    EXPECT_EQ(core.cursorAtRow(1).rowInLine, 1);   // walks back from the top too
    core.setView(50, 0);
    EXPECT_EQ(core.topRow(), 5);
}

TEST(QuorvaleCore, SelectionPerRowIsNoneFullOrPartial) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(10, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, 0));
    core.load(std::string(25, 'x') + "\r\nabc\r\nlast");
    core.selectRange(0, 12, 2, 2);   // from row 1 of line 0 into the last line
    ASSERT_TRUE(core.hasSelection());
    std::vector<std::string> seen;
    QuorvaleCore::RowCursor c = core.cursorAtRow(0);
    do {
        RowText t = core.rowText(c);
        RowSelection s = core.selectionFor(c, t);
        seen.push_back(s.any ? std::to_string(s.from) + "-" + std::to_string(s.to) + (s.lineEnd ? "+" : "") : "none");
    } while (QuorvaleCore::nextRow(c));
    EXPECT_EQ(seen, (std::vector<std::string>{"none", "12-20", "20-25+", "0-3+", "0-2"}));
    // Backwards (anchor after the end) gives the same rows.
    core.selectRange(2, 2, 0, 12);
    c = core.cursorAtRow(1);
    RowText t = core.rowText(c);
    EXPECT_EQ(core.selectionFor(c, t).from, 12u);
    EXPECT_EQ(core.caret().line, 0);
    // An empty span is no selection.
    core.selectRange(1, 1, 1, 1);
    EXPECT_FALSE(core.hasSelection());
}

TEST(QuorvaleCore, CaretCellsExpandTabsWithinTheRow) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(10, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, 0));
    core.load("a\tb\x82\xa0z\r\nabcdefghi\tq");   // line 1: the tab ends row 0 at W
    core.selectRange(0, 5, 0, 5);   // caret after あ
    EXPECT_EQ(core.caretCells(), 7);
    core.selectRange(1, 10, 1, 10);   // after the tab: the start of row 1
    EXPECT_EQ(core.caret().row, 2);
    EXPECT_EQ(core.caretCells(), 0);
    core.selectRange(1, 11, 1, 11);
    EXPECT_EQ(core.caretCells(), 1);
}

TEST(QuorvaleCore, ColouringModeGivesTheLinesTheirRuns) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(80, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, ecflag::urls));
    core.load("<p class=\"x\">\r\n&amp; http://a.jp/");
    uint32_t n = 0;
    const Token* plain = core.tokensOf(*core.firstLine(), &n);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(n, 1u);
    core.setColouringMode(100);
    EXPECT_EQ(core.syntaxMode(), 100);
    const Token* html = core.tokensOf(*core.firstLine(), &n);
    ASSERT_NE(html, nullptr);
    ASSERT_GE(n, 3u);
    bool element = false;
    for (uint32_t i = 0; i < n; ++i) element |= html[i].kind == TokenKind::HtmlElementName && html[i].length > 0;
    EXPECT_TRUE(element);
    const Token* second = core.tokensOf(*core.firstLine()->next, &n);
    ASSERT_NE(second, nullptr);
    bool url = false, entity = false;
    for (uint32_t i = 0; i < n; ++i) {
        url |= second[i].kind == TokenKind::UrlMail;
        entity |= second[i].kind == TokenKind::HtmlEntity;
    }
    EXPECT_TRUE(url);
    EXPECT_TRUE(entity);
}

TEST(QuorvaleCore, EditsBringTheFollowingLinesColouringStatesUpToDate) {
    FakeCore core;
    ASSERT_TRUE(core.createCore(80, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis, 0));
    core.load("<p\r\nclass=\"a\r\nb\">text");
    core.setColouringMode(100);
    uint32_t n = 0;
    ASSERT_NE(core.tokensOf(*core.firstLine(), &n), nullptr);   // the first tokenisation sets every state
    const LineRecord* second = core.firstLine()->next;
    EXPECT_EQ(second->LineStartState, lexstate::HtmlTag);
    EXPECT_EQ(second->next->LineStartState, lexstate::HtmlValue);
    // Closing the tag on the first line: the next lines start in text again.
    core.moveTo(0, 2);
    ASSERT_TRUE(core.insertBytes(reinterpret_cast<const uint8_t*>(">"), 1, true, true));
    EXPECT_EQ(second->LineStartState, lexstate::HtmlText);
    EXPECT_EQ(second->next->LineStartState, lexstate::HtmlText);   // a quote in text opens nothing
    const Token* tokens = core.tokensOf(*core.firstLine()->next, &n);
    ASSERT_NE(tokens, nullptr);
    EXPECT_EQ(tokens[0].kind, TokenKind::Text);
}

// The screen operations occupy the first seven slots of the table of virtual functions, in their
// order (the GNU ABI encodes a virtual member pointer as 1 + the slot's byte offset).
TEST(QuorvaleCore, ScreenOperationsHoldTheFirstSevenSlotsInOrder) {
    auto slot = [](auto member) {
        uintptr_t raw[2] = {0, 0};
        static_assert(sizeof member <= sizeof raw, "member pointer size");
        std::memcpy(raw, &member, sizeof member);
        return int((raw[0] - 1) / sizeof(void*));
    };
    EXPECT_EQ(slot(&QuorvaleCore::renderRows), 0);
    EXPECT_EQ(slot(&QuorvaleCore::showRows), 1);
    EXPECT_EQ(slot(&QuorvaleCore::bringCaretIntoView), 2);
    EXPECT_EQ(slot(&QuorvaleCore::updateCaret), 3);
    EXPECT_EQ(slot(&QuorvaleCore::charactersReplaced), 4);
    EXPECT_EQ(slot(&QuorvaleCore::lineEndsMixed), 5);
    EXPECT_EQ(slot(&QuorvaleCore::undoStoppedAtLimit), 6);
}

// Window tests of the control's input: typed characters, keys and Shift selection, the frame's
// key bindings, mouse selection by character / word / line, drag move and copy, the wheel, and
// input-method reconversion; checked through requests and the parent's notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InputTestHost.h"

#include <imm.h>  // after windows.h

using namespace input_test;
using Lines = std::vector<std::string>;

namespace {

class Input : public FocusedControlTest {
protected:
    // A click and a double click on the same cell: the word there is selected.
    void doubleClick(int column, int row) {
        click(column, row);
        click(column, row, WM_LBUTTONDBLCLK);
    }
};

}  // namespace

TEST_F(Input, TypingInsertsPrintableCharactersAndReportsEachChange) {
    loadText("");
    type(q, "ab");
    post(q, WM_CHAR, 0x07);   // control bytes: nothing
    post(q, WM_CHAR, 0x7F);
    EXPECT_EQ(lines(q), (Lines{"ab"}));
    ASSERT_EQ(host.count(ECN_CHANGED), 2);
    EXPECT_FALSE(host.last(ECN_CHANGED)->posted);
    EXPECT_EQ(host.last(ECN_CHANGED)->lParam, 2);
    const Note* moved = host.last(ECN_CARETMOVED);
    ASSERT_NE(moved, nullptr);
    EXPECT_TRUE(moved->posted);
    EXPECT_EQ(moved->caret[0], 3);
    EXPECT_EQ(moved->caret[1], 1);
    // A word typed in one go undoes as a whole.
    request(q, EC_UNDO);
    EXPECT_EQ(lines(q), (Lines{""}));
    {
        Keys shift{VK_SHIFT};
        type(q, " ");
    }
    EXPECT_EQ(lines(q), (Lines{"\x81\x40"}));   // full-width space
    // Typing over a selection: deleting it and the character undo as one step.
    type(q, "cd");
    {
        Keys shift{VK_SHIFT};
        key(q, VK_LEFT);
        key(q, VK_LEFT);
    }
    ASSERT_EQ(selectionText(q), "cd");
    type(q, "x");
    EXPECT_EQ(lines(q), (Lines{"\x81\x40x"}));
    request(q, EC_UNDO);
    EXPECT_EQ(lines(q), (Lines{"\x81\x40" "cd"}));
    EXPECT_EQ(selectionText(q), "cd");
}

// Without the input method a double-byte character comes as two WM_CHAR bytes, lead then trail:
// the pair is one character, typed at once; half-width katakana are typed; a lead
// without its trail and a stray trail byte are never typed.
TEST_F(Input, WmCharPairsAreOneCharacterAndHalfWidthKatakanaAreTyped) {
    loadText("");
    type(q, "x\x95\x5C\x83\x5C\xB1y");   // x表ソｱy
    EXPECT_EQ(lines(q), (Lines{"x\x95\x5C\x83\x5C\xB1y"}));
    EXPECT_EQ(host.count(ECN_CHANGED), 5);   // one change per character, none for a lead alone
    // Bytes that make no character, sent straight to the window (a posted WM_CHAR byte is
    // paired up by the system before it arrives).
    loadText("");
    auto send = [this](std::initializer_list<int> bytes) {
        for (int b : bytes) SendMessageA(q->window(), WM_CHAR, static_cast<WPARAM>(b), 1);
    };
    send({0x82});                 // waits for its trail: nothing yet
    EXPECT_EQ(lines(q), (Lines{""}));
    SendMessageA(q->window(), WM_KEYDOWN, VK_END, 1);   // a key press in between drops the lead
    send({0x5C});                 // so this is a backslash of its own
    send({0x82, 0xFD});           // no trail byte after the lead: both dropped
    send({0x80, 0xA0, 0xFF});     // bytes no character begins with
    EXPECT_EQ(lines(q), (Lines{"\\"}));
}

TEST_F(Input, ShiftSpaceTypesAnOrdinarySpaceWithFlag0x80) {
    DestroyWindow(q->window());
    create(0x80);
    loadText("");
    Keys shift{VK_SHIFT};
    type(q, " ");
    EXPECT_EQ(lines(q), (Lines{" "}));
}

TEST_F(Input, KeysMoveSelectEditAndYieldToTheFramesBindings) {
    loadText("\t abc def\r\nxyz");
    key(q, VK_END);
    EXPECT_EQ(caret().offset, 9u);
    key(q, VK_HOME);
    EXPECT_EQ(caret().offset, 2u);   // after the leading blanks
    key(q, VK_HOME);
    EXPECT_EQ(caret().offset, 0u);
    key(q, VK_HOME);
    {
        Keys shift{VK_SHIFT};
        key(q, VK_RIGHT);
        key(q, VK_RIGHT);
        key(q, VK_RIGHT);
    }
    EXPECT_EQ(selectionText(q), "abc");
    ASSERT_NE(host.last(ECN_SELECTION), nullptr);
    EXPECT_EQ(host.last(ECN_SELECTION)->lParam, 1);
    key(q, VK_LEFT);   // only drops the selection, caret at its start
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
    EXPECT_EQ(host.last(ECN_SELECTION)->lParam, 0);
    EXPECT_EQ(caret().offset, 2u);
    {
        Keys ctrl{VK_CONTROL};
        key(q, VK_RIGHT);
    }
    EXPECT_EQ(caret().offset, 5u);   // past the word "abc"
    key(q, VK_DOWN);
    EXPECT_EQ(caret().line, 1);
    key(q, VK_BACK);
    key(q, VK_RETURN);
    EXPECT_EQ(lines(q), (Lines{"\t abc def", "xy", ""}));
    // The frame consumes a bound key: the control does nothing with it.
    host.consumeKey = VK_BACK;
    host.clear();
    key(q, VK_BACK);
    EXPECT_EQ(lines(q), (Lines{"\t abc def", "xy", ""}));
    ASSERT_EQ(host.count(ECN_KEYDOWN), 1);
    EXPECT_EQ(host.last(ECN_KEYDOWN)->lParam, VK_BACK);
    EXPECT_FALSE(host.last(ECN_KEYDOWN)->posted);
    EXPECT_EQ(host.count(ECN_CHANGED), 0);
    // Tab over a two-line selection indents both lines; Shift + Tab takes it back.
    host.consumeKey = 0;
    {
        Keys ctrl{VK_CONTROL};
        key(q, VK_HOME);
    }
    {
        Keys shift{VK_SHIFT};
        key(q, VK_DOWN);
        key(q, VK_END);
    }
    key(q, VK_TAB);
    EXPECT_EQ(lines(q), (Lines{"\t\t abc def", "\txy", ""}));
    {
        Keys shift{VK_SHIFT};
        key(q, VK_TAB);
    }
    EXPECT_EQ(lines(q), (Lines{"\t abc def", "xy", ""}));
    key(q, VK_ESCAPE);
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
}

TEST_F(Input, MouseSelectsByCharacterWordAndLine) {
    loadText("alpha beta\r\ngamma");
    click(2, 0);
    EXPECT_EQ(caret().line, 0);
    EXPECT_EQ(caret().offset, 2u);
    // Press, drag, release: characters.
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(q, 1, 0));
    post(q, WM_MOUSEMOVE, MK_LBUTTON, cellPoint(q, 3, 1));
    post(q, WM_LBUTTONUP, 0, cellPoint(q, 3, 1));
    EXPECT_EQ(selectionText(q), "lpha beta\r\ngam");
    // Double-click: the word; a third click right after: the line.
    doubleClick(7, 0);
    EXPECT_EQ(selectionText(q), "beta");
    click(7, 0);
    EXPECT_EQ(selectionText(q), "alpha beta\r\n");
    // The gutter: the whole line under the pointer.
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, q->lineHeight() + 2));
    post(q, WM_LBUTTONUP, 0, MAKELPARAM(2, q->lineHeight() + 2));
    EXPECT_EQ(selectionText(q), "gamma");
    // Shift + click extends from the caret.
    click(0, 0);
    {
        Keys shift{VK_SHIFT};
        click(5, 0);
    }
    EXPECT_EQ(selectionText(q), "alpha");
}

TEST_F(Input, DraggingTheSelectionMovesItOrCopiesItWithCtrl) {
    loadText("abc XYZ def");
    doubleClick(4, 0);
    ASSERT_EQ(selectionText(q), "XYZ");
    host.clear();
    // Move to the end of the line.
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(q, 5, 0));
    post(q, WM_MOUSEMOVE, MK_LBUTTON, cellPoint(q, 11, 0));
    post(q, WM_LBUTTONUP, 0, cellPoint(q, 11, 0));
    EXPECT_EQ(lines(q), (Lines{"abc  defXYZ"}));
    EXPECT_GE(host.count(ECN_CHANGED), 1);
    // Dropping at the end of the selected range cancels a move ...
    ASSERT_EQ(selectionText(q), "XYZ");
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(q, 9, 0));
    post(q, WM_MOUSEMOVE, MK_LBUTTON, cellPoint(q, 11, 0));
    post(q, WM_LBUTTONUP, 0, cellPoint(q, 11, 0));
    EXPECT_EQ(lines(q), (Lines{"abc  defXYZ"}));
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
    // ... but copies there with Ctrl.
    click(8, 0);
    {
        Keys shift{VK_SHIFT};
        click(11, 0);
    }
    ASSERT_EQ(selectionText(q), "XYZ");
    {
        Keys ctrl{VK_CONTROL};
        post(q, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, cellPoint(q, 9, 0));
        post(q, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, cellPoint(q, 11, 0));
        post(q, WM_LBUTTONUP, MK_CONTROL, cellPoint(q, 11, 0));
    }
    EXPECT_EQ(lines(q), (Lines{"abc  defXYZXYZ"}));
}

TEST_F(Input, WheelScrollsFiveRowsWithinTheDocument) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line\r\n";
    for (auto reader : {batteryPower, mainsPower}) {
        Quorvale::setPowerStatusReader(reader);
        q->readPowerState();
        loadText(text);
        EXPECT_EQ(q->topRow(), 0);
        post(q, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        EXPECT_EQ(q->topRow(), 0);   // at the first row, turned up: nothing
        post(q, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        pump(150);
        EXPECT_EQ(q->topRow(), 5);
        post(q, WM_MOUSEWHEEL, MAKEWPARAM(0, -1), 0);   // only the sign counts
        pump(150);
        EXPECT_EQ(q->topRow(), 10);
        post(q, WM_VSCROLL, SB_BOTTOM, 0);
        const int last = q->topRow();
        EXPECT_GT(last, 10);
        post(q, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        pump(150);
        EXPECT_EQ(q->topRow(), last);   // never past the last top row
        post(q, WM_VSCROLL, SB_TOP, 0);
        post(q, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(q->topRow(), 1);
    }
}

TEST_F(Input, PageDownMovesCaretAndView) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "row\r\n";
    Quorvale::setPowerStatusReader(batteryPower);
    q->readPowerState();
    loadText(text);
    const int page = q->geometry().pageRows();
    key(q, VK_NEXT);
    EXPECT_EQ(caret().line, page);
    EXPECT_EQ(q->topRow(), page);
    Quorvale::setPowerStatusReader(mainsPower);
    q->readPowerState();
    {
        Keys shift{VK_SHIFT};
        key(q, VK_NEXT);
    }
    EXPECT_EQ(caret().line, 2 * page);
    EXPECT_EQ(request(q, EC_HASSELECTION), 1);
}

TEST_F(Input, ReconversionOffersTheCaretLineAndTakesTheConfirmedRange) {
    loadText("\x95\x5c\x8e\xa6 ok\r\nnext");
    click(0, 0);
    const LRESULT size = SendMessageA(q->window(), WM_IME_REQUEST, IMR_RECONVERTSTRING, 0);
    ASSERT_EQ(size, LRESULT(sizeof(RECONVERTSTRING) + 7));
    std::vector<uint8_t> buffer(size);
    auto* r = reinterpret_cast<RECONVERTSTRING*>(buffer.data());
    r->dwSize = static_cast<DWORD>(size);
    ASSERT_EQ(SendMessageA(q->window(), WM_IME_REQUEST, IMR_RECONVERTSTRING, reinterpret_cast<LPARAM>(r)), size);
    EXPECT_EQ(r->dwStrLen, 7u);
    EXPECT_EQ(r->dwStrOffset, sizeof(RECONVERTSTRING));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(r) + r->dwStrOffset, 7), "\x95\x5c\x8e\xa6 ok");
    EXPECT_EQ(r->dwCompStrLen, 0u);
    r->dwCompStrOffset = 0;
    r->dwCompStrLen = 4;
    ASSERT_EQ(SendMessageA(q->window(), WM_IME_REQUEST, IMR_CONFIRMRECONVERTSTRING, reinterpret_cast<LPARAM>(r)),
              TRUE);
    EXPECT_EQ(selectionText(q), "\x95\x5c\x8e\xa6");
    // A double-byte character from the input method replaces the selection.
    post(q, WM_IME_CHAR, 0x8341);   // ア
    EXPECT_EQ(lines(q)[0], "\x83\x41 ok");
    // A selection over two lines refuses reconversion.
    {
        Keys shift{VK_SHIFT};
        key(q, VK_DOWN);
    }
    EXPECT_EQ(SendMessageA(q->window(), WM_IME_REQUEST, IMR_RECONVERTSTRING, 0), 0);
}

TEST_F(Input, TypedWordsAskForCompletionAndOtherCharactersCloseTheList) {
    loadText("");
    host.completionAnswer = 1;
    type(q, "a");
    const Note* complete = host.last(ECN_COMPLETE);
    ASSERT_NE(complete, nullptr);
    EXPECT_FALSE(complete->posted);
    type(q, "b");
    EXPECT_EQ(host.count(ECN_COMPLETE), 1);
    EXPECT_EQ(host.count(ECN_COMPLETEMORE), 1);   // a list is showing now
    type(q, " ");
    EXPECT_EQ(host.count(ECN_ENDCOMPLETE), 1);    // nothing to complete after a blank
    type(q, "9");
    EXPECT_EQ(host.count(ECN_COMPLETE), 1);       // a word must begin with a letter
    host.clear();
    type(q, " x");
    ASSERT_EQ(host.count(ECN_COMPLETE), 1);
    EXPECT_EQ(request(q, EC_ENDCOMPLETION), 1);
    EXPECT_EQ(host.count(ECN_ENDCOMPLETE), 1);
    // A mouse press closes a showing list first.
    type(q, "y");
    host.clear();
    click(0, 0);
    EXPECT_EQ(host.count(ECN_ENDCOMPLETE), 1);
}

TEST_F(Input, ClickingInsideTheSelectionWithoutMovingPlacesTheCaret) {
    loadText("one two three");
    doubleClick(4, 0);
    ASSERT_EQ(selectionText(q), "two");
    click(5, 0);
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
    EXPECT_EQ(caret().offset, 5u);
    EXPECT_EQ(lines(q), (Lines{"one two three"}));
}

TEST_F(Input, FocusLostRightAfterTheFramesStampIsTakenBack) {
    SetFocus(q->window());
    pump();
    q->setFocusStamp(1);
    SetFocus(host.window());
    pump(50);
    EXPECT_EQ(GetFocus(), q->window());
    Sleep(150);
    SetFocus(host.window());
    pump(50);
    EXPECT_EQ(GetFocus(), host.window());
}

TEST_F(Input, MiddleButtonGrabScrollsWithThePointerAndTheWheelEndsIt) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "grab\r\n";
    loadText(text);
    const int lh = q->lineHeight();
    post(q, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(100, 8 * lh + 3));
    post(q, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(100, 3));   // pulled up by 8 rows
    EXPECT_EQ(q->topRow(), 8);
    EXPECT_EQ(q->pixelOffset(), 0);
    post(q, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(100, 5));
    EXPECT_EQ(q->topRow() * lh + q->pixelOffset(), 8 * lh - 2);
    post(q, WM_MBUTTONUP, 0, MAKELPARAM(100, 5));
    post(q, WM_MOUSEMOVE, 0, MAKELPARAM(100, 200));          // no mode: nothing moves
    EXPECT_EQ(q->topRow() * lh + q->pixelOffset(), 8 * lh - 2);
    EXPECT_EQ(lines(q)[0], "grab");
}

TEST_F(Input, HorizontalScrollBarMovesByCellsAndPagesWithinTheWrapWidth) {
    DestroyWindow(q->window());
    q = createControl(host, 0x10000000, 200);   // fixed wrap width of 200 cells
    ASSERT_NE(q, nullptr);
    loadText(std::string(190, 'w'));
    const int cell = q->cellWidth();
    const int page = q->geometry().width - q->geometry().gutter;
    post(q, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(q->horizontalOffset(), cell);
    post(q, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(q->horizontalOffset(), cell + page);
    post(q, WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(q->horizontalOffset(), 200 * cell + q->geometry().gutter - q->geometry().width);
    post(q, WM_HSCROLL, SB_LINELEFT, 0);
    post(q, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(q->horizontalOffset(), 0);
    // A click maps through the horizontal offset: cell 0 on screen is text column 3 after
    // three arrow steps.
    for (int i = 0; i < 3; ++i) post(q, WM_HSCROLL, SB_LINERIGHT, 0);
    click(0, 0);
    EXPECT_EQ(caret().offset, 3u);
}

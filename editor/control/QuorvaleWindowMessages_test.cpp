// Window tests of the standard messages the control handles besides keys and requests: forwarding
// to the parent, the mouse cursor, the system caret, the press rules (Alt, Ctrl, below the text),
// scroll-bar paging, the line-number gutter, colouring modes and load notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlPalette.h"
#include "InputTestHost.h"

using namespace input_test;
using Lines = std::vector<std::string>;

namespace {

class WindowMessages : public FocusedControlTest {
protected:
    // The cursor the control sets with the pointer at client point (x, y).
    HCURSOR cursorAt(int x, int y) {
        POINT p{x, y};
        ClientToScreen(q->window(), &p);
        SetCursorPos(p.x, p.y);
        pump();
        SetCursor(nullptr);
        SendMessageA(q->window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(q->window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
    int cellX(int column) const { return q->geometry().gutter + column * q->cellWidth() + 1; }
};

}  // namespace

TEST_F(WindowMessages, CommandsAndDroppedFilesGoUnchangedToTheParent) {
    post(q, WM_COMMAND, MAKEWPARAM(21001, 0), 0x1234);
    post(q, WM_DROPFILES, 0x5678, 0);
    ASSERT_EQ(host.forwarded.size(), 2u);
    EXPECT_EQ(host.forwarded[0].message, UINT(WM_COMMAND));
    EXPECT_EQ(host.forwarded[0].wParam, WPARAM(MAKEWPARAM(21001, 0)));
    EXPECT_EQ(host.forwarded[0].lParam, LPARAM(0x1234));
    EXPECT_EQ(host.forwarded[1].message, UINT(WM_DROPFILES));
    EXPECT_EQ(host.forwarded[1].wParam, WPARAM(0x5678));
}

TEST_F(WindowMessages, CursorIsArrowOverGutterAndSelectionHandOverLinksIBeamElsewhere) {
    DestroyWindow(q->window());
    create(ecflag::urls);
    loadText("see http://example.com/x here");
    const int y = q->lineHeight() / 2;
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), beam = LoadCursorA(nullptr, IDC_IBEAM),
                  hand = LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(cursorAt(2, y), arrow);          // gutter
    EXPECT_EQ(cursorAt(cellX(1), y), beam);    // plain text
    EXPECT_EQ(cursorAt(cellX(8), y), hand);    // inside the URL
    click(0, 0);
    {
        Keys shift{VK_SHIFT};
        click(3, 0);
    }
    ASSERT_EQ(request(q, EC_HASSELECTION), 1);
    EXPECT_EQ(cursorAt(cellX(1), y), arrow);   // selected text
    EXPECT_EQ(cursorAt(cellX(25), y), beam);
}

TEST_F(WindowMessages, SystemCaretStandsBeforeTheCaretsCell) {
    loadText("ab\r\ncd");
    type(q, "x");
    POINT p{};
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p.x, q->cellWidth() + q->geometry().gutter - 1);
    EXPECT_EQ(p.y, 0);
    key(q, VK_DOWN);
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_EQ(p.y, q->lineHeight());
}

TEST_F(WindowMessages, PressesWithAltOrCtrlAndBelowTheText) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "word" + std::to_string(i) + " tail\r\n";
    loadText(text);
    // Alt: the selection is dropped and the caret goes to the pointer, even inside the selection.
    click(0, 0);
    {
        Keys shift{VK_SHIFT};
        click(4, 0);
    }
    ASSERT_EQ(request(q, EC_HASSELECTION), 1);
    {
        Keys alt{VK_MENU};
        click(2, 0);
    }
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
    EXPECT_EQ(caret().offset, 2u);
    // Ctrl outside a selection grab-scrolls: the caret stays, the view follows the pointer.
    {
        Keys ctrl{VK_CONTROL};
        post(q, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, cellPoint(q, 3, 6));
        post(q, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, cellPoint(q, 3, 2));
        post(q, WM_LBUTTONUP, MK_CONTROL, cellPoint(q, 3, 2));
    }
    EXPECT_EQ(q->topRow(), 4);
    EXPECT_EQ(caret().line, 0);
    EXPECT_EQ(caret().offset, 2u);
    EXPECT_EQ(lines(q)[0], "word0 tail");
    // A press below the last visible pixel row is ignored.
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cellX(1), q->geometry().height));
    post(q, WM_LBUTTONUP, 0, MAKELPARAM(cellX(1), q->geometry().height));
    EXPECT_EQ(caret().line, 0);
    EXPECT_EQ(caret().offset, 2u);
}

TEST_F(WindowMessages, DeleteKeysAndChangedBlockJumps) {
    loadText("one two\r\nx\r\ny\r\nz\r\nw");
    key(q, VK_DELETE);
    EXPECT_EQ(lines(q)[0], "ne two");
    {
        Keys ctrl{VK_CONTROL};
        key(q, VK_DELETE);
    }
    EXPECT_EQ(lines(q)[0], " two");
    // Change line 3, then Ctrl + Up / Down jump between the changed blocks.
    request(q, EC_GOTOLINE, 3);
    type(q, "!");
    {
        Keys ctrl{VK_CONTROL};
        key(q, VK_HOME);
        key(q, VK_DOWN);
        EXPECT_EQ(caret().line, 3);
        key(q, VK_UP);
        EXPECT_EQ(caret().line, 0);
    }
}

TEST_F(WindowMessages, TypingOverASelectionIsOneUndoStep) {
    loadText("abc def");
    click(0, 0);
    {
        Keys shift{VK_SHIFT};
        click(3, 0);
    }
    type(q, "X");
    EXPECT_EQ(lines(q), (Lines{"X def"}));
    EXPECT_EQ(request(q, EC_UNDO), 1);
    EXPECT_EQ(lines(q), (Lines{"abc def"}));
}

TEST_F(WindowMessages, LineNumbersWidenTheGutterAndHidingThemRestoresTheMargin) {
    loadText("a\r\nb");
    EXPECT_EQ(q->geometry().gutter, 8);
    EXPECT_EQ(request(q, EC_LINENUMBERS, 1), 1);
    EXPECT_EQ(q->geometry().gutter, 5 * q->cellWidth());
    request(q, EC_LINENUMBERS, 0);
    EXPECT_EQ(q->geometry().gutter, 8);
}

TEST_F(WindowMessages, ScrollBarPagesMoveOnlyTheViewAndRepaintAllOnBattery) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row\r\n";
    loadText(text);
    const int page = q->geometry().pageRows();
    for (auto reader : {batteryPower, mainsPower}) {
        Quorvale::setPowerStatusReader(reader);
        q->readPowerState();
        post(q, WM_VSCROLL, SB_TOP, 0);
        const uint64_t before = q->rowsRendered();
        post(q, WM_VSCROLL, SB_PAGEDOWN, 0);
        EXPECT_EQ(q->topRow(), page);
        EXPECT_EQ(caret().line, 0);
        if (reader == batteryPower)
            EXPECT_EQ(q->rowsRendered() - before, uint64_t(q->geometry().renderedRows()));
        else
            EXPECT_EQ(q->rowsRendered() - before, uint64_t(page));
        post(q, WM_VSCROLL, SB_PAGEUP, 0);
        EXPECT_EQ(q->topRow(), 0);
    }
}

TEST_F(WindowMessages, ColouringModeRepaintsInTheMarkupColours) {
    loadText("<p>text</p>");
    auto countItem = [&](uint8_t item) {
        const PixelSurface& s = q->backBuffer();
        const int y0 = q->bufferRowOfScreenRow(0);
        int n = 0;
        for (int y = y0; y < y0 + q->lineHeight(); ++y)
            for (int x = 0; x < 12 * q->cellWidth(); ++x) n += s.get(x, y) == item;
        return n;
    };
    EXPECT_EQ(countItem(6), 0);
    EXPECT_EQ(request(q, EC_SETMODE, 100), 1);
    EXPECT_GT(countItem(6), 0);   // element names
    request(q, EC_SETMODE, 0);
    EXPECT_EQ(countItem(6), 0);
}

TEST_F(WindowMessages, LossyLoadIsPostedAndPaletteChangeInvalidates) {
    image = "ok\xe0\xb8\x81\r\n";   // a Thai letter has no Shift_JIS form
    request(q, EC_RESET, static_cast<LPARAM>(TextEncoding::Utf8));
    LoadRecord record{static_cast<uint32_t>(image.size()), reinterpret_cast<uint8_t*>(&image[0]), 1};
    ASSERT_EQ(request(q, EC_LOADIMAGE, &record), 1);
    host.clear();
    request(q, EC_CONVERT);
    request(q, EC_LOADDONE);
    EXPECT_EQ(host.count(ECN_LOSSY), 0);   // posted: not yet
    pump();
    ASSERT_EQ(host.count(ECN_LOSSY), 1);
    EXPECT_TRUE(host.last(ECN_LOSSY)->posted);
    ValidateRect(q->window(), nullptr);
    SendMessageA(q->window(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(host.window()), 0);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(q->window(), &update, FALSE));
    EXPECT_EQ(update.right, q->geometry().width);
}

TEST_F(WindowMessages, DraggingFromTheGutterSelectsWholeLinesAndOutsideKeepsScrolling) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "line" + std::to_string(i) + "\r\n";
    loadText(text);
    const int lh = q->lineHeight();
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, lh + 2));
    post(q, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 3 * lh + 2));
    post(q, WM_LBUTTONUP, 0, MAKELPARAM(40, 3 * lh + 2));
    EXPECT_EQ(selectionText(q), "line1\r\nline2\r\nline3\r\n");
    // Held below the window, the pointer keeps the selection growing and the view scrolling
    // without further mouse messages, up to the document's end.
    click(0, 0);
    post(q, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(q, 1, 0));
    POINT below{40, q->geometry().height + 30};
    POINT screen = below;
    ClientToScreen(q->window(), &screen);
    SetCursorPos(screen.x, screen.y);
    pump();
    post(q, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(below.x, below.y));
    post(q, WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    EXPECT_EQ(caret().line, 60);
    EXPECT_GT(q->topRow(), 20);
    int y = -1;
    EXPECT_EQ(request(q, EC_GETCARETPOINT, &y), 1);   // the caret's row is the last one in view
    EXPECT_LE(y + q->lineHeight(), q->geometry().height);
    EXPECT_GT(y + 2 * q->lineHeight(), q->geometry().height);
}

TEST_F(WindowMessages, KeepingTheCaretInViewShowsHalfTheRowAboveAndFollowsItSideways) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "r" + std::to_string(i) + "\r\n";
    loadText(text);
    const int lh = q->lineHeight();
    post(q, WM_VSCROLL, SB_BOTTOM, 0);
    request(q, EC_GOTOLINE, 10);
    EXPECT_EQ(q->topRow() * lh + q->pixelOffset(), 10 * lh - lh / 2);
    request(q, EC_GOTOLINE, 0);
    EXPECT_EQ(q->topRow(), 0);
    EXPECT_EQ(q->pixelOffset(), 0);
    // A long line with a fixed wrap width: the view follows the caret to the right and back.
    DestroyWindow(q->window());
    q = createControl(host, ecflag::fixedWrap, 300);
    ASSERT_NE(q, nullptr);
    SetFocus(q->window());
    loadText(std::string(250, 'w'));
    key(q, VK_END);
    EXPECT_GT(q->horizontalOffset(), 0);
    POINT p{};
    ASSERT_TRUE(GetCaretPos(&p));
    EXPECT_GE(p.x, q->geometry().gutter - 1);
    EXPECT_LT(p.x, q->geometry().width);
    EXPECT_EQ(p.x, 250 * q->cellWidth() + q->geometry().gutter - q->horizontalOffset() - 1);
    key(q, VK_HOME);
    EXPECT_EQ(q->horizontalOffset(), 0);
}

TEST_F(WindowMessages, DraggingTheScrollBarThumbMovesTheViewByPixels) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += "t" + std::to_string(i) + "\r\n";
    loadText(text);
    RECT window{};
    GetWindowRect(q->window(), &window);
    const int bar = GetSystemMetrics(SM_CXVSCROLL), arrow = GetSystemMetrics(SM_CYVSCROLL);
    const int x = window.right - bar / 2, y = window.top + arrow + 4;
    // Every event is queued before the scroll bar's tracking loop starts reading them.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> input;
    auto add = [&](DWORD flags, int px, int py) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = (px * 65535 + width / 2) / (width - 1);
        in.mi.dy = (py * 65535 + height / 2) / (height - 1);
        in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input.push_back(in);
    };
    add(0, x, y);
    add(MOUSEEVENTF_LEFTDOWN, x, y);
    for (int step = 1; step <= 10; ++step) add(0, x, y + step * 10);
    add(MOUSEEVENTF_LEFTUP, x, y + 100);
    ASSERT_EQ(SendInput(UINT(input.size()), input.data(), sizeof(INPUT)), UINT(input.size()));
    pump(200);
    const int position = q->topRow() * q->lineHeight() + q->pixelOffset();
    EXPECT_GT(q->topRow(), 0);
    EXPECT_EQ(GetScrollPos(q->window(), SB_VERT), position);
}

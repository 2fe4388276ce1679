// Window tests of the editor control: creation and its window class, window-width wrapping, and
// painting checked on the back buffer's palette indices (marks, gutter, selection, smoothing and
// the one-row scroll that renders one row).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestHost.h"

using namespace control_test;

namespace {

// Pixels of `index` in screen row `screenRow`, cells [firstCell, firstCell + cells) of the buffer.
int countIndex(const Quorvale& q, int screenRow, uint8_t index, int firstCell, int cells) {
    const PixelSurface& s = q.backBuffer();
    const int y0 = q.bufferRowOfScreenRow(screenRow), cell = q.cellWidth();
    int n = 0;
    for (int y = y0; y < y0 + q.lineHeight(); ++y)
        for (int x = firstCell * cell; x < (firstCell + cells) * cell && x < s.width; ++x) n += s.get(x, y) == index;
    return n;
}

int countAtLeast(const Quorvale& q, int screenRow, uint8_t lowest) {
    const PixelSurface& s = q.backBuffer();
    const int y0 = q.bufferRowOfScreenRow(screenRow);
    int n = 0;
    for (int y = y0; y < y0 + q.lineHeight(); ++y)
        for (int x = 0; x < s.width; ++x) n += s.get(x, y) >= lowest;
    return n;
}

std::string numberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(size_t(i % 50 + 1), 'x') + (i + 1 < count ? "\r\n" : "");
    return text;
}

// One host for every test: destroying a top-level window under Wine without a window manager
// waits for the X server for a long time.
HostWindow& sharedHost() {
    static HostWindow* host = new HostWindow();
    return *host;
}

// Controls on the shared host, each destroyed with its window (which frees the object) at the
// end of the test.
class ControlFixture : public ::testing::Test {
protected:
    Quorvale* make(const ControlOptions& options = ControlOptions()) {
        Quorvale* q = createControl(sharedHost(), options);
        if (q != nullptr) windows_.push_back(q->window());
        return q;
    }
    Quorvale* make(uint32_t flags) {
        ControlOptions options;
        options.flags = flags;
        return make(options);
    }
    void TearDown() override {
        for (HWND w : windows_)
            if (IsWindow(w)) DestroyWindow(w);
    }

private:
    std::vector<HWND> windows_;
};

class ControlWindow : public ControlFixture {};
class ControlPaint : public ControlFixture {};

int onBattery() { return 0; }
int onMains() { return 1; }

struct PowerReaderReset {
    ~PowerReaderReset() { Quorvale::setPowerStatusReader(nullptr); }
};

}  // namespace

TEST_F(ControlWindow, RegistersItsClassOnceAndDefaultsToShiftJis) {
    ControlOptions options;
    options.encoding = TextEncoding::Auto;
    Quorvale* a = make(options);
    ASSERT_NE(a, nullptr);
    Quorvale* b = make();
    ASSERT_NE(b, nullptr);
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), Quorvale::className, &wc));
    EXPECT_EQ(wc.style & (CS_BYTEALIGNCLIENT | CS_DBLCLKS), UINT(CS_BYTEALIGNCLIENT | CS_DBLCLKS));
    EXPECT_GE(wc.cbWndExtra, int(sizeof(void*)));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(a->encoding(), TextEncoding::ShiftJis);
    EXPECT_EQ(a->defaultEncoding(), TextEncoding::ShiftJis);
    EXPECT_EQ(a->lineCount(), 1);
    EXPECT_NE(GetWindowLongA(a->window(), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_NE(GetWindowLongA(a->window(), GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_GT(a->cellWidth(), 0);
    EXPECT_GT(a->lineHeight(), a->cellWidth());
    DestroyWindow(a->window());   // frees the object
    DestroyWindow(b->window());
}

TEST_F(ControlWindow, WrapsAtTheWindowUnlessTheWidthIsFixed) {
    ControlOptions options;
    options.wrapWidth = 80;
    Quorvale* q = make(options);
    ASSERT_NE(q, nullptr);
    const layout::ClientGeometry& g = q->geometry();
    EXPECT_EQ(q->wrapWidth(), layout::windowWrapWidth(g.visibleColumns(), q->backBuffer().width / q->cellWidth()));
    EXPECT_NE(q->wrapWidth(), 80);
    MoveWindow(q->window(), 0, 0, 20 * q->cellWidth(), 200, TRUE);
    pump();
    EXPECT_EQ(q->wrapWidth(), 40);   // never narrower than 40 cells

    options.flags = ecflag::fixedWrap;
    Quorvale* fixed = make(options);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->wrapWidth(), 80);
    EXPECT_EQ(fixed->backBuffer().width, (85 * fixed->cellWidth() + 3) & ~3);
    MoveWindow(fixed->window(), 0, 0, 300, 200, TRUE);
    pump();
    EXPECT_EQ(fixed->wrapWidth(), 80);
}

TEST_F(ControlPaint, EofFollowsTheTextOfALastLineWithoutLineEnd) {
    Quorvale* q = make(ecflag::lineEnds);
    ASSERT_NE(q, nullptr);
    loadText(*q, "abc");
    EXPECT_EQ(countIndex(*q, 0, pixel::mark, 0, 3), 0);
    EXPECT_GT(countIndex(*q, 0, pixel::mark, 3, 5), 20);    // "[EOF]" in item 4
    EXPECT_EQ(countIndex(*q, 0, pixel::mark, 8, 40), 0);
    EXPECT_GT(countIndex(*q, 0, colour::text, 0, 3), 10);
    EXPECT_EQ(q->drawnWidth(q->bufferRowOfScreenRow(0)), 8 * q->cellWidth());
}

TEST_F(ControlPaint, LineEndArrowThenEofAloneOnTheLastRow) {
    Quorvale* q = make(ecflag::lineEnds);
    ASSERT_NE(q, nullptr);
    loadText(*q, "abc\r\n");
    const int cell = q->cellWidth(), lh = q->lineHeight();
    EXPECT_EQ(countIndex(*q, 0, pixel::mark, 3, 1), 12);
    EXPECT_EQ(countIndex(*q, 0, pixel::mark, 4, 40), 0);
    // The arrow: a 5-pixel stem, then pixels 0, 2, 4, then 1-3, then the tip, centred in cell 3.
    const PixelSurface& s = q->backBuffer();
    const int left = 3 * cell + (cell - 5) / 2, top = q->bufferRowOfScreenRow(0) + (lh - 8) / 2;
    const char* shape[8] = {"..#..", "..#..", "..#..", "..#..", "..#..", "#.#.#", ".###.", "..#.."};
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(s.get(left + c, top + r) == pixel::mark, shape[r][c] == '#') << "row " << r << " col " << c;
    EXPECT_GT(countIndex(*q, 1, pixel::mark, 0, 5), 20);   // "[EOF]" alone on the empty last line
    EXPECT_EQ(q->drawnWidth(q->bufferRowOfScreenRow(1)), 5 * cell);
}

TEST_F(ControlPaint, TabMarkIsASmallArrowHeadInTheTabsFirstCell) {
    Quorvale* q = make(ecflag::tabs);
    ASSERT_NE(q, nullptr);
    loadText(*q, "a\tb");
    const int cell = q->cellWidth(), lh = q->lineHeight();
    EXPECT_EQ(countIndex(*q, 0, pixel::mark, 1, 3), 3);
    const PixelSurface& s = q->backBuffer();
    const int x = cell + (cell - 2) / 2, y = q->bufferRowOfScreenRow(0) + (lh - 3) / 2;
    EXPECT_EQ(s.get(x, y), pixel::mark);
    EXPECT_EQ(s.get(x + 1, y + 1), pixel::mark);
    EXPECT_EQ(s.get(x, y + 2), pixel::mark);
    EXPECT_GT(countIndex(*q, 0, colour::text, 4, 1), 5);   // "b" at the tab stop (cell 4)
    EXPECT_EQ(countIndex(*q, 0, colour::text, 1, 3), 0);
}

TEST_F(ControlPaint, GutterWidensFromThreeToFourDigitsAtLineOneThousand) {
    Quorvale* q = make(ecflag::lineNumbers);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->gutterDigits(), 3);
    loadText(*q, numberedLines(999));
    EXPECT_EQ(q->gutterDigits(), 3);
    EXPECT_EQ(q->geometry().gutter, 5 * q->cellWidth());
    // A line break at the end adds line 1000: the next rendering widens the gutter.
    q->moveDocumentEnd();
    ASSERT_TRUE(q->splitLine(false, true));
    EXPECT_EQ(q->lineCount(), 1000);
    q->renderRows(q->topRow(), -1);
    EXPECT_EQ(q->gutterDigits(), 4);
    EXPECT_EQ(q->geometry().gutter, 6 * q->cellWidth());
    loadText(*q, numberedLines(1000));
    EXPECT_EQ(q->gutterDigits(), 4);
    loadText(*q, numberedLines(999));
    EXPECT_EQ(q->gutterDigits(), 3);
    q->setLineNumbers(false);
    EXPECT_EQ(q->geometry().gutter, layout::plainGutter);
}

TEST_F(ControlPaint, SelectionHasItsBackgroundUpToTheSelectedLineEnd) {
    Quorvale* q = make(ecflag::lineEnds);
    ASSERT_NE(q, nullptr);
    loadText(*q, "abcdef\r\nxyz\r\nlast");
    q->selectRange(0, 1, 0, 4);
    q->repaintAll();
    const int cellArea = q->cellWidth() * q->lineHeight();
    EXPECT_EQ(countIndex(*q, 0, pixel::selection, 0, 1), 0);
    EXPECT_GT(countIndex(*q, 0, pixel::selection, 1, 3), 3 * cellArea / 2);
    EXPECT_GT(countIndex(*q, 0, colour::selectedText, 1, 3), 5);
    EXPECT_EQ(countIndex(*q, 0, colour::selectedText, 4, 2), 0);
    EXPECT_EQ(countIndex(*q, 0, pixel::selection, 4, 40), 0);
    // From inside line 0 into line 2: line 1 is fully selected with its line-end cell.
    q->selectRange(0, 3, 2, 2);
    q->repaintAll();
    EXPECT_EQ(countIndex(*q, 0, pixel::selection, 0, 3), 0);
    EXPECT_GT(countIndex(*q, 0, pixel::selection, 6, 1), cellArea / 2);   // line 0's line end
    EXPECT_GT(countIndex(*q, 1, pixel::selection, 0, 4), 3 * cellArea);
    EXPECT_GT(countIndex(*q, 2, pixel::selection, 0, 2), cellArea);
    EXPECT_EQ(countIndex(*q, 2, pixel::selection, 2, 10), 0);
}

TEST_F(ControlPaint, SmoothingIsOffOnBatteryPower) {
    PowerReaderReset restore;
    ControlOptions options;
    options.flags = ecflag::smoothing;
    options.points = 14;
    Quorvale::setPowerStatusReader(onBattery);
    Quorvale* q = make(options);
    ASSERT_NE(q, nullptr);
    const std::string text = "\x95\x5c\x8e\xa6 AVWXYZ kvwxyz /\\/\\ \x82\xa0\x82\xa2\x82\xa4";   // 表示 ... あいう
    loadText(*q, text);
    EXPECT_EQ(q->power(), Quorvale::Power::battery);
    EXPECT_GT(countIndex(*q, 0, colour::text, 0, 40), 50);
    EXPECT_EQ(countAtLeast(*q, 0, pixel::tintBase), 0);
    // Back on mains power (the power-status broadcast): the corners get their tint.
    Quorvale::setPowerStatusReader(onMains);
    SendMessageA(q->window(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    EXPECT_EQ(q->power(), Quorvale::Power::mains);
    EXPECT_GT(countAtLeast(*q, 0, pixel::tintBase), 0);
    EXPECT_EQ(countAtLeast(*q, 0, pixel::tintBase + colour::itemCount), 0);
}

TEST_F(ControlPaint, ScrollingOneRowRendersOneRow) {
    Quorvale* q = make();
    ASSERT_NE(q, nullptr);
    loadText(*q, numberedLines(300));
    const int cell = q->cellWidth();
    const int rendered = q->geometry().renderedRows();
    const int firstBufferRow = q->bufferRowOfScreenRow(0);
    uint64_t before = q->rowsRendered();
    q->scrollView(1);
    EXPECT_EQ(q->rowsRendered() - before, 1u);
    EXPECT_EQ(q->topRow(), 1);
    EXPECT_EQ(q->bufferRowOfScreenRow(0), firstBufferRow + q->lineHeight());
    // Every visible row shows its own line: line i has i % 50 + 1 bytes.
    for (int k = 0; k < rendered; ++k)
        EXPECT_EQ(q->drawnWidth(q->bufferRowOfScreenRow(k)), ((1 + k) % 50 + 1) * cell) << k;
    before = q->rowsRendered();
    q->scrollView(-1);
    EXPECT_EQ(q->rowsRendered() - before, 1u);
    EXPECT_EQ(q->topRow(), 0);
    for (int k = 0; k < rendered; ++k) EXPECT_EQ(q->drawnWidth(q->bufferRowOfScreenRow(k)), (k % 50 + 1) * cell) << k;
    // A view at the first row goes no higher; a jump of a page renders every row.
    before = q->rowsRendered();
    q->scrollView(-1);
    EXPECT_EQ(q->rowsRendered(), before);
    q->scrollView(rendered + 3);
    EXPECT_EQ(q->topRow(), rendered + 3);
    for (int k = 0; k < rendered; ++k)
        EXPECT_EQ(q->drawnWidth(q->bufferRowOfScreenRow(k)), ((rendered + 3 + k) % 50 + 1) * cell) << k;
}

TEST_F(ControlPaint, DestroyingTheWindowReleasesTheControl) {
    Quorvale* q = make();
    ASSERT_NE(q, nullptr);
    HWND w = q->window();
    loadText(*q, numberedLines(50));
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    // The creation parameters that cannot make a font fail creation without leaving a window.
    Quorvale* none = Quorvale::create(0, WS_CHILD, GetModuleHandleA(nullptr), sharedHost().window(), notifyMessage,
                                      "x", 0, testColours(), 4, 0xFFFFFFFFu, 80, 0, TextEncoding::ShiftJis);
    if (none != nullptr) DestroyWindow(none->window());
}

TEST_F(ControlPaint, WindowShowsTheGutterSeparatorAndBackground) {
    Quorvale* q = make(ecflag::lineNumbers);
    ASSERT_NE(q, nullptr);
    loadText(*q, numberedLines(20));
    RedrawWindow(q->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pump();
    const ColourEntry* c = testColours();
    HDC dc = GetDC(q->window());
    const int cell = q->cellWidth(), lh = q->lineHeight();
    const int separator = layout::gutterSeparatorX(3, cell);
    const COLORREF item9 = RGB(c[9].red, c[9].green, c[9].blue), item0 = RGB(c[0].red, c[0].green, c[0].blue);
    EXPECT_EQ(GetPixel(dc, separator, lh / 2), item9);
    EXPECT_EQ(GetPixel(dc, separator, 5 * lh + 1), item9);
    EXPECT_EQ(GetPixel(dc, separator + 1, lh / 2), item0);
    // Past line 0's single byte the row is background up to the client edge.
    EXPECT_EQ(GetPixel(dc, q->geometry().gutter + 3 * cell, lh / 2), item0);
    EXPECT_EQ(GetPixel(dc, q->geometry().width - 2, lh / 2), item0);
    // Rows past the document's end are background too.
    EXPECT_EQ(GetPixel(dc, q->geometry().gutter + cell, 21 * lh + 2), item0);
    ReleaseDC(q->window(), dc);
}

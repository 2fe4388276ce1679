// Window tests of TabBar: creation, the tab list, layout with the real font, tooltips, drawing of
// the own tab's icons and the mouse (hot, pressed, click, right button), under Wine.
#include "TabBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "BarTestHost.h"

using bars::TabBar;
using bars_test::FakeEditor;
using bars_test::HostWindow;
using bars_test::loadIcon;
using bars_test::mouse;
using bars_test::pump;
using bars_test::screenPixel;

namespace {

class TabBarTest : public ::testing::Test {
protected:
    HostWindow host;
    FakeEditor first, second;
    std::unique_ptr<TabBar> bar = std::make_unique<TabBar>();
    HICON active = loadIcon("ICON_TABBAR");
    HICON inactive = loadIcon("ICON_TABBAR_NA");

    void SetUp() override {
        ASSERT_NE(active, nullptr);
        ASSERT_NE(inactive, nullptr);
        ASSERT_TRUE(bar->create(0, WS_CHILD, GetModuleHandleA(nullptr), host.window()));
        MoveWindow(bar->window(), 0, 0, 600, bars::kTabBarHeight, TRUE);
    }
    void TearDown() override {
        bar.reset();
        DestroyIcon(active);
        DestroyIcon(inactive);
    }
    // Tabs as the frame makes them: two other editors in start order, then the own window.
    void addThree() {
        ASSERT_TRUE(bar->add("C:\\web\\index.html", 29008, first.window(), 0, nullptr, 0, nullptr));
        ASSERT_TRUE(
            bar->add("D:\\notes\\todo.txt", 29008, second.window(), 0, nullptr, 0, nullptr));
        ASSERT_TRUE(bar->add("C:\\own\\mine.css", 29008, host.window(), bars::kTabOwn, active,
                             bars::kOwnTabIconWidth, inactive));
        bar->repaint();
        UpdateWindow(bar->window());
    }
    POINT centre(size_t index) {
        const RECT r = bar->tabRect(index);
        return POINT{(r.left + r.right) / 2, 8};
    }
    std::string toolText(UINT_PTR id) {
        return bars_test::toolText(bar->toolTipWindow(), bar->window(), id);
    }
};

}  // namespace

TEST_F(TabBarTest, CreatesAVisibleChildOfItsClass) {
    char name[64] = "";
    GetClassNameA(bar->window(), name, sizeof name);
    EXPECT_STREQ(name, "QuorvaleTabBar");
    EXPECT_TRUE(IsWindowVisible(bar->window()));
    EXPECT_EQ(GetParent(bar->window()), host.window());
    // The class is registered once; a second bar in the same process is created as well.
    TabBar another;
    ASSERT_TRUE(another.create(0, WS_CHILD, GetModuleHandleA(nullptr), host.window()));
    RECT r;
    GetWindowRect(another.window(), &r);
    MapWindowPoints(nullptr, host.window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_FALSE(another.create(0, WS_CHILD, GetModuleHandleA(nullptr), host.window()));
}

TEST_F(TabBarTest, KeepsTabsInOrderAndRetitlesAndRemovesByWindow) {
    addThree();
    ASSERT_EQ(bar->tabCount(), 3u);
    EXPECT_EQ(bar->tabKey(0), first.window());
    EXPECT_EQ(bar->tabKey(2), host.window());
    EXPECT_TRUE(bar->rename(second.window(), "E:\\\x95\x5c\\new name.txt"));  // 表
    EXPECT_EQ(bar->tabText(1), "E:\\\x95\x5c\\new name.txt");
    EXPECT_FALSE(bar->rename(reinterpret_cast<HWND>(0x1234), "x"));
    // Tabs follow each other without gaps; the longer name gets the wider tab.
    const RECT a = bar->tabRect(0), b = bar->tabRect(1), c = bar->tabRect(2);
    EXPECT_EQ(a.left, 0);
    EXPECT_EQ(b.left, a.right);
    EXPECT_EQ(c.left, b.right);
    EXPECT_GT(b.right - b.left, a.right - a.left);  // "new name.txt" against "index.html"
    EXPECT_EQ(bar->sidePad(), 8);
    // Every tab has a tooltip with its full path.
    EXPECT_EQ(SendMessageA(bar->toolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 3);
    EXPECT_EQ(toolText(reinterpret_cast<UINT_PTR>(second.window())), "E:\\\x95\x5c\\new name.txt");
    EXPECT_EQ(toolText(reinterpret_cast<UINT_PTR>(host.window())), "C:\\own\\mine.css");
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = bar->window();
    info.uId = reinterpret_cast<UINT_PTR>(second.window());
    ASSERT_TRUE(SendMessageA(bar->toolTipWindow(), TTM_GETTOOLINFOA, 0, LPARAM(&info)));
    EXPECT_TRUE(EqualRect(&info.rect, &b));  // the tool covers its tab

    EXPECT_TRUE(bar->remove(first.window()));
    EXPECT_FALSE(bar->remove(first.window()));
    ASSERT_EQ(bar->tabCount(), 2u);
    EXPECT_EQ(bar->tabKey(0), second.window());
    EXPECT_EQ(bar->tabRect(0).left, 0);
    EXPECT_EQ(SendMessageA(bar->toolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(toolText(reinterpret_cast<UINT_PTR>(first.window())), "");
}

TEST_F(TabBarTest, RefusesThe201stTab) {
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(bar->add("C:\\x.txt", 29008, reinterpret_cast<HWND>(INT_PTR(i + 1)), 0,
                             nullptr, 0, nullptr));
    }
    EXPECT_FALSE(bar->add("C:\\y.txt", 29008, reinterpret_cast<HWND>(INT_PTR(999)), 0, nullptr, 0,
                          nullptr));
    EXPECT_EQ(bar->tabCount(), 200u);
}

TEST_F(TabBarTest, TooNarrowForTheIconsLeavesOnlyIcons) {
    addThree();
    MoveWindow(bar->window(), 0, 0, 5, bars::kTabBarHeight, TRUE);
    EXPECT_EQ(bar->sidePad(), 0);
    EXPECT_EQ(bar->tabRect(0).right - bar->tabRect(0).left, 0);
    EXPECT_EQ(bar->tabRect(1).right - bar->tabRect(1).left, 0);
    EXPECT_EQ(bar->tabRect(2).right - bar->tabRect(2).left, bars::kOwnTabIconWidth);
    // Somewhat wider: margins go before the names are cut.
    MoveWindow(bar->window(), 0, 0, 150, bars::kTabBarHeight, TRUE);
    const int pad = bar->sidePad();
    EXPECT_GE(pad, 0);
    EXPECT_LT(pad, 8);
    EXPECT_LE(bar->tabRect(2).right, 150 + 1);
}

TEST_F(TabBarTest, OwnTabShowsTheActiveOrInactiveIcon) {
    addThree();
    const RECT own = bar->tabRect(2);
    const int iconX = own.left + bar->sidePad();
    // The icons drawn on button face off-screen, as the bar draws them.
    auto expected = [&](HICON icon) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, 16, 16};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < bars::kOwnTabIconWidth; ++x) pixels.push_back(GetPixel(dc, x, y));
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return pixels;
    };
    auto shown = [&] {
        UpdateWindow(bar->window());
        std::vector<COLORREF> pixels;
        for (int y = 1; y < 17; ++y)
            for (int x = 0; x < bars::kOwnTabIconWidth; ++x)
                pixels.push_back(screenPixel(bar->window(), iconX + x, y));
        return pixels;
    };
    const auto activePixels = expected(active), inactivePixels = expected(inactive);
    ASSERT_NE(activePixels, inactivePixels);
    EXPECT_EQ(shown(), activePixels);
    bar->setActive(false);
    EXPECT_EQ(shown(), inactivePixels);
    bar->setActive(true);
    EXPECT_EQ(shown(), activePixels);
}

TEST_F(TabBarTest, ClickSendsTheCommandWithTheTabsWindow) {
    addThree();
    const POINT p = centre(1);
    mouse(bar->window(), WM_MOUSEMOVE, p.x, p.y);
    EXPECT_EQ(GetCapture(), bar->window());
    mouse(bar->window(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    EXPECT_TRUE(host.commands.empty());  // not on the way down
    mouse(bar->window(), WM_LBUTTONUP, p.x, p.y);
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].wParam, 29008u);
    EXPECT_EQ(host.commands[0].lParam, reinterpret_cast<LPARAM>(second.window()));
    EXPECT_NE(GetCapture(), bar->window());
    // The own tab reports its own window the same way.
    const POINT own = centre(2);
    mouse(bar->window(), WM_MOUSEMOVE, own.x, own.y);
    mouse(bar->window(), WM_LBUTTONDOWN, own.x, own.y, MK_LBUTTON);
    mouse(bar->window(), WM_LBUTTONUP, own.x, own.y);
    ASSERT_EQ(host.commands.size(), 2u);
    EXPECT_EQ(host.commands[1].lParam, reinterpret_cast<LPARAM>(host.window()));
}

TEST_F(TabBarTest, PressMoveOffAndReleaseSendsNothing) {
    addThree();
    const POINT p = centre(0);
    mouse(bar->window(), WM_MOUSEMOVE, p.x, p.y);
    mouse(bar->window(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    mouse(bar->window(), WM_MOUSEMOVE, p.x, 40, MK_LBUTTON);  // below the bar, still captured
    EXPECT_EQ(GetCapture(), bar->window());
    mouse(bar->window(), WM_LBUTTONUP, p.x, 40);
    pump();
    EXPECT_TRUE(host.commands.empty());
    EXPECT_NE(GetCapture(), bar->window());
    // A button press without a hot tab first does nothing either.
    mouse(bar->window(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    SendMessageA(bar->window(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(TabBarTest, HotTabOfAnotherWindowTurnsWhiteButTheOwnTabDoesNot) {
    addThree();
    const COLORREF white = RGB(255, 255, 255), face = GetSysColor(COLOR_BTNFACE);
    const RECT other = bar->tabRect(0), own = bar->tabRect(2);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), other.right - 3, 10), face);
    mouse(bar->window(), WM_MOUSEMOVE, other.left + 3, 8);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), other.right - 3, 10), white);
    EXPECT_EQ(screenPixel(bar->window(), other.right - 3, 0), face);  // the top row stays
    // Moving off releases the capture and the tab turns back.
    mouse(bar->window(), WM_MOUSEMOVE, own.right - 2, 8);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), other.right - 3, 10), face);
    mouse(bar->window(), WM_MOUSEMOVE, own.right - 2, 8);
    EXPECT_EQ(GetCapture(), bar->window());
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), own.right - 2, 10), face);
    // Losing the capture ends the hot state and its look.
    mouse(bar->window(), WM_MOUSEMOVE, other.left + 3, 8);  // off the own tab: released
    mouse(bar->window(), WM_MOUSEMOVE, other.left + 3, 8);  // hot
    ASSERT_EQ(GetCapture(), bar->window());
    ReleaseCapture();
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), other.right - 3, 10), face);
}

TEST_F(TabBarTest, LeavingTheHotTabGivesUpTheCapture) {
    addThree();
    const RECT other = bar->tabRect(0);
    const POINT p = centre(0);
    mouse(bar->window(), WM_MOUSEMOVE, p.x, p.y);
    ASSERT_EQ(GetCapture(), bar->window());
    SendMessageA(bar->window(), WM_MOUSELEAVE, 0, 0);
    // Kept, the capture would route every later click of the program to the bar.
    EXPECT_NE(GetCapture(), bar->window());
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), other.right - 3, 10), GetSysColor(COLOR_BTNFACE));
    // The next move over the tab makes it hot again, and a click still reports it.
    mouse(bar->window(), WM_MOUSEMOVE, p.x, p.y);
    EXPECT_EQ(GetCapture(), bar->window());
    mouse(bar->window(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    mouse(bar->window(), WM_LBUTTONUP, p.x, p.y);
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].lParam, reinterpret_cast<LPARAM>(first.window()));
}

TEST_F(TabBarTest, ForwardsTheRightButtonToItsParent) {
    addThree();
    SendMessageA(bar->window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 9));
    ASSERT_EQ(host.rightButtons.size(), 1u);
    EXPECT_EQ(host.rightButtons[0].wParam, WPARAM(MK_RBUTTON));
    EXPECT_EQ(host.rightButtons[0].lParam, MAKELPARAM(7, 9));
}

TEST_F(TabBarTest, RemovingTheHotTabEndsTheCapture) {
    addThree();
    const POINT p = centre(1);
    mouse(bar->window(), WM_MOUSEMOVE, p.x, p.y);
    mouse(bar->window(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    EXPECT_TRUE(bar->remove(second.window()));
    EXPECT_NE(GetCapture(), bar->window());
    mouse(bar->window(), WM_LBUTTONUP, p.x, p.y);
    EXPECT_TRUE(host.commands.empty());
}

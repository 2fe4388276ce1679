// Window tests of ToolBar: buttons and their limit, hit testing, enabling and disabling, the
// hover frames, firing (sent, posted, on button down, with x), the one-shot command, tooltips
// and forwarding, under Wine.
#include "ToolBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "BarTestHost.h"
#include "ToolBarItems.h"

using bars::ToolBar;
using bars_test::HostWindow;
using bars_test::loadIcon;
using bars_test::mouse;
using bars_test::pump;
using bars_test::screenPixel;

namespace {

constexpr UINT kOneShot = 40001;

class ToolBarTest : public ::testing::Test {
protected:
    HostWindow host;
    std::unique_ptr<ToolBar> bar = std::make_unique<ToolBar>();
    std::vector<HICON> icons;

    HICON icon(const char* name, int size = 16) {
        HICON h = loadIcon(name, size);
        EXPECT_NE(h, nullptr) << name;
        icons.push_back(h);
        return h;
    }
    void SetUp() override {
        ASSERT_TRUE(bar->create(0, WS_CHILD | WS_VISIBLE, GetModuleHandleA(nullptr), host.window(),
                                kOneShot));
        MoveWindow(bar->window(), 0, 0, 700, bars::kToolBarHeight, TRUE);
        bar->setFrames(icon("ICON_H_HOTSPOT", 24), icon("ICON_H_HOTSPOT2", 24));
    }
    void TearDown() override {
        bar.reset();
        for (HICON h : icons) DestroyIcon(h);
    }
    // The frame's default toolbar, built from the content table.
    void addDefaultButtons() {
        for (const auto& placed : bars::placeToolBarItems(0x8001F1F7)) {
            const auto& item = *placed.item;
            if (item.kind == bars::ToolBarItemKind::Separator) bar->addSeparator(placed.x);
            if (item.kind != bars::ToolBarItemKind::Button) continue;
            ASSERT_TRUE(bar->addButton(placed.x, item.command, icon(item.icon),
                                       item.greyedIcon ? icon(item.greyedIcon) : nullptr,
                                       item.flags, item.tooltip));
        }
        UpdateWindow(bar->window());
    }
    void click(int x, int y) {
        mouse(bar->window(), WM_MOUSEMOVE, x, y);
        mouse(bar->window(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        mouse(bar->window(), WM_LBUTTONUP, x, y);
    }
    std::string toolText(UINT_PTR id) {
        return bars_test::toolText(bar->toolTipWindow(), bar->window(), id);
    }
    RECT toolRect(UINT_PTR id) {
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = bar->window();
        info.uId = id;
        SendMessageA(bar->toolTipWindow(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
        return info.rect;
    }
    // The commands the host received, without the one-shot.
    std::vector<UINT> hostCommands() const {
        std::vector<UINT> ids;
        for (const auto& m : host.commands) {
            if (m.wParam != kOneShot) ids.push_back(UINT(m.wParam));
        }
        return ids;
    }
};

}  // namespace

TEST_F(ToolBarTest, CreatesItsClassAndRefusesThe17thButton) {
    char name[64] = "";
    GetClassNameA(bar->window(), name, sizeof name);
    EXPECT_STREQ(name, "QuorvaleToolBar");
    HICON newIcon = icon("ICON_N_NEW");
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(bar->addButton(12 + 24 * i, 100 + i, newIcon, nullptr, 0, nullptr));
    }
    EXPECT_FALSE(bar->addButton(12 + 24 * 16, 200, newIcon, nullptr, 0, nullptr));
    EXPECT_EQ(bar->buttonCount(), 16u);
    EXPECT_EQ(bar->buttonX(0), 8);  // the position given less 4
}

TEST_F(ToolBarTest, HitTestingCoversTheFramesOfEnabledButtons) {
    addDefaultButtons();
    // New at 12: its frame spans x 8..31, y 3..26.
    EXPECT_EQ(bar->hitTest(8, 3), 0);
    EXPECT_EQ(bar->hitTest(31, 26), 0);
    EXPECT_EQ(bar->hitTest(7, 10), -1);
    EXPECT_EQ(bar->hitTest(32, 10), 1);  // open starts where new ends
    EXPECT_EQ(bar->hitTest(20, 2), -1);
    EXPECT_EQ(bar->hitTest(20, 27), -1);
    // Cut (90) and copy (114) start disabled; paste (138) is enabled.
    EXPECT_EQ(bar->hitTest(95, 10), -1);
    EXPECT_EQ(bar->hitTest(120, 10), -1);
    EXPECT_EQ(bar->hitTest(140, 10), bar->findButton(21204));
    // The search box's slot holds no button.
    EXPECT_EQ(bar->hitTest(250, 10), -1);
    // Enabling cut makes it hittable; disabling again hides it from the pointer.
    EXPECT_TRUE(bar->setFlags(21202, 0));
    EXPECT_EQ(bar->hitTest(95, 10), bar->findButton(21202));
    EXPECT_TRUE(bar->setFlags(21202, bars::kToolDisabled));
    EXPECT_EQ(bar->hitTest(95, 10), -1);
    EXPECT_FALSE(bar->setFlags(12345, 0));
}

TEST_F(ToolBarTest, ClickSendsTheCommandAndPrintIsPosted) {
    addDefaultButtons();
    pump();
    host.commands.clear();  // a one-shot from a real pointer move may be there already
    click(20, 15);          // new: sent
    ASSERT_EQ(hostCommands(), std::vector<UINT>{21000});
    EXPECT_EQ(host.commands.back().lParam, 0);
    // Pressing, moving off and releasing sends nothing.
    host.commands.clear();
    mouse(bar->window(), WM_MOUSEMOVE, 44, 15);
    mouse(bar->window(), WM_LBUTTONDOWN, 44, 15, MK_LBUTTON);
    mouse(bar->window(), WM_MOUSEMOVE, 44, 60, MK_LBUTTON);
    mouse(bar->window(), WM_LBUTTONUP, 44, 60);
    pump();
    EXPECT_EQ(hostCommands(), std::vector<UINT>{});
    // A posted command arrives only through the message queue.
    bar->addButton(600, 21005, icon("ICON_N_PRINT"), nullptr, bars::kToolPost, nullptr);
    click(605, 15);
    EXPECT_EQ(hostCommands(), std::vector<UINT>{});
    pump();
    EXPECT_EQ(hostCommands(), std::vector<UINT>{21005});
}

TEST_F(ToolBarTest, DocumentTypeButtonFiresOnButtonDownWithItsX) {
    addDefaultButtons();
    const int mode = bar->findButton(28000);
    ASSERT_GE(mode, 0);
    const int x = bar->buttonX(mode) + 10;
    pump();
    host.commands.clear();
    mouse(bar->window(), WM_MOUSEMOVE, x, 15);
    mouse(bar->window(), WM_LBUTTONDOWN, x, 15, MK_LBUTTON);
    ASSERT_EQ(hostCommands(), std::vector<UINT>{28000});  // at once, not on release
    EXPECT_EQ(host.commands.back().lParam, bar->buttonX(mode));
    EXPECT_EQ(bar->pointerState(), bars::PointerState::None);
    mouse(bar->window(), WM_LBUTTONUP, x, 15);
    EXPECT_EQ(hostCommands(), std::vector<UINT>{28000});
}

TEST_F(ToolBarTest, DisabledButtonShowsNoHotFrameAndIgnoresClicks) {
    addDefaultButtons();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Cut's frame is at 90..113; the pixel (100, 5) above its icon is face unless a frame is
    // drawn.
    mouse(bar->window(), WM_MOUSEMOVE, 92, 15);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), 100, 5), face);
    pump();
    host.commands.clear();
    click(92, 15);
    pump();
    EXPECT_EQ(hostCommands(), std::vector<UINT>{});
    // Enabled, the same place shows the hot frame.
    bar->setFlags(21202, 0);
    mouse(bar->window(), WM_MOUSEMOVE, 92, 15);
    UpdateWindow(bar->window());
    EXPECT_NE(screenPixel(bar->window(), 100, 5), face);
    EXPECT_EQ(bar->pointerState(), bars::PointerState::Hot);
    // Disabling the hot button releases the capture and draws it greyed without frame.
    bar->setFlags(21202, bars::kToolDisabled);
    EXPECT_NE(GetCapture(), bar->window());
    EXPECT_EQ(bar->pointerState(), bars::PointerState::None);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), 100, 5), face);
}

TEST_F(ToolBarTest, LeavingTheHotButtonGivesUpTheCapture) {
    addDefaultButtons();
    mouse(bar->window(), WM_MOUSEMOVE, 20, 15);
    ASSERT_EQ(GetCapture(), bar->window());
    SendMessageA(bar->window(), WM_MOUSELEAVE, 0, 0);
    EXPECT_NE(GetCapture(), bar->window());
    EXPECT_EQ(bar->pointerState(), bars::PointerState::None);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), 20, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolBarTest, PressedButtonUsesThePressedFrame) {
    addDefaultButtons();
    mouse(bar->window(), WM_MOUSEMOVE, 20, 15);
    UpdateWindow(bar->window());
    const COLORREF hot = screenPixel(bar->window(), 20, 5);
    mouse(bar->window(), WM_LBUTTONDOWN, 20, 15, MK_LBUTTON);
    UpdateWindow(bar->window());
    const COLORREF pressed = screenPixel(bar->window(), 20, 5);
    EXPECT_NE(hot, pressed);
    EXPECT_NE(pressed, GetSysColor(COLOR_BTNFACE));
    mouse(bar->window(), WM_LBUTTONUP, 20, 15);
    UpdateWindow(bar->window());
    EXPECT_EQ(screenPixel(bar->window(), 20, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolBarTest, OneShotCommandComesOnceOnTheFirstMove) {
    addDefaultButtons();
    SendMessageA(bar->window(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 15));
    SendMessageA(bar->window(), WM_MOUSEMOVE, 0, MAKELPARAM(310, 15));
    pump();
    std::vector<UINT> ids;
    for (const auto& m : host.commands) ids.push_back(UINT(m.wParam));
    EXPECT_EQ(std::count(ids.begin(), ids.end(), kOneShot), 1);
    for (const auto& m : host.commands) {
        if (m.wParam == kOneShot) {
            EXPECT_EQ(m.lParam, 0);
        }
    }
}

TEST_F(ToolBarTest, TooltipsCoverTheFramesAndCanBeReplaced) {
    addDefaultButtons();
    EXPECT_EQ(toolText(21000), "\x90\x56\x8b\x4b\x8d\xec\x90\xac");  // 新規作成
    EXPECT_EQ(toolText(28000).size(), 30u);
    const RECT r = toolRect(21000);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 3);
    EXPECT_EQ(r.right, 32);
    EXPECT_EQ(r.bottom, 27);
    // The frame adds the key labels when told the tooltips are wanted.
    EXPECT_TRUE(bar->setToolTip(21000, "\x90\x56\x8b\x4b\x8d\xec\x90\xac (Ctrl+N)"));
    EXPECT_EQ(toolText(21000), "\x90\x56\x8b\x4b\x8d\xec\x90\xac (Ctrl+N)");
    EXPECT_FALSE(bar->setToolTip(9999, "x"));
    // A button added without a text gets its tool on the first setToolTip.
    bar->addButton(650, 21240, icon("ICON_N_SEARCH"), nullptr, 0, nullptr);
    EXPECT_EQ(toolText(21240), "");
    EXPECT_TRUE(bar->setToolTip(21240, "go"));
    EXPECT_EQ(toolText(21240), "go");
}

TEST_F(ToolBarTest, ForwardsChildCommandsAndTheRightButton) {
    // The search box is a child of the bar; its notifications reach the parent unchanged.
    HWND box = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN |
                               CBS_AUTOHSCROLL, 176, 5, 200, 100, bar->window(),
                               reinterpret_cast<HMENU>(21350), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    host.commands.clear();
    SendMessageA(bar->window(), WM_COMMAND, MAKEWPARAM(21350, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(box));
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0].wParam, WPARAM(MAKEWPARAM(21350, CBN_EDITCHANGE)));
    EXPECT_EQ(host.commands[0].lParam, reinterpret_cast<LPARAM>(box));
    SendMessageA(bar->window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4));
    ASSERT_EQ(host.rightButtons.size(), 1u);
    EXPECT_EQ(host.rightButtons[0].lParam, MAKELPARAM(3, 4));
    DestroyWindow(box);
}

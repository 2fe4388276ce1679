// Window tests of UloTabBar: the history menu from a real "file_history" value, the context menu
// on and off the tabs, and the window commands chosen in it, under Wine.
#include "UloTabBar.h"

#include <gtest/gtest.h>

#include <memory>

#include "BarTestHost.h"
#include "SettingsNames.h"
#include "SettingsRegistry.h"
#include "SettingsStore.h"

using bars::UloTabBar;
using bars_test::FakeEditor;
using bars_test::HostWindow;
using bars_test::menuEntries;
using bars_test::MenuEntry;
using bars_test::pump;
using bars_test::whileMenuOpen;

namespace {

// "表" (95 5C) and an ampersand in the last file name.
const std::vector<std::string> kHistory = {
    "C:\\a\\index.html", "D:\\b\\index.html", "C:\\a\\x.txt", "C:\\b\\a\\x.txt",
    "C:\\R&D\\\x95\x5c.txt"};
const char kClear[] = "\x97\x9a\x97\xf0\x82\xcc\x83\x4e\x83\x8a\x83\x41";  // 履歴のクリア

void writeHistory(const std::vector<std::string>& paths) {
    std::string bytes;
    for (const std::string& p : paths) bytes += p + '\0';
    ASSERT_TRUE(settings_registry::writeValue(settings_names::kFileHistory,
                                              settings_registry::kBinary, bytes.data(),
                                              bytes.size()));
}

class UloTabBarTest : public ::testing::Test {
protected:
    HostWindow host;
    FakeEditor first, second, own;
    std::unique_ptr<UloTabBar> bar = std::make_unique<UloTabBar>();

    void SetUp() override {
        ASSERT_TRUE(settings_registry::deleteKey());
        ASSERT_TRUE(bar->create(0, WS_CHILD, GetModuleHandleA(nullptr), host.window()));
        MoveWindow(bar->window(), 0, 0, 600, bars::kTabBarHeight, TRUE);
        // The own tab stands for a stand-in window here, so that closing it closes nothing real.
        ASSERT_TRUE(bar->add("C:\\web\\R&D.html", 29008, first.window(), 0, nullptr, 0, nullptr));
        ASSERT_TRUE(bar->add("D:\\todo.txt", 29008, second.window(), 0, nullptr, 0, nullptr));
        ASSERT_TRUE(
            bar->add("C:\\mine.css", 29008, own.window(), bars::kTabOwn, nullptr, 0, nullptr));
        UpdateWindow(bar->window());
    }
    void TearDown() override {
        bar.reset();
        EXPECT_TRUE(settings_registry::deleteKey());
    }
    // Right-clicks at a point of the bar (client coordinates) and hands the open menu to `inside`.
    bool contextMenu(int x, int y, const std::function<void(HMENU)>& inside) {
        POINT screen{x, y};
        ClientToScreen(bar->window(), &screen);
        SetCursorPos(screen.x, screen.y);
        return whileMenuOpen(
            [&] {
                SendMessageA(bar->window(), WM_CONTEXTMENU, WPARAM(bar->window()),
                             MAKELPARAM(screen.x, screen.y));
            },
            inside);
    }
    int tabCentre(size_t index) {
        const RECT r = bar->tabRect(index);
        return (r.left + r.right) / 2;
    }
    std::vector<UINT> commandsOfHost() const {
        std::vector<UINT> ids;
        for (const auto& m : host.commands) ids.push_back(UINT(m.wParam));
        return ids;
    }
};

}  // namespace

TEST_F(UloTabBarTest, HistoryMenuHasUniqueNamesIdsAndTheClearEntry) {
    writeHistory(kHistory);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 999, "old item");  // the menu is emptied first
    EXPECT_EQ(bar->fillHistoryMenu(menu, true), 5u);
    const std::vector<MenuEntry> items = menuEntries(menu);
    ASSERT_EQ(items.size(), 7u);
    const char* names[] = {"a\\index.html", "b\\index.html", "C:\\a\\x.txt", "b\\a\\x.txt",
                           "\x95\x5c.txt"};
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(items[k].id, 21102 + k);
        EXPECT_EQ(items[k].text, names[k]);
        EXPECT_FALSE(items[k].grayed);
        EXPECT_STREQ(bar->historyPath(k), kHistory[k].c_str());
    }
    EXPECT_TRUE(items[5].separator);
    EXPECT_EQ(items[6].id, 21101u);
    EXPECT_EQ(items[6].text, kClear);
    EXPECT_EQ(bar->historyPath(5), nullptr);
    DestroyMenu(menu);
}

TEST_F(UloTabBarTest, HistoryMenuOfEmptyOrMissingHistory) {
    HMENU menu = CreatePopupMenu();
    EXPECT_EQ(bar->fillHistoryMenu(menu, true), 0u);  // no value at all
    std::vector<MenuEntry> items = menuEntries(menu);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "(\x82\xc8\x82\xb5)");  // (なし)
    EXPECT_TRUE(items[0].grayed);
    writeHistory({});  // cleared: size 0
    EXPECT_EQ(bar->fillHistoryMenu(menu, false), 0u);
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    // Through the store's own writer, as the frame records a closed document.
    ASSERT_TRUE(settings_store::addToFileHistory("C:\\closed\\page.html"));
    EXPECT_EQ(bar->fillHistoryMenu(menu, true), 1u);
    items = menuEntries(menu);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "page.html");
    DestroyMenu(menu);
}

TEST_F(UloTabBarTest, ContextMenuOnATab) {
    writeHistory(kHistory);
    std::vector<MenuEntry> items, recent;
    ASSERT_TRUE(contextMenu(tabCentre(0), 8, [&](HMENU menu) {
        items = menuEntries(menu);
        if (items.size() == 4 && items[3].submenu) recent = menuEntries(items[3].submenu);
    }));
    ASSERT_EQ(items.size(), 4u);
    // "R&&D.htmlを閉じる(&C)": the file name's ampersand doubled so that it shows.
    EXPECT_EQ(items[0].id, 2u);
    EXPECT_EQ(items[0].text, "R&&D.html\x82\xf0\x95\xc2\x82\xb6\x82\xe9(&C)");
    EXPECT_EQ(items[1].id, 3u);
    // すべて閉じる
    EXPECT_EQ(items[1].text, "\x82\xb7\x82\xd7\x82\xc4\x95\xc2\x82\xb6\x82\xe9");
    EXPECT_TRUE(items[2].separator);
    // 最近使ったファイル
    EXPECT_EQ(items[3].text,
              "\x8d\xc5\x8b\xdf\x8e\x67\x82\xc1\x82\xbd\x83\x74\x83\x40\x83\x43\x83\x8b");
    ASSERT_EQ(recent.size(), 7u);
    EXPECT_EQ(recent[0].id, 21102u);
    EXPECT_EQ(recent[1].text, "b\\index.html");
    EXPECT_EQ(recent[6].id, 21101u);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(first.closes + second.closes + own.closes, 0);
}

TEST_F(UloTabBarTest, ContextMenuOffTheTabsAndWithOneTab) {
    std::vector<MenuEntry> items;
    auto record = [&](HMENU menu) { items = menuEntries(menu); };
    // No history: no submenu. Off the tabs: only "close all".
    ASSERT_TRUE(contextMenu(590, 8, record));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 3u);
    // A single tab: its close entry alone.
    bar->remove(first.window());
    bar->remove(second.window());
    ASSERT_TRUE(contextMenu(tabCentre(0), 8, record));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 2u);
    EXPECT_EQ(items[0].text, "mine.css\x82\xf0\x95\xc2\x82\xb6\x82\xe9(&C)");
}

// Choosing an item: the menu posts WM_COMMAND with the item's id to its owner, the bar.
TEST_F(UloTabBarTest, ChoosingCloseSendsWmCloseToThatWindowOnly) {
    UINT close = 0;
    ASSERT_TRUE(contextMenu(tabCentre(1), 8, [&](HMENU menu) { close = GetMenuItemID(menu, 0); }));
    PostMessageA(bar->window(), WM_COMMAND, close, 0);
    pump();
    EXPECT_EQ(second.closes, 1);
    EXPECT_EQ(first.closes + own.closes, 0);
    EXPECT_TRUE(host.commands.empty());  // ids 1 to 3 stay in the bar
}

TEST_F(UloTabBarTest, ChoosingCloseAllClosesEveryWindowTheOwnOneToo) {
    UINT closeAll = 0;
    ASSERT_TRUE(
        contextMenu(tabCentre(2), 8, [&](HMENU menu) { closeAll = GetMenuItemID(menu, 1); }));
    PostMessageA(bar->window(), WM_COMMAND, closeAll, 0);
    pump();
    EXPECT_EQ(first.closes, 1);
    EXPECT_EQ(second.closes, 1);
    EXPECT_EQ(own.closes, 1);
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(UloTabBarTest, ChoosingAHistoryEntryReachesTheParent) {
    writeHistory(kHistory);
    UINT entry = 0;
    ASSERT_TRUE(contextMenu(tabCentre(0), 8, [&](HMENU menu) {
        entry = GetMenuItemID(GetSubMenu(menu, 3), 1);  // the second recent file
    }));
    PostMessageA(bar->window(), WM_COMMAND, entry, 0);
    pump();
    EXPECT_EQ(commandsOfHost(), std::vector<UINT>{21103});
    EXPECT_EQ(host.commands[0].lParam, 0);
    EXPECT_STREQ(bar->historyPath(1), "D:\\b\\index.html");
    EXPECT_EQ(first.closes + second.closes + own.closes, 0);
}

TEST_F(UloTabBarTest, WindowCommandsActOnTheRightClickedTabWhileItExists) {
    ASSERT_TRUE(contextMenu(tabCentre(0), 8, [](HMENU) {}));
    // Other ids go to the parent unchanged.
    SendMessageA(bar->window(), WM_COMMAND, 21101, 0);
    EXPECT_EQ(commandsOfHost(), std::vector<UINT>{21101});
    // The tab leaves before the command arrives: nothing is closed.
    bar->remove(first.window());
    SendMessageA(bar->window(), WM_COMMAND, 2, 0);
    EXPECT_EQ(first.closes, 0);
    // Activation restores a minimised window.
    ShowWindow(second.window(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(contextMenu(tabCentre(0), 8, [](HMENU) {}));
    ASSERT_TRUE(IsIconic(second.window()));
    SendMessageA(bar->window(), WM_COMMAND, 1, 0);
    pump();
    EXPECT_FALSE(IsIconic(second.window()));
}

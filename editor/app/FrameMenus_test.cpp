// Tests of greying menu items from the command table's rules, on real menus of this process.
#include "FrameMenus.h"

#include <gtest/gtest.h>

namespace {

bool greyed(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

}  // namespace

TEST(FrameMenus, RulesGreyTheItemsOfTheOpeningPopupOnly) {
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    ASSERT_TRUE(popup && sub);
    AppendMenuA(popup, MF_STRING, 10, "ten");
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 11, "eleven");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 12, "twelve");
    AppendMenuA(popup, MF_STRING, 21, "twenty-one");
    AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub");
    AppendMenuA(sub, MF_STRING, 13, "thirteen");

    bool on = false;
    CommandTable commands;
    commands.add(10, CommandHandler(), [&](uint32_t) { return on; });
    commands.add(11, CommandHandler(), [&](uint32_t) { return !on; });
    commands.add(12, [](const CommandCall&) -> intptr_t { return 0; });  // no rule: left alone
    commands.add(13, CommandHandler(), [](uint32_t) { return false; });
    commands.add(20, 29, CommandHandler(), [](uint32_t id) { return id != 21; });

    greyByRules(popup, commands);
    EXPECT_TRUE(greyed(popup, 10));
    EXPECT_FALSE(greyed(popup, 11));
    EXPECT_TRUE(greyed(popup, 12));
    EXPECT_TRUE(greyed(popup, 21));
    EXPECT_FALSE(greyed(sub, 13));  // a submenu is prepared when it opens itself

    on = true;
    greyByRules(popup, commands);
    EXPECT_FALSE(greyed(popup, 10));
    EXPECT_TRUE(greyed(popup, 11));
    EXPECT_TRUE(greyed(popup, 12));

    greyByRules(sub, commands);
    EXPECT_TRUE(greyed(sub, 13));
    DestroyMenu(popup);
}

TEST(FrameMenus, NewTextKeepsTheCheckMark) {
    HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(popup);
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 10, "ten");
    AppendMenuA(popup, MF_STRING, 11, "eleven");
    setItemText(popup, 10, "ten\tCtrl+T");
    setItemText(popup, 11, "eleven\tF11");
    EXPECT_TRUE(GetMenuState(popup, 10, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(popup, 11, MF_BYCOMMAND) & MF_CHECKED);
    char text[32] = {};
    GetMenuStringA(popup, 10, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "ten\tCtrl+T");
    DestroyMenu(popup);
}

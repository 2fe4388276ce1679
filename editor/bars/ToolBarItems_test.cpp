// Tests of the toolbar content table and the placement of the items a mask shows.
#include "ToolBarItems.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ToolBarFlags.h"

using bars::placeToolBarItems;
using bars::ToolBarItemKind;

TEST(ToolBarItems, DefaultMaskPlacesItemsLeftToRight) {
    // 0x8001F1F7: new, open, save, |, cut, copy, paste, |, search box, up, down, search, |, mode.
    const auto placed = placeToolBarItems(0x8001F1F7);
    std::vector<uint32_t> commands;
    std::vector<int32_t> xs;
    for (const auto& p : placed) {
        commands.push_back(p.item->command);
        xs.push_back(p.x);
    }
    EXPECT_EQ(commands, (std::vector<uint32_t>{21000, 21001, 21003, 0, 21202, 21203, 21204, 0,
                                               21350, 21222, 21221, 21220, 0, 28000}));
    EXPECT_EQ(xs, (std::vector<int32_t>{12, 36, 60, 84, 94, 118, 142, 166, 176, 384, 408, 432,
                                        456, 466}));
    EXPECT_EQ(placed[8].item->kind, ToolBarItemKind::SearchBox);
}

TEST(ToolBarItems, TableMatchesTheButtonsTheFrameCreates) {
    const auto all = placeToolBarItems(0xFFFFFFFF);
    ASSERT_EQ(all.size(), 18u);
    size_t buttons = 0;
    for (const auto& p : all) buttons += p.item->kind == ToolBarItemKind::Button;
    EXPECT_EQ(buttons, 13u);  // within the toolbar's 16
    const auto& print = *all[3].item;
    EXPECT_STREQ(print.icon, "ICON_N_PRINT");
    EXPECT_EQ(print.flags, 64u);
    const auto& cut = *all[5].item;
    EXPECT_STREQ(cut.greyedIcon, "ICON_G_CUT");
    EXPECT_EQ(cut.flags, 1u);
    EXPECT_STREQ(cut.tooltip, "\x90\xd8\x82\xe8\x8e\xe6\x82\xe8");  // 切り取り
    const auto& mode = *all.back().item;
    EXPECT_EQ(mode.command, 28000u);
    EXPECT_EQ(mode.flags, 48u);
    EXPECT_EQ(mode.flags, bars::kToolFireOnDown | bars::kToolPassX);
    EXPECT_EQ(std::strlen(mode.tooltip), 30u);  // 15 double-byte characters
    // Separators and the search box have no icon; every button has one.
    for (const auto& p : all) {
        EXPECT_EQ(p.item->icon != nullptr, p.item->kind == ToolBarItemKind::Button);
    }
}

TEST(ToolBarItems, EmptyMaskShowsNothing) { EXPECT_TRUE(placeToolBarItems(0).empty()); }

// The settings program's control rules: flag boxes, checks on OK, list rows and schemes.
#include "ConfRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

using namespace conf_rules;

TEST(ConfRules, InvertedBoxesAreTickedWhenTheBitIsClear) {
    MainSettings s = MainSettings::defaults();
    const FlagBox fileBar{FlagField::Option, OptionFlag::kHideFileBar, true};
    const FlagBox lineNumbers{FlagField::Display, DisplayFlag::kLineNumbers, false};
    EXPECT_TRUE(isTicked(s, fileBar));
    EXPECT_TRUE(isTicked(s, lineNumbers));
    setTicked(&s, fileBar, false);
    setTicked(&s, lineNumbers, false);
    EXPECT_EQ(s.option_flags, MainSettings::defaults().option_flags | OptionFlag::kHideFileBar);
    EXPECT_EQ(s.display_flags, MainSettings::defaults().display_flags & ~DisplayFlag::kLineNumbers);
    // Bits without meaning are kept as they are.
    s.option_flags |= 0x800 | 0x80000000u;
    setTicked(&s, fileBar, true);
    EXPECT_EQ(s.option_flags & (0x800 | 0x80000000u), 0x800 | 0x80000000u);
}

TEST(ConfRules, WrapWidthChecks) {
    EXPECT_EQ(checkWrap(5), WrapCheck::TooSmall);
    EXPECT_EQ(checkWrap(9), WrapCheck::TooSmall);
    EXPECT_EQ(checkWrap(10), WrapCheck::Ok);
    EXPECT_EQ(checkWrap(200), WrapCheck::Ok);
    EXPECT_EQ(checkWrap(201), WrapCheck::AskLarge);
    EXPECT_EQ(checkWrap(500), WrapCheck::AskLarge);
    EXPECT_EQ(checkWrap(501), WrapCheck::TooLarge);
    EXPECT_FALSE(wrapStorable(5));
    EXPECT_FALSE(wrapStorable(9999));
    EXPECT_TRUE(wrapStorable(300));
}

TEST(ConfRules, UndoFieldAndLimit) {
    EXPECT_EQ(undoShownMiB(MainSettings::kUnlimitedUndo), 4u);
    EXPECT_EQ(undoShownMiB(8 * MainSettings::kMiB), 8u);
    EXPECT_EQ(undoShownMiB(1000), 1u);
    EXPECT_EQ(undoLimitFromField(0), MainSettings::kMiB);
    EXPECT_EQ(undoLimitFromField(-3), MainSettings::kMiB);
    EXPECT_EQ(undoLimitFromField(5000), 1024u * MainSettings::kMiB);
    EXPECT_EQ(undoLimitFromField(1024), 1024u * MainSettings::kMiB);
    EXPECT_EQ(undoLimitFromField(16), 16u * MainSettings::kMiB);
}

TEST(ConfRules, NumbersAndFontSizes) {
    EXPECT_EQ(parseNumber("300"), 300);
    EXPECT_EQ(parseNumber(" -5x"), -5);
    EXPECT_EQ(parseNumber(""), 0);
    EXPECT_EQ(parseNumber("99999999999999999999"), LONG_MAX);
    EXPECT_FALSE(hasNumber("abc"));
    EXPECT_TRUE(hasNumber("12"));
    EXPECT_EQ(clampFontPoints(2), 6);
    EXPECT_EQ(clampFontPoints(99), 36);
    EXPECT_EQ(offeredFontSizes(false), (std::vector<int>{8, 9, 10, 11, 12, 14, 16}));
    // 8 -> 10 px, 9 -> 12, 11 -> 14, 12 -> 16, 14 -> 18 are even; 10 -> 13 and 16 -> 21 are not.
    EXPECT_EQ(offeredFontSizes(true), (std::vector<int>{8, 9, 11, 12, 14}));
}

TEST(ConfRules, ChoiceIndexes) {
    EXPECT_EQ(kOfferedHtmlTypes[htmlTypeIndex(0)].id, 28101);
    EXPECT_EQ(kOfferedHtmlTypes[htmlTypeIndex(28166)].id, 28166);
    EXPECT_EQ(kOfferedHtmlTypes[htmlTypeIndex(28191)].id, 28101);  // offered by the editor only
    EXPECT_EQ(defaultEncodingIndex(0), 0u);
    EXPECT_EQ(defaultEncodingIndex(5), 4u);
    EXPECT_EQ(defaultEncodingIndex(9), 0u);
}

TEST(ConfRules, ToolbarRowsCoverTheDefaultMask) {
    uint32_t all = 0;
    for (const ToolbarRow& row : kToolbarRows) all |= row.mask;
    EXPECT_EQ(all, 0x8001FFFFu);
    EXPECT_EQ(MainSettings::defaults().toolbar_mask, kDefaultToolbarMask);
}

TEST(ConfRules, KeyRowsAreTheDocumentedSet) {
    const auto rows = keyRows();
    ASSERT_EQ(rows.size(), 132u);
    std::set<std::pair<uint32_t, uint32_t>> distinct;
    for (const KeyCombo& k : rows) {
        EXPECT_FALSE(key_bindings::displayName(k.virtual_key, k.modifiers).empty());
        distinct.insert({k.virtual_key, k.modifiers});
    }
    EXPECT_EQ(distinct.size(), 132u);
    EXPECT_EQ(key_bindings::displayName(rows[0].virtual_key, rows[0].modifiers), "F1");
    EXPECT_EQ(key_bindings::displayName(rows[12].virtual_key, rows[12].modifiers), "Ctrl+A");
    EXPECT_EQ(key_bindings::displayName(rows[62].virtual_key, rows[62].modifiers), "Ctrl+Tab");
    EXPECT_EQ(key_bindings::displayName(rows[78].virtual_key, rows[78].modifiers), "Shift+Space");
    EXPECT_EQ(key_bindings::displayName(rows[131].virtual_key, rows[131].modifiers), "Ctrl+Shift+Tab");
}

TEST(ConfRules, AssignReplacesAddsAndRemoves) {
    std::vector<KeyBinding> list = key_bindings::defaults(key_bindings::DefaultTable::SettingsProgram);
    const size_t count = list.size();
    const KeyCombo ctrlA{'A', KeyModifier::kCtrl}, ctrlB{'B', KeyModifier::kCtrl};
    assign(&list, ctrlA, 21000);
    EXPECT_EQ(list.size(), count);
    EXPECT_EQ(list[0].command, 21000u);
    assign(&list, ctrlB, 21004);
    ASSERT_EQ(list.size(), count + 1);
    EXPECT_EQ(list.back(), (KeyBinding{'B', KeyModifier::kCtrl, 21004, 0}));
    assign(&list, ctrlA, 0);
    EXPECT_EQ(list.size(), count);
    EXPECT_EQ(boundCommand(list, ctrlA), 0u);
    EXPECT_EQ(boundCommand(list, ctrlB), 21004u);
}

TEST(ConfRules, CommandListHasEveryGroup) {
    const auto ids = commandChoices();
    EXPECT_EQ(ids.front(), 21000);
    EXPECT_EQ(ids.back(), 28203);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 0), 9);
    EXPECT_EQ(ids.size(), 84u);
}

TEST(ConfRules, ColourRowsAndSchemes) {
    std::set<int> slots(std::begin(kColourRowSlots), std::end(kColourRowSlots));
    EXPECT_EQ(slots.size(), 20u);
    MainSettings s = MainSettings::defaults();
    applyScheme(&s, Scheme::Indigo);
    EXPECT_EQ(colourText(s.colours[0]), "#3c007f");
    applyScheme(&s, Scheme::Black);
    EXPECT_EQ(colourText(s.colours[1]), "#e6e6e6");
    applyScheme(&s, Scheme::Standard);
    EXPECT_EQ(colourText(s.colours[0]), "#fafafa");
    const uint8_t bgr[3] = {0x30, 0x20, 0x10};
    EXPECT_EQ(colourText(colourFromBgr(bgr)), "#102030");
    uint8_t back[3];
    colourToBgr(colourFromBgr(bgr), back);
    EXPECT_EQ(back[0], 0x30);
    EXPECT_EQ(back[2], 0x10);
}

TEST(ConfRules, EndingReportsEitherFailedWrite) {
    EXPECT_EQ(ending(false, false, false), Ending::Cancelled);
    EXPECT_EQ(ending(true, true, true), Ending::Saved);
    EXPECT_EQ(ending(true, false, true), Ending::WriteFailed);
    // A failed key-binding write is not passed over as saved.
    EXPECT_EQ(ending(true, true, false), Ending::WriteFailed);
    EXPECT_EQ(exitCode(Ending::Saved), 1);
    EXPECT_EQ(exitCode(Ending::WriteFailed), 0);
    EXPECT_EQ(exitCode(Ending::Cancelled), 0);
}

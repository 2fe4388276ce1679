// Tests of the editor control's portable input decisions.
#include "QuorvaleInputLogic.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorvale;

TEST(KeyAction, CtrlChangesTheMeaningOfMovesAndDeletions) {
    EXPECT_EQ(keyAction(VKEY_BACK, false), KeyAction::DeleteBackward);
    EXPECT_EQ(keyAction(VKEY_BACK, true), KeyAction::DeleteWordBackward);
    EXPECT_EQ(keyAction(VKEY_DELETE, true), KeyAction::DeleteWordForward);
    EXPECT_EQ(keyAction(VKEY_HOME, false), KeyAction::SmartHome);
    EXPECT_EQ(keyAction(VKEY_HOME, true), KeyAction::DocumentStart);
    EXPECT_EQ(keyAction(VKEY_END, true), KeyAction::DocumentEnd);
    EXPECT_EQ(keyAction(VKEY_UP, true), KeyAction::PrevChangedBlock);
    EXPECT_EQ(keyAction(VKEY_DOWN, true), KeyAction::NextChangedBlock);
    EXPECT_EQ(keyAction(VKEY_RIGHT, true), KeyAction::WordRight);
    // Keys whose meaning Ctrl does not change.
    for (bool ctrl : {false, true}) {
        EXPECT_EQ(keyAction(VKEY_RETURN, ctrl), KeyAction::NewLine);
        EXPECT_EQ(keyAction(VKEY_TAB, ctrl), KeyAction::Tab);
        EXPECT_EQ(keyAction(VKEY_ESCAPE, ctrl), KeyAction::DropSelection);
        EXPECT_EQ(keyAction(VKEY_NEXT, ctrl), KeyAction::PageDown);
    }
    EXPECT_EQ(keyAction('A', false), KeyAction::None);
    EXPECT_EQ(keyAction(0x2D /* Insert */, true), KeyAction::None);
    EXPECT_TRUE(isCaretMove(KeyAction::PageUp));
    EXPECT_FALSE(isCaretMove(KeyAction::Tab));
    EXPECT_FALSE(isCaretMove(KeyAction::DeleteBackward));
}

TEST(PressAction, PrecedenceOfGutterShiftCtrlAltAndSelection) {
    PressContext p;
    EXPECT_EQ(leftPressAction(p), PressAction::PlaceCaret);
    p.insideSelection = true;
    EXPECT_EQ(leftPressAction(p), PressAction::DragMove);
    p.alt = true;  // Alt never drags
    EXPECT_EQ(leftPressAction(p), PressAction::PlaceCaretAltSelect);
    p.alt = false;
    p.ctrl = true;
    EXPECT_EQ(leftPressAction(p), PressAction::DragCopy);
    p.insideSelection = false;
    EXPECT_EQ(leftPressAction(p), PressAction::GrabScroll);
    p.shift = true;
    EXPECT_EQ(leftPressAction(p), PressAction::ExtendSelection);
    p.inGutter = true;
    EXPECT_EQ(leftPressAction(p), PressAction::SelectLine);
    PressContext third;
    third.thirdClick = true;
    third.insideSelection = true;  // the double-click selected a word: still the line
    EXPECT_EQ(leftPressAction(third), PressAction::SelectLine);
    EXPECT_EQ(modeOf(PressAction::SelectLine), MouseMode::Lines);
    EXPECT_EQ(modeOf(PressAction::DragCopy), MouseMode::Drag);
    EXPECT_EQ(modeOf(PressAction::GrabScroll), MouseMode::GrabScroll);
    EXPECT_EQ(modeOf(PressAction::ExtendSelection), MouseMode::Characters);
}

TEST(ThirdClick, TimeAndDistanceOfTheLastDoubleClick) {
    EXPECT_FALSE(isThirdClick(1000, 10, 10, 0, 10, 10, false, 500, 4, 4));
    EXPECT_TRUE(isThirdClick(1400, 11, 9, 1000, 10, 10, true, 500, 4, 4));
    EXPECT_FALSE(isThirdClick(1501, 10, 10, 1000, 10, 10, true, 500, 4, 4));
    EXPECT_FALSE(isThirdClick(1100, 13, 10, 1000, 10, 10, true, 500, 4, 4));
    // The tick count wrapped between the two clicks.
    EXPECT_TRUE(isThirdClick(100, 10, 10, 0xFFFFFF00u, 10, 10, true, 500, 4, 4));
}

TEST(Drop, EndsOfTheRangeCountAsInsideOnlyForAMove) {
    LinePos start{2, 3}, end{4, 1};
    EXPECT_TRUE(dropCancels({4, 1}, start, end, false));
    EXPECT_FALSE(dropCancels({4, 1}, start, end, true));
    EXPECT_TRUE(dropCancels({2, 3}, start, end, false));
    EXPECT_FALSE(dropCancels({2, 3}, start, end, true));
    EXPECT_TRUE(dropCancels({3, 0}, start, end, true));
    EXPECT_FALSE(dropCancels({4, 2}, start, end, false));
    EXPECT_FALSE(dropCancels({2, 2}, start, end, false));
    // A range given backwards (caret before the anchor) is the same range.
    EXPECT_TRUE(dropCancels({3, 7}, end, start, true));
}

TEST(Cells, TabsTwoByteCharactersAndTheWrapLimit) {
    // "a" TAB 表 (95 5C: a trail byte that looks like a backslash) "b"
    const uint8_t text[] = {'a', '\t', 0x95, 0x5C, 'b'};
    EXPECT_EQ(cellsBefore(text, 0, 1, 4, 0), 1);
    EXPECT_EQ(cellsBefore(text, 0, 2, 4, 0), 4);
    EXPECT_EQ(cellsBefore(text, 0, 4, 4, 0), 6);
    EXPECT_EQ(cellsBefore(text, 0, 5, 4, 0), 7);
    EXPECT_EQ(cellsBefore(text, 0, 2, 8, 5), 5);   // the tab stops at the wrap width
    EXPECT_EQ(offsetAtCell(text, 0, 5, 0, 4), 0u);
    EXPECT_EQ(offsetAtCell(text, 0, 5, 1, 4), 1u);
    EXPECT_EQ(offsetAtCell(text, 0, 5, 3, 4), 1u);  // inside the tab's cells
    EXPECT_EQ(offsetAtCell(text, 0, 5, 4, 4), 2u);
    EXPECT_EQ(offsetAtCell(text, 0, 5, 5, 4), 2u);  // second cell of 表: before it, never at 5C
    EXPECT_EQ(offsetAtCell(text, 0, 5, 6, 4), 4u);
    EXPECT_EQ(offsetAtCell(text, 0, 5, 40, 4), 5u);
    EXPECT_EQ(offsetAtCell(text, 0, 5, -3, 4), 0u);
    // Half-width katakana are one cell; a lead byte as the row's last byte is one cell.
    const uint8_t kana[] = {0xB1, 0xB2, 0x82};
    EXPECT_EQ(cellsBefore(kana, 0, 3, 4, 0), 3);
    EXPECT_EQ(offsetAtCell(kana, 0, 3, 2, 4), 2u);
    // A second row counts its tabs from its own start.
    const uint8_t rows[] = {'x', 'y', '\t', 'z'};
    EXPECT_EQ(cellsBefore(rows, 1, 3, 4, 0), 4);
    const uint8_t blanks[] = {' ', '\t', ' ', 'w'};
    EXPECT_EQ(skipBlanks(blanks, 4), 3u);
    EXPECT_EQ(skipBlanks(blanks, 2), 2u);
}

// WM_CHAR bytes as they arrive without the input method: "x表ｿｱy" is x, 0x95 0x5C, 0xBF, 0xB1, y.
TEST(TypedBytes, PairsOfLeadAndTrailAreOneCharacterKatakanaAndAsciiOneByte) {
    quorvale::TypedBytes typed;
    std::string out;
    for (uint8_t b : {0x78, 0x95, 0x5C, 0xBF, 0xB1, 0x79}) {
        uint8_t bytes[2];
        uint32_t n = typed.take(b, bytes);
        out.append(reinterpret_cast<const char*>(bytes), n);
    }
    EXPECT_EQ(out, "x\x95\x5C\xBF\xB1y");
    EXPECT_FALSE(typed.waiting());
}

TEST(TypedBytes, ALoneLeadAndAStrayTrailAreDropped) {
    quorvale::TypedBytes typed;
    auto typeAll = [&typed](std::initializer_list<int> bytes) {
        std::string out;
        for (int b : bytes) {
            uint8_t got[2];
            out.append(reinterpret_cast<const char*>(got), typed.take(static_cast<uint8_t>(b), got));
        }
        return out;
    };
    // The lead waits: nothing typed yet; a control byte after it drops it.
    EXPECT_EQ(typeAll({0x82}), "");
    EXPECT_TRUE(typed.waiting());
    EXPECT_EQ(typeAll({0x0D, 'a'}), "a");
    // A lead followed by a byte that cannot be a trail: the lead goes, the byte stands alone.
    EXPECT_EQ(typeAll({0x82, 0xFD, 'b'}), "b");
    // A lead byte can be a trail byte too: lead, lead is one character.
    EXPECT_EQ(typeAll({0x82, 0x82}), "\x82\x82");
    // Trail bytes that are neither ASCII nor katakana, and bytes no character begins with.
    EXPECT_EQ(typeAll({0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x7F, 0x1B}), "");
    // A key press between lead and trail: the waiting lead is forgotten.
    EXPECT_EQ(typeAll({0x95}), "");
    typed.reset();
    EXPECT_EQ(typeAll({0x5C}), "\\");
}

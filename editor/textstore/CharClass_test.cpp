// Tests of the word-movement and word-selection classes.
#include <gtest/gtest.h>

#include <string>

#include "CharClass.h"

namespace {

int32_t classOf(const std::string& s, uint32_t at = 0) {
    return CharClass::selectionClass(reinterpret_cast<const uint8_t*>(s.data()), static_cast<uint32_t>(s.size()), at);
}

}  // namespace

TEST(CharClass, WordBytesShareOneClassAndOtherBytesKeepTheirOwn) {
    for (char c : std::string("#&.0123456789:?@ABCXYZ_abcxyz~")) EXPECT_EQ(CharClass::wordClass[uint8_t(c)], 97) << c;
    for (char c : std::string(" !\"$%'()*+,-/;<=>[\\]^`{|}\t")) EXPECT_EQ(CharClass::wordClass[uint8_t(c)], uint8_t(c)) << c;
    EXPECT_EQ(CharClass::wordClass[0x81], 252);
    EXPECT_EQ(CharClass::wordClass[0x82], 0x82);   // full-width letters and hiragana stand apart
    for (int b = 0x83; b <= 0x9F; ++b) EXPECT_EQ(CharClass::wordClass[b], 252) << b;
    for (int b = 0xA1; b <= 0xDF; ++b) EXPECT_EQ(CharClass::wordClass[b], b) << b;   // half-width katakana
    for (int b = 0xE0; b <= 0xFC; ++b) EXPECT_EQ(CharClass::wordClass[b], 252) << b;
    EXPECT_EQ(CharClass::wordClass[0xFD], 0xFD);
}

TEST(CharClass, SelectionClassesGroupScriptsByRow) {
    const int32_t katakanaKanji = 256 + 0x4003;
    EXPECT_EQ(classOf("\x83\x41"), katakanaKanji);   // ア
    EXPECT_EQ(classOf("\x95\x5C"), katakanaKanji);   // 表, trail byte 5C
    EXPECT_EQ(classOf("\x81\x5B"), katakanaKanji);   // ー
    EXPECT_EQ(classOf("\x82\xA0"), 256 + 384);       // あ
    EXPECT_EQ(classOf("\x82\x4F"), 256 + 0x4001);    // ０
    EXPECT_EQ(classOf("\x82\x58"), 256 + 0x4001);    // ９
    EXPECT_EQ(classOf("\x82\x60"), 256 + 0x4002);    // Ａ
    EXPECT_EQ(classOf("\x83\x9F"), 256 + 5 * 128);   // Α (Greek)
    EXPECT_EQ(classOf("\x84\x40"), 256 + 6 * 128);   // А (Cyrillic)
    EXPECT_NE(classOf("\x81\x41"), classOf("\x81\x42"));   // 、 and 。 are classes of their own
    EXPECT_EQ(classOf("\x81\x41"), 256 + 0 * 128 + 1);
    EXPECT_EQ(CharClass::doubleByteClass(91, 80), 0x4004);
    EXPECT_EQ(CharClass::doubleByteClass(91, 90), 91 * 128 + 90);
    // A single byte takes its word class; a lead byte at the very end is a single byte.
    EXPECT_EQ(classOf("a"), 97);
    EXPECT_EQ(classOf("\xB1"), 0xB1);
    EXPECT_EQ(classOf("x\x95", 1), 252);
}

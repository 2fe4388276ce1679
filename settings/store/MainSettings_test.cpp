// Tests of the "main" record: the default bytes field by field, the codec and its range checks.
#include "MainSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

uint32_t u32At(const uint8_t* b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t u16At(const uint8_t* b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

std::vector<uint8_t> defaultBytes() {
    std::vector<uint8_t> bytes(MainSettings::kSize, 0xCC);
    MainSettings::defaults().encode(bytes.data());
    return bytes;
}

}  // namespace

TEST(MainSettingsDefaults, HeaderAndFlagsAtTheirOffsets) {
    const std::vector<uint8_t> b = defaultBytes();
    EXPECT_EQ(u32At(b.data(), 0), 9u);
    EXPECT_EQ(u32At(b.data(), 4), 0u);
    EXPECT_EQ(u32At(b.data(), 8), 0u);
    EXPECT_EQ(u32At(b.data(), 12), 0x01003601u);
    EXPECT_EQ(u32At(b.data(), 16), 0x8001F1F7u);
    EXPECT_EQ(u32At(b.data(), 20), 0u);
    EXPECT_EQ(u16At(b.data(), 24), 0u);  // default HTML type not chosen
    EXPECT_EQ(u16At(b.data(), 26), 0u);  // default encoding not chosen
    EXPECT_EQ(u16At(b.data(), 28), 0u);  // no conversion of opened files
    EXPECT_EQ(u16At(b.data(), 30), 0u);  // no line-end conversion
    EXPECT_EQ(u32At(b.data(), 32), 0x1Fu);
    EXPECT_EQ(u32At(b.data(), 36), 4u);
    EXPECT_EQ(u32At(b.data(), 40), 0x00800000u);
    EXPECT_EQ(u32At(b.data(), 44), 76u);
    EXPECT_EQ(u32At(b.data(), 48), 11u);
}

TEST(MainSettingsDefaults, OptionBitsMatchTheirTable) {
    const MainSettings s = MainSettings::defaults();
    const uint32_t set[] = {0x1, 0x200, 0x400, 0x1000, 0x2000, 0x1000000};
    const uint32_t clear[] = {0x2,     0x4,     0x8,      0x10,      0x20,      0x40, 0x80,
                              0x100,   0x4000,  0x8000,   0x10000,   0x20000,   0x10000000};
    for (uint32_t bit : set) EXPECT_NE(s.option_flags & bit, 0u) << std::hex << bit;
    for (uint32_t bit : clear) EXPECT_EQ(s.option_flags & bit, 0u) << std::hex << bit;
    // Print, undo, redo and the separator between them are off; all other items are on.
    for (uint32_t bit : {0x8u, 0x200u, 0x400u, 0x800u}) EXPECT_EQ(s.toolbar_mask & bit, 0u);
    for (uint32_t bit : {0x1u, 0x10u, 0x100u, 0x1000u, 0x8000u, 0x10000u, 0x80000000u}) {
        EXPECT_NE(s.toolbar_mask & bit, 0u);
    }
    EXPECT_EQ(s.display_flags & DisplayFlag::kFixedWrap, 0u);
}

TEST(MainSettingsDefaults, FontFaceIsShiftJisAndPaddedWithZeros) {
    const std::vector<uint8_t> b = defaultBytes();
    // "ＭＳ ゴシック": trail bytes 0x53 'S', 0x56 'V', 0x62 'b' and 0x4E 'N' look like ASCII.
    const uint8_t face[] = {0x82, 0x6C, 0x82, 0x72, 0x20, 0x83, 0x53,
                            0x83, 0x56, 0x83, 0x62, 0x83, 0x4E};
    EXPECT_EQ(std::memcmp(b.data() + 52, face, sizeof face), 0);
    for (size_t i = 52 + sizeof face; i < 84; ++i) EXPECT_EQ(b[i], 0) << i;
}

TEST(MainSettingsDefaults, StandardColourSchemeSlotBySlot) {
    const uint8_t rgb[20][3] = {
        {250, 250, 250}, {0, 0, 0},       {195, 210, 255}, {0, 0, 0},       {140, 160, 210},
        {0, 0, 190},     {0, 0, 255},     {150, 150, 150}, {0, 0, 255},     {150, 130, 140},
        {150, 80, 150},  {0, 137, 0},     {0, 187, 187},   {150, 150, 150}, {0, 0, 255},
        {119, 119, 0},   {119, 0, 119},   {0, 137, 0},     {119, 119, 0},   {150, 150, 150}};
    const std::vector<uint8_t> b = defaultBytes();
    for (size_t slot = 0; slot < 20; ++slot) {
        const uint8_t* c = b.data() + 84 + 4 * slot;
        EXPECT_EQ(c[0], rgb[slot][0]) << "slot " << slot;
        EXPECT_EQ(c[1], rgb[slot][1]) << "slot " << slot;
        EXPECT_EQ(c[2], rgb[slot][2]) << "slot " << slot;
        EXPECT_EQ(c[3], 0) << "slot " << slot;
    }
}

TEST(MainSettingsCodec, EveryFieldSurvivesARoundTrip) {
    MainSettings s = MainSettings::defaults();
    s.option_flags = 0xFFFFFFFFu;  // meaningless bits are kept too
    s.toolbar_mask = 0x12345678u;
    s.default_html_type = 28166;
    s.default_encoding = 5;
    s.convert_encoding = 4;
    s.convert_line_end = 3;
    s.display_flags = 0x170000FFu;
    s.tab_width = 8;
    s.undo_limit = 1024 * MainSettings::kMiB;
    s.wrap_columns = 500;
    s.font_points = 36;
    std::memset(s.font_face, 'x', sizeof s.font_face);
    s.font_face[31] = 0;
    for (size_t i = 0; i < 20; ++i) s.colours[i] = uint32_t(0x010203 * (i + 1)) & 0xFFFFFF;
    uint8_t bytes[MainSettings::kSize];
    s.encode(bytes);
    MainSettings back = MainSettings::defaults();
    ASSERT_TRUE(MainSettings::decode(bytes, sizeof bytes, &back));
    EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0);
}

TEST(MainSettingsCodec, ReservedFieldsAreWrittenAsZero) {
    MainSettings s = MainSettings::defaults();
    s.reserved1 = s.reserved2 = s.reserved3 = 0xAAAAAAAAu;
    uint8_t bytes[MainSettings::kSize];
    s.encode(bytes);
    EXPECT_EQ(u32At(bytes, 4) | u32At(bytes, 8) | u32At(bytes, 20), 0u);
}

TEST(MainSettingsCodec, WrongSizeOrVersionIsRefusedWhole) {
    std::vector<uint8_t> b = defaultBytes();
    MainSettings out = MainSettings::defaults();
    out.tab_width = 2;  // a marker: refused input leaves the record untouched
    b.push_back(0);
    EXPECT_FALSE(MainSettings::decode(b.data(), 165, &out));
    EXPECT_FALSE(MainSettings::decode(b.data(), 163, &out));
    EXPECT_FALSE(MainSettings::decode(b.data(), 0, &out));
    b[0] = 8;
    EXPECT_FALSE(MainSettings::decode(b.data(), 164, &out));
    EXPECT_EQ(out.tab_width, 2u);
}

namespace {

struct Patch {
    const char* what;
    size_t offset;
    uint32_t value;
    int width;  // 2 or 4 bytes
};

bool decodesWith(const Patch& p) {
    std::vector<uint8_t> b = defaultBytes();
    for (int i = 0; i < p.width; ++i) b[p.offset + i] = uint8_t(p.value >> (8 * i));
    MainSettings out;
    return MainSettings::decode(b.data(), b.size(), &out);
}

}  // namespace

TEST(MainSettingsCodec, OutOfRangeFieldsAreRefused) {
    const Patch bad[] = {
        {"html type outside the offered list", 24, 28104, 2},
        {"html type 1", 24, 1, 2},
        {"encoding 6", 26, 6, 2},
        {"conversion to UTF-16", 28, 5, 2},
        {"line end 4", 30, 4, 2},
        {"tab width 3", 36, 3, 4},
        {"tab width 0", 36, 0, 4},
        {"undo limit 0", 40, 0, 4},
        {"undo limit not whole MiB", 40, 0x00800001, 4},
        {"undo limit 1025 MiB", 40, 1025u * 1048576u, 4},
        {"wrap 9", 44, 9, 4},
        {"wrap 501", 44, 501, 4},
        {"font 5 points", 48, 5, 4},
        {"font 37 points", 48, 37, 4},
        {"colour with a palette byte", 84 + 4 * 7, 0x01000000, 4},
    };
    for (const Patch& p : bad) EXPECT_FALSE(decodesWith(p)) << p.what;
    const Patch good[] = {
        {"html 5", 24, 28105, 2},          {"IE dialect", 24, 28199, 2},
        {"UTF-16 for new documents", 26, 5, 2}, {"LF", 30, 3, 2},
        {"tab width 2", 36, 2, 4},          {"unlimited undo", 40, 0xFFFFFFFF, 4},
        {"1 MiB undo", 40, 1048576, 4},     {"1024 MiB undo", 40, 1024u * 1048576u, 4},
        {"wrap 10", 44, 10, 4},             {"font 6 points", 48, 6, 4},
        {"reserved not zero", 4, 7, 4},
    };
    for (const Patch& p : good) EXPECT_TRUE(decodesWith(p)) << p.what;
}

TEST(MainSettingsCodec, FontFaceWithoutItsNulIsRefused) {
    std::vector<uint8_t> b = defaultBytes();
    std::memset(b.data() + 52, 0x82, 31);  // ends in a lone lead byte before the last byte
    b[52 + 31] = 0;
    MainSettings out;
    EXPECT_TRUE(MainSettings::decode(b.data(), b.size(), &out));
    b[52 + 31] = 'x';
    EXPECT_FALSE(MainSettings::decode(b.data(), b.size(), &out));
}

TEST(MainSettingsCodec, EveryOfferedHtmlTypeIsAccepted) {
    for (const HtmlTypeChoice& choice : kOfferedHtmlTypes) {
        EXPECT_TRUE(decodesWith({"offered", 24, choice.id, 2})) << choice.id;
    }
    EXPECT_STREQ(kOfferedHtmlTypes[10].label, "Internet Explorer \x8c\xc5\x97L");  // 固有
}

TEST(MainSettingsNames, ColourSlotNamesInShiftJis) {
    EXPECT_STREQ(kColourSlotNames[0], "\x94\x77\x8c\x69");  // 背景
    EXPECT_STREQ(kColourSlotNames[9], "\x8d\x73\x94\xd4\x8d\x86");  // 行番号
    EXPECT_STREQ(kColourSlotNames[19], "CSS Comment");
}

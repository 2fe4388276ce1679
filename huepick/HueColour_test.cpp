// The picker's colour model: hue / saturation / brightness round trips and the "#RRGGBB" text.
#include "HueColour.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace huepick;

TEST(HueColour, EveryColourSurvivesTheRoundTripThroughHsv) {
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 5) {
                const Rgb c{uint8_t(r), uint8_t(g), uint8_t(b)};
                ASSERT_EQ(toRgb(toHsv(c)), c) << r << "," << g << "," << b;
            }
    const Hsv red = toHsv(Rgb{255, 0, 0});
    EXPECT_DOUBLE_EQ(red.hue, 0);
    EXPECT_DOUBLE_EQ(red.saturation, 1);
    EXPECT_DOUBLE_EQ(toHsv(Rgb{0, 0, 255}).hue, 240);
    EXPECT_EQ(toRgb(Hsv{360, 1, 1}), (Rgb{255, 0, 0}));  // hue wraps
    EXPECT_EQ(toRgb(Hsv{120, 2, -1}), (Rgb{0, 0, 0}));   // out-of-range parts are clamped
}

TEST(HueColour, HexTextBothWays) {
    Rgb c;
    ASSERT_TRUE(parseHexColour("#A0B0C0", &c));
    EXPECT_EQ(c, (Rgb{0xA0, 0xB0, 0xC0}));
    ASSERT_TRUE(parseHexColour("#a0b0c1\"", &c));  // as selected from an attribute value
    EXPECT_EQ(c, (Rgb{0xA0, 0xB0, 0xC1}));
    EXPECT_EQ(hexColour(Rgb{0xA0, 0x0B, 0xFF}), "#A00BFF");
    for (const char* bad : {"", "#", "A0B0C0", "#A0B0C", "#A0B0CG", "#A0B0C0D", "#A0B0C0x", "red", " #A0B0C0"})
        EXPECT_FALSE(parseHexColour(bad, &c)) << bad;
    EXPECT_FALSE(parseHexColour(nullptr, &c));
}

TEST(HueColour, ParsingStopsAtTheNul) {
    // "#12" then the NUL, then bytes that would complete a colour: they are never read.
    char text[8];
    std::memcpy(text, "#12\0" "456", 8);
    Rgb c{1, 2, 3};
    EXPECT_FALSE(parseHexColour(text, &c));
    EXPECT_EQ(c, (Rgb{1, 2, 3}));
}

TEST(HueColour, BgrBytes) {
    const uint8_t bgr[3] = {0xC0, 0xB0, 0xA0};
    EXPECT_EQ(fromBgr(bgr), (Rgb{0xA0, 0xB0, 0xC0}));
    uint8_t out[3];
    toBgr(Rgb{1, 2, 3}, out);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[2], 1);
}

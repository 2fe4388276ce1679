// Tests of the "window_information" codec.
#include "WindowInformation.h"

#include <gtest/gtest.h>

TEST(WindowInformation, NegativeCoordinatesRoundTripLittleEndian) {
    const WindowInformation r{-1200, -8, 300, 600};
    uint8_t b[16];
    r.encode(b);
    EXPECT_EQ(b[0], 0x50);  // -1200 = 0xFFFFFB50
    EXPECT_EQ(b[3], 0xFF);
    EXPECT_EQ(b[8], 0x2C);  // 300
    WindowInformation back{};
    ASSERT_TRUE(WindowInformation::decode(b, 16, &back));
    EXPECT_EQ(back.left, -1200);
    EXPECT_EQ(back.top, -8);
    EXPECT_EQ(back.right, 300);
    EXPECT_EQ(back.bottom, 600);
}

TEST(WindowInformation, WrongSizeAndEmptyRectanglesAreRefused) {
    uint8_t b[17] = {};
    WindowInformation{0, 0, 100, 100}.encode(b);
    WindowInformation out{1, 2, 3, 4};
    EXPECT_FALSE(WindowInformation::decode(b, 15, &out));
    EXPECT_FALSE(WindowInformation::decode(b, 17, &out));
    for (const WindowInformation& bad : {WindowInformation{0, 0, 0, 100},
                                         WindowInformation{0, 0, 100, -5},
                                         WindowInformation{INT32_MIN + 1, 0, INT32_MIN, 10}}) {
        bad.encode(b);
        EXPECT_FALSE(WindowInformation::decode(b, 16, &out));
    }
    EXPECT_EQ(out.left, 1);
    WindowInformation{INT32_MIN, 0, INT32_MAX, 1}.encode(b);
    EXPECT_TRUE(WindowInformation::decode(b, 16, &out));
}

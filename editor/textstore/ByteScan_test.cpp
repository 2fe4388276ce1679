// Tests of the byte searches used while loading: every length and position, nothing read outside.
#include "ByteScan.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ByteScan, HasByteAtEveryPositionOfEveryLength) {
    // The searched bytes sit between TABs, so that a read outside them would find one.
    for (uint32_t length = 0; length <= 70; ++length) {
        std::vector<uint8_t> buffer(length + 32, 0x09);
        uint8_t* text = buffer.data() + 16;
        for (uint32_t i = 0; i < length; ++i) text[i] = uint8_t(i % 2 ? 0x8A : 0x08);   // 0x08 and 0x0A beside TAB
        EXPECT_FALSE(bytescan::hasByte(text, length, 0x09)) << length;
        EXPECT_EQ(bytescan::findByte(text, 0, length, 0x09), length) << length;
        for (uint32_t at = 0; at < length; ++at) {
            uint8_t kept = text[at];
            text[at] = 0x09;
            EXPECT_TRUE(bytescan::hasByte(text, length, 0x09)) << length << " " << at;
            EXPECT_EQ(bytescan::findByte(text, 0, length, 0x09), at) << length << " " << at;
            text[at] = kept;
        }
    }
}

TEST(ByteScan, HasByteSeesHighBytesAsThemselves) {
    // 0x89 differs from TAB only in the top bit; a match of 0x89 is not one of 0x09.
    std::vector<uint8_t> text(40, 0x89);
    EXPECT_FALSE(bytescan::hasByte(text.data(), 40, 0x09));
    EXPECT_TRUE(bytescan::hasByte(text.data(), 40, 0x89));
    EXPECT_FALSE(bytescan::hasByte(text.data(), 7, 0x09));
    EXPECT_TRUE(bytescan::hasByte(text.data(), 7, 0x89));
}

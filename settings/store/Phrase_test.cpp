// Tests of the fixed-phrase value names and codec.
#include "Phrase.h"

#include <gtest/gtest.h>

TEST(PhraseNames, DigitZeroHoldsPhraseOne) {
    EXPECT_EQ(phrases::valueName(0), "template0");
    EXPECT_EQ(phrases::valueName(9), "template9");
    EXPECT_EQ(phrases::valueName(10), "");
}

TEST(PhraseCodec, TextWithItsNul) {
    std::vector<uint8_t> b;
    ASSERT_TRUE(phrases::encode("<p>$selected_text$</p>\x95\x5C", &b));
    EXPECT_EQ(b.size(), 25u);
    EXPECT_EQ(b.back(), 0);
    std::string text;
    ASSERT_TRUE(phrases::decode(b.data(), b.size(), &text));
    EXPECT_EQ(text, "<p>$selected_text$</p>\x95\x5C");
    ASSERT_TRUE(phrases::encode("", &b));
    ASSERT_EQ(b.size(), 1u);  // an empty phrase: defined by nobody
    ASSERT_TRUE(phrases::decode(b.data(), b.size(), &text));
    EXPECT_TRUE(text.empty());
}

TEST(PhraseCodec, SizeLimitIs65536BytesOfText) {
    std::vector<uint8_t> b;
    EXPECT_TRUE(phrases::encode(std::string(65536, 'a'), &b));
    EXPECT_EQ(b.size(), 65537u);
    std::string text;
    EXPECT_TRUE(phrases::decode(b.data(), b.size(), &text));
    EXPECT_FALSE(phrases::encode(std::string(65537, 'a'), &b));
    std::vector<uint8_t> big(65538, 'a');
    big.back() = 0;
    EXPECT_FALSE(phrases::decode(big.data(), big.size(), &text));
}

TEST(PhraseCodec, ValuesWithoutTheirNulOrWithInnerNulsAreNotDefined) {
    std::string text = "kept";
    const uint8_t noNul[] = {'a', 'b', 0x82};  // ends in a lead byte, no NUL
    EXPECT_FALSE(phrases::decode(noNul, sizeof noNul, &text));
    const uint8_t inner[] = {'a', 0, 'b', 0};
    EXPECT_FALSE(phrases::decode(inner, sizeof inner, &text));
    EXPECT_FALSE(phrases::decode(nullptr, 0, &text));
    EXPECT_EQ(text, "kept");
    std::vector<uint8_t> b;
    EXPECT_FALSE(phrases::encode(std::string("a\0b", 3), &b));
}

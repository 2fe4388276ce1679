// The markup byte search against a plain walk over the characters, on random Shift_JIS-like text
// with damaged pairs (a lead byte followed by a markup byte) and pieces that end inside a character.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "MarkupBytes.h"
#include "TextCodes.h"

namespace {

// The first wanted byte at a character start, stepping one character at a time.
size_t walk(const std::string& text, size_t from, const std::string& wanted) {
    for (size_t i = from; i < text.size(); i += isSjisLead(static_cast<uint8_t>(text[i])) ? 2 : 1)
        if (wanted.find(text[i]) != std::string::npos) return i;
    return text.size();
}

bool walkEndsInLead(const std::string& text, size_t from) {
    size_t i = from;
    while (i < text.size()) i += isSjisLead(static_cast<uint8_t>(text[i])) ? 2 : 1;
    return i > text.size();
}

}  // namespace

TEST(MarkupBytes, FindsWhatACharacterWalkFinds) {
    std::mt19937 random(11);
    const MarkupBytes stops{'<', '&', '\n'};
    const std::string pool = "<&\n>ab \x81\x82\x83\x9f\xe0\xfc\x40\x5c\x7e\xa1\xdf";
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        const size_t length = random() % 70;
        for (size_t k = 0; k < length; ++k) text += pool[random() % pool.size()];
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
        ASSERT_EQ(stops.find(bytes, 0, text.size()), walk(text, 0, "<&\n")) << round;
        ASSERT_EQ(endsInLeadByte(bytes, 0, text.size()), walkEndsInLead(text, 0)) << round;
    }
}

TEST(MarkupBytes, ADamagedPairHidesItsMarkupByte) {
    const MarkupBytes stops{'<'};
    // 81 3C: a lead byte whose "trail" is "<" counts as one character; the next "<" is found.
    const std::string text = std::string(20, 'a') + "\x81<" + std::string(20, 'b') + "<";
    EXPECT_EQ(stops.find(reinterpret_cast<const uint8_t*>(text.data()), 0, text.size()), text.size() - 1);
    // An even run of lead-range bytes is whole characters; an odd one leaves a lead byte open.
    EXPECT_FALSE(endsInLeadByte(reinterpret_cast<const uint8_t*>("a\x81\x81"), 0, 3));
    EXPECT_TRUE(endsInLeadByte(reinterpret_cast<const uint8_t*>("a\x81\x81\x81"), 0, 4));
}

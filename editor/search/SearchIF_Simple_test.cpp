// Tests of SearchIF_Simple: case folding limited to ASCII, matches only at character starts,
// forward, last and last-before searches.
#include "SearchIF_Simple.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Hit {
    bool found;
    uint32_t start;
};

// Runs the searches on an exact-sized heap copy, so nothing lies beyond the text.
class Search {
public:
    explicit Search(const char* pattern, bool caseSensitive = false) {
        s.setCaseSensitive(caseSensitive);
        ok = s.setPattern(pattern);
    }
    Hit find(const std::string& text) { return run(text, 0, Kind::First); }
    Hit last(const std::string& text) { return run(text, 0, Kind::Last); }
    Hit lastBefore(const std::string& text, uint32_t limit) { return run(text, limit, Kind::Before); }

    SearchIF_Simple s;
    bool ok = false;

private:
    enum class Kind { First, Last, Before };
    Hit run(const std::string& text, uint32_t limit, Kind kind) {
        std::vector<uint8_t> copy(text.begin(), text.end());
        const uint8_t* p = copy.empty() ? nullptr : copy.data();
        uint32_t start = 99999, len = 0;
        const uint32_t n = uint32_t(copy.size());
        bool found = kind == Kind::First  ? s.find(p, n, &start, &len)
                     : kind == Kind::Last ? s.findLast(p, n, &start, &len)
                                          : s.findLastBefore(p, n, limit, &start, &len);
        if (found) {
            EXPECT_EQ(len, s.patternLength());
        }
        return {found, found ? start : 99999};
    }
};

#define EXPECT_HIT(hit, at)        \
    do {                           \
        Hit h_ = (hit);            \
        EXPECT_TRUE(h_.found);     \
        EXPECT_EQ(h_.start, (at)); \
    } while (0)
#define EXPECT_MISS(hit) EXPECT_FALSE((hit).found)

// Shift_JIS pieces used below.
const char kIdeoSpace[] = "\x81\x40";   // full-width space, trail byte '@'
const char kHyou[] = "\x95\x5c";        // 表, trail byte '\'
const char kSo[] = "\x83\x5c";          // ソ, trail byte '\'
const char kKataA[] = "\x83\x41";       // ア, trail byte 'A'
const char kKataDi[] = "\x83\x61";      // ヂ, trail byte 'a'
const char kFullA[] = "\x82\x60";       // Ａ (full-width)
const char kFullSmallA[] = "\x82\x81";  // ａ (full-width)

std::string repeat(const char* piece, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += piece;
    return s;
}

TEST(SearchPattern, EmptyPatternIsRefusedAndPatternsCanBeReplaced) {
    Search empty("");
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.s.patternLength(), 0u);
    EXPECT_FALSE(empty.s.setPattern(nullptr));
    EXPECT_EQ(empty.s.patternKind(), 0);

    // Longer, shorter, equal and longer again: the buffer is reused or replaced, the table rebuilt.
    Search s("abcdef", true);
    EXPECT_HIT(s.find("xxabcdefxx"), 2u);
    ASSERT_TRUE(s.s.setPattern("cd"));
    EXPECT_HIT(s.find("xxabcdefxx"), 4u);
    EXPECT_MISS(s.find("xxabcxefxx"));
    ASSERT_TRUE(s.s.setPattern("ef"));
    EXPECT_HIT(s.find("xxabcdefxx"), 6u);
    ASSERT_TRUE(s.s.setPattern("bcdefxx"));
    EXPECT_HIT(s.find("xxabcdefxx"), 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.s.pattern()), s.s.patternLength()),
              "bcdefxx");
    // A refused pattern leaves nothing to find, not the previous pattern.
    EXPECT_FALSE(s.s.setPattern(""));
    EXPECT_EQ(s.s.patternLength(), 0u);
    EXPECT_MISS(s.find("xxabcdefxx"));
    ASSERT_TRUE(s.s.setPattern("a"));
    EXPECT_HIT(s.find("xxabcdefxx"), 2u);
}

TEST(SearchBasics, ShortTextsAndEnds) {
    Search s("abc", true);
    EXPECT_MISS(s.find(""));
    EXPECT_MISS(s.find("ab"));
    EXPECT_HIT(s.find("abc"), 0u);
    EXPECT_HIT(s.find("xxabc"), 2u);
    EXPECT_MISS(s.find("xxab"));
    Search one("c", true);
    // A lead byte as the text's last byte.
    EXPECT_HIT(one.find(std::string("abc\x95")), 2u);
    EXPECT_MISS(one.find(std::string("ab\x95")));
}

TEST(SearchCase, AsciiLettersFoldOnlyInCaseInsensitiveMode) {
    EXPECT_HIT(Search("A").find("xa"), 1u);
    EXPECT_MISS(Search("A", true).find("xa"));
    EXPECT_HIT(Search("hello").find("say HeLLo!"), 4u);
    EXPECT_HIT(Search("HELLO").find("say hello"), 4u);
    EXPECT_MISS(Search("HELLO", true).find("say hello"));
    // The last byte and the skip entries fold in both directions.
    EXPECT_HIT(Search("xZ").find("aaXzaa"), 2u);
    EXPECT_HIT(Search("Zx").find("aaaaaazXaa"), 6u);
    // Non-letters next to letters in the ASCII table do not fold.
    EXPECT_MISS(Search("@").find("`"));
    EXPECT_MISS(Search("[").find("{"));
    EXPECT_MISS(Search("^").find("~"));
    EXPECT_MISS(Search("@x").find("`x"));
    EXPECT_MISS(Search("x[y").find("x{y"));
    EXPECT_MISS(Search("a1").find("A\x11"));
}

TEST(SearchCase, FullWidthLettersAndTrailBytesDoNotFold) {
    // Full-width letters match only exactly, and never their half-width forms.
    EXPECT_MISS(Search(kFullA).find(kFullSmallA));
    EXPECT_HIT(Search(kFullA).find(std::string("a") + kFullA), 1u);
    EXPECT_MISS(Search("A").find(kFullA));
    EXPECT_MISS(Search(kFullA).find("A"));
    // A double-byte pattern whose trail byte is a letter matches only that exact pair.
    EXPECT_MISS(Search(kKataA).find(kKataDi));
    EXPECT_MISS(Search(kKataDi).find(kKataA));
    EXPECT_HIT(Search(kKataA).find(std::string(kKataDi) + kKataA), 2u);
    EXPECT_HIT(Search((std::string("x") + kKataA).c_str()).find(std::string("aX") + kKataA), 1u);
    EXPECT_MISS(Search((std::string("x") + kKataA).c_str()).find(std::string("X") + kKataDi));
    // A single letter never matches a trail byte of that value, in either case.
    EXPECT_MISS(Search("a").find(kKataA));
    EXPECT_MISS(Search("A").find(kKataDi));
    EXPECT_HIT(Search("a").find(std::string(kKataA) + kKataDi + "A"), 4u);
    // Half-width katakana are single-byte characters and match exactly.
    EXPECT_HIT(Search("\xb1").find(std::string("\x82\xb1\xb1")), 2u);  // こ then ｱ
    EXPECT_MISS(Search("\xb1").find(std::string("\x82\xb1")));
}

TEST(SearchAlignment, NeverStartsOnATrailByte) {
    for (bool cs : {false, true}) {
        EXPECT_MISS(Search("@", cs).find(repeat(kIdeoSpace, 40)));
        EXPECT_HIT(Search("@", cs).find(repeat(kIdeoSpace, 40) + "@"), 80u);
        EXPECT_MISS(Search("\\", cs).find(repeat(kHyou, 30) + repeat(kSo, 10)));
        EXPECT_HIT(Search("\\", cs).find(repeat(kHyou, 30) + "\\" + kHyou), 60u);
        // First byte equals a trail byte: not inside the character, found at a later start.
        EXPECT_HIT(Search("\\A", cs).find(std::string(kHyou) + "A\\A"), 3u);
        EXPECT_HIT(Search("@@", cs).find(repeat(kIdeoSpace, 5) + "@@"), 10u);
        // Two candidates in one line: the boundary moves forward past the rejected one.
        EXPECT_HIT(Search("\\x", cs).find(std::string("ab") + kHyou + "x" + kSo + "x\\x"), 8u);
        // Half-width katakana between double-byte characters keeps the count right.
        EXPECT_HIT(Search("\\", cs).find(std::string("\xb1") + kHyou + "\xb2\\"), 4u);
        // Long runs of bytes in the lead range (characters whose trail bytes are lead values).
        const std::string run = repeat("\x95\x95", 20) + repeat("\xe0\xfc", 7);
        EXPECT_HIT(Search("\\", cs).find(run + kHyou + "\\"), 56u);
        EXPECT_HIT(Search("\x95\x95", cs).find(std::string("a") + run), 1u);
        EXPECT_HIT(Search("\xfc\xe0", cs).find(run + "\xfc\xe0"), 54u);
        EXPECT_MISS(Search("\x95\xe0", cs).find(run));
        EXPECT_HIT(Search("\x95\xe0", cs).find(std::string("\xb1\x95") + run), 41u);
        // A trail byte that equals a lead byte value.
        EXPECT_HIT(Search("\x95\x5c", cs).find(std::string("\x88\x95\x95\x5c")), 2u);
        EXPECT_MISS(Search("\x95\x5c", cs).find(std::string("\x88\x95\x5c")));
    }
}

TEST(SearchBackward, LastAndLastBefore) {
    Search s("aa", true);
    EXPECT_HIT(s.find("aaa"), 0u);
    EXPECT_HIT(s.last("aaa"), 1u);
    EXPECT_HIT(s.last("xaaxaax"), 4u);
    EXPECT_MISS(s.last("xax"));
    EXPECT_HIT(s.lastBefore("aaxaaxaa", 3), 0u);
    EXPECT_HIT(s.lastBefore("aaxaaxaa", 4), 3u);
    EXPECT_HIT(s.lastBefore("aaxaaxaa", 100), 6u);
    EXPECT_MISS(s.lastBefore("xaaxaa", 1));
    EXPECT_MISS(s.lastBefore("xaaxaa", 0));
    // The last occurrence follows a double-byte character matching the pattern's first bytes.
    for (bool cs : {false, true}) {
        Search b("\\\\", cs);
        EXPECT_HIT(b.last(std::string("\\\\") + kHyou + "\\"), 0u);
        EXPECT_HIT(b.last(std::string("\\\\") + kHyou + "\\\\"), 4u);
        EXPECT_HIT(b.last(std::string("\\\\\\") + kHyou + "\\"), 1u);
        Search c("\\x", cs);
        EXPECT_HIT(c.last(std::string("\\x") + kHyou + "x" + kSo + "x"), 0u);
        EXPECT_MISS(c.lastBefore(std::string(kHyou) + "x\\x", 3));
        EXPECT_HIT(c.lastBefore(std::string(kHyou) + "x\\x", 4), 3u);
    }
    // Overlapping double-byte matches step one whole character.
    Search k(repeat(kHyou, 2).c_str(), true);
    EXPECT_HIT(k.last(repeat(kHyou, 5)), 6u);
    EXPECT_HIT(k.lastBefore(repeat(kHyou, 5), 5), 4u);
}

}  // namespace

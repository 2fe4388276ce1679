// FindState: histories, unescaping with Shift_JIS trail bytes, cutting, line numbers, messages
// and the listing's stop rule.
#include "FindState.h"

#include <gtest/gtest.h>

#include "FindTexts.h"

using namespace find_state;

#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

TEST(SearchHistory, MovesToFrontFillsEmptySlotsThenReplacesTheLast) {
    SearchHistory h;
    for (const char* t : {"a", "b", "c"}) h.add(t);
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"c", "b", "a"}));
    h.add("a");   // already there: to the front, nothing lost
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"a", "c", "b"}));
    for (const char* t : {"d", "e", "f"}) h.add(t);
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"f", "e", "d", "a", "c", "b"}));
    h.add("g");   // full: the last slot ("b") goes
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"g", "f", "e", "d", "a", "c"}));
    h.add("A");   // byte comparison: case counts
    EXPECT_EQ(h.front(), "A");
    EXPECT_EQ(h.entry(5), "a");
    h.add("");    // an empty text is never an entry
    EXPECT_EQ(h.front(), "A");
}

TEST(Unescape, TabBackslashAndTrailBytesThatLookLikeBackslashes) {
    EXPECT_EQ(unescape("a\\tb"), "a\tb");
    EXPECT_EQ(unescape("a\\\\tb"), "a\\tb");
    EXPECT_EQ(unescape("a\\xb"), "a\\xb");
    EXPECT_EQ(unescape("a\\"), "a\\");          // a final backslash stays
    EXPECT_EQ(unescape("\\\\\\t"), "\\\t");
    // "ソ" is 83 5C: its trail is not an escape, so "ソ\t" keeps ソ and turns \t into a tab.
    EXPECT_EQ(unescape(BYTES("\x83\x5c\\t")), BYTES("\x83\x5c\t"));
    // "ソt": the trail and the following t are not "\t".
    EXPECT_EQ(unescape(BYTES("\x83\x5ct")), BYTES("\x83\x5ct"));
    // Half-width katakana are single bytes.
    EXPECT_EQ(unescape(BYTES("\xb1\\t")), BYTES("\xb1\t"));
    // A lone lead byte at the end is copied as it is.
    EXPECT_EQ(unescape(BYTES("a\x83")), BYTES("a\x83"));
}

TEST(CutText, NeverEndsInALoneLeadByte) {
    std::string text(543, 'a');
    text += BYTES("\x95\x5c");   // 表 at bytes 543 and 544: the trail would be cut off
    EXPECT_EQ(cutText(text.data(), text.size(), kTextBytes), std::string(543, 'a'));
    std::string exact(542, 'a');
    exact += BYTES("\x95\x5c");
    EXPECT_EQ(cutText(exact.data(), exact.size(), kTextBytes), exact);
    // A truncated read that already ends in a lead byte.
    EXPECT_EQ(cutText("ab\x83", 3, kTextBytes), "ab");
    EXPECT_EQ(cutText("ab\xb1", 3, kTextBytes), "ab\xb1");
    EXPECT_EQ(cutText("12345", 5, 3), "123");
}

TEST(ParseLineNumber, DigitsOfBothWidthsBlanksAndTheEnd) {
    auto parse = [](const std::string& s) { return parseLineNumber(s.data(), s.size()); };
    EXPECT_EQ(parse(BYTES("\x82\x50\x82\x51\x82\x52")), 123);   // "１２３"
    EXPECT_EQ(parse("12 3"), 123);
    EXPECT_EQ(parse(BYTES("1\x81\x40" "2\t3")), 123);          // full-width blank and tab
    EXPECT_EQ(parse("12a"), 12);
    EXPECT_EQ(parse("abc"), 0);
    EXPECT_EQ(parse("0"), 0);
    EXPECT_EQ(parse(""), 0);
    EXPECT_EQ(parse(" 7"), 7);
    EXPECT_EQ(parse("-5"), 0);
    EXPECT_EQ(parse(BYTES("1\x82\x60")), 1);                   // "Ａ" ends the number
    EXPECT_EQ(parse(std::string(100, '9')), INT32_MAX);         // saturates
    EXPECT_EQ(parse("2147483647"), INT32_MAX);
    EXPECT_EQ(parse("2147483648"), INT32_MAX);
    EXPECT_EQ(parse(BYTES("4\x82")), 4);                        // a lone lead byte ends it
}

TEST(MatchMessage, EachStateHasItsText) {
    EXPECT_EQ(matchMessage({true, true, false}, true), nullptr);
    EXPECT_STREQ(matchMessage({false, true, false}, true), find_text::kOnlyUpToolbar);
    EXPECT_STREQ(matchMessage({false, true, false}, false), find_text::kOnlyUp);
    EXPECT_STREQ(matchMessage({true, false, false}, true), find_text::kOnlyDownToolbar);
    EXPECT_STREQ(matchMessage({true, false, true}, false), find_text::kOnlyDown);
    EXPECT_STREQ(matchMessage({false, false, true}, true), find_text::kOnlyHere);
    EXPECT_STREQ(matchMessage({false, false, false}, false), find_text::kNoMatchAtAll);
    EXPECT_TRUE(anyMatch({false, false, true}));
    EXPECT_FALSE(matchInDirection({true, false, false}, true));
}

TEST(WordMenuText, QuotesTheWordAndDoublesAmpersands) {
    EXPECT_EQ(wordMenuText("a&b&&"), std::string("\"a&&b&&&&\"") + find_text::kSearchWordSuffix);
    EXPECT_EQ(wordMenuText(BYTES("\x83\x5c")), BYTES("\"\x83\x5c\"") + find_text::kSearchWordSuffix);
}

TEST(ReplaceAllMessage, CountOrNoMatch) {
    EXPECT_EQ(replaceAllMessage(3), BYTES("3\x8c\xc2\x81" "A\x92u\x8a\xb7\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd"));
    EXPECT_EQ(replaceAllMessage(0), find_text::kNoMatch);
}

TEST(ResultTable, ProgressEvery64AndStopAfter1000) {
    ResultTable t;
    int progress = 0;
    bool stopped = false;
    for (int32_t line = 1; line <= 1200 && !stopped; ++line) {
        ResultTable::Step s = t.add(line * 2);
        progress += s.showProgress;
        stopped = s.stop;
    }
    EXPECT_TRUE(stopped);
    EXPECT_EQ(t.count(), 1000);
    EXPECT_EQ(progress, 1000 / 64);
    t.addUnnumbered();
    t.add(-1);   // the closing line
    EXPECT_EQ(t.size(), 1002u);
    EXPECT_EQ(t.lineAt(0), 2);
    EXPECT_EQ(t.lineAt(999), 2000);
    EXPECT_EQ(t.lineAt(1000), 0);
    EXPECT_EQ(t.lineAt(1001), 0);
    EXPECT_EQ(t.lineAt(5000), 0);
    EXPECT_EQ(t.count(), 1000);
    t.clear();
    EXPECT_EQ(t.size(), 0u);
}

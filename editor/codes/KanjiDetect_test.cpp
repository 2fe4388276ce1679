// Tests of Kanji's detection: the plain prefix, the JIS escapes, the scores and their saturation,
// and verdicts on real Japanese text, long and short.
#include "Kanji.h"

#include <gtest/gtest.h>

#include "KanjiTestSupport.h"

namespace {

DetectVerdict detect(const Bytes& b) { return Kanji::detect(b.data(), static_cast<uint32_t>(b.size())); }
DetectVerdict detect(const char* s) { return detect(bytesOf(s)); }

Bytes repeat(const Bytes& unit, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

uint32_t weightOf(unsigned row, unsigned cell) { return JisWeightTable[(row - 1) * 128 + cell - 1]; }

// Japanese characters (non-ASCII) of a UTF-8 line.
size_t japaneseCharacters(const Bytes& utf8) {
    size_t n = 0;
    for (uint8_t b : utf8) n += (b & 0xC0) == 0xC0;
    return n;
}

}  // namespace

TEST(KanjiDetect, PlainTextIsAscii) {
    EXPECT_EQ(detect(""), DetectVerdict::Ascii);
    EXPECT_EQ(detect("plain\ttext\r\nwith \x1A end\n"), DetectVerdict::Ascii);
    EXPECT_EQ(detect("bell \x07 only"), DetectVerdict::ShiftJis);  // three zero scores
    EXPECT_EQ(detect("del \x7F"), DetectVerdict::ShiftJis);
    for (int b = 0; b < 256; ++b) {
        bool plain = b == 0x09 || b == 0x0A || b == 0x0D || b == 0x1A || (b >= 0x20 && b <= 0x7E);
        EXPECT_EQ(Kanji::firstStopTable[b] == 0, plain) << b;
    }
}

TEST(KanjiDetect, JisEscapesBeforeAnyOtherMarkedByte) {
    EXPECT_EQ(detect("abc \x1B$BI=\x1B(B"), DetectVerdict::Jis);
    EXPECT_EQ(detect("\x1B$@I="), DetectVerdict::Jis);
    EXPECT_EQ(detect("\x1BKI=\x1BH"), DetectVerdict::Jis);
    EXPECT_EQ(detect("a\x0E\x31\x0F"), DetectVerdict::Jis);
    EXPECT_EQ(detect("abc\x1B$B"), DetectVerdict::ShiftJis);  // fewer than four bytes from ESC
    EXPECT_EQ(detect("abc\x1BK"), DetectVerdict::ShiftJis);
    EXPECT_EQ(detect("\x1B(Bx\x1B$B"), DetectVerdict::ShiftJis);  // not at the first stop
    // Shift_JIS kanji before the escape: the escape is not looked at.
    EXPECT_EQ(detect("\x93\xFA\x96\x7B\x8C\xEA\x1B$BF|\x1B(B"), DetectVerdict::ShiftJis);
}

TEST(KanjiScores, MalformedTextScoresZero) {
    Bytes sjis = bytesOf("\x82\xA0\x82\xA2\xF0\x40");  // あい and a user-defined character
    EXPECT_EQ(Kanji::scoreShiftJis(sjis.data(), 6), 0u);
    EXPECT_EQ(Kanji::scoreShiftJis(sjis.data(), 4), weightOf(4, 2) + weightOf(4, 4));
    EXPECT_EQ(Kanji::scoreShiftJis(sjis.data(), 3), 0u);         // lead byte last
    Bytes badTrail = bytesOf("\x82\xA0\x82\x20");
    EXPECT_EQ(Kanji::scoreShiftJis(badTrail.data(), 4), 0u);
    Bytes kana = bytesOf("\xB1\xB2\x80\xA0\xFD");                // one-byte characters only
    EXPECT_EQ(Kanji::scoreShiftJis(kana.data(), 5), 0u);
    Bytes euc = bytesOf("\xA4\xA2\x8E\xB1\x8F");
    EXPECT_EQ(Kanji::scoreEucJp(euc.data(), 5), weightOf(4, 2));
    EXPECT_EQ(Kanji::scoreEucJp(euc.data(), 3), 0u);
    Bytes eucBad = bytesOf("\x8E\xE0");
    EXPECT_EQ(Kanji::scoreEucJp(eucBad.data(), 2), 0u);
    Bytes utf8 = bytesOf("\xE3\x81\x82\xE3\x81\x84");            // あい
    EXPECT_EQ(Kanji::scoreUtf8(utf8.data(), 6), weightOf(4, 2) + weightOf(4, 4));
    EXPECT_EQ(Kanji::scoreUtf8(utf8.data(), 5), 0u);             // last character cut short
    uint32_t n = 5;
    EXPECT_FALSE(Kanji::decodeUtf8(utf8.data(), utf8.data(), &n));
    Bytes stray = bytesOf("\xE3\x81\x82\x81");
    EXPECT_EQ(Kanji::scoreUtf8(stray.data(), 4), 0u);
}

TEST(KanjiScores, SaturationDependsOnWhereTheSumReached65536) {
    // あ weighs 222: the 296th reaches 65536 after 592 bytes of Shift_JIS or EUC-JP.
    ASSERT_EQ(weightOf(4, 2), 222u);
    Bytes sjis = repeat(bytesOf("\x82\xA0"), 1000), euc = repeat(bytesOf("\xA4\xA2"), 1000);
    EXPECT_EQ(Kanji::scoreShiftJis(sjis.data(), 2000), 0xFFFFFFFFu - 592 / 2);
    EXPECT_EQ(Kanji::scoreEucJp(euc.data(), 2000), 0xFFFFFFFFu - 592 / 2);
    // Saturated before a malformed tail: the tail is never seen.
    sjis.push_back(0x82);
    EXPECT_EQ(Kanji::scoreShiftJis(sjis.data(), 2001), 0xFFFFFFFFu - 296);
    // UTF-8: the whole first chunk (3000 bytes) plus 592 bytes of its converted output.
    Bytes utf8 = repeat(bytesOf("\xE3\x81\x82"), 1000);
    EXPECT_EQ(Kanji::scoreUtf8(utf8.data(), 3000), 0xFFFFFFFFu - (3000 + 592) / 2);
    // Past the first chunk: 8190 bytes of ASCII fill it, a character does not fit at its end.
    Bytes late(8190, 'x');
    Bytes tail = repeat(bytesOf("\xE3\x81\x82"), 400);
    late.insert(late.end(), tail.begin(), tail.end());
    EXPECT_EQ(Kanji::scoreUtf8(late.data(), static_cast<uint32_t>(late.size())),
              0xFFFFFFFFu - (8190 + 1200 + 592) / 2);
    // The code saturating first wins: UTF-8 here, since its p is larger only by the prefix.
    EXPECT_EQ(detect(utf8), DetectVerdict::Utf8);
    EXPECT_EQ(detect(sjis), DetectVerdict::ShiftJis);
    EXPECT_EQ(detect(euc), DetectVerdict::EucJp);
}

TEST(KanjiDetectSample, WholeTextInEachCode) {
    EXPECT_EQ(detect(readTestData("less-ja.sjis")), DetectVerdict::ShiftJis);
    EXPECT_EQ(detect(readTestData("less-ja.euc")), DetectVerdict::EucJp);
    EXPECT_EQ(detect(readTestData("less-ja.txt")), DetectVerdict::Utf8);
    EXPECT_EQ(detect(readTestData("less-ja.jis")), DetectVerdict::Jis);
}

// Every line of the sample on its own, down to lines of three Japanese characters.
TEST(KanjiDetectSample, ShortLinesInEachCode) {
    std::vector<Bytes> utf8 = splitLines(readTestData("less-ja.txt"));
    std::vector<Bytes> sjis = splitLines(readTestData("less-ja.sjis"));
    std::vector<Bytes> euc = splitLines(readTestData("less-ja.euc"));
    ASSERT_EQ(utf8.size(), sjis.size());
    ASSERT_EQ(utf8.size(), euc.size());
    int shortLines = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        size_t n = japaneseCharacters(utf8[i]);
        if (n < 3) continue;
        shortLines += n <= 9;
        EXPECT_EQ(detect(sjis[i]), DetectVerdict::ShiftJis) << "line " << i;
        EXPECT_EQ(detect(euc[i]), DetectVerdict::EucJp) << "line " << i;
        EXPECT_EQ(detect(utf8[i]), DetectVerdict::Utf8) << "line " << i;
    }
    EXPECT_GE(shortLines, 5);
}

TEST(KanjiDetectSample, KatakanaAndVendorCharactersInShiftJis) {
    // ｶﾀｶﾅ を 含む ①, written in Shift_JIS: half-width katakana pair up as EUC-JP, but the
    // kana and kanji outweigh them.
    EXPECT_EQ(detect("\xB6\xC0\xB6\xC5\x82\xF0\x8A\xDC\x82\xDE\x87\x40"), DetectVerdict::ShiftJis);
}

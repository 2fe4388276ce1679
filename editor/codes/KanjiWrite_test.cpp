// Tests of the Kanji writers, and of round trips through every code on real Japanese text.
#include "Kanji.h"

#include <gtest/gtest.h>

#include "KanjiTestSupport.h"

namespace {

bool writeSjis(std::FILE* f, const uint8_t* line, uint32_t n) { return std::fwrite(line, 1, n, f) == n; }

bool decodeSjis(const uint8_t*, uint8_t*, uint32_t*) { return true; }
bool decodeUtf8(const uint8_t* s, uint8_t* d, uint32_t* n) { return Kanji::decodeUtf8(s, d, n); }
bool decodeUtf16(const uint8_t* s, uint8_t* d, uint32_t* n) { return Kanji::decodeUtf16Le(s, d, n); }

struct Code {
    const char* name;
    const char* file;
    bool (*write)(std::FILE*, const uint8_t*, uint32_t);
    bool (*decode)(const uint8_t*, uint8_t*, uint32_t*);
    bool wide;
};

const Code kCodes[] = {
    {"ShiftJis", "less-ja.sjis", writeSjis, decodeSjis, false},
    {"Jis", "less-ja.jis", Kanji::writeJis, Kanji::decodeJis, false},
    {"EucJp", "less-ja.euc", Kanji::writeEucJp, Kanji::decodeEucJp, false},
    {"Utf8", "less-ja.txt", Kanji::writeUtf8, decodeUtf8, false},
    {"Utf16Le", "less-ja.u16", Kanji::writeUtf16Le, decodeUtf16, true},
};

// Lines of a UTF-16LE text split at the unit 0A 00.
std::vector<Bytes> splitWideLines(const Bytes& text) {
    std::vector<Bytes> lines(1);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        if (text[i] == 0x0A && text[i + 1] == 0) {
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
            lines.back().push_back(text[i + 1]);
        }
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

Bytes roundTrip(const Code& code, const Bytes& sjis, bool* ok) {
    bool written = false, decoded = false;
    Bytes out = decodeWith(code.decode, writeWith(code.write, sjis, &written), &decoded);
    *ok = written && decoded;
    return out;
}

}  // namespace

// The sample was converted into each code by another converter; every line must decode to the
// Shift_JIS line and every Shift_JIS line must be written as that converter wrote it.
TEST(KanjiSample, EveryCodeDecodesAndWritesLikeAnIndependentConverter) {
    std::vector<Bytes> sjis = splitLines(readTestData("less-ja.sjis"));
    ASSERT_EQ(sjis.size(), 60u);
    for (const Code& code : kCodes) {
        Bytes data = readTestData(code.file);
        std::vector<Bytes> lines = code.wide ? splitWideLines(data) : splitLines(data);
        ASSERT_EQ(lines.size(), sjis.size()) << code.name;
        for (size_t i = 0; i < lines.size(); ++i) {
            bool ok = false;
            EXPECT_EQ(decodeWith(code.decode, lines[i], &ok), sjis[i]) << code.name << " line " << i;
            EXPECT_TRUE(ok) << code.name << " line " << i;
            EXPECT_EQ(writeWith(code.write, sjis[i], &ok), lines[i]) << code.name << " line " << i;
            EXPECT_TRUE(ok);
        }
    }
}

TEST(KanjiRoundTrip, KatakanaAndVendorRowsInEveryCodeThatCarriesThem) {
    // ｱｲｳ 表 ソ ① ㈱ Ⅰ(NEC) ≒(NEC) 纊(NEC-selected IBM) ｰ, and a 0x5C trail at the end.
    const Bytes common = bytesOf("\xB1\xB2\xB3 \x95\x5C\x83\x5C\x87\x40\x87\x8A\x87\x54\x87\x90"
                                 "\xED\x40\xB0\x94\x5C");
    for (const Code& code : kCodes) {
        bool ok = false;
        EXPECT_EQ(roundTrip(code, common, &ok), code.wide || code.decode == decodeUtf8
                                                     ? bytesOf("\xB1\xB2\xB3 \x95\x5C\x83\x5C\x87\x40"
                                                               "\x87\x8A\x87\x54\x81\xE0\xFA\x5C"
                                                               "\xB0\x94\x5C")
                                                     : common)
            << code.name;
        EXPECT_TRUE(ok) << code.name;
    }
    // The IBM extension rows (FA-FC) and the user-defined area have no JIS X 0208 row; only the
    // Unicode forms carry them.
    const Bytes ibm = bytesOf("\xFA\x40\xFA\x4A\xFA\x5C\xFB\xFC\xFC\x4B\xF0\x40\xF9\xFC");
    for (const Code& code : {kCodes[3], kCodes[4]}) {
        bool ok = false;
        EXPECT_EQ(roundTrip(code, ibm, &ok), bytesOf("\xFA\x40\x87\x54\xFA\x5C\xFB\xFC\xFC\x4B"
                                                     "\xF0\x40\xF9\xFC"))
            << code.name;  // the IBM Roman numeral I comes back as its NEC twin
        EXPECT_TRUE(ok);
    }
}

TEST(KanjiWriteJis, KatakanaRunThenKanjiAndModeAtLineEnd) {
    EXPECT_EQ(writeWith(Kanji::writeJis, bytesOf("\xB1\xB2\x95\x5C")),  // ｱｲ表
              bytesOf("\x0E\x31\x32\x0F\x1B$BI=\x1B(B"));
    EXPECT_EQ(writeWith(Kanji::writeJis, bytesOf("\x95\x5C\xB1")),  // 表ｱ: SI also at the end
              bytesOf("\x1B$BI=\x1B(B\x0E\x31\x0F"));
    EXPECT_EQ(writeWith(Kanji::writeJis, bytesOf("a\x95\x5C" "b\x82")),  // lead byte at the end
              bytesOf("a\x1B$BI=\x1B(Bb"));
    EXPECT_EQ(writeWith(Kanji::writeJis, bytesOf("\x95\x5C\x82")), bytesOf("\x1B$BI=\x1B(B"));
    EXPECT_EQ(writeWith(Kanji::writeJis, Bytes()), Bytes());
}

TEST(KanjiWriteEucJp, KatakanaPairsAndDroppedLead) {
    EXPECT_EQ(writeWith(Kanji::writeEucJp, bytesOf("\xB1" "a\x95\x5C\x87\x40\x82")),
              bytesOf("\x8E\xB1" "a\xC9\xBD\xAD\xA1"));
}

TEST(KanjiWriteUnicode, LongLinesAcrossChunkBoundaries) {
    // One ASCII byte first, so a double-byte character straddles every chunk boundary.
    Bytes sjis(1, 'a'), utf8(1, 'a'), utf16 = {'a', 0};
    for (int i = 0; i < 9000; ++i) {
        sjis.insert(sjis.end(), {0x95, 0x5C});           // 表 U+8868
        utf8.insert(utf8.end(), {0xE8, 0xA1, 0xA8});
        utf16.insert(utf16.end(), {0x68, 0x88});
    }
    EXPECT_EQ(writeWith(Kanji::writeUtf8, sjis), utf8);
    EXPECT_EQ(writeWith(Kanji::writeUtf16Le, sjis), utf16);
    // A line of half-width katakana triples in UTF-8.
    Bytes kana(20000, 0xB1), kana8;
    for (int i = 0; i < 20000; ++i) kana8.insert(kana8.end(), {0xEF, 0xBD, 0xB1});
    bool ok = false;
    EXPECT_EQ(writeWith(Kanji::writeUtf8, kana, &ok), kana8);
    EXPECT_TRUE(ok);
    EXPECT_EQ(decodeWith(decodeUtf8, kana8), kana);
}

TEST(KanjiWriteUnicode, FullWidthQuestionMarkAndLoneLead) {
    EXPECT_EQ(writeWith(Kanji::writeUtf16Le, bytesOf("\x81\x48")), bytesOf("\x1F\xFF"));
    EXPECT_EQ(writeWith(Kanji::writeUtf8, bytesOf("a\x82")), bytesOf("a\xE3\x83\xBB"));
    EXPECT_EQ(writeWith(Kanji::writeUtf8, Bytes()), Bytes());
}

TEST(KanjiWrite, StreamErrorsAreReported) {
    std::string path = std::string(ULO_CODES_TESTDATA) + "/less-ja.txt";
    const Bytes line = bytesOf("\xB1\x95\x5C" "abc");
    for (const Code& code : kCodes) {
        if (code.write == writeSjis) continue;
        std::FILE* readOnly = std::fopen(path.c_str(), "rb");
        ASSERT_NE(readOnly, nullptr);
        EXPECT_FALSE(code.write(readOnly, line.data(), static_cast<uint32_t>(line.size())))
            << code.name;
        std::fclose(readOnly);
    }
}

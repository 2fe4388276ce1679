// Tests of the Kanji decoders: escapes and malformed input, chunk boundaries, and a randomised
// run over arbitrary bytes that must never write past the line.
#include "Kanji.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Cp932.h"
#include "KanjiTestSupport.h"
#include "Utf8.h"

namespace {

bool decodeUtf8(const uint8_t* s, uint8_t* d, uint32_t* n) { return Kanji::decodeUtf8(s, d, n); }
bool decodeUtf16(const uint8_t* s, uint8_t* d, uint32_t* n) { return Kanji::decodeUtf16Le(s, d, n); }

Bytes jis(const char* s, bool* ok = nullptr) { return decodeWith(Kanji::decodeJis, bytesOf(s), ok); }

bool fails(bool (*decoder)(const uint8_t*, uint8_t*, uint32_t*), const Bytes& input) {
    bool ok = true;
    decodeWith(decoder, input, &ok);
    return !ok;
}

}  // namespace

TEST(KanjiDecodeJis, EscapesSwitchModes) {
    EXPECT_EQ(jis("a\x1B$BI=\x1B(Bb"), bytesOf("a\x95\x5C" "b"));
    EXPECT_EQ(jis("\x1B$@I=\x1B(JI=\x1B$BI=\x1B(HI="), bytesOf("\x95\x5CI=\x95\x5CI="));
    EXPECT_EQ(jis("\x1BKI=\x1BHI="), bytesOf("\x95\x5CI="));
    // A line ending in kanji mode without ESC ( B; the next line starts in ASCII mode.
    EXPECT_EQ(jis("\x1B$BI=$\""), bytesOf("\x95\x5C\x82\xA0"));
    EXPECT_EQ(jis("I="), bytesOf("I="));
    EXPECT_EQ(jis("\x1B$BI=$"), bytesOf("\x95\x5C"));  // half a character is dropped
    EXPECT_EQ(jis("\x1B$BI=\x1B("), bytesOf("\x95\x5C"));  // designation cut by the line end
    EXPECT_EQ(jis("\x0E\x31\x32\x0F" "a\x0E\x5F"), bytesOf("\xB1\xB2" "a\xDF"));  // SO run to the end
    EXPECT_EQ(jis("\x1B$B\x0E\x31\x0FI="), bytesOf("\xB1\x95\x5C"));  // SO inside kanji mode
    EXPECT_EQ(jis(""), Bytes());
}

TEST(KanjiDecodeJis, EightBitBytesInKanjiModeCountAsSevenBit) {
    // "\xC9\xBD" is "I=" with the high bits set: 表, as EUC-JP reads it.
    EXPECT_EQ(jis("\x1B$B\xC9\xBD\x1B(B"), bytesOf("\x95\x5C"));
    // No pair, one at a time or in a long run, may decode to a line end: 0xB9 used to give 0x0D.
    Bytes run = bytesOf("\x1B$B");
    for (int row = 0x80; row < 0x100; ++row) {
        for (int cell = 0x80; cell < 0x100; ++cell) {
            const Bytes one = decodeWith(Kanji::decodeJis, Bytes{0x1B, '$', 'B', uint8_t(row), uint8_t(cell)});
            ASSERT_EQ(std::count(one.begin(), one.end(), 0x0D) + std::count(one.begin(), one.end(), 0x0A), 0)
                << row << " " << cell;
            run.push_back(uint8_t(row));
            run.push_back(uint8_t(cell));
        }
    }
    const Bytes all = decodeWith(Kanji::decodeJis, run);
    EXPECT_EQ(all.size(), run.size() - 3);
    EXPECT_EQ(std::count(all.begin(), all.end(), 0x0D) + std::count(all.begin(), all.end(), 0x0A), 0);
}

TEST(KanjiDecodeJis, MalformedEscapesFail) {
    for (const char* bad : {"a\x1B", "a\x1B$", "\x1B$A", "\x1B$(D", "\x1B(I", "\x1B(0", "\x1B" "x",
                            "\x1B$BI=\x1B"}) {
        EXPECT_TRUE(fails(Kanji::decodeJis, bytesOf(bad))) << bad + 1;
    }
}

TEST(KanjiDecodeEucJp, PairsKatakanaAndTruncation) {
    EXPECT_EQ(decodeWith(Kanji::decodeEucJp, bytesOf("a\xC9\xBD\x8E\xB1\xAD\xA1\xF9\xA1")),
              bytesOf("a\x95\x5C\xB1\x87\x40\xED\x40"));
    EXPECT_TRUE(fails(Kanji::decodeEucJp, bytesOf("a\xC9")));
    EXPECT_TRUE(fails(Kanji::decodeEucJp, bytesOf("a\x8E")));
    EXPECT_TRUE(fails(Kanji::decodeEucJp, bytesOf("\xC9\xBD\xFF")));
}

TEST(KanjiDecodeUtf8, MalformedAndCutSequencesFail) {
    for (const char* bad : {"\x80", "a\xBF" "b", "\xC0\x80", "\xC1\xBF", "\xF0\x9F\x98\x80", "\xF8",
                            "\xFF", "a\xC3", "\xE3\x81", "\xE3"}) {
        EXPECT_TRUE(fails(decodeUtf8, bytesOf(bad))) << Bytes(bytesOf(bad)).size();
    }
    EXPECT_EQ(decodeWith(decodeUtf8, Bytes()), Bytes());
}

TEST(KanjiDecodeUtf8, ReplacementSetsLossyEvenWithoutFlag) {
    Bytes line = bytesOf("\xE4\xB8\x82\xE3\x81\x82\xC3\xA9");  // 丂 (no Shift_JIS form) あ é
    bool lossy = false;
    uint32_t n = static_cast<uint32_t>(line.size());
    ASSERT_TRUE(Kanji::decodeUtf8(line.data(), line.data(), &n, &lossy));
    EXPECT_EQ(Bytes(line.begin(), line.begin() + n), bytesOf("\x81\x48\x82\xA0" "e"));
    EXPECT_TRUE(lossy);
    line = bytesOf("\xE4\xB8\x82");
    EXPECT_EQ(decodeWith(decodeUtf8, line), bytesOf("\x81\x48"));  // "？" without a flag too
    lossy = false;
    line = bytesOf("\xE3\x81\x82" "a");
    n = 4;
    ASSERT_TRUE(Kanji::decodeUtf8(line.data(), line.data(), &n, &lossy));
    EXPECT_FALSE(lossy);
    // Unix-origin forms load as the code page's own characters: 〜 − ‖ ¢.
    line = bytesOf("\xE3\x80\x9C\xE2\x88\x92\xE2\x80\x96\xC2\xA2");
    n = static_cast<uint32_t>(line.size());
    ASSERT_TRUE(Kanji::decodeUtf8(line.data(), line.data(), &n, &lossy));
    EXPECT_EQ(Bytes(line.begin(), line.begin() + n), bytesOf("\x81\x60\x81\x7C\x81\x61\x81\x91"));
    EXPECT_FALSE(lossy);
}

TEST(KanjiDecodeUtf8, SequencesAcrossChunkBoundaries) {
    for (size_t lead : {0u, 1u, 2u}) {
        Bytes utf8(lead, 'a'), sjis(lead, 'a');
        for (int i = 0; i < 7000; ++i) {
            utf8.insert(utf8.end(), {0xE3, 0x81, 0x82});  // あ
            sjis.insert(sjis.end(), {0x82, 0xA0});
            if (i % 3 == 0) utf8.insert(utf8.end(), {0xC2, 0xA2}), sjis.insert(sjis.end(), {0x81, 0x91});
        }
        EXPECT_EQ(decodeWith(decodeUtf8, utf8), sjis) << lead;
    }
}

TEST(KanjiDecodeUtf16Le, OddByteSurrogatesAndLossy) {
    Bytes text = {'A', 0, 0x42, 0x30, 'B'};  // A あ and an odd byte
    EXPECT_EQ(decodeWith(decodeUtf16, text), bytesOf("A\x82\xA0"));
    Bytes odd = {'A', 0, 'x'};
    EXPECT_EQ(decodeWith(decodeUtf16, odd), bytesOf("A"));
    Bytes pair = {0x3D, 0xD8, 0x00, 0xDE, 0x02, 0x4E};  // U+1F600, 丂
    bool lossy = false;
    uint32_t n = 6;
    ASSERT_TRUE(Kanji::decodeUtf16Le(pair.data(), pair.data(), &n, &lossy));
    EXPECT_EQ(Bytes(pair.begin(), pair.begin() + n), bytesOf("\x81\x48\x81\x48\x81\x48"));
    EXPECT_TRUE(lossy);
    EXPECT_EQ(decodeWith(decodeUtf16, Bytes()), Bytes());
    Bytes one(1, 'A');
    EXPECT_EQ(decodeWith(decodeUtf16, one), Bytes());
    Bytes longLine, sjis;
    for (int i = 0; i < 9000; ++i) longLine.insert(longLine.end(), {0x68, 0x88}), sjis.insert(sjis.end(), {0x95, 0x5C});
    EXPECT_EQ(decodeWith(decodeUtf16, longLine), sjis);
}

// Long lines go eight units at a time where the processor allows it; every unit, in lines that
// mix it with ASCII and kanji at every position of a block, must read as it reads alone.
TEST(KanjiDecodeUtf16Le, LongLinesReadEveryUnitAsAlone) {
    Bytes expected[65536];
    bool lossyAlone[65536];
    for (uint32_t u = 0; u < 65536; ++u) {
        Bytes one = {uint8_t(u), uint8_t(u >> 8)};
        uint32_t n = 2;
        lossyAlone[u] = false;
        ASSERT_TRUE(Kanji::decodeUtf16Le(one.data(), one.data(), &n, &lossyAlone[u]));
        expected[u].assign(one.begin(), one.begin() + n);
    }
    // Every unit, then only the units with a form ("？" itself must not count as a replacement).
    std::vector<uint32_t> all, withForm;
    for (uint32_t u = 0; u < 65536; ++u) {
        all.push_back(u);
        if (!lossyAlone[u]) withForm.push_back(u);
    }
    for (const std::vector<uint32_t>* units : {&all, &withForm}) {
        for (uint32_t first = 0; first < units->size(); first += 509) {
            Bytes line, want;
            bool wantLossy = false;
            for (uint32_t k = 0; k < 509 && first + k < units->size(); ++k) {
                uint32_t u = k % 3 == 1 ? (k % 2 ? 'a' : 0x6F22) : (*units)[first + k];
                line.insert(line.end(), {uint8_t(u), uint8_t(u >> 8)});
                want.insert(want.end(), expected[u].begin(), expected[u].end());
                wantLossy |= lossyAlone[u];
            }
            uint32_t n = uint32_t(line.size());
            bool lossy = false;
            ASSERT_TRUE(Kanji::decodeUtf16Le(line.data(), line.data(), &n, &lossy));
            EXPECT_EQ(Bytes(line.begin(), line.begin() + n), want) << first;
            EXPECT_EQ(lossy, wantLossy) << first;
        }
    }
}

// Arbitrary bytes, biased towards the ones that steer the decoders, through every decoder both in
// place and into a separate buffer; guard bytes after the line must stay untouched.
TEST(KanjiDecodeRandom, ArbitraryBytesNeverCrashOrOverrun) {
    const uint8_t steering[] = {0x1B, '$', '(', 'B', '@', 'J', 'H', 'K', 0x0E, 0x0F, 0x8E, 0x8F,
                                0xE3, 0xC2, 0xEF, 0x80, 0xBF, 0xF0, 0xFF, 0x00, 0xA1, 0xFE, 0x81};
    bool (*decoders[])(const uint8_t*, uint8_t*, uint32_t*) = {Kanji::decodeJis, Kanji::decodeEucJp,
                                                               decodeUtf8, decodeUtf16};
    const size_t kGuard = 32;
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        size_t size = round % 100 == 0 ? 8000 + random() % 12000 : random() % 64;
        Bytes input(size);
        for (uint8_t& b : input) b = random() % 3 ? steering[random() % sizeof steering] : random() % 256;
        for (auto decode : decoders) {
            for (bool inPlace : {true, false}) {
                // Apart: the source has exactly its size (a sanitizer build sees any read past
                // it); in place: the line is followed by guard bytes.
                Bytes source = input, out(size + kGuard, 0xCC);
                if (inPlace) std::copy(input.begin(), input.end(), out.begin());
                uint32_t length = static_cast<uint32_t>(size);
                if (decode(inPlace ? out.data() : source.data(), out.data(), &length)) {
                    EXPECT_LE(length, size);
                }
                for (size_t k = size; k < size + kGuard; ++k) ASSERT_EQ(out[k], 0xCC) << round;
            }
        }
        Kanji::detect(input.data(), static_cast<uint32_t>(size));
    }
}

namespace {

// The decoders as plain per-character loops over the code page 932 seam's unit conversion: the
// fast paths (runs of ASCII, pair tables, straight table lookups) must give exactly their result.
bool plainJis(const uint8_t* s, uint8_t* d, uint32_t* length) {
    const uint32_t n = *length;
    uint32_t i = 0, o = 0;
    bool kanji = false;
    while (i < n) {
        uint8_t b = s[i];
        if (b == 0x1B) {
            if (i + 1 >= n) return false;
            uint8_t c = s[i + 1];
            if (c == 'K' || c == 'H') {
                kanji = c == 'K';
                i += 2;
                continue;
            }
            if (c != '$' && c != '(') return false;
            if (i + 2 >= n) {
                if (c == '$') return false;
                break;
            }
            uint8_t f = s[i + 2];
            bool ok = c == '$' ? (f == 'B' || f == '@') : (f == 'B' || f == 'J' || f == 'H');
            if (!ok) return false;
            kanji = c == '$';
            i += 3;
        } else if (b == 0x0E) {
            for (++i; i < n && s[i] != 0x0F; ++i) d[o++] = s[i] | 0x80;
            if (i < n) ++i;
        } else if (kanji) {
            if (i + 1 >= n) break;
            uint8_t row = s[i] & 0x7F, cell = s[i + 1] & 0x7F;
            Kanji::jisToSjis(&row, &cell);
            d[o++] = row;
            d[o++] = cell;
            i += 2;
        } else {
            d[o++] = s[i++];
        }
    }
    *length = o;
    return true;
}

bool plainEucJp(const uint8_t* s, uint8_t* d, uint32_t* length) {
    const uint32_t n = *length;
    uint32_t i = 0, o = 0;
    while (i < n) {
        uint8_t b = s[i];
        if (b < 0x80) {
            d[o++] = s[i++];
            continue;
        }
        if (i + 1 >= n) return false;
        if (b == 0x8E) {
            d[o++] = s[i + 1];
        } else {
            uint8_t row = b & 0x7F, cell = s[i + 1] & 0x7F;
            Kanji::jisToSjis(&row, &cell);
            d[o++] = row;
            d[o++] = cell;
        }
        i += 2;
    }
    *length = o;
    return true;
}

bool plainUtf8(const uint8_t* s, uint8_t* d, uint32_t* length, bool* lossy) {
    std::vector<uint16_t> units(utf8::kChunkBytes);
    const uint32_t n = *length;
    uint32_t done = 0, o = 0;
    bool replaced = false;
    while (done < n) {
        utf8::Chunk c = utf8::toUtf16(s + done, n - done, units.data());
        if (c.bad || c.consumed == 0) return false;
        done += c.consumed;
        uint32_t written = cp932::fromUtf16(units.data(), c.units, d + o, done - o, &replaced);
        if (written == 0) return false;
        o += written;
    }
    if (replaced) *lossy = true;
    *length = o;
    return true;
}

bool plainUtf16(const uint8_t* s, uint8_t* d, uint32_t* length, bool* lossy) {
    const uint32_t total = *length / 2;
    uint32_t o = 0;
    bool replaced = false;
    for (uint32_t done = 0; done < total;) {
        uint32_t count = std::min<uint32_t>(total - done, 4096);
        std::vector<uint16_t> units(count);
        for (uint32_t k = 0; k < count; ++k) units[k] = uint16_t(s[2 * (done + k)] | s[2 * (done + k) + 1] << 8);
        done += count;
        uint32_t written = cp932::fromUtf16(units.data(), count, d + o, *length - o, &replaced);
        if (written == 0) return false;
        o += written;
    }
    if (replaced) *lossy = true;
    *length = o;
    return true;
}

// Random lines of ASCII runs (long enough for the sixteen-byte paths), characters of the code and
// steering bytes.
Bytes mixedLine(std::mt19937& random, int code) {
    static const std::vector<Bytes> pieces[4] = {
        {bytesOf("\x1B$B"), bytesOf("\x1B(B"), bytesOf("\x1B(J"), bytesOf("\x1BK"), bytesOf("\x1BH"),
         bytesOf("I="), bytesOf("$\""), bytesOf("\x0E\x31\x32\x0F"), bytesOf("\x0E"), bytesOf("\x1B"),
         bytesOf("\x1B$"), bytesOf("\x1B("), bytesOf("\x1B$B$\"$$$&$($*4A;zI=<(I=\x1B(B"),
         bytesOf("\x1B$B$\"$$$&$($*4A;zI=<(I=$\"$$$&$($*4A;zI=<(")},
        {bytesOf("\xC9\xBD"), bytesOf("\xA4\xA2"), bytesOf("\x8E\xB1"), bytesOf("\x8F\xA2\xAF"),
         bytesOf("\xFE\xFE"), bytesOf("\xA1"), bytesOf("\x8E"),
         bytesOf("\xA4\xA2\xA4\xA4\xA4\xA6\xA4\xA8\xA4\xAA\xB4\xC1\xBB\xFA\xC9\xBD\xBC\xA8\xB0\xA1"),
         bytesOf("\xA4\xA2\xA4\xA4\xA4\xA6\xA4\xA8\xA4\xAA\xB4\xC1\xBB\xFA\xC9\xBD\xBC\xA8\xB0\xA1\xA4\xA2\xA4\xA4\xA4\xA6\xA4\xA8\xA4\xAA\xB4\xC1\xBB\xFA\xC9\xBD\xBC\xA8\xB0")},
        {bytesOf("\xE3\x81\x82"), bytesOf("\xE4\xB8\x82"), bytesOf("\xC2\xA2"), bytesOf("\xE3\x80\x9C"),
         bytesOf("\xEF\xBD\xB1"), bytesOf("\xED\xA0\x80"), bytesOf("\xE3\x81"), bytesOf("\x80"), bytesOf("\xF0")},
        {Bytes{0x42, 0x30}, Bytes{0x02, 0x4E}, Bytes{0x5C, 0x00}, Bytes{0x7F, 0x00}, Bytes{0x80, 0x00},
         Bytes{0x3D, 0xD8}, Bytes{0x1C, 0x30}, Bytes{0x61, 0xFF}, Bytes{0x00, 0x01}}};
    Bytes line;
    int parts = int(random() % 12);
    for (int p = 0; p < parts; ++p) {
        if (random() % 3 == 0) {
            size_t run = random() % 40;
            for (size_t k = 0; k < run; ++k) {
                uint8_t b = uint8_t(0x20 + random() % 0x5F);
                line.push_back(b);
                if (code == 3) line.push_back(0);
            }
        } else {
            const Bytes& piece = pieces[code][random() % pieces[code].size()];
            line.insert(line.end(), piece.begin(), piece.end());
        }
    }
    if (code == 3 && random() % 5 == 0) line.push_back('x');  // an odd byte at the end
    return line;
}

}  // namespace

TEST(KanjiDecodeRandom, FastPathsAgreeWithPlainLoops) {
    std::mt19937 random(4242);
    for (int round = 0; round < 4000; ++round) {
        for (int code = 0; code < 4; ++code) {
            Bytes input = mixedLine(random, code), fast = input, plain = input;
            uint32_t fastLength = uint32_t(input.size()), plainLength = fastLength;
            bool fastLossy = false, plainLossy = false, fastOk, plainOk;
            switch (code) {
            case 0:
                fastOk = Kanji::decodeJis(fast.data(), fast.data(), &fastLength);
                plainOk = plainJis(plain.data(), plain.data(), &plainLength);
                break;
            case 1:
                fastOk = Kanji::decodeEucJp(fast.data(), fast.data(), &fastLength);
                plainOk = plainEucJp(plain.data(), plain.data(), &plainLength);
                break;
            case 2:
                fastOk = Kanji::decodeUtf8(fast.data(), fast.data(), &fastLength, &fastLossy);
                plainOk = plainUtf8(plain.data(), plain.data(), &plainLength, &plainLossy);
                break;
            default:
                fastOk = Kanji::decodeUtf16Le(fast.data(), fast.data(), &fastLength, &fastLossy);
                plainOk = plainUtf16(plain.data(), plain.data(), &plainLength, &plainLossy);
                break;
            }
            ASSERT_EQ(fastOk, plainOk) << "code " << code << " round " << round;
            if (!fastOk) continue;
            ASSERT_EQ(fastLength, plainLength) << "code " << code << " round " << round;
            ASSERT_EQ(Bytes(fast.begin(), fast.begin() + fastLength), Bytes(plain.begin(), plain.begin() + plainLength))
                << "code " << code << " round " << round;
            ASSERT_EQ(fastLossy, plainLossy) << "code " << code << " round " << round;
        }
    }
}

// Decoding many lines at once must give what decoding each line on its own gives: the same
// bytes up to the first line that fails, that line's place, and the later lines untouched.
TEST(KanjiDecodeLines, ManyLinesDecodeAsEachAlone) {
    std::mt19937 random(777);
    const TextEncoding encodings[3] = {TextEncoding::Jis, TextEncoding::EucJp, TextEncoding::Utf8};
    const char* lineEnds[3] = {"\n", "\r\n", "\r"};
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        int code = round % 3;
        Bytes text, expected, rawAfter;
        bool failed = false, fakeLineEnd = false, lossy = false;
        uint32_t expectedDecoded = 0;
        int lineCount = 1 + int(random() % 8);
        for (int k = 0; k < lineCount; ++k) {
            Bytes line = mixedLine(random, code);
            for (uint8_t& b : line)
                if (b == 0x0A || b == 0x0D) b = 'x';
            Bytes end = bytesOf(lineEnds[random() % 3]);
            text.insert(text.end(), line.begin(), line.end());
            text.insert(text.end(), end.begin(), end.end());
            if (failed) {
                rawAfter.insert(rawAfter.end(), line.begin(), line.end());
                rawAfter.insert(rawAfter.end(), end.begin(), end.end());
                continue;
            }
            uint32_t n = uint32_t(line.size());
            bool ok = code == 0 ? Kanji::decodeJis(line.data(), line.data(), &n)
                    : code == 1 ? Kanji::decodeEucJp(line.data(), line.data(), &n)
                                : Kanji::decodeUtf8(line.data(), line.data(), &n, &lossy);
            if (!ok) {
                failed = true;
                expectedDecoded = uint32_t(expected.size());
                continue;
            }
            for (uint32_t j = 0; j < n; ++j) fakeLineEnd |= line[j] == 0x0A || line[j] == 0x0D;
            expected.insert(expected.end(), line.begin(), line.begin() + n);
            expected.insert(expected.end(), end.begin(), end.end());
        }
        // Malformed text that decodes to a CR or LF byte splits lines differently.
        if (fakeLineEnd) continue;
        // A stop leaves an empty line at the LF the rest begins with; decoding goes on after it.
        Bytes result;
        Kanji::LinesDecoded outcome;
        bool linesLossy = false;
        uint32_t length = 0, decoded = 0;
        for (;;) {
            length = uint32_t(text.size());
            outcome = Kanji::decodeLines(encodings[code], text.data(), &length, &decoded, &linesLossy);
            result.insert(result.end(), text.begin(), text.begin() + decoded);
            if (outcome != Kanji::LinesDecoded::Stopped) break;
            ASSERT_EQ(code, 0);
            ASSERT_EQ(text[decoded], 0x0A);
            result.push_back(0x0A);
            text.assign(text.begin() + decoded + 1, text.begin() + length);
        }
        ASSERT_EQ(outcome == Kanji::LinesDecoded::All, !failed) << "code " << code << " round " << round;
        if (!failed) {
            ASSERT_EQ(result, expected) << "code " << code << " round " << round;
            ASSERT_EQ(linesLossy, lossy) << round;
            continue;
        }
        ++failures;
        ASSERT_EQ(result.size(), expectedDecoded) << "code " << code << " round " << round;
        ASSERT_EQ(result, expected) << "code " << code << " round " << round;
        ASSERT_GE(length, decoded + rawAfter.size());
        ASSERT_EQ(Bytes(text.begin() + (length - rawAfter.size()), text.begin() + length), rawAfter)
            << "code " << code << " round " << round;
    }
    EXPECT_GT(failures, 100);
}

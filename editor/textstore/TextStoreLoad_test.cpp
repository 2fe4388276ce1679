// Tests of loading into the store: the line edge cases, line-end counting and choice, chunks,
// borrowing, Auto resolution, per-line decoding, the wrap width and finding lines.
#include "TextStore.h"

#include <gtest/gtest.h>

#include "TextStoreTestSupport.h"

using namespace storetest;

namespace {

class TextStoreLoad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.create(10, 4, 0xFFFFFFFFu, TextEncoding::ShiftJis)); }
    bool load(const std::string& s, TextEncoding e = TextEncoding::ShiftJis) {
        image = bytesOf(s);
        return loadImage(store, image, e);
    }
    TextStore store;
    Bytes image;
};

}  // namespace

TEST_F(TextStoreLoad, CreateGivesAnEmptyDocument) {
    TextStore fresh;
    ASSERT_TRUE(fresh.create(76, 8, 65536, TextEncoding::Auto));
    EXPECT_EQ(fresh.defaultEncoding(), TextEncoding::ShiftJis);
    EXPECT_EQ(fresh.encoding(), TextEncoding::ShiftJis);
    EXPECT_EQ(fresh.lineCount(), 1);
    EXPECT_EQ(fresh.rowCount(), 1);
    EXPECT_EQ(fresh.documentLineEnd(), LineEnd::CrLf);
    EXPECT_EQ(fresh.lastEditId(), 0);
    EXPECT_EQ(fresh.nextEditId(), 1);
    EXPECT_EQ(fresh.dirtyFirstRow(), -1);
    EXPECT_TRUE(fresh.check());
}

TEST_F(TextStoreLoad, EmptyFileAndTrailingLineEnd) {
    ASSERT_TRUE(load(""));
    EXPECT_EQ(store.lineCount(), 1);
    EXPECT_EQ(store.rowCount(), 1);
    EXPECT_EQ(store.firstLine()->lineEnd, 0);
    EXPECT_TRUE(store.check());
    ASSERT_TRUE(load("abc\r\n"));
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"abc", ""}));
    EXPECT_EQ(lineEndsOf(store), (std::vector<uint8_t>{3, 0}));
    EXPECT_EQ(store.documentLineEnd(), LineEnd::CrLf);
    EXPECT_FALSE(store.loadHadMixedLineEnds());
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, CrCrLfGivesThreeLines) {
    ASSERT_TRUE(load("A\r\r\nB"));
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(lineEndsOf(store), (std::vector<uint8_t>{1, 3, 0}));
    EXPECT_EQ(store.crCount(), 1u);
    EXPECT_EQ(store.crLfCount(), 1u);
    EXPECT_EQ(store.lfCount(), 0u);
    EXPECT_TRUE(store.loadHadMixedLineEnds());
    EXPECT_EQ(store.documentLineEnd(), LineEnd::CrLf);   // CrLf wins the tie
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, LineEndChoice) {
    ASSERT_TRUE(load("a\r\nb\r\nc\r\nd\ne\nf\ng\rh"));   // 3 CrLf, 3 Lf, 1 Cr
    EXPECT_EQ(store.documentLineEnd(), LineEnd::CrLf);
    EXPECT_TRUE(store.loadHadMixedLineEnds());
    ASSERT_TRUE(load("a\r\nb\r\nc\rd\re\rf\ng\nh\ni"));   // 2 CrLf, 3 Cr, 3 Lf
    EXPECT_EQ(store.documentLineEnd(), LineEnd::Cr);
    ASSERT_TRUE(load("a\nb\nc\rd"));
    EXPECT_EQ(store.documentLineEnd(), LineEnd::Lf);
    ASSERT_TRUE(load("no line end"));
    EXPECT_EQ(store.documentLineEnd(), LineEnd::CrLf);
    EXPECT_FALSE(store.loadHadMixedLineEnds());
}

TEST_F(TextStoreLoad, Utf16LeLineEndsAreUnits) {
    // 0D 0A inside a unit is U+0A0D, not a line end (it has no Shift_JIS form: "？").
    std::string text("\x0D\x0A" "A\0" "\x0D\0\x0A\0" "B\0", 10);
    image = bytesOf(text);
    store.reset(TextEncoding::Utf16Le);
    ASSERT_TRUE(store.loadChunk(uint32_t(image.size()), image.data(), true));
    EXPECT_EQ(store.lineCount(), 2);
    EXPECT_EQ(store.crLfCount(), 1u);
    ASSERT_TRUE(store.convertLoaded());
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"\x81\x48" "A", "B"}));
    EXPECT_TRUE(store.loadWasLossy());
}

TEST_F(TextStoreLoad, BorrowedLinesPointIntoTheImage) {
    ASSERT_TRUE(load("first\r\nsecond\nthird"));
    const LineRecord* first = store.firstLine();
    EXPECT_EQ(first->text, image.data());
    EXPECT_FALSE(first->hasOwnText());
    EXPECT_EQ(first->capacity, 6u);        // the line and the first byte of its line end
    EXPECT_EQ(first->next->text, image.data() + 7);
    EXPECT_EQ(first->next->next->capacity, 5u);
    // Without borrowing every line has a block of its own.
    store.reset(TextEncoding::ShiftJis);
    Bytes copy = bytesOf("first\r\nsecond\nthird");
    ASSERT_TRUE(store.loadChunk(uint32_t(copy.size()), copy.data(), false));
    ASSERT_TRUE(store.convertLoaded());
    copy.assign(copy.size(), 'z');
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_TRUE(store.firstLine()->hasOwnText());
    EXPECT_EQ(store.firstLine()->capacity, 16u);
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, ChunksContinueTheTail) {
    store.reset(TextEncoding::ShiftJis);
    Bytes a = bytesOf("ab"), b = bytesOf("cd\r"), c = bytesOf("\nef\r\ngh"), d = bytesOf("ij");
    ASSERT_TRUE(store.loadChunk(2, a.data(), true));    // borrowed: the tail was empty
    EXPECT_EQ(store.firstLine()->text, a.data());
    ASSERT_TRUE(store.loadChunk(3, b.data(), true));    // appended: copied
    ASSERT_TRUE(store.loadChunk(7, c.data(), true));    // the CR of the last chunk stays a Cr
    ASSERT_TRUE(store.loadChunk(2, d.data(), true));
    ASSERT_TRUE(store.convertLoaded());
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"abcd", "", "ef", "ghij"}));
    EXPECT_EQ(lineEndsOf(store), (std::vector<uint8_t>{1, 2, 3, 0}));
    EXPECT_TRUE(store.firstLine()->hasOwnText());
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, AUtf16ChunkAfterOneCutInsideAUnitIsRefused) {
    // "a\n" + "b\n" in UTF-16LE cut after three bytes: read a byte off, the second chunk's LF unit
    // would be missed and its bytes would end up inside a line.
    store.reset(TextEncoding::Utf16Le);
    Bytes image = {'a', 0, 0x0A, 0, 'b', 0, 0x0A, 0};
    ASSERT_TRUE(store.loadChunk(3, image.data(), false));
    EXPECT_FALSE(store.loadChunk(5, image.data() + 3, false));
    store.convertLoaded();
    EXPECT_TRUE(store.check());
    // Cut between units, the same image loads as two lines and an empty last one.
    store.reset(TextEncoding::Utf16Le);
    ASSERT_TRUE(store.loadChunk(2, image.data(), false));
    ASSERT_TRUE(store.loadChunk(6, image.data() + 2, false));
    ASSERT_TRUE(store.convertLoaded());
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, AutoIsResolvedByDetection) {
    ASSERT_TRUE(load("plain ascii\r\n", TextEncoding::Auto));
    EXPECT_EQ(store.encoding(), TextEncoding::ShiftJis);
    // ESC $ B before any other marked byte: ISO-2022-JP, decoded per line.
    ASSERT_TRUE(load("a\x1B$B$\"\x1B(B\r\n\x1B$B$\"", TextEncoding::Auto));   // あ, the second line left in kanji mode
    EXPECT_EQ(store.encoding(), TextEncoding::Jis);
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"a\x82\xA0", "\x82\xA0"}));
    TextStore utfDefault;
    ASSERT_TRUE(utfDefault.create(10, 4, 0, TextEncoding::Utf8));
    Bytes plain = bytesOf("ascii only");
    ASSERT_TRUE(loadImage(utfDefault, plain, TextEncoding::Auto));
    EXPECT_EQ(utfDefault.encoding(), TextEncoding::Utf8);
}

TEST_F(TextStoreLoad, LinesAreDecodedInPlace) {
    // 表 (95 5C) and ソ (83 5C) in EUC-JP: C9 BD and A5 BD; a half-width ｱ as 8E B1.
    ASSERT_TRUE(load("x\xC9\xBD\r\n\xA5\xBD\x8E\xB1", TextEncoding::EucJp));
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"x\x95\x5C", "\x83\x5C\xB1"}));
    EXPECT_EQ(store.firstLine()->text, image.data());
    EXPECT_TRUE(store.check());
    // UTF-8: 表 is E8 A1 A8; U+AC00 has no Shift_JIS form and becomes the full-width question mark.
    ASSERT_TRUE(load("\xE8\xA1\xA8\n\xEA\xB0\x80", TextEncoding::Utf8));
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"\x95\x5C", "\x81\x48"}));
    EXPECT_TRUE(store.loadWasLossy());
    // UTF-16LE: 表 is 68 88.
    ASSERT_TRUE(load(std::string("\x68\x88" "a\0" "\x0D\0\x0A\0" "b\0", 10), TextEncoding::Utf16Le));
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"\x95\x5C" "a", "b"}));
    EXPECT_FALSE(store.loadWasLossy());
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, DecodingFailureLeavesAConsistentStore) {
    // A UTF-8 line cut short fails; the store stays consistent until it is reset.
    EXPECT_FALSE(load("ok\n\xE8\xA1\nmore", TextEncoding::Utf8));
    EXPECT_TRUE(store.check());
    // An EUC-JP lead byte as the last byte of a line.
    EXPECT_FALSE(load("a\xC9", TextEncoding::EucJp));
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, RowsAfterLoading) {
    // wrapWidth 10: 8 'a' and 表 fill the row exactly; 9 'a' and 表 push the character on.
    ASSERT_TRUE(load("aaaaaaaa\x95\x5C\r\naaaaaaaaa\x95\x5C\r\nabcdefghi\tx\r\n0123456789"));
    const LineRecord* l = store.firstLine();
    EXPECT_EQ(l->rowCount, 2);
    EXPECT_EQ(l->next->rowCount, 2);
    EXPECT_EQ(l->next->rowStarts[0], 9u);
    EXPECT_EQ(l->next->next->rowStarts[0], 10u);
    EXPECT_EQ(l->next->next->next->rowCount, 2);   // W single-byte characters: a second, empty row
    EXPECT_EQ(store.rowCount(), 8);
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, WrapWidthBackAndForth) {
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += std::string(size_t(i), 'a') + (i % 3 ? "\x82\xA0\t" : "\x95\x5C") + std::string(size_t(i % 7), 'b');
        text += i % 5 ? "\r\n" : "\n";
    }
    ASSERT_TRUE(load(text));
    int32_t rowsAt10 = store.rowCount();
    for (int32_t w : {7, 33, 10, 2, 500, 10}) {
        store.setWrapWidth(w);
        ASSERT_TRUE(store.check()) << w;
        EXPECT_EQ(store.dirtyFirstRow(), 0);
        EXPECT_EQ(store.dirtyLastRow(), -1);
    }
    EXPECT_EQ(store.rowCount(), rowsAt10);
}

TEST_F(TextStoreLoad, LineAtWalksFromTheCaret) {
    ASSERT_TRUE(load("0\n1\n2\n3\n4"));
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(textOf(*store.lineAt(i)), std::to_string(i));
}

TEST_F(TextStoreLoad, RebreakLineKeepsTheDocumentRowCount) {
    ASSERT_TRUE(load("abc\r\ndef"));
    LineRecord* line = store.firstLine();
    // Point the line at a longer text of its own and rebreak it from the change.
    static uint8_t longer[] = "abcdefghijklmnopqrstu";
    line->text = longer;
    line->length = line->capacity = 21;
    EXPECT_EQ(store.rebreakLine(*line, 3), 3);
    EXPECT_EQ(store.rowCount(), 4);
    EXPECT_TRUE(store.check());
}

TEST_F(TextStoreLoad, RandomTextLoadsConsistently) {
    // Lines of every length with TABs, double-byte characters and all three line ends, loaded
    // borrowed (rows while loading) and copied, then rows checked against a plain walk.
    uint32_t seed = 7;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const char* pieces[] = {"a", "\t", "\x95\x5C", "\x82\xA0", "\xB1", " ", "\r\n", "\n", "\r"};
    for (int round = 0; round < 40; ++round) {
        std::string text;
        int n = int(next() % 900);
        for (int i = 0; i < n; ++i) text += pieces[next() % (i % 50 < 40 ? 6 : 9)];
        for (bool borrow : {true, false}) {
            image = bytesOf(text);
            store.reset(TextEncoding::ShiftJis);
            ASSERT_TRUE(store.loadChunk(uint32_t(image.size()), image.data(), borrow));
            ASSERT_TRUE(store.convertLoaded());
            ASSERT_TRUE(store.check()) << round;
        }
    }
}

TEST_F(TextStoreLoad, BorrowedUtf16LeMatchesLineByLine) {
    // A borrowed UTF-16LE chunk is decoded in one pass before it is cut into lines; copied chunks
    // go line by line. Units with 0D, 0A or 09 in either byte, TABs, lossy units and single-byte
    // forms, in one chunk and in random pieces, must give the same document both ways.
    uint32_t seed = 99;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const uint16_t units[] = {'a', '\t', 0x0D, 0x0A, 0x6F22, 0x3042, 0xFF71, 0x0D0A, 0x0A0D,
                              0x0109, 0x0900, 0xAC00, 0xFF1F, 0x00E9, 0x0000, ' '};
    for (int round = 0; round < 60; ++round) {
        Bytes text;
        int n = int(next() % 700);
        for (int i = 0; i < n; ++i) {
            uint16_t u = units[next() % (i % 60 < 50 ? 16 : 4)];
            if (u == 0x0D && next() % 2) text.insert(text.end(), {0x0D, 0, 0x0A, 0});
            text.push_back(uint8_t(u));
            text.push_back(uint8_t(u >> 8));
        }
        if (round % 5 == 0) text.push_back('x');  // an odd byte at the end
        // One chunk, and pieces of even size (a CR LF cut between pieces is two line ends).
        std::vector<size_t> pieces;
        for (size_t at = 0; at < text.size();) {
            size_t size = std::min(text.size() - at, size_t(2 * (next() % 40)));
            pieces.push_back(size);
            at += size;
        }
        for (const std::vector<size_t>& sizes : {std::vector<size_t>{text.size()}, pieces}) {
            std::vector<std::string> lines[2];
            std::vector<uint8_t> ends[2];
            int32_t rows[2];
            bool lossy[2];
            for (int borrow = 0; borrow < 2; ++borrow) {
                image = text;
                store.reset(TextEncoding::Utf16Le);
                size_t at = 0;
                for (size_t size : sizes) {
                    ASSERT_TRUE(store.loadChunk(uint32_t(size), image.data() + at, borrow == 1));
                    at += size;
                }
                ASSERT_TRUE(store.convertLoaded());
                ASSERT_TRUE(store.check()) << round;
                lines[borrow] = linesOf(store);
                ends[borrow] = lineEndsOf(store);
                rows[borrow] = store.rowCount();
                lossy[borrow] = store.loadWasLossy();
            }
            EXPECT_EQ(lines[1], lines[0]) << round << " pieces " << sizes.size();
            EXPECT_EQ(ends[1], ends[0]) << round << " pieces " << sizes.size();
            EXPECT_EQ(rows[1], rows[0]) << round << " pieces " << sizes.size();
            EXPECT_EQ(lossy[1], lossy[0]) << round << " pieces " << sizes.size();
        }
    }
}

TEST_F(TextStoreLoad, BorrowedPiecesMatchCopiedLoads) {
    // Borrowed chunks are decoded in pieces of whole lines; copied chunks line by line. Several
    // pieces of text, once well formed and once with a line that fails to decode in the middle,
    // must give the same lines both ways (a failed line may differ, as it is partly decoded).
    struct Code {
        TextEncoding encoding;
        const char* pieces[4];
        const char* bad;
    };
    const Code codes[] = {
        {TextEncoding::Jis, {"\x1B$B$\"$$4A;z", "\x1B(B", "abc\t", "\x0E\x31\x0F"}, "\x1B$x"},
        {TextEncoding::EucJp, {"\xA4\xA2\xB4\xC1", "abc\t", "\x8E\xB1", " "}, "\xA4"},
        {TextEncoding::Utf8, {"\xE3\x81\x82\xE4\xB8\x82", "abc\t", "\xEF\xBD\xB1", " "}, "\xE3\x81"},
    };
    uint32_t seed = 5;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const char* lineEnds[] = {"\n", "\r\n", "\r"};
    for (const Code& code : codes) {
        for (bool withBad : {false, true}) {
            std::string text;
            int badLine = -1;  // counted in lines written; an empty line after a CR joins it
            for (int line = 0; text.size() < 300000; ++line) {
                int parts = int(next() % 30);
                for (int p = 0; p < parts; ++p) text += code.pieces[next() % 4];
                if (withBad && badLine < 0 && text.size() > 150000) {
                    text += code.bad;
                    badLine = line;
                }
                text += lineEnds[next() % 3];
            }
            text += code.pieces[0];  // a last line without a line end
            std::vector<std::string> lines[2];
            for (int borrow = 0; borrow < 2; ++borrow) {
                image = bytesOf(text);
                store.reset(code.encoding);
                ASSERT_TRUE(store.loadChunk(uint32_t(image.size()), image.data(), borrow == 1));
                EXPECT_EQ(store.convertLoaded(), !withBad);
                ASSERT_TRUE(store.check());
                lines[borrow] = linesOf(store);
            }
            ASSERT_EQ(lines[1].size(), lines[0].size());
            if (withBad) {
                // The failed line is the first that differs; the lines after it keep their bytes.
                size_t k = 0;
                while (k < lines[0].size() && lines[0][k] == lines[1][k]) ++k;
                ASSERT_LT(k, lines[0].size());
                EXPECT_GE(k + 1, size_t(badLine) / 2);
                lines[0][k] = lines[1][k] = "";
            }
            EXPECT_EQ(lines[1], lines[0]) << int(code.encoding) << " " << withBad;
        }
    }
}

TEST_F(TextStoreLoad, TabsFromMalformedSequencesCountInRows) {
    // An overlong UTF-8 form of TAB and an ISO-2022-JP pair of stray bytes decode to a TAB byte
    // that the file's bytes do not show; rows must still count it, in both ways of loading.
    const std::pair<TextEncoding, std::string> cases[] = {
        {TextEncoding::Utf8, "x\nab\xE0\x80\x89" "cd\nx\n"},
        {TextEncoding::Jis, "x\nab\x1B$B\xB1\x21\x1B(B" "cd\nx\n"},
    };
    for (const auto& c : cases) {
        for (bool borrow : {false, true}) {
            image = bytesOf(c.second);
            store.reset(c.first);
            ASSERT_TRUE(store.loadChunk(uint32_t(image.size()), image.data(), borrow));
            ASSERT_TRUE(store.convertLoaded());
            EXPECT_TRUE(store.check()) << int(c.first) << " " << borrow;
        }
    }
}

TEST_F(TextStoreLoad, CrLfAtTheEndOfADecodingPieceStaysOneLineEnd) {
    // Borrowed chunks are decoded in pieces of 64 KiB that end in a line end; a CR LF across
    // such an end must stay one line end, in UTF-8 and in UTF-16LE.
    for (bool utf16 : {false, true}) {
        const uint32_t unit = utf16 ? 2 : 1, pieceStart = 2 * unit, cut = pieceStart + 65536;
        std::string text = "x\n";
        while (text.size() * unit < cut - unit) text += text.size() % 50 == 0 ? '\n' : 'a';
        text.resize(cut / unit - 1);
        text += "\r\nbb\n";
        Bytes bytes;
        for (char c : text) {
            bytes.push_back(uint8_t(c));
            if (utf16) bytes.push_back(0);
        }
        ASSERT_EQ(bytes[cut - unit], 0x0D);
        std::vector<std::string> lines[2];
        for (int borrow = 0; borrow < 2; ++borrow) {
            image = bytes;
            store.reset(utf16 ? TextEncoding::Utf16Le : TextEncoding::Utf8);
            ASSERT_TRUE(store.loadChunk(uint32_t(image.size()), image.data(), borrow == 1));
            ASSERT_TRUE(store.convertLoaded());
            ASSERT_TRUE(store.check());
            lines[borrow] = linesOf(store);
        }
        EXPECT_EQ(lines[1], lines[0]) << utf16;
        EXPECT_EQ(lines[1][lines[1].size() - 2], "bb") << utf16;
    }
}

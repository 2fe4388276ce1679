// Tests of saving: load -> save round trips of real Japanese text in the five codes, line ends
// unified to the document's kind, the byte-order mark, and write errors.
#include "DocumentWriter.h"

#include <gtest/gtest.h>

#include "PrivateTempFile.h"
#include "TextStoreTestSupport.h"

using namespace storetest;

namespace {

struct Code {
    TextEncoding encoding;
    const char* file;
};
const Code kCodes[] = {
    {TextEncoding::ShiftJis, "df-ja.sjis"}, {TextEncoding::Jis, "df-ja.jis"}, {TextEncoding::EucJp, "df-ja.euc"},
    {TextEncoding::Utf8, "df-ja.utf8"},     {TextEncoding::Utf16Le, "df-ja.u16"},
};

Bytes sample(const char* name) { return readFile(std::string(ULO_TEXTSTORE_TESTDATA) + "/" + name); }

Bytes save(const TextStore& store, bool* ok = nullptr) {
    std::FILE* f = openPrivateTempFile();
    EXPECT_NE(f, nullptr);
    bool written = DocumentWriter::write(store, f);
    if (ok) *ok = written;
    std::fflush(f);
    long size = std::ftell(f);
    std::rewind(f);
    Bytes bytes(size_t(size > 0 ? size : 0));
    if (!bytes.empty()) {
        EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), f), bytes.size());
    }
    std::fclose(f);
    return bytes;
}

Bytes withBom(const Bytes& b) {
    Bytes out{0xFF, 0xFE};
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace

TEST(DocumentWriter, RoundTripsOfJapaneseTextInEveryCode) {
    Bytes sjis = sample("df-ja.sjis");
    ASSERT_GT(sjis.size(), 1000u);
    TextStore reference;
    ASSERT_TRUE(reference.create(76, 8, 0, TextEncoding::ShiftJis));
    Bytes sjisImage = sjis;
    ASSERT_TRUE(loadImage(reference, sjisImage, TextEncoding::ShiftJis));
    ASSERT_EQ(reference.lineCount(), 121);
    for (const Code& code : kCodes) {
        SCOPED_TRACE(code.file);
        Bytes original = sample(code.file), image = original;
        ASSERT_FALSE(image.empty());
        TextStore store;
        ASSERT_TRUE(store.create(76, 8, 0, TextEncoding::ShiftJis));
        ASSERT_TRUE(loadImage(store, image, code.encoding));
        EXPECT_FALSE(store.loadWasLossy());
        EXPECT_EQ(store.documentLineEnd(), LineEnd::CrLf);
        EXPECT_EQ(linesOf(store), linesOf(reference));
        EXPECT_TRUE(store.check());
        bool ok = false;
        Bytes saved = save(store, &ok);
        EXPECT_TRUE(ok);
        EXPECT_TRUE(saved == (code.encoding == TextEncoding::Utf16Le ? withBom(original) : original));
    }
}

TEST(DocumentWriter, DetectionFindsTheEightBitCodes) {
    for (const Code& code : kCodes) {
        if (code.encoding == TextEncoding::Utf16Le) continue;
        Bytes image = sample(code.file);
        TextStore store;
        ASSERT_TRUE(store.create(76, 8, 0, TextEncoding::ShiftJis));
        ASSERT_TRUE(loadImage(store, image, TextEncoding::Auto));
        EXPECT_EQ(store.encoding(), code.encoding) << code.file;
    }
}

TEST(DocumentWriter, ShiftJisTrapsSurviveEveryCode) {
    // 表 and ソ (trail 0x5C), half-width ｱｲ, 亜 (88 9F), a TAB and an empty line.
    const std::string text = "\x95\x5C\x83\x5C" "abc\r\n\xB1\xB2\x88\x9F\t\\~\r\n\r\nend";
    for (const Code& code : kCodes) {
        SCOPED_TRACE(code.file);
        TextStore store;
        ASSERT_TRUE(store.create(10, 4, 0, TextEncoding::ShiftJis));
        Bytes image = bytesOf(text);
        ASSERT_TRUE(loadImage(store, image, TextEncoding::ShiftJis));
        store.setEncoding(code.encoding);
        Bytes saved = save(store);
        TextStore again;
        ASSERT_TRUE(again.create(10, 4, 0, TextEncoding::ShiftJis));
        if (code.encoding == TextEncoding::Utf16Le) {
            ASSERT_GE(saved.size(), 2u);
            EXPECT_EQ(saved[0], 0xFF);
            EXPECT_EQ(saved[1], 0xFE);
            saved.erase(saved.begin(), saved.begin() + 2);
        }
        ASSERT_TRUE(loadImage(again, saved, code.encoding));
        EXPECT_EQ(linesOf(again), linesOf(store));
        EXPECT_TRUE(again.check());
    }
}

TEST(DocumentWriter, EveryLineEndBecomesTheDocumentsKind) {
    TextStore store;
    ASSERT_TRUE(store.create(10, 4, 0, TextEncoding::ShiftJis));
    Bytes image = bytesOf("a\rb\nc\r\nd\ne\n");
    ASSERT_TRUE(loadImage(store, image, TextEncoding::ShiftJis));
    EXPECT_EQ(store.documentLineEnd(), LineEnd::Lf);
    EXPECT_EQ(save(store), bytesOf("a\nb\nc\nd\ne\n"));
    store.setDocumentLineEnd(LineEnd::CrLf);
    store.setEncoding(TextEncoding::Utf16Le);
    EXPECT_EQ(save(store), bytesOf(std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0c\0\r\0\n\0d\0\r\0\n\0e\0\r\0\n\0", 32)));
    // A file without a line end gets none.
    Bytes single = bytesOf("x");
    ASSERT_TRUE(loadImage(store, single, TextEncoding::ShiftJis));
    EXPECT_EQ(save(store), bytesOf("x"));
}

TEST(DocumentWriter, Utf16CharacterWithoutShiftJisFormSavesAsTheQuestionMark) {
    // a, U+AC00 (no Shift_JIS form), CR LF, b: loaded with "？" (81 48) in its place.
    TextStore store;
    ASSERT_TRUE(store.create(10, 4, 0, TextEncoding::ShiftJis));
    Bytes image = {'a', 0, 0x00, 0xAC, 0x0D, 0, 0x0A, 0, 'b', 0};
    ASSERT_TRUE(loadImage(store, image, TextEncoding::Utf16Le));
    EXPECT_TRUE(store.loadWasLossy());
    EXPECT_EQ(linesOf(store), (std::vector<std::string>{"a\x81\x48", "b"}));
    // Saved: the mark, the text with "？" as U+FF1F, the line end in units.
    EXPECT_EQ(save(store), (Bytes{0xFF, 0xFE, 'a', 0, 0x1F, 0xFF, 0x0D, 0, 0x0A, 0, 'b', 0}));
}

TEST(DocumentWriter, WriteErrorsAreReported) {
    TextStore store;
    ASSERT_TRUE(store.create(10, 4, 0, TextEncoding::ShiftJis));
    Bytes image = bytesOf("abc\r\ndef");
    ASSERT_TRUE(loadImage(store, image, TextEncoding::ShiftJis));
    std::string path = std::string(ULO_TEXTSTORE_TESTDATA) + "/df-ja.sjis";
    for (TextEncoding e : {TextEncoding::ShiftJis, TextEncoding::Utf16Le, TextEncoding::Utf8}) {
        std::FILE* readOnly = std::fopen(path.c_str(), "rb");
        ASSERT_NE(readOnly, nullptr);
        store.setEncoding(e);
        EXPECT_FALSE(DocumentWriter::write(store, readOnly));
        std::fclose(readOnly);
    }
}

// Tests of KeywordTable: the shipped keyword files, word splitting and lookup, and rejection of
// malformed files without reading outside them.
#include "KeywordTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void putLe32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// Builds a keyword image in the file format: each bucket sorted by (length, bytes), then a
// terminator entry.
Bytes buildImage(std::vector<std::string> words) {
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    Bytes area;
    std::vector<uint32_t> offsets;
    for (uint32_t h = 0; h < 256; ++h) {
        offsets.push_back(uint32_t(area.size()));
        for (const std::string& w : words) {
            if (KeywordTable::bucketOf(uint8_t(w[0]), uint32_t(w.size())) != h) continue;
            area.push_back(uint8_t(h));
            area.push_back(uint8_t(w.size()));
            area.insert(area.end(), w.begin(), w.end());
        }
        area.push_back(uint8_t(h));
        area.push_back(0);
    }
    Bytes image(KeywordTable::kHeaderSize);
    putLe32(image, 0, KeywordTable::kMagic);
    putLe32(image, 4, uint32_t(area.size()));
    for (uint32_t h = 0; h < 256; ++h) putLe32(image, 8 + 4 * h, offsets[h]);
    image.insert(image.end(), area.begin(), area.end());
    return image;
}

// The first keyword of `text` as "start:word", or "-" for none; the text is an exact-sized copy.
std::string first(const KeywordTable& t, const std::string& text) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[text.size()]);
    if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
    uint32_t start = 0, len = 0;
    if (!t.findKeyword(copy.get(), uint32_t(text.size()), &start, &len)) return "-";
    return std::to_string(start) + ":" + text.substr(start, len);
}

bool writeFile(const std::string& path, const Bytes& data) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

const std::string kKeywordDir = ULO_KEYWORD_DIR;
const std::string kScratch = ULO_TEST_SCRATCH;

TEST(KeywordFiles, ShippedFilesLoadAndHoldTheLanguagesKeywords) {
    KeywordTable cpp, java, perl;
    ASSERT_TRUE(cpp.loadKeywordTable((kKeywordDir + "/cpp.kwd").c_str()));
    ASSERT_TRUE(java.loadKeywordTable((kKeywordDir + "/java.kwd").c_str()));
    ASSERT_TRUE(perl.loadKeywordTable((kKeywordDir + "/perl.kwd").c_str()));
    EXPECT_EQ(first(cpp, "  int x; co_await y;"), "2:int");
    EXPECT_EQ(first(cpp, "#include <stdio.h>"), "0:#include");
    EXPECT_EQ(first(cpp, "x = reinterpret_cast<T>(p)"), "4:reinterpret_cast");
    for (const char* w : {"char8_t", "consteval", "constinit", "co_yield", "requires", "concept",
                          "nullptr", "and_eq", "#pragma", "_Bool", "static_assert"})
        EXPECT_EQ(first(cpp, w), std::string("0:") + w);
    EXPECT_EQ(first(cpp, "Int integer include printf"), "-");
    EXPECT_EQ(first(java, "public sealed record R"), "0:public");
    for (const char* w : {"synchronized", "strictfp", "permits", "yield", "var", "_", "null",
                          "transitive", "instanceof"})
        EXPECT_EQ(first(java, w), std::string("0:") + w);
    EXPECT_EQ(first(java, "non-sealed"), "4:sealed");
    EXPECT_EQ(first(java, "String System co_await"), "-");
    EXPECT_EQ(first(perl, "my $x = shift;"), "0:my");
    for (const char* w : {"print", "foreach", "__PACKAGE__", "say", "qw", "wantarray", "elsif",
                          "unless", "local", "chomp", "BEGIN"})
        EXPECT_EQ(first(perl, w), std::string("0:") + w);
    EXPECT_EQ(first(perl, "Print FOREACH printer"), "-");
}

TEST(KeywordFiles, EveryStoredEntryIsFoundInItsBucket) {
    for (const char* name : {"cpp.kwd", "java.kwd", "perl.kwd"}) {
        std::FILE* f = std::fopen((kKeywordDir + "/" + name).c_str(), "rb");
        ASSERT_NE(f, nullptr) << name;
        Bytes image(1 << 16);
        image.resize(std::fread(image.data(), 1, image.size(), f));
        std::fclose(f);
        KeywordTable t;
        ASSERT_TRUE(t.loadFromMemory(image.data(), image.size())) << name;
        int count = 0;
        for (size_t at = KeywordTable::kHeaderSize; at + 2 <= image.size();) {
            const uint32_t len = image[at + 1];
            if (len != 0) {
                EXPECT_EQ(KeywordTable::bucketOf(image[at + 2], len), image[at]) << name << at;
                EXPECT_TRUE(t.isKeyword(&image[at + 2], len)) << name << at;
                ++count;
            }
            at += 2 + len;
        }
        EXPECT_GT(count, 60) << name;
    }
}

TEST(KeywordLookup, WordsAndSeparators) {
    KeywordTable t;
    Bytes image = buildImage({"if", "int", "#if", "0x", "nt", "abc", "abd", "abb", "a"});
    ASSERT_TRUE(t.loadFromMemory(image.data(), image.size()));
    EXPECT_EQ(first(t, "#if X"), "0:#if");
    EXPECT_EQ(first(t, "x#if"), "-");           // '#' is a word byte: "x#if" is one word
    EXPECT_EQ(first(t, "intx x_int Int INT"), "-");
    EXPECT_EQ(first(t, "(int)"), "1:int");
    EXPECT_EQ(first(t, "2 0x"), "2:0x");        // a word that starts with a digit is looked up
    EXPECT_EQ(first(t, "abc"), "0:abc");
    EXPECT_EQ(first(t, "xx abd"), "3:abd");
    EXPECT_EQ(first(t, "abe abb"), "4:abb");    // bucket walk past a greater entry of other length
    EXPECT_EQ(first(t, "zz a"), "3:a");
    EXPECT_EQ(first(t, "x in"), "-");
    EXPECT_EQ(first(t, "ab int"), "3:int");     // text ends inside the word
    EXPECT_EQ(first(t, "y=in"), "-");
    // A double-byte character separates words; its trail byte never starts a word.
    EXPECT_EQ(first(t, "\x95\x5cint"), "2:int");  // 表int
    EXPECT_EQ(first(t, "\x83\x69nt"), "2:nt");    // katakana with trail byte 'i', then "nt"
    EXPECT_EQ(first(t, "\x81\x40if"), "2:if");    // full-width space
    EXPECT_EQ(first(t, "\xb1int"), "1:int");      // half-width katakana is a separator
    EXPECT_EQ(first(t, "int\x95"), "0:int");
    EXPECT_EQ(first(t, "xx \x95"), "-");          // a lead byte as the last byte
    EXPECT_EQ(first(t, ""), "-");
    // A word longer than 255 bytes is never a keyword, whatever its bucket holds.
    EXPECT_EQ(first(t, std::string(300, 'a')), "-");
    EXPECT_EQ(first(t, std::string(300, 'a') + " a"), "301:a");
    EXPECT_FALSE(t.isKeyword(reinterpret_cast<const uint8_t*>("in"), 0));
}

TEST(KeywordLookup, UnloadedTableFindsNothing) {
    KeywordTable t;
    EXPECT_FALSE(t.loaded());
    EXPECT_EQ(first(t, "int"), "-");
    EXPECT_FALSE(t.loadKeywordTable(nullptr));
    EXPECT_FALSE(t.loadKeywordTable((kScratch + "/no-such-file.kwd").c_str()));
    EXPECT_FALSE(t.loaded());
}

TEST(KeywordLoad, MalformedFilesAreRejectedAndKeepThePreviousTable) {
    const Bytes good = buildImage({"int", "if", "while"});
    const uint32_t area = uint32_t(good.size() - KeywordTable::kHeaderSize);
    std::vector<std::pair<const char*, Bytes>> bad;
    Bytes b = good;
    putLe32(b, 0, 0x6B2912C9);
    bad.push_back({"magic", b});
    bad.push_back({"short header", Bytes(good.begin(), good.begin() + 1031)});
    bad.push_back({"header only", Bytes(good.begin(), good.begin() + 1032)});
    bad.push_back({"short entry area", Bytes(good.begin(), good.end() - 1)});
    b = good, putLe32(b, 4, 0);
    bad.push_back({"empty entry area", b});
    b = good, putLe32(b, 4, 0xFFFFFFFFu);
    bad.push_back({"huge entry area", b});
    b = good, putLe32(b, 8 + 4 * 7, area);
    bad.push_back({"offset equal to B", b});
    b = good, putLe32(b, 8 + 4 * 200, 0x80000000u);
    bad.push_back({"offset far out", b});
    b = good, putLe32(b, 8 + 4 * 0, area - 1);  // the last byte, 0, reads as bucket 0's own
    bad.push_back({"entry header cut by the area end", b});
    b = good, b[b.size() - 2] = 0xFF, b[b.size() - 1] = 0x40;
    bad.push_back({"entry bytes past the area end", b});

    KeywordTable t;
    const std::string goodPath = kScratch + "/good.kwd";
    ASSERT_TRUE(writeFile(goodPath, good));
    ASSERT_TRUE(t.loadKeywordTable(goodPath.c_str()));
    int index = 0;
    for (const auto& [what, image] : bad) {
        const std::string path = kScratch + "/bad" + std::to_string(index++) + ".kwd";
        ASSERT_TRUE(writeFile(path, image));
        EXPECT_FALSE(t.loadKeywordTable(path.c_str())) << what;
        EXPECT_FALSE(t.loadFromMemory(image.data(), image.size())) << what;
        EXPECT_EQ(first(t, "x while"), "2:while") << what;  // the previous table stays
    }
    // Every truncation of a good file fails; a longer file loads (the rest is ignored).
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(t.loadFromMemory(good.data(), n)) << n;
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_TRUE(t.loadFromMemory(longer.data(), longer.size()));
    EXPECT_FALSE(t.loadFromMemory(nullptr, 5000));
}

TEST(KeywordLoad, ABucketMayStartAtTheAreasLastByteWhenThatByteEndsIt) {
    // "_abcd" lives in bucket 255. Pointed at the area's last byte (0, bucket 0's number), bucket
    // 255 is empty: the walk stops at the other bucket's number without reading past the area.
    Bytes image = buildImage({"_abcd", "while"});
    const uint32_t area = uint32_t(image.size() - KeywordTable::kHeaderSize);
    ASSERT_EQ(KeywordTable::bucketOf('_', 5), 255);
    ASSERT_EQ(image.back(), 0);
    putLe32(image, 8 + 4 * 255, area - 1);
    KeywordTable t;
    ASSERT_TRUE(t.loadFromMemory(image.data(), image.size()));
    EXPECT_EQ(first(t, "_abcd while"), "6:while");
    const std::string path = kScratch + "/last-byte.kwd";
    ASSERT_TRUE(writeFile(path, image));
    KeywordTable fromFile;
    ASSERT_TRUE(fromFile.loadKeywordTable(path.c_str()));
    EXPECT_EQ(first(fromFile, "x _abcd"), "-");
}

TEST(KeywordLoad, CorruptedImagesNeverLeadOutsideTheTable) {
    const Bytes good = buildImage({"int", "if", "while", "#define", "for", "float", "return"});
    std::mt19937 rng(6021);
    KeywordTable t;
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes b = good;
        const int flips = 1 + int(rng() % 6);
        for (int i = 0; i < flips; ++i) {
            // Mostly the entry area and the offsets; sometimes B.
            size_t at = rng() % 4 == 0 ? 4 + rng() % 4 : 8 + rng() % (b.size() - 8);
            b[at] = uint8_t(rng());
        }
        if (!t.loadFromMemory(b.data(), b.size())) continue;
        ++loaded;
        first(t, "int if while #define for float return x");
    }
    EXPECT_GT(loaded, 100);
}

}  // namespace

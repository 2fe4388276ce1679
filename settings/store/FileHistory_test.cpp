// Tests of the file history's byte form, its well-formedness checks and its update rules.
#include "FileHistory.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

FileHistory decoded(const std::string& s) {
    FileHistory h;
    const std::vector<uint8_t> b = bytes(s);
    EXPECT_TRUE(h.decode(b.data(), b.size()));
    return h;
}

std::string path(int n) { return "C:\\docs\\file" + std::to_string(n) + ".txt"; }

}  // namespace

TEST(FileHistoryBytes, EntriesAreNulTerminatedNewestFirst) {
    FileHistory h = decoded(std::string("C:\\a.txt\0D:\\\x95\x5C.html\0", 20));
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h.entries()[0], "C:\\a.txt");
    EXPECT_EQ(h.entries()[1], "D:\\\x95\x5C.html");
    EXPECT_EQ(h.encode(), bytes(std::string("C:\\a.txt\0D:\\\x95\x5C.html\0", 20)));
    FileHistory none = decoded("");
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(none.encode().empty());
}

TEST(FileHistoryBytes, MalformedValuesAreNeverPartlyUsed) {
    std::string ten;
    for (int i = 0; i < 10; ++i) ten += path(i) + '\0';
    const std::string bad[] = {
        std::string("C:\\a.txt\0C:\\b.tx", 16),         // last entry lost its NUL
        std::string("C:\\a.txt\0\0", 10),               // empty entry
        std::string("\0", 1),                           // empty entry alone
        ten + path(10) + '\0',                          // eleven entries
        std::string("C:\\A.txt\0c:\\a.TXT\0", 18),      // equal ignoring case
        std::string(510, 'x') + '\0',                   // longer than a path buffer allows
    };
    for (const std::string& value : bad) {
        FileHistory h = decoded(std::string("C:\\kept\0", 8));
        ASSERT_EQ(h.size(), 1u);
        const std::vector<uint8_t> b = bytes(value);
        EXPECT_FALSE(h.decode(b.data(), b.size())) << value.size();
        EXPECT_TRUE(h.empty());
    }
    EXPECT_EQ(decoded(ten).size(), 10u);
    EXPECT_EQ(decoded(std::string(509, 'x') + '\0').size(), 1u);
}

TEST(FileHistoryCase, OnlyAsciiLettersFold) {
    EXPECT_TRUE(FileHistory::samePath("C:\\Docs\\A.TXT", "c:\\docs\\a.txt"));
    EXPECT_FALSE(FileHistory::samePath("C:\\a.txt", "C:\\a.txt "));
    // ア (83 41) and ッ (83 62) / its case partner 83 61: trail bytes compare exactly.
    EXPECT_FALSE(FileHistory::samePath("C:\\\x83\x41.txt", "C:\\\x83\x61.txt"));
    EXPECT_FALSE(FileHistory::samePath("C:\\\x83\x62", "C:\\\x83\x42"));
    EXPECT_TRUE(FileHistory::samePath("C:\\\x83\x41\\X", "c:\\\x83\x41\\x"));
    // Half-width katakana are single bytes outside ASCII: never folded.
    EXPECT_FALSE(FileHistory::samePath("\xB1", "\xD1"));
    // A lead byte as the last byte.
    EXPECT_TRUE(FileHistory::samePath("C:\\a\x82", "c:\\A\x82"));
    EXPECT_FALSE(FileHistory::samePath("C:\\a\x82", "C:\\a\x83"));
    // Full-width Ａ (82 60) and ａ (82 81) are different characters.
    EXPECT_FALSE(FileHistory::samePath("\x82\x60", "\x82\x81"));
}

TEST(FileHistoryUpdate, ClosedDocumentsGoInFrontAndTheOldestDropsAtTen) {
    FileHistory h;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(h.add(path(i)));
    ASSERT_EQ(h.size(), 10u);
    EXPECT_EQ(h.entries()[0], path(9));
    EXPECT_EQ(h.entries()[9], path(0));
    h.add(path(10));
    ASSERT_EQ(h.size(), 10u);
    EXPECT_EQ(h.entries()[0], path(10));
    EXPECT_EQ(h.entries()[9], path(1));
}

TEST(FileHistoryUpdate, SamePathInOtherCaseMovesToTheTopInItsNewCase) {
    FileHistory h;
    for (int i = 0; i < 10; ++i) h.add(path(i));
    h.add("C:\\DOCS\\FILE3.TXT");
    ASSERT_EQ(h.size(), 10u);
    EXPECT_EQ(h.entries()[0], "C:\\DOCS\\FILE3.TXT");
    EXPECT_EQ(h.entries()[9], path(0));  // nothing dropped
    int matches = 0;
    for (const std::string& e : h.entries()) matches += FileHistory::samePath(e, path(3));
    EXPECT_EQ(matches, 1);
}

TEST(FileHistoryUpdate, LoadingTakesTheEntryOut) {
    FileHistory h;
    h.add("C:\\\x95\x5C\\a.txt");
    h.add("C:\\b.txt");
    EXPECT_TRUE(h.remove("c:\\\x95\x5C\\A.TXT"));
    ASSERT_EQ(h.size(), 1u);
    EXPECT_EQ(h.entries()[0], "C:\\b.txt");
    EXPECT_FALSE(h.remove("C:\\c.txt"));
    EXPECT_EQ(h.size(), 1u);
}

TEST(FileHistoryUpdate, UnstorablePathsAreNotEntered) {
    FileHistory h;
    EXPECT_FALSE(h.add(""));
    EXPECT_FALSE(h.add(std::string(510, 'x')));
    EXPECT_FALSE(h.add(std::string("a\0b", 3)));
    EXPECT_TRUE(h.empty());
    EXPECT_TRUE(h.add(std::string(509, 'x')));
    const std::vector<uint8_t> b = h.encode();
    FileHistory back;
    EXPECT_TRUE(back.decode(b.data(), b.size()));
}

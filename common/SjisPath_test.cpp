// Shift_JIS path parts and name comparison, with trail bytes that look like "\" or ASCII letters.
#include "SjisPath.h"

#include <gtest/gtest.h>

using sjis_path::fileNameOffset;
using sjis_path::fileNamePart;
using sjis_path::folderPart;
using sjis_path::sameNameIgnoringCase;

namespace {
// "表" is 95 5C: its trail byte is "\". "ソ" is 83 5C.
const std::string kHyou = "\x95\x5c";
const std::string kSo = "\x83\x5c";
}  // namespace

TEST(SjisPath, FileNameSkipsTrailBytesThatLookLikeSeparators) {
    EXPECT_EQ(fileNamePart("C:\\web\\index.html"), "index.html");
    EXPECT_EQ(fileNamePart("index.html"), "index.html");
    EXPECT_EQ(fileNameOffset("index.html"), 0u);
    EXPECT_EQ(fileNamePart("C:\\dir\\"), "");
    // A file named 表.txt and a folder named ソフト: the 5C trail bytes are not separators.
    EXPECT_EQ(fileNamePart("C:\\" + kSo + "\x83\x74\x83\x67\\" + kHyou + ".txt"), kHyou + ".txt");
    EXPECT_EQ(fileNamePart("C:\\a\\" + kHyou), kHyou);
    EXPECT_EQ(folderPart("C:\\" + kHyou + "\\a.txt"), "C:\\" + kHyou + "\\");
    EXPECT_EQ(folderPart("a.txt"), "");
    // Half-width katakana are single bytes; a lead byte as the last byte does not swallow anything.
    EXPECT_EQ(fileNamePart("C:\\\xb1\xb2\\x\xb3.txt"), "x\xb3.txt");
    EXPECT_EQ(fileNamePart(std::string("C:\\a\\b\x95")), "b\x95");
}

TEST(SjisPath, CaseIsFoldedOnlyForAsciiLetters) {
    EXPECT_TRUE(sameNameIgnoringCase("Index.HTML", "index.html"));
    EXPECT_FALSE(sameNameIgnoringCase("index.htm", "index.html"));
    // "ア" 83 41 and "チ" 83 60 differ only in the case of an ASCII-looking trail byte.
    EXPECT_FALSE(sameNameIgnoringCase("\x83\x41.txt", "\x83\x61.txt"));
    EXPECT_TRUE(sameNameIgnoringCase("\x83\x41.TXT", "\x83\x41.txt"));
    EXPECT_FALSE(sameNameIgnoringCase("[", "{"));  // not letters
}

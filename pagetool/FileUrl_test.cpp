// File URL path encodings: Shift_JIS bytes or UTF-8 bytes escaped, "\" turned into "/".
#include "FileUrl.h"

#include <gtest/gtest.h>

using pagetool::sjisPercentEncoded;
using pagetool::utf8PercentEncoded;

TEST(FileUrl, ShiftJisEscapesBothBytesOfEachCharacter) {
    EXPECT_EQ(sjisPercentEncoded("C:\\web\\a b.html"), "C:/web/a b.html");
    // 表 (95 5C): its trail byte stays escaped, it never becomes "/".
    EXPECT_EQ(sjisPercentEncoded("C:\\\x95\x5c\\x.html"), "C:/%95%5C/x.html");
    // ア (83 41): both bytes escaped though the second looks like "A".
    EXPECT_EQ(sjisPercentEncoded("\x83\x41"), "%83%41");
    // Half-width katakana, "%" and "#" cannot stand in a URL as they are.
    EXPECT_EQ(sjisPercentEncoded("\xb1%#.html"), "%B1%25%23.html");
    // A lead byte as the last byte is escaped on its own.
    EXPECT_EQ(sjisPercentEncoded("a\x95"), "a%95");
    EXPECT_EQ(sjisPercentEncoded(""), "");
}

TEST(FileUrl, Utf8FromCodePage932) {
    EXPECT_EQ(utf8PercentEncoded("C:\\web\\a.html"), "C:/web/a.html");
    // 表 U+8868 = E8 A1 A8; ア U+30A2 = E3 82 A2; half-width ｱ U+FF71 = EF BD B1.
    EXPECT_EQ(utf8PercentEncoded("C:\\\x95\x5c\\\x83\x41\xb1.html"), "C:/%E8%A1%A8/%E3%82%A2%EF%BD%B1.html");
    EXPECT_EQ(utf8PercentEncoded("100%#1"), "100%25%231");
    EXPECT_EQ(utf8PercentEncoded(""), "");
}

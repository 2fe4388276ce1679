// Tests of the whole-path helpers: trail bytes that look like "\", canonical forms, case folding.
#include "SjisPath.h"

#include <gtest/gtest.h>

using namespace sjis_path;

TEST(SjisWholePath, TrailingBackslashStepsOverPairs) {
    EXPECT_TRUE(endsWithBackslash("C:\\"));
    EXPECT_FALSE(endsWithBackslash("C:\\\x8d\xec\x8b\xc6\x95\\"));  // C:\作業表 ends in 5C
    EXPECT_EQ(withTrailingBackslash("C:\\\x95\\"), "C:\\\x95\\\\");
    EXPECT_EQ(lastBackslash("C:\\a\\\x95\\"), 4u);
}

TEST(SjisWholePath, CaseFoldsAsciiOnly) {
    EXPECT_TRUE(equalsIgnoreCase("C:\\Quorvale", "c:\\QUORVALE"));
    EXPECT_FALSE(equalsIgnoreCase("\x83\x41", "\x83\x61"));  // ア, ヂ
    EXPECT_FALSE(equalsIgnoreCase("ab", "abc"));
    EXPECT_TRUE(startsWithIgnoreCase("C:\\X\\y", "c:\\x"));
}

TEST(SjisWholePath, Canonical) {
    EXPECT_EQ(canonical("C:/a//b/./c/../d\\"), "C:\\a\\b\\d");
    EXPECT_EQ(canonical("C:\\"), "C:\\");
    EXPECT_EQ(canonical("C:\\\x95\\\\x"), "C:\\\x95\\\\x");
    EXPECT_EQ(canonical("C:\\.."), "");
    EXPECT_EQ(canonical("C:a"), "");
    EXPECT_EQ(canonical("\\\\server\\share\\a"), "");
    EXPECT_EQ(canonical("C:\\a.\\b"), "");
    EXPECT_EQ(canonical("C:\\a \\b"), "");
    EXPECT_EQ(canonical("C:\\a:b"), "");
    EXPECT_EQ(canonical("C:\\a\\\x95"), "");  // a lead byte cut at the end
    EXPECT_EQ(lastComponent("C:\\a\\b"), "b");
    EXPECT_EQ(parentFolder("C:\\a\\b"), "C:\\a\\");
}

// Tests of the command-line tail rules and of the command lines built for new windows.
#include "CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, PrefixDigitHtmlAndQuotedFile) {
    CommandLine c = CommandLine::parse(":3H \"D:\\web\\x.html\"");
    EXPECT_EQ(c.encoding, 3);
    EXPECT_TRUE(c.html);
    EXPECT_EQ(c.path, "D:\\web\\x.html");
    EXPECT_FALSE(c.hasRemainder);

    // 5 is not an encoding digit: it stays as the first character of the path.
    c = CommandLine::parse(":5\"a.txt\"");
    EXPECT_EQ(c.encoding, 0);
    EXPECT_EQ(c.path, "5\"a.txt\"");

    c = CommandLine::parse(":0\"C:\\a b.txt\"");
    EXPECT_EQ(c.encoding, 0);
    EXPECT_FALSE(c.html);
    EXPECT_EQ(c.path, "C:\\a b.txt");
}

TEST(CommandLine, UnquotedTailIsOnePathWithBlanks) {
    CommandLine c = CommandLine::parse("C:\\My Documents\\memo.txt");
    EXPECT_EQ(c.path, "C:\\My Documents\\memo.txt");
    EXPECT_TRUE(CommandLine::parse("").path.empty());
    // A Shift_JIS path whose trail byte is a backslash (表 = 95 5C) is kept byte for byte.
    CommandLine s = CommandLine::parse("\"C:\\\x95\x5c.txt\"");
    EXPECT_EQ(s.path, "C:\\\x95\x5c.txt");
}

TEST(CommandLine, QuotedChainHandsTheRemainderOn) {
    CommandLine c = CommandLine::parse("\"a.txt\" \"b.txt\" \"c.txt\"");
    EXPECT_EQ(c.path, "a.txt");
    ASSERT_TRUE(c.hasRemainder);
    EXPECT_EQ(c.remainder, " \"b.txt\" \"c.txt\"");
    CommandLine next = CommandLine::parse(c.remainder.substr(1));
    EXPECT_EQ(next.path, "b.txt");
    EXPECT_EQ(next.remainder, " \"c.txt\"");
    // The prefix is not passed on: the remainder starts after the closing quote.
    EXPECT_EQ(CommandLine::parse(":2H\"x\" \"y\"").remainder, " \"y\"");
}

TEST(CommandLine, ProgramTokenAndNewWindowLine) {
    std::string token;
    ASSERT_TRUE(programToken("\"C:\\Tools\\ulo.exe\" :0\"x\"", &token));
    EXPECT_EQ(token, "\"C:\\Tools\\ulo.exe\"");
    ASSERT_TRUE(programToken("C:\\Tools\\ulo.exe a b", &token));
    EXPECT_EQ(token, "C:\\Tools\\ulo.exe");
    EXPECT_FALSE(programToken("\"C:\\Tools\\ulo.exe", &token));

    std::string path = "D:\\web\\index.html";
    EXPECT_EQ(newWindowCommandLine("\"C:\\Tools\\ulo.exe\"", &path, 0),
              "\"C:\\Tools\\ulo.exe\" :0\"D:\\web\\index.html\"");
    EXPECT_EQ(newWindowCommandLine("ulo.exe", nullptr, 3), "ulo.exe");
    EXPECT_EQ(programFolder("\"C:\\Tools\\ulo.exe\" x"), "C:\\Tools\\");
    EXPECT_EQ(programFolder("ulo.exe"), "");
}

// Extracting e-mail addresses (611) and URLs (612).
#include <gtest/gtest.h>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(ExtractMail, AcceptsDomainsWithALetterADotAndThreeBytes) {
    Outcome out = run(611, "to: a.b@ex.com, c-d@x.jp; bad@nodot x@1.2 y@a.b z@a.bc@d ");
    EXPECT_FALSE(out.inPlace);
    EXPECT_EQ(out.text, "a.b@ex.com\r\nc-d@x.jp\r\ny@a.b\r\n");
    // An "@" within the last four bytes is not considered.
    EXPECT_EQ(run(611, "a@b.c").text, "");
    EXPECT_EQ(run(611, "a@b.c ").text, "a@b.c\r\n");
}

TEST(ExtractMail, TrailBytesAreNotAddressCharacters) {
    // "ア" is 83 41: its "A" is not the start of "A@b.cd".
    EXPECT_EQ(run(611, sj::kA + "@b.cd ").text, "");
    // Right after an address a two-byte character is stepped over whole.
    EXPECT_EQ(run(611, "a@b.cd" + sj::kA + "@x.yz ").text, "a@b.cd\r\n");
    Outcome none = run(611, "nothing here");
    EXPECT_TRUE(none.done);
    EXPECT_EQ(none.text, "");
}

TEST(ExtractUrls, SchemesCaseSensitiveOnCharacterBoundaries) {
    EXPECT_EQ(run(612, "see http://a.jp/x. and (https://b.jp/y), HTTP://c.jp ftp:x,").text,
              "http://a.jp/x.\r\nhttps://b.jp/y\r\nftp:x\r\n");
    // "デ" is 83 66: "デtp:" holds "ftp:" only for a scan that lands on the trail byte.
    EXPECT_EQ(run(612, sj::kDe + "tp://x " + sj::kA + "mailto:a@b").text, "mailto:a@b\r\n");
    EXPECT_EQ(run(612, "clsid:1 prospero:2 wais:3 file:4 telnet:5 nntp:6 news:7 gopher:8").text,
              "clsid:1\r\nprospero:2\r\nwais:3\r\nfile:4\r\ntelnet:5\r\nnntp:6\r\nnews:7\r\ngopher:8\r\n");
}

TEST(ExtractUrls, WorstCaseFitsTheResultBuffer) {
    std::string in;
    for (int i = 0; i < 1000; ++i) in += "ftp: ";
    Outcome out = run(612, in);
    EXPECT_EQ(out.text.size(), 6000u);
    in.pop_back();
    EXPECT_EQ(run(612, in).text.size(), 6000u);
}

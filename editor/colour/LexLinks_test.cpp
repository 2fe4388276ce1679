// Tests of the URL and e-mail recognisers and of the scanner that merges their matches.
#include <gtest/gtest.h>

#include <string>

#include "LexLinks.h"

namespace {

std::string url(const std::string& s) {
    LexMatch m;
    if (!findUrl(reinterpret_cast<const uint8_t*>(s.data()), static_cast<uint32_t>(s.size()), &m))
        return "-";
    return s.substr(m.start, m.length);
}

std::string mail(const std::string& s) {
    LexMatch m;
    if (!findMail(reinterpret_cast<const uint8_t*>(s.data()), static_cast<uint32_t>(s.size()), &m))
        return "-";
    return s.substr(m.start, m.length);
}

TEST(LexUrl, SchemesBytesAndBoundaries) {
    EXPECT_EQ(url("go to http://www.example.jp/a/b.cgi?x=1&y=%20#top now"),
              "http://www.example.jp/a/b.cgi?x=1&y=%20#top");
    EXPECT_EQ(url("xhttp://a"), "http://a");  // no word boundary needed before a scheme
    EXPECT_EQ(url("https://a"), "https://a");
    EXPECT_EQ(url("(ftp://a/b)"), "ftp://a/b");
    EXPECT_EQ(url("HTTP://a"), "-");
    EXPECT_EQ(url("ftp"), "-");
    EXPECT_EQ(url("ftp:"), "ftp:");
    EXPECT_EQ(url("clsid:ABC-1 x"), "clsid:ABC-1");
    EXPECT_EQ(url("prospero:a'b"), "prospero:a");
    for (const char* s : {"gopher:", "mailto:", "news:", "nntp:", "telnet:", "wais:", "file:"})
        EXPECT_EQ(url(std::string("<") + s + "x>"), std::string(s) + "x");
    EXPECT_EQ(url("a http://x\\y"), "http://x");
    EXPECT_EQ(url("http://a\x82\xa0"), "http://a");  // a double-byte character ends it
    EXPECT_EQ(url("a news:b http://c"), "news:b");   // the leftmost wins
}

TEST(LexUrl, SchemeInsideADoubleByteCharacterIsNotSeen) {
    // 0x83 0x66 is one double-byte character whose trail byte is 'f': "ftp:" must not be read
    // from it.
    EXPECT_EQ(url("\x83" "ftp:x"), "-");
    EXPECT_EQ(url("\x83" "aftp:x"), "ftp:x");
    EXPECT_EQ(url("\x95\x5c" "ftp:x"), "ftp:x");
}

TEST(LexMail, CandidatesAndDomains) {
    EXPECT_EQ(mail("write to taro.yamada@mail.example.co.jp, please"), "taro.yamada@mail.example.co.jp");
    EXPECT_EQ(mail("a@bc"), "-");          // the "@" is too close to the end
    EXPECT_EQ(mail("a@b.c x"), "a@b.c");   // three domain bytes suffice
    EXPECT_EQ(mail("a@b.c"), "-");         // ... but not with the "@" at length - 4
    EXPECT_EQ(mail("a@bc.de"), "a@bc.de");
    EXPECT_EQ(mail("a@b. x"), "-");        // two domain bytes
    EXPECT_EQ(mail("a@bcde x"), "-");      // no dot
    EXPECT_EQ(mail("a@1.23 x"), "-");      // no letter
    EXPECT_EQ(mail("a@b@c.de.fg x@y.jp"), "x@y.jp");  // a second "@" voids the whole run
    EXPECT_EQ(mail("a+b@c.jp"), "b@c.jp");
    EXPECT_EQ(mail("\x95\x5c" "b@c.jp"), "b@c.jp");
    EXPECT_EQ(mail("\x81\x40" "@c.jp x@y.jp"), "x@y.jp");  // 0x40 trail byte is not "@"
    EXPECT_EQ(mail("a@b.c\x82\xa0 q"), "a@b.c");
}

std::vector<std::string> links(const std::string& s, bool wantUrl = true, bool wantMail = true) {
    LexLinkScanner scanner(reinterpret_cast<const uint8_t*>(s.data()),
                           static_cast<uint32_t>(s.size()), wantUrl, wantMail);
    std::vector<std::string> out;
    LexMatch m;
    while (scanner.next(&m)) out.push_back(s.substr(m.start, m.length));
    return out;
}

TEST(LexLinkScanner, MergesAndCutsOverlaps) {
    using V = std::vector<std::string>;
    EXPECT_EQ(links("mailto:me@example.jp"), (V{"mailto:", "me@example.jp"}));
    EXPECT_EQ(links("ab@example.jphttp://x"), (V{"ab@example.jp", "http://x"}));
    EXPECT_EQ(links("http://u@host.jp/"), (V{"http:", "//u@host.jp/"}));
    EXPECT_EQ(links("x@y.jp http://a b@c.jp http://d"), (V{"x@y.jp", "http://a", "b@c.jp", "http://d"}));
    EXPECT_EQ(links("x@y.jp http://a", false, true), (V{"x@y.jp"}));
    EXPECT_EQ(links("x@y.jp http://a", true, false), (V{"http://a"}));
    EXPECT_EQ(links("nothing here"), V{});
}

}  // namespace

// An empty line may have no text at all: no address, and no null pointer handed to memchr.
TEST(LexLinks, AnEmptyLineWithoutTextHasNoAddress) {
    LexMatch m{};
    EXPECT_FALSE(findMail(nullptr, 0, &m));
}

// The img and anchor tag texts per flag, at the buffer lengths where they stop fitting.
#include "TagText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using pagetool::anchorTag;
using pagetool::copyToBuffer;
using pagetool::ImageSize;
using pagetool::imageTag;
using pagetool::ImageTagOptions;

namespace {
std::string img(const std::string& rel, const ImageSize* size, const std::string& alt, ImageTagOptions o,
                size_t length = 510) {
    std::string tag = "(none)";
    return imageTag(rel, size, alt, o, length, &tag) ? tag : "(none)";
}
ImageTagOptions opts(bool xhtml, bool upper, bool alwaysAlt) {
    ImageTagOptions o;
    o.xhtml = xhtml;
    o.upperCase = upper;
    o.alwaysAlt = alwaysAlt;
    return o;
}
const ImageSize kRose{70, 46};
}  // namespace

TEST(TagText, ImageTagPerFlag) {
    EXPECT_EQ(img("b.png", nullptr, "", opts(false, false, false)), "<img src=\"b.png\">");
    EXPECT_EQ(img("b.png", &kRose, "", opts(false, true, false)), "<IMG SRC=\"b.png\" WIDTH=\"70\" HEIGHT=\"46\">");
    // xhtml forces lower case; a 1 x 1 image with an empty alt written.
    const ImageSize one{1, 1};
    EXPECT_EQ(img("one.png", &one, "", opts(true, true, true)),
              "<img src=\"one.png\" width=\"1\" height=\"1\" alt=\"\" />");
    EXPECT_EQ(img("b.png", nullptr, "\x95\x5c", opts(false, false, false)), "<img src=\"b.png\" alt=\"\x95\x5c\">");
    // Sides from 100000 on are left out.
    const ImageSize huge{100000, 5};
    EXPECT_EQ(img("b.png", &huge, "", opts(false, false, false)), "<img src=\"b.png\">");
    const ImageSize largest{99999, 99999};
    EXPECT_EQ(img("b.png", &largest, "", opts(false, false, false)),
              "<img src=\"b.png\" width=\"99999\" height=\"99999\">");
}

TEST(TagText, ImageTagBoundaryLengths) {
    // Path of 5 bytes: the src part and a closing need 20 bytes, the size 50.
    EXPECT_EQ(img("b.png", nullptr, "", opts(false, false, false), 20), "<img src=\"b.png\">");
    EXPECT_EQ(img("b.png", nullptr, "", opts(false, false, false), 19), "(none)");
    EXPECT_EQ(img("b.png", &kRose, "", opts(false, false, false), 50), "<img src=\"b.png\" width=\"70\" height=\"46\">");
    EXPECT_EQ(img("b.png", &kRose, "", opts(false, false, false), 49), "(none)");
    EXPECT_EQ(img("", nullptr, "", opts(false, false, false), 10), "(none)");
    // Alt: " alt="xy"" and " />" and the NUL after <img src="b.png"> (16 bytes): 16 + 9 + 3 + 1 = 29.
    EXPECT_EQ(img("b.png", nullptr, "xy", opts(true, false, false), 29), "<img src=\"b.png\" alt=\"xy\" />");
    EXPECT_EQ(img("b.png", nullptr, "xy", opts(true, false, false), 28), "(none)");
    // With ">" the alt needs ten bytes beyond the text and itself: 16 + 2 + 10.
    EXPECT_EQ(img("b.png", nullptr, "xy", opts(false, false, false), 28), "<img src=\"b.png\" alt=\"xy\">");
    EXPECT_EQ(img("b.png", nullptr, "xy", opts(false, false, false), 27), "(none)");
}

TEST(TagText, AnchorTag) {
    std::string tag;
    ASSERT_TRUE(anchorTag("../a.html", false, 1020, &tag));
    EXPECT_EQ(tag, "<a href=\"../a.html\">*selected_text*</a>");
    ASSERT_TRUE(anchorTag("a.html", true, 40, &tag));
    EXPECT_EQ(tag, "<A HREF=\"a.html\">*selected_text*</A>");
    EXPECT_FALSE(anchorTag("", false, 39, &tag));
    EXPECT_EQ(pagetool::anchorPathRoom(1020), 980u);
    EXPECT_EQ(pagetool::anchorPathRoom(39), 0u);
}

TEST(TagText, CopyNeverWritesAtOrPastTheLength) {
    std::vector<char> buffer(8, '#');
    EXPECT_FALSE(copyToBuffer("1234567", buffer.data(), 7));
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), "########");
    EXPECT_TRUE(copyToBuffer("123456", buffer.data(), 7));
    EXPECT_EQ(std::string(buffer.data()), "123456");
    EXPECT_EQ(buffer[7], '#');
    EXPECT_FALSE(copyToBuffer("", nullptr, 5));
}

// Deleting tags (400) and tag attributes (401).
#include <gtest/gtest.h>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(DeleteTags, RemovesTagsCommentsAndServerBlocks) {
    EXPECT_EQ(run(400, "<p class=\"a>b\">x</p>").text, "x");
    EXPECT_EQ(run(400, "a<!-- <b> -->b<?php echo '>' ?>c<% x %>d<$ y $>e").text, "abcde");
    EXPECT_EQ(run(400, "<a href=\"<?= $u ?>\" <% if %> >t</a>").text, "t");
    // A two-byte character is copied whole; its trail byte is never a tag character.
    EXPECT_EQ(run(400, sj::kSo + "<b>" + sj::kHyo + "</b>").text, sj::kSo + sj::kHyo);
    // Constructs left open run to the end.
    EXPECT_EQ(run(400, "a<b c=\"d").text, "a");
    EXPECT_EQ(run(400, "a<!-- b").text, "a");
    EXPECT_EQ(run(400, "a<?b").text, "a");
    EXPECT_FALSE(run(400, "no tags > here").done);
}

TEST(DeleteTagAttributes, KeepsNamesAndClosingBracket) {
    EXPECT_EQ(run(401, "<a href=\"x\" title=\"y\">t</a>").text, "<a>t</a>");
    EXPECT_EQ(run(401, "<img src=\"x\" />").text, "<img>");
    EXPECT_EQ(run(401, "<img src=\"x\"/>").text, "<img/>");
    EXPECT_EQ(run(401, "<a href=\"x\"title=\"y\">").text, "<atitle=>");
    EXPECT_EQ(run(401, "<br\r\nclear=all>").text, "<br>");
}

TEST(DeleteTagAttributes, CommentsKeptWithoutServerBlocksAndTwoByteCharactersStopCopying) {
    EXPECT_EQ(run(401, "<!-- a <?x?> b -->c").text, "<!-- a  b -->c");
    EXPECT_EQ(run(401, "<p" + sj::kNi + "q r>").text, "<p>");
    EXPECT_EQ(run(401, "x<? y ?>z").text, "xz");
    EXPECT_FALSE(run(401, "plain").done);
}

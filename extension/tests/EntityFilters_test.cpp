// Character references to characters (500) and escaping markup (501).
#include <gtest/gtest.h>

#include <cstring>

#include "FilterTables.h"
#include "FilterTestSupport.h"

using namespace filter_test;

TEST(EntityTable, HasTheRowsItsDataSaysAndFitsInPlace) {
    int unnamed = 0;
    for (const auto& row : ulo_filters::kEntities) {
        if (!row.name) ++unnamed;
        EXPECT_LE(std::strlen(row.replacement), std::strlen(row.numeric) + 2);
    }
    EXPECT_EQ(unnamed, 8);
    EXPECT_STREQ(ulo_filters::kEntities[0].name, "quot");
    EXPECT_STREQ(ulo_filters::kEntities[0].numeric, "#34");
}

TEST(DecodeReferences, NamedAndNumericFormsAsTheTableSpellsThem) {
    Outcome out = run(500, "&lt;p&gt; &amp; &copy;&nbsp;&#35;&#8230;&yen;&hellip;&Agrave;&aelig;");
    EXPECT_TRUE(out.inPlace);
    EXPECT_EQ(out.text, "<p> & (C) #\x81\x63" + sj::kYen +
                            "\x81\x63"
                            "Aae");
    // One pass: "&amp;lt;" gives "&lt;", not "<".
    EXPECT_EQ(run(500, "&amp;lt;").text, "&lt;");
    // Unknown names, other letter case, hexadecimal, leading zeros, empty names, no ";".
    EXPECT_FALSE(run(500, "&foo; &LT; &#x3c; &#060; &; &lt").done);
    EXPECT_EQ(run(500, "&&lt;").text, "&<");
}

TEST(DecodeReferences, LookAheadStopsAtTheSelectionEnd) {
    // The ";" would be 5 bytes on, but the selection ends first: nothing past it is read.
    std::string in = "&lt";
    EXPECT_FALSE(run(500, in).done);
    EXPECT_EQ(run(500, "&lt;").text, "<");
    // 21 bytes is the reach: a name of 20 bytes is still looked up (and unknown), the ";" found.
    EXPECT_FALSE(run(500, "&abcdefghijklmnopqrst;").done);
}

TEST(EscapeMarkup, EscapesAndRoundTripsThroughDecode) {
    const std::string in = "<a href=\"x?a=1&b=2\">" + sj::kHyo + "</a>";
    Outcome escaped = run(501, in);
    EXPECT_FALSE(escaped.inPlace);
    EXPECT_EQ(escaped.text, "&lt;a href=\"x?a=1&amp;b=2\"&gt;" + sj::kHyo + "&lt;/a&gt;");
    EXPECT_EQ(run(500, escaped.text).text, in);
    EXPECT_FALSE(run(501, "plain \"text\"").done);
}

// LintChecker: the same messages whether fed whole or line by line, faults found on their
// lines, a false callback stops the check, no map fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DocumentMap.h"
#include "LintChecker.h"

namespace {

struct Collected {
    std::vector<std::string> lines;
    int stopAfter = -1;
};

bool collect(void* context, int32_t line, const char* text, uint32_t kind) {
    auto* c = static_cast<Collected*>(context);
    c->lines.push_back(std::to_string(line) + ":" + std::to_string(kind) + ":" + text);
    return c->stopAfter < 0 || static_cast<int>(c->lines.size()) < c->stopAfter;
}

struct Map {
    DocumentMap map;
    explicit Map(const char* name) {
        EXPECT_EQ(loadMap(map, (std::string(ULO_MAP_DIR) + "/" + name).c_str()), mapfile::kLoaded);
    }
    ~Map() { unloadMap(map); }
};

std::vector<std::string> check(const DocumentMap& map, const std::string& doc, int piece, uint32_t options = 0x3B) {
    Collected c;
    LintChecker checker;
    EXPECT_TRUE(checker.initialize(&map, collect, &c, options));
    if (piece == 0) {
        checker.execute(reinterpret_cast<const uint8_t*>(doc.data()), doc.size());
    } else {
        for (size_t i = 0; i < doc.size(); i += static_cast<size_t>(piece))
            checker.execute(reinterpret_cast<const uint8_t*>(doc.data() + i),
                            std::min(doc.size() - i, static_cast<size_t>(piece)));
    }
    checker.finish();
    return c.lines;
}

std::vector<std::string> checkAllWays(const DocumentMap& map, const std::string& doc) {
    const auto whole = check(map, doc, 0);
    for (int piece : {1, 2, 3, 7})
        EXPECT_EQ(check(map, doc, piece), whole) << "piece " << piece;
    return whole;
}

std::vector<int> lines(const std::vector<std::string>& messages) {
    std::vector<int> out;
    for (const auto& m : messages)
        if (m.find(":0:") != std::string::npos) out.push_back(std::stoi(m));
    return out;
}

const char kGood[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
    "<HTML><HEAD><TITLE>\x95\x5C\x83\x41</TITLE>\n"
    "<STYLE type=\"text/css\"> p < b { color: red } </STYLE></HEAD>\n"
    "<BODY bgcolor=\"#ffffff\">\n"
    "<P>one &amp; two &copy; <IMG src=\"a.png\" alt=\"\x83\x41\">\n"
    "<TABLE><TR><TD nowrap>cell<TD>cell</TABLE>\n"
    "<UL><LI>a<LI>b</UL>\n"
    "<SCRIPT type=\"text/javascript\">if (a < b) document.write('<p>');</SCRIPT>\n"
    "<% server %><!-- <b> -->\n"
    "</BODY></HTML>\n";

TEST(LintCheckerTest, CleanDocumentAnyPieces) {
    Map m("html401-loose.map");
    EXPECT_EQ(checkAllWays(m.map, kGood), std::vector<std::string>{});
}

TEST(LintCheckerTest, FaultsOnTheirLines) {
    Map m("html401-loose.map");
    const std::string doc =
        "<html><body>\n"
        "<blink>x</blink>\n"                 // 2 unknown element (+ stray end tag)
        "<p onclik=\"a\">x\n"                // 3 undefined attribute
        "<td align=\"middle\">\n"            // 4 value outside its list (and td not allowed)
        "<img src=\"a\">\n"                  // 5 alt missing
        "&unknownentity;\n"                  // 6
        "<ul>text<li>a</ul>\n"               // 7 text in element content
        "<div><span>x</div>\n"               // 8 span not closed when div closes
        "</body></html>\n";
    const auto found = lines(checkAllWays(m.map, doc));
    for (int line : {2, 3, 4, 5, 6, 7, 8})
        EXPECT_NE(std::find(found.begin(), found.end(), line), found.end()) << "line " << line;
}

TEST(LintCheckerTest, XhtmlRules) {
    Map m("xhtml1-transitional.map");
    const std::string doc =
        "<html><body>\n"
        "<P>x</P>\n"                    // 2 upper case
        "<p>a<br>b</p>\n"               // 3 empty element without />
        "<td nowrap>\n"                 // 4 minimised
        "<p class=a>x &amp; y & z</p>\n"  // 5 unquoted, bare &
        "<![CDATA[ <b> ]]>\n"
        "</body></html>\n";
    const auto found = lines(checkAllWays(m.map, doc));
    for (int line : {2, 3, 4, 5})
        EXPECT_NE(std::find(found.begin(), found.end(), line), found.end()) << "line " << line;
}

// The messages of one kind (0 error, 1 information), as "line:text".
std::vector<std::string> ofKind(const std::vector<std::string>& messages, uint32_t kind) {
    std::vector<std::string> out;
    const std::string mark = ":" + std::to_string(kind) + ":";
    for (const auto& m : messages) {
        const size_t at = m.find(':');
        if (m.compare(at, mark.size(), mark) == 0) out.push_back(m.substr(0, at) + ":" + m.substr(at + mark.size()));
    }
    return out;
}

TEST(LintCheckerTest, AttributeRulesOnTheirLines) {
    Map m("html401-loose.map");
    const std::string doc =
        "<html><body>\n"
        "<p align=\"left\" ALIGN=\"right\">x</p>\n"   // 2 the same attribute twice, any case
        "<p id=\"a\">x</p>\n"
        "<p id=\"a\">x</p>\n"                           // 4 the id again
        "<p title>x</p>\n"                               // 5 a bare attribute that is not boolean
        "<td nowrap>\n"                                  //   boolean: fine bare
        "<p title=\"one\n"
        "two\">x</p>\n"                                  // 7 the value goes on past its line
        "</body></html>\n";
    const auto messages = checkAllWays(m.map, doc);
    const auto errors = ofKind(messages, 0);
    const auto information = ofKind(messages, lintkind::Information);
    auto onLine = [](const std::vector<std::string>& list, int line, const std::string& text) {
        const std::string prefix = std::to_string(line) + ":";
        return std::any_of(list.begin(), list.end(), [&](const std::string& m) {
            return m.compare(0, prefix.size(), prefix) == 0 && m.find(text) != std::string::npos;
        });
    };
    EXPECT_TRUE(onLine(errors, 2, "ALIGN")) << ::testing::PrintToString(messages);
    EXPECT_TRUE(onLine(errors, 4, "id a")) << ::testing::PrintToString(messages);
    EXPECT_FALSE(onLine(errors, 3, "id a"));
    EXPECT_TRUE(onLine(information, 5, "title")) << ::testing::PrintToString(messages);
    EXPECT_FALSE(onLine(information, 6, "nowrap"));
    EXPECT_TRUE(onLine(information, 7, "")) << ::testing::PrintToString(messages);
    // Without their option bits the bare attribute and the value across lines are not reported.
    const auto quiet = check(m.map, doc, 0, 0x3B & ~(lintoption::ReportBareAttribute | lintoption::ReportValueCrossingLine));
    EXPECT_TRUE(ofKind(quiet, lintkind::Information).empty()) << ::testing::PrintToString(quiet);
}

TEST(LintCheckerTest, OptionsAndStop) {
    Map m("html401-loose.map");
    const std::string doc = "<p onclik=\"a\">\n<blink>\n<MTEntries>\n";
    EXPECT_EQ(check(m.map, doc, 0, 0).size(), 0u);
    EXPECT_EQ(lines(check(m.map, doc, 0, lintoption::ReportTemplateTags)), (std::vector<int>{3}));
    Collected c;
    c.stopAfter = 1;
    LintChecker checker;
    ASSERT_TRUE(checker.initialize(&m.map, collect, &c, 0x3B));
    EXPECT_FALSE(checker.execute(reinterpret_cast<const uint8_t*>(doc.data()), doc.size()));
    EXPECT_FALSE(checker.finish());
    EXPECT_EQ(c.lines.size(), 1u);
    EXPECT_FALSE(checker.initialize(nullptr, collect, &c, 0));
    // Initialize resets: a new check after a stopped one runs from line 1.
    c = Collected{};
    ASSERT_TRUE(checker.initialize(&m.map, collect, &c, 0x3B));
    EXPECT_TRUE(checker.execute(reinterpret_cast<const uint8_t*>("<p>"), 3));
    EXPECT_TRUE(checker.finish());
}

TEST(LintCheckerTest, UnclosedAtTheEndAndDeepNesting) {
    Map m("html401-loose.map");
    EXPECT_EQ(check(m.map, "<!-- open", 0).size(), 1u);
    EXPECT_EQ(check(m.map, "<p title=\"open", 0).size(), 1u);
    std::string deep;
    for (int i = 0; i < 600; ++i) deep += "<div>";
    const auto messages = check(m.map, deep, 0);
    EXPECT_FALSE(messages.empty());
}

}  // namespace

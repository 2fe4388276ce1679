// ElementScanner and the caret context: documents with a caret mark "|" and the expected
// candidates, fed whole and line by line, with LF and CR LF.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "CaretContext.h"
#include "HtmlTestSupport.h"

namespace {

// The candidates at the "|" of `document`, fed both ways and with both line ends; all four
// must agree.
std::string candidatesAt(const DocumentMap& map, std::string document, bool children, int preference = 0,
                         char placeholder = 0) {
    const size_t caret = document.find('|');
    document.erase(caret, 1);
    std::string results[4];
    for (int way = 0; way < 4; ++way) {
        std::string text = document.substr(0, caret);
        if (way >= 2) {
            std::string crlf;
            for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            text = crlf;
        }
        ElementScanner scanner(map);
        feedDocument(scanner, text, way % 2 == 0);
        char out[65536];
        const size_t n = scanner.elementCandidates(out, sizeof out, children, preference, placeholder);
        for (const std::string& s : splitCandidates(out, n)) results[way] += s + " ";
    }
    for (int way = 1; way < 4; ++way) EXPECT_EQ(results[way], results[0]) << "way " << way << ": " << document;
    return results[0];
}

TEST(ElementScannerTest, EndTagsUpToTheFirstRequiredOne) {
    LoadedMap m("html401-loose.map");
    EXPECT_EQ(candidatesAt(m.map, "<html><body><ul>\n<li>one\n<li>two|", false), "/li /ul ");
    // Empty elements open since the last other one are skipped.
    EXPECT_EQ(candidatesAt(m.map, "<p>text<br><img src=a alt=b>|", false), "/p ");
    EXPECT_EQ(candidatesAt(m.map, "<div><p>a</p>|", false), "/div ");
    // An end tag that matches nothing leaves the stack as it was.
    EXPECT_EQ(candidatesAt(m.map, "<div><span>a</em>|", false), "/span ");
}

TEST(ElementScannerTest, UpperCaseDocumentsGetUpperCase) {
    LoadedMap m("html401-loose.map");
    EXPECT_EQ(candidatesAt(m.map, "<HTML><BODY><UL><LI>x|", false), "/LI /UL ");
    EXPECT_EQ(candidatesAt(m.map, "<UL><LI>x|", false, -1), "/li /ul ");
}

TEST(ElementScannerTest, ChildrenAndTemplate) {
    LoadedMap m("html401-loose.map");
    EXPECT_EQ(candidatesAt(m.map, "|", true, 0, ' '),
              "!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\" ");
    // The template keeps its case whatever the preference; 0 cuts it at the "@".
    EXPECT_EQ(candidatesAt(m.map, "|", true, -1, 0), "!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" ");
    EXPECT_EQ(candidatesAt(m.map, "<!DOCTYPE x>|", true), "html ");
    EXPECT_EQ(candidatesAt(m.map, "<table><tr>|", true), "del ins td th ");
    const std::string inUl = candidatesAt(m.map, "<ul>|", true);
    EXPECT_EQ(inUl, "del ins li ");
}

TEST(ElementScannerTest, XhtmlEmptyElementsCloseThemselves) {
    LoadedMap m("xhtml1-transitional.map");
    EXPECT_EQ(candidatesAt(m.map, "<html><body><p>a<br />b<br/>|", false), "/p ");
    LoadedMap loose("html401-loose.map");
    EXPECT_EQ(candidatesAt(loose.map, "<p><br>\nb|", false), "/p ");
}

TEST(ElementScannerTest, NotAllowedUnderRequiredEndIsPushedOnTop) {
    LoadedMap m("html401-strict.map");
    // ul does not allow p and its end tag is required: p goes on top without closing ul.
    EXPECT_EQ(candidatesAt(m.map, "<ul><p>x|", false), "/p /ul ");
}

TEST(ElementScannerTest, ScriptBlocksCommentsAndValuesHideTags) {
    LoadedMap m("html401-loose.map");
    EXPECT_EQ(candidatesAt(m.map, "<div><% if (a<b) { %><p>x<!-- <span> -->|", false), "/p /div ");
    EXPECT_EQ(candidatesAt(m.map, "<div title=\"<span>\" class='<em>'><?php echo '<b>' ?>|", false), "/div ");
    // Shift_JIS: ア (83 41) and 表 (95 5C) in text, values and names do not break the scan.
    EXPECT_EQ(candidatesAt(m.map, "<div title=\"\x95\x5C\x83\x41\">\x95\x5C<span>\x83\x41|", false), "/span ");
    EXPECT_EQ(candidatesAt(m.map, "<div><p\x83\x41>\xB1\xB2<em>x|", false), "/em ");
}

TEST(ElementScannerTest, DeepNestingAndLongNames) {
    LoadedMap m("html401-loose.map");
    std::string deep;
    for (int i = 0; i < 513; ++i) deep += "<div>";
    ElementScanner scanner(m.map);
    EXPECT_FALSE(scanner.feed(reinterpret_cast<const uint8_t*>(deep.data()), deep.size()));
    EXPECT_TRUE(scanner.overflowed());
    EXPECT_EQ(scanner.depth(), 512);
    // 64- and 257-byte names are unknown: nothing is pushed, the scan goes on.
    const std::string doc = "<div><" + std::string(64, 'a') + "><" + std::string(257, 'b') + " x=\">\">|";
    EXPECT_EQ(candidatesAt(m.map, doc, false), "/div ");
}

TEST(ElementScannerTest, BoundedModeStopsWhereTheElementEnds) {
    LoadedMap m("html401-loose.map");
    auto stopAt = [&](const std::string& text) -> long {
        ElementScanner scanner(m.map, ElementScanner::kBounded);
        feedDocument(scanner, text, false);
        return scanner.stopped() ? static_cast<long>(scanner.stopOffset()) : -1;
    };
    EXPECT_EQ(stopAt("<b>bold</b> after"), 11);
    EXPECT_EQ(stopAt("<p>one\n<p>two"), 7);         // the next p closes the first
    EXPECT_EQ(stopAt("<br> text"), 4);
    EXPECT_EQ(stopAt("<div><p>a</div>x"), 15);
    EXPECT_EQ(stopAt("<div>never closed"), -1);
    LoadedMap x("xhtml1-strict.map");
    ElementScanner scanner(x.map, ElementScanner::kBounded);
    feedDocument(scanner, "<br />\nnext", false);
    EXPECT_TRUE(scanner.stopped());
    EXPECT_EQ(scanner.stopOffset(), 6u);
}

CaretContext contextAt(std::string line, uint8_t state = 1) {
    const size_t caret = line.find('|');
    line.erase(caret, 1);
    return analyseCaretContext(state, reinterpret_cast<const uint8_t*>(line.data()),
                               static_cast<uint32_t>(line.size()), static_cast<uint32_t>(caret));
}

TEST(CaretContextTest, Codes) {
    using namespace caretcontext;
    EXPECT_EQ(contextAt("text|").code, Text);
    CaretContext c = contextAt("<p>a &amp; &nb|");
    EXPECT_EQ(c.code, Entity);
    EXPECT_STREQ(c.typed, "nb");
    c = contextAt("<ta|");
    EXPECT_EQ(c.code, ElementName);
    EXPECT_STREQ(c.typed, "ta");
    EXPECT_STREQ(contextAt("</li|").typed, "/li");
    EXPECT_EQ(contextAt("<!DOC|").code, Declaration);
    c = contextAt("<td class=\"a\" no| width=\"3\">");
    EXPECT_EQ(c.code, Attribute);
    EXPECT_STREQ(c.element, "td");
    EXPECT_STREQ(c.attribute, "no");
    EXPECT_TRUE(attributePresent(c, "class", 5));
    EXPECT_TRUE(attributePresent(c, "WIDTH", 5));
    EXPECT_FALSE(attributePresent(c, "no", 2));
    EXPECT_TRUE(c.attributesAfterCaret);
    c = contextAt("<td align=\"ce|\">");
    EXPECT_EQ(c.code, Value);
    EXPECT_STREQ(c.attribute, "align");
    EXPECT_STREQ(c.typed, "ce");
    c = contextAt("<p style=\"color: red; fo|");
    EXPECT_EQ(c.code, Value);
    EXPECT_STREQ(c.typed, "fo");
    EXPECT_EQ(contextAt("<font color=\"#ff|").code, Colour);
    EXPECT_EQ(contextAt("<!-- x|").code, Comment);
    EXPECT_EQ(contextAt("x|", 2).contextCharacter, '!');
    EXPECT_EQ(contextAt("<% a|").code, ScriptInText);
    EXPECT_EQ(contextAt("<a href=\"<?php x|").code, ScriptInValue);
    EXPECT_EQ(contextAt("<a <$x|").code, ScriptInTag);
    EXPECT_EQ(contextAt("<" + std::string(64, 'a') + "|").code, None);
    // A trail byte that looks like "<" or "&" is no delimiter (83 3C is no Shift_JIS pair, but
    // 95 5C and 83 41 are).
    c = contextAt("\x95\x5C\x83\x41&\x83\x41|");
    EXPECT_EQ(c.code, Text);
}

}  // namespace

// The example documents in examples/: "map:", "ask:" (end, children, children-blank), "---",
// then the document with "|" at the caret; NAME.expected holds the candidates one a line.
namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ElementScannerTest, ExampleDocuments) {
    int checked = 0;
    for (const char* name : {"list-item-end", "empty-skipped", "upper-case", "table-row-children",
                             "sjis-names-values", "script-blocks", "xhtml-empty", "template", "html5-body"}) {
        const std::string base = std::string(ULO_HTML_EXAMPLES) + "/" + name;
        const std::string example = readText(base + ".html");
        const size_t split = example.find("---\n");
        ASSERT_NE(split, std::string::npos) << name;
        const std::string head = example.substr(0, split);
        const std::string mapName = head.substr(5, head.find('\n') - 5);
        const std::string ask = head.substr(head.find("ask: ") + 5, head.find('\n', head.find("ask: ")) - head.find("ask: ") - 5);
        LoadedMap m(mapName);
        const std::string got = candidatesAt(m.map, example.substr(split + 4), ask != "end", 0,
                                             ask == "children-blank" ? ' ' : 0);
        std::string expected;
        for (char c : readText(base + ".expected")) expected += c == '\n' ? ' ' : c;
        EXPECT_EQ(got, expected) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 9);
}

}  // namespace

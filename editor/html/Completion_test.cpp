// Completion: markup candidate lists, the word and colour collector and insertion plans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "Completion.h"
#include "HtmlTestSupport.h"

namespace {

CaretContext contextAt(std::string line) {
    const size_t caret = line.find('|');
    line.erase(caret, 1);
    return analyseCaretContext(1, reinterpret_cast<const uint8_t*>(line.data()),
                               static_cast<uint32_t>(line.size()), static_cast<uint32_t>(caret));
}

std::vector<std::string> listFor(const DocumentMap& map, const std::string& line, int preference = 0) {
    char out[65536];
    const size_t n = markupCandidates(&map, contextAt(line), out, sizeof out, preference);
    return splitCandidates(out, n);
}

bool has(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

TEST(CompletionTest, AttributesValuesEntities) {
    LoadedMap m("html401-loose.map");
    auto attrs = listFor(m.map, "<td class=\"a\" |>");
    EXPECT_TRUE(has(attrs, "nowrap"));
    EXPECT_FALSE(has(attrs, "class"));
    EXPECT_TRUE(has(listFor(m.map, "<TD |>", 1), "NOWRAP"));
    auto values = listFor(m.map, "<td align=\"|\">");
    EXPECT_EQ(values, (std::vector<std::string>{"left", "center", "right", "justify", "char"}));
    auto css = listFor(m.map, "<p style=\"|\">");
    EXPECT_EQ(css.size(), kCssPropertyCount);
    EXPECT_EQ(listFor(m.map, "&nb|").size(), 252u);
    char tiny[16];
    EXPECT_EQ(markupCandidates(&m.map, contextAt("&|"), tiny, sizeof tiny, 0), 0u);  // does not fit
}

TEST(CompletionTest, CasePreference) {
    EXPECT_EQ(casePreferenceOf("TAb", 3), 1);
    EXPECT_EQ(casePreferenceOf("Ab", 2), -1);   // a tie with a lower-case letter
    EXPECT_EQ(casePreferenceOf("12", 2), 0);
}

TEST(CompletionTest, WordsSortedUniqueAndLongerThanPrefix) {
    WordCollector words("co", 2, false, WordCollector::AnyRegion, 0);
    const std::string lines[] = {"counter count co cox", "\x95\x5C" "counter_2 colour  Count", "cod"};
    for (const std::string& l : lines) words.addLine(reinterpret_cast<const uint8_t*>(l.data()), l.size());
    char out[256];
    const size_t n = words.words(out, sizeof out, "count", 5);
    EXPECT_EQ(splitCandidates(out, n), (std::vector<std::string>{"colour", "counter", "counter_2"}));
}

TEST(CompletionTest, HtmlWordsComeFromTheCaretsRegion) {
    WordCollector words("", 0, true, WordCollector::TextRegion, 0);
    const std::string doc[] = {"<p class=\"hidden\">visible <!-- comment", "remark --> shown <% script %>"};
    for (const std::string& l : doc) words.addLine(reinterpret_cast<const uint8_t*>(l.data()), l.size());
    char out[256];
    EXPECT_EQ(splitCandidates(out, words.words(out, sizeof out, "", 0)),
              (std::vector<std::string>{"shown", "visible"}));
}

TEST(CompletionTest, ColoursFromTagsAndValues) {
    WordCollector colours("", 0, true, WordCollector::TextRegion, 0);
    const std::string l = "<font color=\"#FF0000\"> #123456 text </font><p style=\"color:#ABC\"><i color=#12345>";
    colours.addLine(reinterpret_cast<const uint8_t*>(l.data()), l.size());
    char out[256];
    EXPECT_EQ(splitCandidates(out, colours.colours(out, sizeof out, 0)),
              (std::vector<std::string>{"#ABC", "#FF0000"}));
    EXPECT_EQ(splitCandidates(out, colours.colours(out, sizeof out, -1)),
              (std::vector<std::string>{"#abc", "#ff0000"}));
}

TEST(CompletionTest, InsertionPlans) {
    using namespace caretcontext;
    LoadedMap loose("html401-loose.map");
    LoadedMap xhtml("xhtml1-strict.map");
    InsertPlan p = planInsertion(&loose.map, contextAt("<ta|"), ElementName, "table", "ta", 0, 0);
    EXPECT_EQ(p.text, "ble >");
    EXPECT_EQ(p.caretBack, 1u);
    EXPECT_TRUE(p.reopen);
    p = planInsertion(&xhtml.map, contextAt("<b|"), ElementName, "br", "b", 0, 0);
    EXPECT_EQ(p.text, "r  />");
    p = planInsertion(&xhtml.map, contextAt("<b|>"), ElementName, "br", "b", '>', 0);
    EXPECT_EQ(p.text, "r  /");
    p = planInsertion(&loose.map, contextAt("<td n|"), Attribute, "nowrap", "n", 0, 0);
    EXPECT_EQ(p.text, "owrap");
    p = planInsertion(&loose.map, contextAt("<td al|"), Attribute, "align", "al", 0, 0);
    EXPECT_EQ(p.text, "ign=\"\"");
    EXPECT_EQ(p.caretBack, 1u);
    p = planInsertion(&loose.map, contextAt("<td al| width=\"2\">"), Attribute, "align", "al", 'x', 0);
    EXPECT_EQ(p.text, "ign=\"\" ");
    p = planInsertion(&loose.map, contextAt("<p style=\"co|\">"), Value, "color", "co", '"', 0);
    EXPECT_EQ(p.text, "lor: ;");
    EXPECT_EQ(p.caretBack, 1u);
    p = planInsertion(nullptr, contextAt("x|"), CssProperty, "color", "", 0, ecflags::cssColonNoBlank);
    EXPECT_EQ(p.text, "color:;");
    EXPECT_EQ(planInsertion(&loose.map, contextAt("&am|"), Entity, "amp", "am", 0, 0).text, "p;");
    p = planInsertion(&loose.map, contextAt("<!|"), Declaration, "<!--  -->", "<!", 0, 0);
    EXPECT_EQ(p.text, "--  -->");
    EXPECT_EQ(p.caretBack, 4u);
}

}  // namespace

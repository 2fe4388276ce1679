// HtmlModeLogic: the popup's entries and the grammar check's lines.
#include <gtest/gtest.h>

#include <string>

#include "HtmlModeLogic.h"
#include "HtmlTexts.h"

namespace {

const char kList[] = "li\0link\0/li\0/ul\0meta\0";

TEST(HtmlModeLogicTest, PopupFiltersByTheFoldedWord) {
    PopupEntries e = filterCandidates(kList, sizeof kList, "L", 1, 11, -1, false);
    EXPECT_EQ(e.entries, (std::vector<std::string>{"li", "link"}));
    EXPECT_EQ(e.longest, 4u);
    EXPECT_FALSE(e.selectFirst);
    e = filterCandidates(kList, sizeof kList, "/", 1, 11, -1, false);
    EXPECT_EQ(e.entries.size(), 2u);
    EXPECT_TRUE(e.selectFirst);
    e = filterCandidates(kList, sizeof kList, "me", 2, 11, -1, false);
    EXPECT_TRUE(e.selectFirst);
    // Words are compared as typed; so are names of XHTML maps.
    EXPECT_TRUE(filterCandidates(kList, sizeof kList, "Li", 2, 90, 0, false).entries.empty());
    EXPECT_TRUE(filterCandidates(kList, sizeof kList, "LI", 2, 11, 1, true).entries.empty());
}

TEST(HtmlModeLogicTest, ReportLinesLimitAndSummary) {
    GrammarReport report;
    GrammarReport::Step s = report.add(12, "x", 0);
    EXPECT_EQ(s.line, "\x81\x9f   12\x8d" "s: x");   // "◆   12行: x"
    s = report.add(3, "y", GrammarReport::kInformation);
    EXPECT_EQ(s.line, "\x81\x9e    3\x8d" "s: y");
    s = report.add(3, "z", GrammarReport::kContinuation);
    EXPECT_EQ(s.line, "              z");
    s = report.add(4, "p", GrammarReport::kPlain);
    EXPECT_EQ(s.line, "      4\x8d" "s: p");
    for (int i = 0; i < 600; ++i) s = report.add(i, "e", 0);
    EXPECT_EQ(report.lines(), 500);
    EXPECT_TRUE(report.aborted());
    EXPECT_FALSE(s.goOn);
    EXPECT_EQ(report.errors(), 497);
    EXPECT_EQ(report.informations(), 1);
    GrammarReport fresh;
    for (int i = 0; i < 499; ++i) fresh.add(i, "e", 0);
    s = fresh.add(500, "e", 0);
    EXPECT_EQ(s.stopLine, html_text::kTooManyMessages);
    EXPECT_FALSE(s.goOn);
    char expected[128];
    std::snprintf(expected, sizeof expected, html_text::kCheckSummary, 500, 0);
    EXPECT_EQ(fresh.summary(), expected);
}

}  // namespace

// Inserting a typed string at line starts (310) and line ends (311).
#include <gtest/gtest.h>

#include "FilterTestSupport.h"

using namespace filter_test;

TEST(InsertString, AtEveryLineStartIncludingTheUnterminatedLast) {
    ScriptedUi ui;
    ui.insertText = "> ";
    EXPECT_EQ(run(310, "a\r\nb\r\nc", "", 4, &ui).text, "> a\r\n> b\r\n> c");
    EXPECT_EQ(run(310, "a\r\nb\r\n", "", 4, &ui).text, "> a\r\n> b\r\n");
    // Starting inside a line: that line is copied unchanged.
    EXPECT_EQ(run(310, "a\r\nb\r\n", "x", 4, &ui).text, "a\r\n> b\r\n");
    // A selection without a line break gets the string too when it starts at a line start.
    EXPECT_EQ(run(310, "abc", "", 4, &ui).text, "> abc");
    EXPECT_EQ(ui.noLinesShown, 0);
}

TEST(InsertString, AtEveryLineEndIncludingAPartialFirstLine) {
    ScriptedUi ui;
    ui.insertText = sj::kHyo + ";";
    EXPECT_EQ(run(311, "a\r\nb\r\nc", "", 4, &ui).text, "a" + sj::kHyo + ";\r\nb" + sj::kHyo + ";\r\nc");
    EXPECT_EQ(run(311, "a\r\nb\r\n", "x", 4, &ui).text, "a" + sj::kHyo + ";\r\nb" + sj::kHyo + ";\r\n");
    EXPECT_EQ(ui.noLinesShown, 0);
}

TEST(InsertString, SelectionWithoutLinesReportsIt) {
    ScriptedUi ui;
    ui.insertText = "x";
    EXPECT_FALSE(run(310, "abc", "x", 4, &ui).done);
    EXPECT_FALSE(run(311, "abc", "", 4, &ui).done);
    EXPECT_FALSE(run(311, "abc\r\n", "x", 4, &ui).done);
    EXPECT_EQ(ui.noLinesShown, 3);
}

TEST(InsertString, CancelLeavesTheTextAndAnEmptyStringIsConfirmed) {
    ScriptedUi ui;
    ui.confirm = false;
    EXPECT_FALSE(run(310, "a\r\nb", "", 4, &ui).done);
    ui.confirm = true;
    ui.insertText.clear();
    Outcome same = run(311, "a\r\nb", "", 4, &ui);
    EXPECT_TRUE(same.done);
    EXPECT_EQ(same.text, "a\r\nb");
}

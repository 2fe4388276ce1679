// Replacing across line breaks (701) and the escapes of its dialog texts.
#include <gtest/gtest.h>

#include "FilterTestSupport.h"
#include "ReplaceText.h"

using namespace filter_test;

TEST(ReplaceEscapes, DecodeTabNewlineAndBackslashButNotTrailBytes) {
    EXPECT_EQ(ulo_filters::decodeEscapes("a\\nb\\tc\\\\d\\x"), "a\r\nb\tc\\d\\x");
    // "表" (95 5C) followed by "n" is not an escape.
    EXPECT_EQ(ulo_filters::decodeEscapes(sj::kHyo + "n" + sj::kSo + "t"), sj::kHyo + "n" + sj::kSo + "t");
    EXPECT_EQ(ulo_filters::decodeEscapes("end\\"), "end\\");
}

TEST(ReplaceAcrossLines, ReplacesEveryOccurrenceAndReportsTheCount) {
    ScriptedUi ui;
    ui.search = "\\n\\n";
    ui.replacement = "\\n";
    Outcome out = run(701, "a\r\n\r\nb\r\n\r\n\r\nc", "", 4, &ui);
    EXPECT_FALSE(out.inPlace);
    EXPECT_EQ(out.text, "a\r\nb\r\n\r\nc");
    ASSERT_EQ(ui.countsShown.size(), 1u);
    EXPECT_EQ(ui.countsShown[0], 2);
}

TEST(ReplaceAcrossLines, MatchesOnlyOnCharacterBoundaries) {
    ScriptedUi ui;
    ui.search = "\\";
    ui.replacement = "/";
    ui.probeTexts = {"A", "\\\\"};
    // The "\" inside "表" and "ソ" is a trail byte, the last one is a real backslash.
    Outcome out = run(701, sj::kHyo + sj::kSo + sj::kA + "\\", "", 4, &ui);
    EXPECT_EQ(out.text, sj::kHyo + sj::kSo + sj::kA + "/");
    ASSERT_EQ(ui.probes.size(), 3u);
    EXPECT_FALSE(ui.probes[0].second);  // "A" only as the trail byte of "ア"
    EXPECT_TRUE(ui.probes[1].second);
}

TEST(ReplaceAcrossLines, EmptySearchFindsNothingAndCloseChangesNothing) {
    ScriptedUi ui;
    ui.search = "";
    EXPECT_FALSE(run(701, "abc", "", 4, &ui).done);
    EXPECT_FALSE(ui.probes.back().second);
    ui.search = "b";
    ui.confirm = false;
    EXPECT_FALSE(run(701, "abc", "", 4, &ui).done);
    EXPECT_TRUE(ui.countsShown.empty());
}

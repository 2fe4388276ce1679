// PhraseExpansion: placeholders, doubled markers, the anchor-tag marker.
#include "PhraseExpansion.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string expand(char marker, const std::string& text, const std::string& selection) {
    std::string result;
    EXPECT_TRUE(PhraseExpansion(marker).expand(
        text, selection.size(), [&](char* to) { std::memcpy(to, selection.data(), selection.size()); },
        result));
    return result;
}

}  // namespace

TEST(PhraseExpansion, PlaceholderTakesTheSelection) {
    EXPECT_EQ(expand('$', "<p>$selected_text$</p>", "abc"), "<p>abc</p>");
    EXPECT_EQ(expand('$', "<p>$selected_text$</p>", ""), "<p></p>");
    EXPECT_EQ(expand('$', "[$selected_text$|$selected_text$]", "a\r\nb"), "[a\r\nb|a\r\nb]");
}

TEST(PhraseExpansion, DoubledMarkersAndShortTails) {
    EXPECT_EQ(expand('$', "$$selected_text$$", "zz"), "$selected_text$");
    EXPECT_EQ(PhraseExpansion('$').countPlaceholders("$$selected_text$$"), 0u);
    // Fewer than 15 bytes after the marker: no placeholder; "$selected_text" alone is copied.
    EXPECT_EQ(expand('$', "x $selected_text", "zz"), "x $selected_text");
    EXPECT_EQ(expand('$', "$ $$$selected_text$", "q"), "$ $q");
}

TEST(PhraseExpansion, AnchorTagMarker) {
    EXPECT_EQ(expand('*', "<a href=\"\">*selected_text*</a>$selected_text$", "go"),
              "<a href=\"\">go</a>$selected_text$");
}

TEST(PhraseExpansion, ImpossibleSizeInsertsNothing) {
    std::string result = "old";
    const std::string text = "$selected_text$$selected_text$";
    EXPECT_FALSE(PhraseExpansion('$').expand(
        text, UINT64_MAX / 2, [](char*) { FAIL(); }, result));
}

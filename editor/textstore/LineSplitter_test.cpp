// Tests of cutting a chunk at its line ends: the byte rule, the 16-bit unit rule of UTF-16LE and
// a CR at the very end of a chunk.
#include "LineSplitter.h"

#include <gtest/gtest.h>

#include "TextStoreTestSupport.h"

using namespace storetest;

namespace {

struct Cut {
    std::vector<std::string> pieces;
    std::vector<LineEnd> ends;
    std::string rest;
};

// Length and TAB flag of every segment that ends in a line end.
std::vector<std::pair<uint32_t, bool>> segmentTabs(const std::string& text, bool utf16) {
    LineSplitter splitter(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()), utf16);
    LineSplitter::Segment s;
    std::vector<std::pair<uint32_t, bool>> segments;
    while (splitter.next(s)) segments.push_back({s.length, s.hasTab});
    return segments;
}

Cut cut(const std::string& chunk, bool utf16) {
    Cut result;
    LineSplitter splitter(reinterpret_cast<const uint8_t*>(chunk.data()), uint32_t(chunk.size()), utf16);
    LineSplitter::Segment s;
    while (splitter.next(s)) {
        result.pieces.push_back(chunk.substr(s.start, s.length));
        result.ends.push_back(s.lineEnd);
    }
    result.rest = chunk.substr(splitter.position());
    return result;
}

}  // namespace

TEST(LineSplitter, BytesCrCrLfAndLf) {
    Cut c = cut("A\r\r\nB", false);
    EXPECT_EQ(c.pieces, (std::vector<std::string>{"A", ""}));
    EXPECT_EQ(c.ends, (std::vector<LineEnd>{LineEnd::Cr, LineEnd::CrLf}));
    EXPECT_EQ(c.rest, "B");
    // A long line crosses the sixteen-byte steps of the scan; 0x0D/0x0A never occur as trail bytes.
    std::string longLine(37, 'x');
    longLine[20] = '\x95';
    longLine[21] = '\x5C';
    c = cut(longLine + "\n\n" + longLine, false);
    EXPECT_EQ(c.pieces, (std::vector<std::string>{longLine, ""}));
    EXPECT_EQ(c.ends, (std::vector<LineEnd>{LineEnd::Lf, LineEnd::Lf}));
    EXPECT_EQ(c.rest, longLine);
}

TEST(LineSplitter, CrAtTheEndOfTheChunkIsALoneCr) {
    Cut c = cut("ab\r", false);
    EXPECT_EQ(c.pieces, (std::vector<std::string>{"ab"}));
    EXPECT_EQ(c.ends, (std::vector<LineEnd>{LineEnd::Cr}));
    EXPECT_EQ(c.rest, "");
    c = cut("", false);
    EXPECT_TRUE(c.pieces.empty());
}

TEST(LineSplitter, Utf16UnitsAtEvenOffsets) {
    // U+0A0D is the bytes 0D 0A: no line end. 0D 00 0A 00 is one CrLf, 0D 00 alone a Cr.
    std::string text("\x0D\x0A" "a\0" "\x0D\0\x0A\0" "b\0" "\x0D\0" "c\0" "\x0A\0" "d", 17);
    Cut c = cut(text, true);
    ASSERT_EQ(c.pieces.size(), 3u);
    EXPECT_EQ(c.pieces[0], std::string("\x0D\x0A" "a\0", 4));
    EXPECT_EQ(c.ends, (std::vector<LineEnd>{LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf}));
    EXPECT_EQ(c.rest, "d");   // the odd trailing byte stays with the last line
    // A 0D 00 pair at an odd offset is not a unit: 61 0D 00 0A is the units 0D61 and 0A00.
    std::string odd("\x61\x0D\x00\x0A", 4);
    c = cut(odd, true);
    EXPECT_TRUE(c.pieces.empty());
    // Units found past the sixteen-byte steps of the scan.
    std::string wide;
    for (int i = 0; i < 11; ++i) wide += std::string("\x42\x30", 2);
    c = cut(wide + std::string("\x0D\0", 2) + wide, true);
    EXPECT_EQ(c.pieces, (std::vector<std::string>{wide}));
    EXPECT_EQ(c.rest, wide);
}

TEST(LineSplitter, TellsWhichSegmentsHoldATab) {
    // Line ends and TABs on both sides of the 64-byte blocks of the scan.
    std::string text = std::string(70, 'a') + "\t" + std::string(60, 'b') + "\r\n" + std::string(3, 'c') + "\n"
                     + std::string(62, 'd') + "\t\n" + std::string(130, 'e') + "\n\t";
    using Segments = std::vector<std::pair<uint32_t, bool>>;
    EXPECT_EQ(segmentTabs(text, false), (Segments{{131, true}, {3, false}, {63, true}, {130, false}}));
}

TEST(LineSplitter, TellsWhichUtf16LeSegmentsHoldATabUnit) {
    // The same lines as units, and 09 bytes inside other units (U+0109, U+0900), which are no TAB.
    std::string ascii = std::string(70, 'a') + "\t" + std::string(60, 'b') + "\r\n" + std::string(3, 'c') + "\n"
                      + std::string(62, 'd') + "\t\n" + std::string(130, 'e') + "\n\t";
    std::string text;
    for (char c : ascii) text += std::string(1, c) + '\0';
    text.insert(2 * 132 + 2, std::string("\x09\x01\x00\x09", 4));   // into the 3-unit line
    using Segments = std::vector<std::pair<uint32_t, bool>>;
    EXPECT_EQ(segmentTabs(text, true), (Segments{{262, true}, {10, false}, {126, true}, {260, false}}));
}

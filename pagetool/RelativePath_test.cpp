// Relative paths between a document and a target: folders up and down, drives and network shares,
// case, and Shift_JIS trail bytes 0x5C that must not count as separators.
#include "RelativePath.h"

#include <gtest/gtest.h>

using pagetool::RelativeResult;
using pagetool::pathRoot;
using pagetool::relativePath;

namespace {
// 表 is 95 5C, 示 8E A6: a folder 表 and a folder 表示 share the bytes 95 5C.
const std::string kHyou = "\x95\x5c";
const std::string kHyouji = "\x95\x5c\x8e\xa6";

std::string rel(const std::string& doc, const std::string& target, size_t length = 510) {
    std::string out = "(unchanged)";
    const RelativeResult r = relativePath(doc, target, length, &out);
    switch (r) {
        case RelativeResult::Ok: return out;
        case RelativeResult::OtherRoot: return "<other root>";
        case RelativeResult::NoCommonFolder: return "<no common folder>";
        case RelativeResult::NoRoom: return "<no room>";
    }
    return "?";
}
}  // namespace

TEST(RelativePath, FoldersUpDownAndBeside) {
    EXPECT_EQ(rel("C:\\web\\doc\\a.html", "C:\\web\\img\\b.png"), "../img/b.png");
    EXPECT_EQ(rel("C:\\web\\a.html", "C:\\web\\b.png"), "b.png");
    EXPECT_EQ(rel("C:\\web\\a.html", "C:\\web\\img\\sub\\b.png"), "img/sub/b.png");
    EXPECT_EQ(rel("C:\\web\\x\\y\\a.html", "C:\\b.png"), "../../../b.png");
    EXPECT_EQ(rel("C:\\a.html", "C:\\a.html"), "a.html");
    // A folder whose name begins like the other's is not common: "web" and "website".
    EXPECT_EQ(rel("C:\\web\\a.html", "C:\\website\\b.png"), "../website/b.png");
}

TEST(RelativePath, RootsCompareIgnoringCaseAndMustMatch) {
    EXPECT_EQ(rel("c:\\Web\\a.html", "C:\\web\\IMG\\b.png"), "IMG/b.png");
    EXPECT_EQ(rel("C:\\web\\a.html", "D:\\web\\b.png"), "<other root>");
    EXPECT_EQ(rel("C:\\web\\a.html", "Z:\\tmp\\b.png"), "<other root>");
    // Network shares: the share is part of the root.
    EXPECT_EQ(rel("\\\\srv\\a\\d.html", "\\\\srv\\b\\t.png"), "<other root>");
    EXPECT_EQ(rel("\\\\SRV\\Share\\d.html", "\\\\srv\\share\\img\\t.png"), "img/t.png");
    EXPECT_EQ(rel("\\\\srv\\a\\d.html", "C:\\a\\t.png"), "<other root>");
    EXPECT_EQ(pathRoot("\\\\srv\\share\\x"), "\\\\srv\\share\\");
    EXPECT_EQ(pathRoot("\\\\srv\\\\x"), "");
    EXPECT_EQ(pathRoot("relative\\x"), "");
    EXPECT_EQ(rel("relative\\a.html", "relative\\b.png"), "<other root>");
}

TEST(RelativePath, TrailBytesThatLookLikeSeparators) {
    // C:\表\a.html and C:\表示\b.png: the folders differ after the shared bytes 95 5C.
    EXPECT_EQ(rel("C:\\" + kHyou + "\\a.html", "C:\\" + kHyouji + "\\b.png"), "../" + kHyouji + "/b.png");
    // A document in 表 and a target in 表\sub: 表's trail byte is kept, the separator after it is "/".
    EXPECT_EQ(rel("C:\\" + kHyou + "\\a.html", "C:\\" + kHyou + "\\sub\\b.png"), "sub/b.png");
    EXPECT_EQ(rel("C:\\x\\" + kHyou + "\\" + kHyou + "\\a.html", "C:\\x\\" + kHyou + ".png"),
              "../../" + kHyou + ".png");
    // ア (83 41) and チ (83 61) differ in a trail byte that looks like a letter: never folded.
    EXPECT_EQ(rel("C:\\\x83\x41\\a.html", "C:\\\x83\x61\\b.png"), "../\x83\x61/b.png");
    // Half-width katakana are single bytes.
    EXPECT_EQ(rel("C:\\\xb1\\a.html", "C:\\\xb1\\\xb2.png"), "\xb2.png");
}

TEST(RelativePath, BufferLengthBounds) {
    // "../img/b.png" is 12 bytes: 13 with its NUL.
    EXPECT_EQ(rel("C:\\web\\doc\\a.html", "C:\\web\\img\\b.png", 13), "../img/b.png");
    EXPECT_EQ(rel("C:\\web\\doc\\a.html", "C:\\web\\img\\b.png", 12), "<no room>");
    // Five bytes per step up are asked for even when the text is shorter.
    EXPECT_EQ(rel("C:\\1\\2\\3\\a.html", "C:\\b", 15), "../../../b");
    EXPECT_EQ(rel("C:\\1\\2\\3\\a.html", "C:\\b", 14), "<no room>");
}

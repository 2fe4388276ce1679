// Tests of the names shown for paths: unique history names and menu escaping, with
// Shift_JIS trail bytes that look like "\" or ASCII letters.
#include "PathNames.h"

#include <gtest/gtest.h>

using bars::menuEscaped;
using bars::uniqueNames;

namespace {
// "表" is 95 5C: its trail byte is "\". "ソ" is 83 5C.
const std::string kHyou = "\x95\x5c";
const std::string kSo = "\x83\x5c";
using Names = std::vector<std::string>;
}  // namespace

TEST(PathNames, EqualFileNamesGainFolders) {
    EXPECT_EQ(uniqueNames({"C:\\a\\index.html", "D:\\b\\index.html"}),
              (Names{"a\\index.html", "b\\index.html"}));
    EXPECT_EQ(uniqueNames({"C:\\a\\x.txt", "C:\\b\\a\\x.txt"}),
              (Names{"C:\\a\\x.txt", "b\\a\\x.txt"}));
    // Names equal ignoring case are widened as well; unrelated names stay short.
    EXPECT_EQ(uniqueNames({"C:\\one\\Read.me", "C:\\two\\READ.ME", "C:\\two\\other.txt"}),
              (Names{"one\\Read.me", "two\\READ.ME", "other.txt"}));
    // Three equal names: all three widen in the same pass.
    EXPECT_EQ(uniqueNames({"C:\\p\\a\\f", "C:\\q\\a\\f", "C:\\r\\b\\f"}),
              (Names{"p\\a\\f", "q\\a\\f", "b\\f"}));
    EXPECT_EQ(uniqueNames({}), Names{});
    EXPECT_EQ(uniqueNames({"C:\\only.txt"}), Names{"only.txt"});
}

TEST(PathNames, WideningStepsOverDoubleByteFolders) {
    // Folders 表 and ソ whose names end in a 5C trail byte.
    EXPECT_EQ(uniqueNames({"C:\\" + kHyou + "\\a.txt", "C:\\" + kSo + "\\a.txt"}),
              (Names{kHyou + "\\a.txt", kSo + "\\a.txt"}));
}

TEST(PathNames, PathsEqualIgnoringCaseEndAsWholePaths) {
    // The program never stores such a history, but a hand-written value must not loop forever.
    EXPECT_EQ(uniqueNames({"C:\\Dir\\a.txt", "c:\\dir\\A.TXT"}),
              (Names{"C:\\Dir\\a.txt", "c:\\dir\\A.TXT"}));
    EXPECT_EQ(uniqueNames({"a.txt", "A.txt", "x\\a.txt"}), (Names{"a.txt", "A.txt", "x\\a.txt"}));
}

TEST(PathNames, MenuTextsShowAmpersandsAsThemselves) {
    EXPECT_EQ(menuEscaped("R&D.txt"), "R&&D.txt");
    EXPECT_EQ(menuEscaped("&&"), "&&&&");
    EXPECT_EQ(menuEscaped("plain"), "plain");
    // 0x26 never appears as a trail byte, but a lead byte must not make the scan skip an "&".
    EXPECT_EQ(menuEscaped(kHyou + "&"), kHyou + "&&");
    EXPECT_EQ(menuEscaped(std::string("a\x95")), std::string("a\x95"));
}

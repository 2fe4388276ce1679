// Tests of the names shown for paths: file-name part, unique history names, menu escaping, with
// Shift_JIS trail bytes that look like "\" or ASCII letters.
#include "PathNames.h"

#include <gtest/gtest.h>

using bars::fileNameOffset;
using bars::fileNamePart;
using bars::menuEscaped;
using bars::sameNameIgnoringCase;
using bars::uniqueNames;

namespace {
// "表" is 95 5C: its trail byte is "\". "ソ" is 83 5C.
const std::string kHyou = "\x95\x5c";
const std::string kSo = "\x83\x5c";
using Names = std::vector<std::string>;
}  // namespace

TEST(PathNames, FileNameSkipsTrailBytesThatLookLikeSeparators) {
    EXPECT_EQ(fileNamePart("C:\\web\\index.html"), "index.html");
    EXPECT_EQ(fileNamePart("index.html"), "index.html");
    EXPECT_EQ(fileNameOffset("index.html"), 0u);
    EXPECT_EQ(fileNamePart("C:\\dir\\"), "");
    // A file named 表.txt and a folder named ソフト: the 5C trail bytes are not separators.
    EXPECT_EQ(fileNamePart("C:\\" + kSo + "\x83\x74\x83\x67\\" + kHyou + ".txt"), kHyou + ".txt");
    EXPECT_EQ(fileNamePart("C:\\a\\" + kHyou), kHyou);
    // Half-width katakana are single bytes; a lead byte as the last byte does not swallow anything.
    EXPECT_EQ(fileNamePart("C:\\\xb1\xb2\\x\xb3.txt"), "x\xb3.txt");
    EXPECT_EQ(fileNamePart(std::string("C:\\a\\b\x95")), "b\x95");
}

TEST(PathNames, CaseIsFoldedOnlyForAsciiLetters) {
    EXPECT_TRUE(sameNameIgnoringCase("Index.HTML", "index.html"));
    EXPECT_FALSE(sameNameIgnoringCase("index.htm", "index.html"));
    // "ア" 83 41 and "チ" 83 60 differ only in the case of an ASCII-looking trail byte.
    EXPECT_FALSE(sameNameIgnoringCase("\x83\x41.txt", "\x83\x61.txt"));
    EXPECT_TRUE(sameNameIgnoringCase("\x83\x41.TXT", "\x83\x41.txt"));
    EXPECT_FALSE(sameNameIgnoringCase("[", "{"));  // not letters
}

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

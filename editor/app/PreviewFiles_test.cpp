// The preview's temporary file name and the inserted colour code.
#include "PreviewFiles.h"

#include <gtest/gtest.h>

using namespace preview_files;

TEST(PreviewFiles, TemporaryFileBesideTheDocumentOrInTheTemporaryFolder) {
    EXPECT_EQ(folder("C:\\web\\index.html", "C:\\temp\\"), "C:\\web\\");
    EXPECT_EQ(folder("", "C:\\temp\\"), "C:\\temp\\");
    EXPECT_EQ(folder("", "C:\\temp"), "C:\\temp\\");
    // A folder 表 (95 5C) ends in a byte that looks like "\": a separator is still added.
    EXPECT_EQ(folder("", "C:\\\x95\x5c"), "C:\\\x95\x5c\\");
    EXPECT_EQ(baseName("C:\\web\\index.html"), "index");
    EXPECT_EQ(baseName("C:\\web\\a.b.htm"), "a.b");
    EXPECT_EQ(baseName("C:\\web.d\\README"), "README");
    EXPECT_EQ(baseName(""), "tmp");
    // A name with "%" stays as it is.
    EXPECT_EQ(tempFileName("C:\\web\\", "100%s", 42u), "C:\\web\\~100%s.42.html");
    EXPECT_EQ(tempFileName("C:\\t\\", "tmp", 4294967295u), "C:\\t\\~tmp.4294967295.html");
}

TEST(PreviewFiles, ColourCodeFromBlueGreenRed) {
    const uint8_t bgr[3] = {0xC0, 0xB0, 0xA0};
    EXPECT_EQ(colourCode(bgr, true), "#A0B0C0");
    const uint8_t mixed[3] = {0x0f, 0xab, 0x01};
    EXPECT_EQ(colourCode(mixed, false), "#01ab0f");
    EXPECT_EQ(colourCode(mixed, true), "#01AB0F");
}

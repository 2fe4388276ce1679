// DocumentTypeTable: the table, the choice from a path and a declaration, the checker's options and
// the character count.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DocumentTypeTable.h"

namespace {

uint32_t fromLines(const std::vector<std::string>& lines) {
    std::vector<const char*> texts;
    std::vector<uint32_t> lengths;
    for (const std::string& l : lines) {
        texts.push_back(l.data());
        lengths.push_back(static_cast<uint32_t>(l.size()));
    }
    return typeFromDeclaration(texts.data(), lengths.data(), lines.size());
}

TEST(DocumentTypeTableTest, TableRows) {
    EXPECT_STREQ(documentType(28102)->mapFile, "html401-loose.map");
    EXPECT_STREQ(documentType(28191)->mapFile, "ie50.map");
    EXPECT_STREQ(documentType(28200)->keywordFile, "perl.kwd");
    EXPECT_EQ(documentType(28203)->colouringMode, 400);
    EXPECT_EQ(documentType(28150), nullptr);
    int html = 0;
    for (size_t i = 0; i < kDocumentTypeRows; ++i)
        if (doctype::isHtml(kDocumentTypes[i].id)) ++html;
    EXPECT_EQ(html, 17);   // the seventeen HTML types; ie50 (28191) is in the map table only
    EXPECT_EQ(kDocumentTypeRows, 29u);
}

TEST(DocumentTypeTableTest, Declarations) {
    EXPECT_EQ(fromLines({"<!DOCTYPE html>"}), 28105u);
    EXPECT_EQ(fromLines({"<!doctype HTML public \"-//w3c//dtd html 4.01 transitional//en\">"}), 28102u);
    EXPECT_EQ(fromLines({"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\""}), 28111u);
    EXPECT_EQ(fromLines({"<!DOCTYPE html PUBLIC \"-//WAPFORUM//DTD XHTML Mobile 1.2//EN\""}), 28182u);
    std::vector<std::string> eleven(10, "text");
    eleven.push_back("<!DOCTYPE html>");
    EXPECT_EQ(fromLines(eleven), 0u);   // line 11 is not looked at
    EXPECT_EQ(fromLines({"<p>"}), 0u);
}

TEST(DocumentTypeTableTest, Paths) {
    EXPECT_EQ(typeFromPath("c:\\site\\index.HTM", 28105, 0, false), 28105u);
    EXPECT_EQ(typeFromPath("c:\\site\\index.HTM", 0, 0, false), 28102u);
    EXPECT_EQ(typeFromPath("c:\\site\\index.php", 0, 28111, false), 28111u);
    EXPECT_EQ(typeFromPath("page.xhtml5", 0, 0, false), 28001u);
    EXPECT_EQ(typeFromPath("page.xhtml5", 0, 0, true), 28102u);
    EXPECT_EQ(typeFromPath("a.CGI", 0, 0, false), 28200u);
    EXPECT_EQ(typeFromPath("a.rc", 0, 0, false), 28202u);
    EXPECT_EQ(typeFromPath("a.css", 0, 0, false), 28203u);
    EXPECT_EQ(typeFromPath("README", 0, 0, false), 28001u);
    EXPECT_EQ(typeFromPath("c:\\site.htm\\README", 0, 0, false), 28001u);   // a dot in a folder name
    EXPECT_EQ(typeFromPath("c:\\\x95\x5C.css", 0, 0, false), 28203u);       // 表 ends in 5C
}

TEST(DocumentTypeTableTest, OptionsAndCounts) {
    EXPECT_EQ(lintOptionsFromFlags(0), 0x30u);
    EXPECT_EQ(lintOptionsFromFlags(0x1000 | 0x2000 | 0x4000 | 0x8000 | 0x10000 | 0x20000), 0x1000000Bu);
    // One full-width character, a, blank, b, tab, c, a full-width blank: 1 + 3.
    const char text[] = "\x95\x5C" "a b\tc\x81\x40";
    const CharacterCounts c = countCharacters(reinterpret_cast<const uint8_t*>(text), std::strlen(text));
    EXPECT_EQ(c.full, 1);
    EXPECT_EQ(c.half, 3);
}

}  // namespace

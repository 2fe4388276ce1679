// DocumentTypeTable: the rows.
#include "DocumentTypeTable.h"

namespace document_types {

namespace {

constexpr FileKind kNone = FileKind::None, kMap = FileKind::Map, kKeywords = FileKind::Keywords;

const DocumentType kTypes[] = {
    {28001, "\x95W\x8f\x80\x83" "e\x83L\x83X\x83g", 0, kNone, nullptr, false},   // "標準テキスト"
    {28105, "HTML 5", 100, kMap, "html5.map", true},
    {28101, "HTML 4.01 Strict", 100, kMap, "html401-strict.map", true},
    {28102, "HTML 4.01 Transitional", 100, kMap, "html401-loose.map", false},
    {28103, "HTML 4.01 Frameset", 100, kMap, "html401-frameset.map", false},
    {28111, "XHTML 1.0 Strict", 100, kMap, "xhtml1-strict.map", true},
    {28112, "XHTML 1.0 Transitional", 100, kMap, "xhtml1-transitional.map", false},
    {28113, "XHTML 1.0 Frameset", 100, kMap, "xhtml1-frameset.map", false},
    {28114, "XHTML 1.1", 100, kMap, "xhtml11.map", true},
    {28181, "XHTML Basic", 100, kMap, "xhtml-basic10.map", false},
    {28182, "XHTML Mobile Profile 1.0", 100, kMap, "xhtml-mobile10.map", false},
    {28199, "Internet Explorer \x8c\xc5\x97L", 100, kMap, "ie55.map", true},   // "Internet Explorer 固有"
    {28161, "i-mode HTML 1.0", 100, kMap, "imode100.map", true},
    {28162, "i-mode HTML 2.0", 100, kMap, "imode200.map", false},
    {28163, "i-mode HTML 3.0", 100, kMap, "imode300.map", false},
    {28164, "i-mode HTML 4.0", 100, kMap, "imode400.map", false},
    {28165, "i-mode HTML 5.0", 100, kMap, "imode500.map", false},
    {28166, "i-mode XHTML 1.0", 100, kMap, "imode-xhtml100.map", false},
    {28203, "CSS", 400, kNone, nullptr, true},
    {28200, "Perl", 200, kKeywords, "perl.kwd", false},
    {28201, "Java", 300, kKeywords, "java.kwd", false},
    {28202, "C/C++", 300, kKeywords, "cpp.kwd", false},
    // A map no menu entry selects.
    {28191, nullptr, 100, kMap, "ie50.map", false},
};

}  // namespace

const DocumentType* table(size_t* count) {
    *count = sizeof kTypes / sizeof kTypes[0];
    return kTypes;
}

const DocumentType* find(int32_t id) {
    for (const DocumentType& t : kTypes)
        if (t.id == id) return &t;
    return nullptr;
}

}  // namespace document_types

// DocumentTypeTable: the table and the choices made from it.
#include "DocumentTypeTable.h"

#include <cstring>

#include "HtmlTexts.h"
#include "TextCodes.h"

const DocumentType kDocumentTypes[] = {
    {28001, html_text::kPlainText, 0, nullptr, nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28105, "HTML 5", 100, "html5.map", nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28101, "HTML 4.01 Strict", 100, "html401-strict.map", nullptr},
    {28102, "HTML 4.01 Transitional", 100, "html401-loose.map", nullptr},
    {28103, "HTML 4.01 Frameset", 100, "html401-frameset.map", nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28111, "XHTML 1.0 Strict", 100, "xhtml1-strict.map", nullptr},
    {28112, "XHTML 1.0 Transitional", 100, "xhtml1-transitional.map", nullptr},
    {28113, "XHTML 1.0 Frameset", 100, "xhtml1-frameset.map", nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28114, "XHTML 1.1", 100, "xhtml11.map", nullptr},
    {28181, "XHTML Basic", 100, "xhtml-basic10.map", nullptr},
    {28182, "XHTML Mobile Profile 1.0", 100, "xhtml-mobile10.map", nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28199, html_text::kInternetExplorer, 100, "ie55.map", nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28161, "i-mode HTML 1.0", 100, "imode100.map", nullptr},
    {28162, "i-mode HTML 2.0", 100, "imode200.map", nullptr},
    {28163, "i-mode HTML 3.0", 100, "imode300.map", nullptr},
    {28164, "i-mode HTML 4.0", 100, "imode400.map", nullptr},
    {28165, "i-mode HTML 5.0", 100, "imode500.map", nullptr},
    {28166, "i-mode XHTML 1.0", 100, "imode-xhtml100.map", nullptr},
    {0, nullptr, 0, nullptr, nullptr},
    {28203, "CSS", 400, nullptr, nullptr},
    {28200, "Perl", 200, nullptr, "perl.kwd"},
    {28201, "Java", 300, nullptr, "java.kwd"},
    {28202, "C/C++", 300, nullptr, "cpp.kwd"},
};
const size_t kDocumentTypeRows = sizeof kDocumentTypes / sizeof kDocumentTypes[0];

namespace {

const DocumentType kIe50 = {28191, "Internet Explorer 5.0", 100, "ie50.map", nullptr};

struct Declaration {
    uint32_t id;
    const char* text;
};
// Stored with their double quotes (28182 is a prefix without the closing one; 28105 has none).
const Declaration kDeclarations[] = {
    {28101, "\"-//W3C//DTD HTML 4.01//EN\""},
    {28102, "\"-//W3C//DTD HTML 4.01 Transitional//EN\""},
    {28103, "\"-//W3C//DTD HTML 4.01 Frameset//EN\""},
    {28105, "<!DOCTYPE html>"},
    {28111, "\"-//W3C//DTD XHTML 1.0 Strict//EN\""},
    {28112, "\"-//W3C//DTD XHTML 1.0 Transitional//EN\""},
    {28113, "\"-//W3C//DTD XHTML 1.0 Frameset//EN\""},
    {28114, "\"-//W3C//DTD XHTML 1.1//EN\""},
    {28181, "\"-//W3C//DTD XHTML Basic 1.0//EN\""},
    {28182, "\"-//WAPFORUM//DTD XHTML Mobile 1."},
    {28166, "\"-//i-mode group (ja)//DTD XHTML i-XHTML(Locale/Ver.=ja/1.0) 1.0//EN\""},
};

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool inList(const char* extension, const char* const* list) {
    for (; *list != nullptr; ++list)
        if (std::strcmp(extension, *list) == 0) return true;
    return false;
}

}  // namespace

const DocumentType* documentType(uint32_t id) {
    if (id == 0) return nullptr;
    if (id == kIe50.id) return &kIe50;
    for (size_t i = 0; i < kDocumentTypeRows; ++i)
        if (kDocumentTypes[i].id == id) return &kDocumentTypes[i];
    return nullptr;
}

ExtensionKind extensionKind(const char* path) {
    // The file name begins after the last "\" or "/" that is not the trail byte of a
    // double-byte character (表 is 95 5C).
    const char* name = path;
    for (const char* p = path; *p != 0; ++p) {
        if (isSjisLead(static_cast<uint8_t>(*p)) && p[1] != 0) {
            ++p;
            continue;
        }
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    const char* dot = std::strrchr(name, '.');
    if (dot == nullptr) return ExtensionKind::None;
    const size_t n = std::strlen(dot + 1);
    if (n >= 6) return ExtensionKind::None;
    char extension[8] = {};
    for (size_t i = 0; i < n; ++i) extension[i] = fold(dot[1 + i]);
    static const char* const html[] = {"html", "htm", "shtml", "xhtml", "jsp", "asp", "php", nullptr};
    static const char* const perl[] = {"pl", "cgi", "pm", nullptr};
    static const char* const java[] = {"java", nullptr};
    static const char* const clike[] = {"h", "cpp", "c", "rc", nullptr};
    static const char* const css[] = {"css", nullptr};
    if (inList(extension, html)) return ExtensionKind::Html;
    if (inList(extension, perl)) return ExtensionKind::Perl;
    if (inList(extension, java)) return ExtensionKind::Java;
    if (inList(extension, clike)) return ExtensionKind::CLike;
    if (inList(extension, css)) return ExtensionKind::Css;
    return ExtensionKind::None;
}

uint32_t typeFromDeclaration(const char* const* lines, const uint32_t* lengths, size_t count) {
    for (size_t l = 0; l < count && l < 10; ++l) {
        const char* line = lines[l];
        const uint32_t length = lengths[l];
        if (length < 15) continue;
        for (uint32_t i = 0; i + 15 <= length; ++i) {
            if (line[i] != '"' && line[i] != '<') continue;
            for (const Declaration& d : kDeclarations) {
                const uint32_t n = static_cast<uint32_t>(std::strlen(d.text));
                if (length - i < n) continue;
                bool equal = true;
                for (uint32_t k = 4; k < n && equal; ++k) equal = fold(line[i + k]) == fold(d.text[k]);
                if (equal) return d.id;
            }
        }
    }
    return 0;
}

uint32_t typeFromPath(const char* path, uint32_t declarationType, uint32_t defaultHtmlType, bool inCacheFolder) {
    const auto html = [&] {
        if (declarationType != 0) return declarationType;
        if (defaultHtmlType != 0) return defaultHtmlType;
        return doctype::Html401Transitional;
    };
    switch (extensionKind(path)) {
    case ExtensionKind::Html: return html();
    case ExtensionKind::Perl: return doctype::Perl;
    case ExtensionKind::Java: return doctype::Java;
    case ExtensionKind::CLike: return doctype::CLike;
    case ExtensionKind::Css: return doctype::Css;
    case ExtensionKind::None: break;
    }
    return inCacheFolder ? html() : doctype::PlainText;
}

uint32_t lintOptionsFromFlags(uint32_t f) {
    uint32_t options = 0;
    if (f & 0x1000) options |= 0x2;
    if (f & 0x2000) options |= 0x1;
    if (f & 0x4000) options |= 0x8;
    if (f & 0x8000) options |= 0x10000000;
    if (!(f & 0x20000)) options |= 0x20;
    if (!(f & 0x10000)) options |= 0x10;
    return options;
}

CharacterCounts countCharacters(const uint8_t* text, size_t length) {
    CharacterCounts c;
    for (size_t i = 0; i < length;) {
        const uint8_t b = text[i];
        if (isSjisLead(b) && i + 1 < length) {
            if (!(b == 0x81 && text[i + 1] == 0x40)) ++c.full;
            i += 2;
            continue;
        }
        if (b != '\r' && b != '\n' && b != '\t' && b != ' ') ++c.half;
        ++i;
    }
    return c;
}

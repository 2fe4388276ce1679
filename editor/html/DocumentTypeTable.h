// DocumentTypeTable: the document types as data (command id, name shown, colouring mode, map or
// keyword file, separators of the popup menu), and the choice of a type from a path and from
// the document-type declaration. Portable: the frame supplies the lines and the cache folder.
#pragma once
#include <cstddef>
#include <cstdint>

struct DocumentType {
    uint32_t id;            // command id 28001 ... 28203 (0 for a separator row)
    const char* name;       // Shift_JIS, as shown in the popup menu
    int32_t colouringMode;  // 0, 100, 200, 300, 400
    const char* mapFile;    // "html401-loose.map" for HTML types, else null
    const char* keywordFile;  // "perl.kwd" ..., else null
};

namespace doctype {
constexpr uint32_t PlainText = 28001;
constexpr uint32_t Html5 = 28105;
constexpr uint32_t Html401Transitional = 28102;
constexpr uint32_t Perl = 28200, Java = 28201, CLike = 28202, Css = 28203;
constexpr uint32_t Ie50 = 28191;   // in the map table only; no menu row selects it
inline bool isHtml(uint32_t id) { return id >= 28100 && id <= 28199; }
}  // namespace doctype

// The popup menu's rows in order (separators have id 0 and no name).
extern const DocumentType kDocumentTypes[];
extern const size_t kDocumentTypeRows;
// The row of a type id (also 28191), or null.
const DocumentType* documentType(uint32_t id);

// The type a path's extension names: 0 when no list matches (no ".", or an extension of 6 or
// more characters); for the HTML list doctype::Html401Transitional stands for "an HTML type",
// which the caller refines with the declaration and the default.
enum class ExtensionKind { None, Html, Perl, Java, CLike, Css };
ExtensionKind extensionKind(const char* path);

// The first declaration found in lines[0 .. count) (at most the first 10): its type, or 0.
uint32_t typeFromDeclaration(const char* const* lines, const uint32_t* lengths, size_t count);

// The type for a path: the extension's list; HTML: declarationType, else defaultHtmlType, else
// 28102. No list: HTML rules when inCacheFolder, else plain text.
uint32_t typeFromPath(const char* path, uint32_t declarationType, uint32_t defaultHtmlType, bool inCacheFolder);

// The checker's option word from the settings' option_flags.
uint32_t lintOptionsFromFlags(uint32_t optionFlags);

// Counts for the character count: full-width characters (lead + trail, not the full-width
// blank 81 40) and half-width ones (not CR, LF, TAB or blank).
struct CharacterCounts {
    int full = 0;
    int half = 0;
};
CharacterCounts countCharacters(const uint8_t* text, size_t length);

// DocumentTypeTable: the document types as data, in the order of the document-type popup menu:
// command id, the name shown (Shift_JIS), the editor control's colouring mode, the map file
// (folder "dtd\") or keyword file (folder "keyword\") it loads, and whether a separator comes
// before it in the menu. HTML types are the ids 28100-28199.
#pragma once
#include <cstddef>
#include <cstdint>

namespace document_types {

enum class FileKind { None, Map, Keywords };

struct DocumentType {
    int32_t id;
    const char* name;        // nullptr for a type no menu entry selects
    int32_t mode;            // SyntaxMode: 0 plain, 100 HTML, 200 Perl, 300 C/C++ and Java, 400 CSS
    FileKind kind;
    const char* file;        // nullptr when kind is None
    bool separatorBefore;    // in the popup menu
};

// Every type; the menu shows those with a name, in this order.
const DocumentType* table(size_t* count);
// The row of `id`, or nullptr.
const DocumentType* find(int32_t id);
constexpr bool isHtml(int32_t id) { return id >= 28100 && id <= 28199; }

}  // namespace document_types

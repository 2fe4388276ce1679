// DocumentMap: a document-type map file loaded whole, with indexes to its content models and
// attribute lists. The editor and the grammar checker (lint.dll) both read the table through
// this header; the checker receives the table's address.
#pragma once
#include <cstddef>
#include <cstdint>

// File layout, all integers unsigned 32-bit little-endian:
//   header (44 bytes): magic "map\0", version 4, XHTML flag, sizes of sections 0-4, a reserved
//   word, the record counts of sections 3 and 4; then the five sections and one "@" byte.
//   0 template: NUL-terminated text ("@" marks where the system identifier begins).
//   1 entity names: NUL-terminated names.
//   2 element names, ascending (ASCII letters folded): { length, name flags, content-model
//     number, attribute-list number, name NUL }.
//   3 content models: { length, model flags, child names NUL each ascending, NUL }.
//   4 attribute lists: { length, entries NUL each, an entry of length 0 or 1 }; an entry is a
//     class byte, the name, then "%" + value for each enumerated value.
namespace mapfile {
constexpr uint32_t kHeaderSize = 44;
constexpr uint32_t kVersion = 4;

// Results of loadMap.
constexpr uint32_t kLoaded = 0;
constexpr uint32_t kCannotOpen = 0x200001;
constexpr uint32_t kBadFormat = 0x200002;
constexpr uint32_t kNoMemory = 0x100001;

// Name flags of an element-name record.
constexpr uint32_t kNeverImplied = 0x1;   // never closed implicitly (html, body)
constexpr uint32_t kHasAttributes = 0x2;
// Content-model flags. The editor tests them by mask; 0x100 and 0x200 are the checker's.
constexpr uint32_t kEndOptional = 0x2;
constexpr uint32_t kEmpty = 0x4;          // set together with kEndOptional
constexpr uint32_t kTextIsError = 0x100;  // non-blank text directly inside is an error
constexpr uint32_t kRawText = 0x200;      // content is raw text up to the end tag (script, style)
// Attribute class byte (never 0): a type in the low bits, kRequired when the attribute must be
// given. Maps without these only make the checker lenient.
constexpr uint8_t kAttrText = 1, kAttrEnum = 2, kAttrNumber = 3, kAttrId = 4, kAttrIdRef = 5,
                  kAttrName = 6;
constexpr uint8_t kAttrTypeMask = 0x7F;
constexpr uint8_t kRequired = 0x80;
}  // namespace mapfile

// The in-memory table. A plain record: its address crosses into the checker library.
struct DocumentMap {
    uint32_t header[11] = {};              // as read: magic ... count3, count4
    uint8_t* block = nullptr;              // sections 0-4, then (aligned) the two indexes
    const uint8_t* entities = nullptr;     // section 1
    const uint8_t* elements = nullptr;     // section 2
    const uint8_t* models = nullptr;       // section 3
    const uint8_t* attributes = nullptr;   // section 4
    const uint8_t** modelIndex = nullptr;      // one pointer per section-3 record
    const uint8_t** attributeIndex = nullptr;  // one pointer per section-4 record

    bool xhtml() const { return header[2] != 0; }
    uint32_t sectionSize(int section) const { return header[3 + section]; }
    uint32_t modelCount() const { return header[9]; }
    uint32_t attributeListCount() const { return header[10]; }
    const char* templateText() const { return reinterpret_cast<const char*>(block); }
};

// Loads a map file (kLoaded or one of the error codes); a failed load leaves `map` empty.
uint32_t loadMap(DocumentMap& map, const char* path);
// The same over a file image in memory (copied).
uint32_t loadMapFromMemory(DocumentMap& map, const uint8_t* image, size_t size);
void unloadMap(DocumentMap& map);

// Case-insensitive comparison of names: ASCII letters folded to lower case, other bytes as
// unsigned values, the shorter name smaller.
int compareNames(const char* a, size_t aLength, const char* b, size_t bLength);

// Element-name records.
const uint8_t* findElement(const DocumentMap& map, const char* name, size_t length);
const char* elementName(const uint8_t* record);
uint32_t nameFlags(const uint8_t* record);
const uint8_t* contentModel(const DocumentMap& map, const uint8_t* record);
const uint8_t* attributeList(const DocumentMap& map, const uint8_t* record);
// Walks section 2: the first record, then the next one or null at the section's end.
const uint8_t* firstElement(const DocumentMap& map);
const uint8_t* nextElement(const DocumentMap& map, const uint8_t* record);

// Content models.
uint32_t modelFlags(const uint8_t* model);
inline bool isEmptyModel(const uint8_t* model) {
    return (modelFlags(model) & (mapfile::kEndOptional | mapfile::kEmpty)) ==
           (mapfile::kEndOptional | mapfile::kEmpty);
}
const char* firstChild(const uint8_t* model);           // "" when the list is empty
bool allowsChild(const uint8_t* model, const char* name, size_t length);

// Attribute lists: entries are NUL-terminated; the list ends at an entry of length 0 or 1.
const char* firstAttribute(const uint8_t* list);         // null when the list is empty
const char* nextAttribute(const char* entry);            // null after the last
const char* findAttribute(const uint8_t* list, const char* name, size_t length);
// The name's length in an entry (after the class byte, up to the first "%" or the end).
size_t attributeNameLength(const char* entry);
bool isBooleanAttribute(const DocumentMap& map, const char* entry);

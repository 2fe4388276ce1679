// DocumentMap: loading and checking a map file, and the lookups over it.
#include "DocumentMap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t readWord(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint8_t foldByte(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }

bool hasNul(const uint8_t* from, const uint8_t* end) {
    return std::memchr(from, 0, static_cast<size_t>(end - from)) != nullptr;
}

// Walks the records of section 3 or 4 into `index`: each record's length must be at least
// `minimum`, stay inside the section and end with a NUL; exactly `count` records.
bool indexRecords(const uint8_t* start, uint32_t size, uint32_t count, uint32_t minimum,
                  const uint8_t** index) {
    uint32_t offset = 0, n = 0;
    while (offset < size) {
        if (size - offset < 4) return false;
        const uint32_t length = readWord(start + offset);
        if (length < minimum || length > size - offset) return false;
        if (start[offset + length - 1] != 0) return false;
        if (n == count) return false;
        index[n++] = start + offset;
        offset += length;
    }
    return n == count;
}

// An attribute list's walk must stop inside its record: the record's last entry (before the
// final NUL) is 0 or 1 byte long, so whatever entry the walk stops at, it is inside.
bool attributeListEnds(const uint8_t* record) {
    const uint32_t length = readWord(record);
    if (length == 5) return true;                 // just the closing empty entry
    return record[length - 2] == 0 || (length >= 7 && record[length - 3] == 0);
}

bool checkElements(const DocumentMap& map) {
    const uint8_t* p = map.elements;
    const uint8_t* end = p + map.sectionSize(2);
    while (p < end) {
        if (end - p < 17) return false;
        const uint32_t length = readWord(p);
        if (length < 17 || length > static_cast<size_t>(end - p)) return false;
        if (!hasNul(p + 16, p + length)) return false;
        if (readWord(p + 8) >= map.modelCount() || readWord(p + 12) >= map.attributeListCount())
            return false;
        p += length;
    }
    return true;
}

uint32_t fail(DocumentMap& map, uint32_t code) {
    unloadMap(map);
    return code;
}

}  // namespace

int compareNames(const char* a, size_t aLength, const char* b, size_t bLength) {
    const size_t n = aLength < bLength ? aLength : bLength;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t x = foldByte(static_cast<uint8_t>(a[i])), y = foldByte(static_cast<uint8_t>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return aLength == bLength ? 0 : aLength < bLength ? -1 : 1;
}

namespace {

// Checks the header, allocates the block with room for the indexes; the caller fills the data.
uint32_t prepareBlock(DocumentMap& map, const uint8_t* header, uint64_t available, uint64_t* dataLength,
                      uint64_t* indexStart) {
    for (int i = 0; i < 11; ++i) map.header[i] = readWord(header + 4 * i);
    if (std::memcmp(header, "map\0", 4) != 0 || map.header[1] != mapfile::kVersion) return mapfile::kBadFormat;
    // Sizes are summed in 64 bits so that no sum wraps, and the data must be in the file.
    *dataLength = 1;
    for (int s = 0; s < 5; ++s) *dataLength += map.sectionSize(s);
    if (*dataLength > available) return mapfile::kBadFormat;
    // A record takes at least 9 (model) or 5 (attribute list) bytes: larger counts cannot be
    // right and would only make the index allocation huge.
    if (map.modelCount() > map.sectionSize(3) / 9 || map.attributeListCount() > map.sectionSize(4) / 5)
        return mapfile::kBadFormat;
    // The indexes hold pointers: they start at the first pointer-aligned offset after the data
    // (a record's 4 bytes per index entry would not hold a 64-bit pointer).
    *indexStart = (*dataLength + alignof(void*) - 1) / alignof(void*) * alignof(void*);
    const uint64_t total = *indexStart + sizeof(void*) * (uint64_t{map.modelCount()} + map.attributeListCount());
    if (total > SIZE_MAX) return mapfile::kNoMemory;
    map.block = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(total)));
    return map.block != nullptr ? mapfile::kLoaded : mapfile::kNoMemory;
}

// Sections and indexes over a filled block.
uint32_t indexBlock(DocumentMap& map, uint64_t dataLength, uint64_t indexStart) {
    if (map.block[dataLength - 1] != '@') return mapfile::kBadFormat;
    map.block[dataLength - 1] = 0;
    const uint8_t* p = map.block;
    const uint32_t templateSize = map.sectionSize(0);
    if (templateSize != 0 && !hasNul(p, p + templateSize)) return mapfile::kBadFormat;
    p += templateSize;
    map.entities = p;
    if (map.sectionSize(1) != 0 && p[map.sectionSize(1) - 1] != 0) return mapfile::kBadFormat;
    p += map.sectionSize(1);
    map.elements = p;
    p += map.sectionSize(2);
    map.models = p;
    p += map.sectionSize(3);
    map.attributes = p;
    map.modelIndex = reinterpret_cast<const uint8_t**>(map.block + indexStart);
    map.attributeIndex = map.modelIndex + map.modelCount();
    if (!indexRecords(map.models, map.sectionSize(3), map.modelCount(), 9, map.modelIndex) ||
        !indexRecords(map.attributes, map.sectionSize(4), map.attributeListCount(), 5, map.attributeIndex))
        return mapfile::kBadFormat;
    // A child list ends with an empty name inside its record.
    for (uint32_t i = 0; i < map.modelCount(); ++i) {
        const uint8_t* model = map.modelIndex[i];
        const uint32_t length = readWord(model);
        if (length > 9 && model[length - 2] != 0) return mapfile::kBadFormat;
    }
    for (uint32_t i = 0; i < map.attributeListCount(); ++i)
        if (!attributeListEnds(map.attributeIndex[i])) return mapfile::kBadFormat;
    if (!checkElements(map)) return mapfile::kBadFormat;
    return mapfile::kLoaded;
}

}  // namespace

uint32_t loadMapFromMemory(DocumentMap& map, const uint8_t* image, size_t size) {
    unloadMap(map);
    if (size < mapfile::kHeaderSize) return mapfile::kBadFormat;
    uint64_t dataLength = 0, indexStart = 0;
    uint32_t r = prepareBlock(map, image, size - mapfile::kHeaderSize, &dataLength, &indexStart);
    if (r == mapfile::kLoaded) {
        std::memcpy(map.block, image + mapfile::kHeaderSize, static_cast<size_t>(dataLength));
        r = indexBlock(map, dataLength, indexStart);
    }
    return r == mapfile::kLoaded ? r : fail(map, r);
}

uint32_t loadMap(DocumentMap& map, const char* path) {
    unloadMap(map);
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return mapfile::kCannotOpen;
    uint8_t header[mapfile::kHeaderSize];
    uint32_t r = mapfile::kBadFormat;
    uint64_t dataLength = 0, indexStart = 0;
    // The data is read straight into the block; a file shorter than its sizes is refused.
    uint64_t fileSize = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        fileSize = end > 0 ? static_cast<uint64_t>(end) : 0;
    }
    std::rewind(file);
    if (fileSize >= sizeof header && std::fread(header, 1, sizeof header, file) == sizeof header &&
        (r = prepareBlock(map, header, fileSize - sizeof header, &dataLength, &indexStart)) == mapfile::kLoaded) {
        r = std::fread(map.block, 1, static_cast<size_t>(dataLength), file) == dataLength
                ? indexBlock(map, dataLength, indexStart)
                : mapfile::kBadFormat;
    }
    std::fclose(file);
    return r == mapfile::kLoaded ? r : fail(map, r);
}

void unloadMap(DocumentMap& map) {
    std::free(map.block);
    map = DocumentMap{};
}

const uint8_t* firstElement(const DocumentMap& map) {
    return map.block != nullptr && map.sectionSize(2) != 0 ? map.elements : nullptr;
}

const uint8_t* nextElement(const DocumentMap& map, const uint8_t* record) {
    const uint8_t* next = record + readWord(record);
    return next < map.elements + map.sectionSize(2) ? next : nullptr;
}

const uint8_t* findElement(const DocumentMap& map, const char* name, size_t length) {
    for (const uint8_t* r = firstElement(map); r != nullptr; r = nextElement(map, r)) {
        const char* own = elementName(r);
        const int order = compareNames(name, length, own, std::strlen(own));
        if (order == 0) return r;
        if (order < 0) return nullptr;
    }
    return nullptr;
}

const char* elementName(const uint8_t* record) { return reinterpret_cast<const char*>(record + 16); }
uint32_t nameFlags(const uint8_t* record) { return readWord(record + 4); }

const uint8_t* contentModel(const DocumentMap& map, const uint8_t* record) {
    return map.modelIndex[readWord(record + 8)];
}

const uint8_t* attributeList(const DocumentMap& map, const uint8_t* record) {
    return map.attributeIndex[readWord(record + 12)];
}

uint32_t modelFlags(const uint8_t* model) { return readWord(model + 4); }

const char* firstChild(const uint8_t* model) { return reinterpret_cast<const char*>(model + 8); }

bool allowsChild(const uint8_t* model, const char* name, size_t length) {
    for (const char* child = firstChild(model); *child != 0; child += std::strlen(child) + 1) {
        const int order = compareNames(child, std::strlen(child), name, length);
        if (order == 0) return true;
        if (order > 0) return false;
    }
    return false;
}

const char* firstAttribute(const uint8_t* list) {
    const char* entry = reinterpret_cast<const char*>(list + 4);
    return std::strlen(entry) > 1 ? entry : nullptr;
}

const char* nextAttribute(const char* entry) {
    const char* next = entry + std::strlen(entry) + 1;
    return std::strlen(next) > 1 ? next : nullptr;
}

size_t attributeNameLength(const char* entry) {
    const char* name = entry + 1;
    const char* percent = std::strchr(name, '%');
    return percent != nullptr ? static_cast<size_t>(percent - name) : std::strlen(name);
}

const char* findAttribute(const uint8_t* list, const char* name, size_t length) {
    for (const char* e = firstAttribute(list); e != nullptr; e = nextAttribute(e))
        if (attributeNameLength(e) == length && compareNames(e + 1, length, name, length) == 0) return e;
    return nullptr;
}

bool isBooleanAttribute(const DocumentMap& map, const char* entry) {
    if (map.xhtml()) return false;
    const size_t nameLength = attributeNameLength(entry);
    const char* value = entry + 1 + nameLength;
    if (*value != '%') return false;
    ++value;
    const char* end = std::strchr(value, '%');
    const size_t valueLength = end != nullptr ? static_cast<size_t>(end - value) : std::strlen(value);
    return compareNames(value, valueLength, entry + 1, nameLength) == 0;
}

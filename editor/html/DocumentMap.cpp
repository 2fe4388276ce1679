// DocumentMap: loading and checking a map file, and the lookups over it.
#include "DocumentMap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// An attribute list's entries must reach an entry of length 0 or 1 inside the record.
bool attributeListEnds(const uint8_t* record) {
    const uint8_t* end = record + readWord(record);
    const uint8_t* p = record + 4;
    while (p < end) {
        const size_t length = std::strlen(reinterpret_cast<const char*>(p));
        if (length <= 1) return true;
        p += length + 1;
    }
    return false;
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

uint32_t loadMapFromMemory(DocumentMap& map, const uint8_t* image, size_t size) {
    unloadMap(map);
    if (size < mapfile::kHeaderSize) return mapfile::kBadFormat;
    for (int i = 0; i < 11; ++i) map.header[i] = readWord(image + 4 * i);
    if (std::memcmp(image, "map\0", 4) != 0 || map.header[1] != mapfile::kVersion)
        return fail(map, mapfile::kBadFormat);
    // Sizes are summed in 64 bits so that no sum wraps, and the data must be in the file.
    uint64_t dataLength = 1;
    for (int s = 0; s < 5; ++s) dataLength += map.sectionSize(s);
    if (dataLength > size - mapfile::kHeaderSize) return fail(map, mapfile::kBadFormat);
    // A record takes at least 9 (model) or 5 (attribute list) bytes: larger counts cannot be
    // right and would only make the index allocation huge.
    if (map.modelCount() > map.sectionSize(3) / 9 || map.attributeListCount() > map.sectionSize(4) / 5)
        return fail(map, mapfile::kBadFormat);
    // The indexes hold pointers: they start at the first pointer-aligned offset after the data.
    const uint64_t indexStart = (dataLength + alignof(void*) - 1) / alignof(void*) * alignof(void*);
    const uint64_t total = indexStart + sizeof(void*) * (uint64_t{map.modelCount()} + map.attributeListCount());
    if (total > SIZE_MAX) return fail(map, mapfile::kNoMemory);
    map.block = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(total)));
    if (map.block == nullptr) return fail(map, mapfile::kNoMemory);
    std::memcpy(map.block, image + mapfile::kHeaderSize, static_cast<size_t>(dataLength));
    if (map.block[dataLength - 1] != '@') return fail(map, mapfile::kBadFormat);
    map.block[dataLength - 1] = 0;
    const uint8_t* p = map.block;
    const uint32_t templateSize = map.sectionSize(0);
    if (templateSize != 0 && !hasNul(p, p + templateSize)) return fail(map, mapfile::kBadFormat);
    p += templateSize;
    map.entities = p;
    if (map.sectionSize(1) != 0 && p[map.sectionSize(1) - 1] != 0) return fail(map, mapfile::kBadFormat);
    p += map.sectionSize(1);
    map.elements = p;
    p += map.sectionSize(2);
    map.models = p;
    p += map.sectionSize(3);
    map.attributes = p;
    map.modelIndex = reinterpret_cast<const uint8_t**>(map.block + indexStart);
    map.attributeIndex = map.modelIndex + map.modelCount();
    if (!indexRecords(map.models, map.sectionSize(3), map.modelCount(), 9, map.modelIndex) ||
        !indexRecords(map.attributes, map.sectionSize(4), map.attributeListCount(), 5,
                      map.attributeIndex))
        return fail(map, mapfile::kBadFormat);
    // A child list ends with an empty name inside its record.
    for (uint32_t i = 0; i < map.modelCount(); ++i) {
        const uint8_t* model = map.modelIndex[i];
        const uint32_t length = readWord(model);
        if (length > 9 && model[length - 2] != 0) return fail(map, mapfile::kBadFormat);
    }
    for (uint32_t i = 0; i < map.attributeListCount(); ++i)
        if (!attributeListEnds(map.attributeIndex[i])) return fail(map, mapfile::kBadFormat);
    if (!checkElements(map)) return fail(map, mapfile::kBadFormat);
    return mapfile::kLoaded;
}

uint32_t loadMap(DocumentMap& map, const char* path) {
    unloadMap(map);
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return mapfile::kCannotOpen;
    std::vector<uint8_t> image;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) image.insert(image.end(), chunk, chunk + got);
    std::fclose(file);
    return loadMapFromMemory(map, image.data(), image.size());
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

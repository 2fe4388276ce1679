// KeywordTable: validated loading of keyword files and the in-place bucket search.
#include "KeywordTable.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Closes the file on every path out of the loader.
class FileGuard {
public:
    explicit FileGuard(std::FILE* f) : f_(f) {}
    ~FileGuard() { if (f_) std::fclose(f_); }
    FileGuard(const FileGuard&) = delete;
    FileGuard& operator=(const FileGuard&) = delete;
    std::FILE* get() const { return f_; }
private:
    std::FILE* f_;
};

// True when the bytes left in the file (from the current position) number at least `need`.
bool remainingAtLeast(std::FILE* f, uint32_t need) {
    long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return false;
    long end = std::ftell(f);
    if (end < 0 || std::fseek(f, here, SEEK_SET) != 0) return false;
    return uint64_t(end - here) >= need;
}

// Every bucket walk must stay inside the entry area: each byte it reads lies below `size`. The
// walk reads an entry's bucket number first and stops at another bucket's number without
// reading its length byte, so such a byte may be the area's last. A walk that reaches the end
// of the area exactly ends the bucket there.
bool bucketsInRange(const uint8_t* header, const uint8_t* area, uint32_t size) {
    for (uint32_t h = 0; h < KeywordTable::kBucketCount; ++h) {
        uint32_t at = readLe32(header + 8 + 4 * h);
        if (at >= size) return false;
        while (at < size) {
            if (area[at] != h) break;
            if (size - at < 2) return false;
            if (area[at + 1] == 0) break;
            uint32_t next = at + 2 + area[at + 1];
            if (next > size) return false;
            at = next;
        }
    }
    return true;
}

}  // namespace

KeywordTable::~KeywordTable() { delete[] block_; }

bool KeywordTable::isWordByte(uint8_t b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' ||
           b == '#';
}

uint8_t KeywordTable::bucketOf(uint8_t first, uint32_t length) {
    return uint8_t((first ^ (length >> 3) ^ ((length & 7) << 5)) & 0xFF);
}

bool KeywordTable::loadFromMemory(const uint8_t* image, size_t size) {
    if (image == nullptr || size < kHeaderSize || readLe32(image) != kMagic) return false;
    uint32_t area = readLe32(image + 4);
    if (size - kHeaderSize < area) return false;
    if (!bucketsInRange(image, image + kHeaderSize, area)) return false;
    uint8_t* block = new (std::nothrow) uint8_t[size_t(kHeaderSize) + area];
    if (block == nullptr) return false;
    std::memcpy(block, image, size_t(kHeaderSize) + area);
    delete[] block_;
    block_ = block;
    areaSize_ = area;
    return true;
}

bool KeywordTable::loadKeywordTable(const char* path) {
    if (path == nullptr) return false;
    FileGuard file(std::fopen(path, "rb"));
    if (file.get() == nullptr) return false;
    uint8_t header[kHeaderSize];
    if (std::fread(header, 1, kHeaderSize, file.get()) != kHeaderSize) return false;
    if (readLe32(header) != kMagic) return false;
    uint32_t area = readLe32(header + 4);
    // Check the claimed size against the file before allocating it.
    if (!remainingAtLeast(file.get(), area)) return false;
    uint8_t* block = new (std::nothrow) uint8_t[size_t(kHeaderSize) + area];
    if (block == nullptr) return false;
    std::memcpy(block, header, kHeaderSize);
    if (std::fread(block + kHeaderSize, 1, area, file.get()) != area ||
        !bucketsInRange(block, block + kHeaderSize, area)) {
        delete[] block;
        return false;
    }
    delete[] block_;
    block_ = block;
    areaSize_ = area;
    return true;
}

bool KeywordTable::isKeyword(const uint8_t* word, uint32_t n) const {
    if (block_ == nullptr || n == 0 || n > 255) return false;
    const uint8_t h = bucketOf(word[0], n);
    const uint8_t* area = block_ + kHeaderSize;
    uint32_t at = readLe32(block_ + 8 + 4 * h);
    // The walk was validated at load; the bound checks keep it safe regardless.
    while (at + 2 <= areaSize_ && area[at] == h && area[at + 1] != 0) {
        const uint32_t len = area[at + 1];
        if (at + 2 + len > areaSize_) return false;
        if (len == n) {
            int order = std::memcmp(area + at + 2, word, n);
            if (order == 0) return true;
            if (order > 0) return false;
        }
        at += 2 + len;
    }
    return false;
}

bool KeywordTable::findKeyword(const uint8_t* text, uint32_t length, uint32_t* start,
                               uint32_t* keywordLength) const {
    if (block_ == nullptr || text == nullptr) return false;
    uint32_t i = 0;
    while (i < length) {
        if (!isWordByte(text[i])) {
            i += isLeadByte(text[i]) ? 2 : 1;
            continue;
        }
        const uint32_t wordStart = i;
        while (i < length && isWordByte(text[i])) ++i;
        if (isKeyword(text + wordStart, i - wordStart)) {
            if (start) *start = wordStart;
            if (keywordLength) *keywordLength = i - wordStart;
            return true;
        }
        // The byte that ended the word is a separator; the loop steps over it (both bytes of a
        // double-byte character).
    }
    return false;
}

// KeywordTable: a keyword file (a prebuilt 256-bucket hash table) loaded whole and searched in place.
#pragma once
#include <cstddef>
#include <cstdint>

// File layout, all integers unsigned 32-bit little-endian:
//   0     magic 0x6B2912C8
//   4     B, the size of the entry area in bytes
//   8     256 bucket offsets into the entry area (each < B)
//   1032  entry area: entries { bucket number (1 byte), length L (1 byte, 0 ends a bucket),
//         L keyword bytes }; a bucket's entries are contiguous, equal-length entries in ascending
//         unsigned byte order.
// A keyword of length L with first byte c lives in bucket (c ^ (L >> 3) ^ ((L & 7) << 5)) & 0xFF.
class KeywordTable {
public:
    static const uint32_t kMagic = 0x6B2912C8u;
    static const uint32_t kHeaderSize = 1032;
    static const uint32_t kBucketCount = 256;

    KeywordTable() = default;
    ~KeywordTable();
    KeywordTable(const KeywordTable&) = delete;
    KeywordTable& operator=(const KeywordTable&) = delete;
    KeywordTable(KeywordTable&&) = delete;
    KeywordTable& operator=(KeywordTable&&) = delete;

    // Loads a keyword file. On failure (missing, short, wrong magic, offsets or entries out of
    // range) returns false and the previous contents stay in force.
    bool loadKeywordTable(const char* path);
    // The same validation over a file image in memory (the image is copied).
    bool loadFromMemory(const uint8_t* image, size_t size);

    // True once a table has been loaded.
    bool loaded() const { return block_ != nullptr; }

    // The first keyword among the words of text[0, length): its start and length. False when
    // there is none (or no table is loaded). Words are maximal runs of ASCII letters, digits,
    // '_' and '#'; a Shift_JIS double-byte character and every other byte separate words.
    bool findKeyword(const uint8_t* text, uint32_t length, uint32_t* start,
                     uint32_t* keywordLength) const;

    // True when word[0, length) as a whole is a keyword (case-sensitive, exact).
    bool isKeyword(const uint8_t* word, uint32_t length) const;

    // Word bytes: ASCII letters, digits, '_' and '#'.
    static bool isWordByte(uint8_t byte);
    // The bucket of a word of `length` bytes beginning with `first`.
    static uint8_t bucketOf(uint8_t first, uint32_t length);

private:
    // Header (magic, B, offsets) followed by the entry area, in one owned block.
    uint8_t* block_ = nullptr;
    uint32_t areaSize_ = 0;
};

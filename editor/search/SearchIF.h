// SearchIF: the matching interface the editor control searches through, with the backward
// searches built on the forward one.
#pragma once
#include <cstdint>

class SearchIF {
public:
    SearchIF(const SearchIF&) = delete;
    SearchIF& operator=(const SearchIF&) = delete;
    SearchIF(SearchIF&&) = delete;
    SearchIF& operator=(SearchIF&&) = delete;

    // Sets the pattern, a NUL-terminated Shift_JIS string. False for an empty pattern or when it
    // cannot be stored; find is then not to be called.
    virtual bool setPattern(const char* pattern) = 0;
    // The kind of pattern matching; 0 for a literal search.
    virtual int patternKind() = 0;
    // The first match in text[0, length) that begins at a character start: its offset and
    // length. False when there is none. The text need not be NUL-terminated and must begin at a
    // character start (a whole line, or a stretch of one that starts at a character).
    virtual bool find(const uint8_t* text, uint32_t length, uint32_t* matchStart,
                      uint32_t* matchLength) = 0;

    // The last match in text[0, length) (matches may overlap).
    bool findLast(const uint8_t* text, uint32_t length, uint32_t* matchStart,
                  uint32_t* matchLength);
    // The last match that starts before `limit`; false when even the first starts at or after it.
    bool findLastBefore(const uint8_t* text, uint32_t length, uint32_t limit,
                        uint32_t* matchStart, uint32_t* matchLength);

protected:
    SearchIF() = default;
    // Owners hold the concrete class; no deletion through this interface.
    ~SearchIF() = default;
};

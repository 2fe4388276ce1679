// SearchIF_Simple: literal Shift_JIS search with a Boyer-Moore-Horspool skip table and an
// optional ASCII-only case-insensitive mode; matches start only at character starts.
#pragma once
#include <cstdint>

#include "Kanji.h"
#include "SearchIF.h"

class SearchIF_Simple final : public SearchIF, private Kanji {
public:
    SearchIF_Simple() = default;
    ~SearchIF_Simple();

    // Non-zero: exact matching. Default: case-insensitive. Call setPattern again after a change.
    void setCaseSensitive(bool on) { caseSensitive_ = on ? 1 : 0; }
    bool caseSensitive() const { return caseSensitive_ != 0; }

    // False for an empty pattern or a failed allocation; the stored pattern is then empty and
    // find finds nothing.
    bool setPattern(const char* pattern) override;
    int patternKind() override { return 0; }
    bool find(const uint8_t* text, uint32_t length, uint32_t* matchStart,
              uint32_t* matchLength) override;

    // The stored pattern (no terminator) and its length, 0 when none is set.
    const uint8_t* pattern() const { return pattern_; }
    uint32_t patternLength() const { return length_; }

private:
    bool equalsIgnoringCase(const uint8_t* window) const;
    bool startsCharacter(const uint8_t* text, uint32_t* boundary, uint32_t windowStart) const;

    uint8_t* pattern_ = nullptr;
    uint32_t length_ = 0;
    uint32_t capacity_ = 0;
    int32_t skip_[256] = {};
    uint8_t caseSensitive_ = 0;
    uint8_t alternativeLast_ = 0;
};

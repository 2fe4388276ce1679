// MarkupBytes: finding the next byte that matters to a markup scan ("<", ">", quotes, "&", "-",
// a line end...) in Shift_JIS text, sixteen bytes at a time. Every such byte is below 0x40, where
// no trail byte lies, so a match is a character of its own unless it follows a lead byte (a damaged
// pair, which the scans take as one character): the search looks back over the lead-range bytes
// before a match to tell, instead of stepping through every double-byte character.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

class MarkupBytes {
public:
    static constexpr int kMaxBytes = 5;
    // Up to kMaxBytes bytes, each below 0x40.
    MarkupBytes(std::initializer_list<uint8_t> bytes);

    // The first of the bytes at a character start in text[from, length), or length. `from` must
    // be a character start.
    size_t find(const uint8_t* text, size_t from, size_t length) const;

private:
    uint8_t bytes_[kMaxBytes] = {};
    int count_ = 0;
    bool wanted_[0x40] = {};
};

// Whether text[from, end) (starting on a character) ends with a lead byte whose trail byte is not
// in it: the lead-range bytes before `end` alternate lead and trail from the first of them.
bool endsInLeadByte(const uint8_t* text, size_t from, size_t end);

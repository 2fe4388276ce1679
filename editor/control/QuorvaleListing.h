// QuorvaleListing: the texts of a "list every matching line" search: one numbered line per match,
// cut at a character boundary, and the closing count line.
#pragma once
#include <cstdint>
#include <string>

namespace quorvale {

constexpr uint32_t listingLineLimit = 512;  // longer lines are cut ...
constexpr uint32_t listingCutAt = 510;      // ... after the character that reaches this byte

// "%7d行: " followed by the line's bytes (cut as above, never inside a two-byte character).
std::string listingLine(int32_t lineNumber, const uint8_t* text, uint32_t length);
// "【 %d行マッチしました】" with the number of matching lines.
std::string listingSummary(int32_t matches);
// Bytes of a line kept in a listing.
uint32_t listingKeptBytes(const uint8_t* text, uint32_t length);

}  // namespace quorvale

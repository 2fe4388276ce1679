// The search of filter 701: texts typed with "\n", "\t" and "\\" escapes, and the occurrences of a
// text in a Shift_JIS selection (starting only on character boundaries, never overlapping).
#pragma once

#include <cstdint>
#include <string>

namespace ulo_filters {

// "\t" → TAB, "\n" → CR LF, "\\" → one backslash; a backslash before any other character stays.
// A 0x5C that is the second byte of a two-byte character is never an escape.
std::string decodeEscapes(const std::string& typed);

// Calls found(offset) for each occurrence of pattern in text[0..n), from the start, continuing
// after each occurrence. An empty pattern has none. Returns the count.
template <typename Found>
uint64_t forEachOccurrence(const char* text, uint64_t n, const std::string& pattern, Found found);

}  // namespace ulo_filters

#include "ReplaceText.inl"

// The fixed phrases "template0" ... "template9": value names and the byte codec of a phrase.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace phrases {

constexpr unsigned kCount = 10;
// The settings of a phrase refuse texts longer than this; the value adds the NUL.
constexpr size_t kMaxTextLength = 65536;
constexpr size_t kMaxValueSize = kMaxTextLength + 1;
// The largest value read as a phrase, whatever wrote it: a bound on what a damaged value costs.
constexpr size_t kMaxRawSize = 16u << 20;

// The text fixed phrase 1 gets at install when it is missing or empty.
inline constexpr const char kInstallFirstPhrase[] = "<p>$selected_text$</p>";

// "template" followed by the digit; digit 0 holds phrase 1, digit 9 phrase 10. Digits above 9
// give an empty name.
std::string valueName(unsigned digit);

// The text followed by its NUL. A text with a NUL in it, or longer than kMaxTextLength, cannot
// be stored: false.
bool encode(const std::string& text, std::vector<uint8_t>* bytes);
// A value of 1 ... kMaxValueSize bytes whose only NUL is its last byte; otherwise false (the
// phrase is not defined) and *text untouched.
bool decode(const uint8_t* bytes, size_t size, std::string* text);

}  // namespace phrases

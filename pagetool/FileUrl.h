// The path part of a "file://" URL as external browsers want it: "\" becomes "/", and bytes a
// URL cannot carry as they stand become "%" and two upper-case hex digits.
#pragma once
#include <string>

namespace pagetool {

// Shift_JIS bytes kept: both bytes of a double-byte character are escaped (so its trail byte 0x5C
// never becomes "/"), and so are single bytes from 0x80 (half-width katakana), "%" and "#".
std::string sjisPercentEncoded(const std::string& path);

// The path converted from code page 932 to UTF-8, each byte from 0x80 escaped, and "%" and "#".
std::string utf8PercentEncoded(const std::string& path);

}  // namespace pagetool

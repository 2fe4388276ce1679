// BenchCodec: the platform's own converters (iconv on Linux, the Win32 code-page functions on
// Windows) as used by the load benchmark, both to build its images and as its reference.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace benchcodec {

enum class Code { ShiftJis, Jis, EucJp, Utf8, Utf16Le };

const char* referenceName();

// Converts Shift_JIS (code page 932) text into `code`. `out` must already have room (3 x input is
// ample); it is resized to the bytes written. False when the platform cannot.
bool fromShiftJis(Code code, const std::vector<uint8_t>& sjis, std::vector<uint8_t>& out);
// Converts text in `code` into code page 932. `out` must already have room (3 x input is ample);
// it is resized to the bytes written. False when the platform cannot.
bool toShiftJis(Code code, const std::vector<uint8_t>& in, std::vector<uint8_t>& out);

}  // namespace benchcodec

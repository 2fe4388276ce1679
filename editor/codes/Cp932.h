// The one platform seam of the portable code: code page 932 <-> UTF-16.
// Cp932_win32.cpp uses the Windows conversion functions; Cp932_table.cpp a table built from iconv.
#pragma once
#include <cstdint>

namespace cp932 {

// Converts Shift_JIS bytes to UTF-16 units. Returns the number of units written, 0 when nothing
// could be converted (empty input or no room).
uint32_t toUtf16(const uint8_t* src, uint32_t length, uint16_t* dst, uint32_t room);

// Converts UTF-16 units to code page 932 bytes. With `lossy` given, characters without a Shift_JIS
// form become "？" (81 48) and *lossy is set to true when that happened; without it they become the
// code page's own default character. Returns the number of bytes written, 0 when nothing could be
// converted (empty input or no room).
uint32_t fromUtf16(const uint16_t* src, uint32_t units, uint8_t* dst, uint32_t room, bool* lossy);

// One line of UTF-8 (the 1-, 2- and 3-byte forms as utf8::toUtf16 reads them) or of UTF-16LE
// (a trailing odd byte is not converted) to code page 932, in place when dst == src. Characters
// without a Shift_JIS form become "？" (81 48) and set *replaced. *length is the input length on
// entry and the output length on success. False for malformed UTF-8 (a byte 0x80-0xC1 or
// 0xF0-0xFF where a character begins, a sequence cut by the line end) or a conversion that
// yields nothing. The Windows side converts in chunks of 8192 input bytes through fromUtf16; the
// table side converts each character straight through its table (UTF-16LE eight units at a time
// where the processor allows it), with the same result.
bool fromUtf8Line(const uint8_t* src, uint8_t* dst, uint32_t* length, bool* replaced);
bool fromUtf16LeLine(const uint8_t* src, uint8_t* dst, uint32_t* length, bool* replaced);

// UTF-8 lines with their line ends (CR, LF) in place, each as fromUtf8Line converts it; a
// sequence cut by a line end fails its line. Advances *in and *out past what was converted; on
// failure *in is where the bad sequence (or, on the Windows side, its line) begins and the text
// from there on is untouched.
bool fromUtf8Lines(uint8_t* text, uint32_t length, uint32_t* in, uint32_t* out, bool* replaced);

// Text from Unix systems writes some JIS X 0208 characters with other code points than code page
// 932 uses (WAVE DASH for the full-width tilde, MINUS SIGN for the full-width hyphen-minus, ...).
// Both conversions take them as the code page's own forms, so such a file loads without
// replacement characters and the same on every platform.
struct UnitFold {
    uint16_t unix;
    uint16_t windows;
};
inline constexpr UnitFold kUnixForms[] = {
    {0x301C, 0xFF5E},  // 〜 WAVE DASH -> ～ (81 60)
    {0x2016, 0x2225},  // ‖ DOUBLE VERTICAL LINE -> ∥ (81 61)
    {0x2212, 0xFF0D},  // − MINUS SIGN -> － (81 7C)
    {0x2014, 0x2015},  // — EM DASH -> ― (81 5C)
    {0x203E, 0xFFE3},  // ‾ OVERLINE -> ￣ (81 50)
    {0x00A2, 0xFFE0},  // ¢ -> ￠ (81 91)
    {0x00A3, 0xFFE1},  // £ -> ￡ (81 92)
    {0x00AC, 0xFFE2},  // ¬ -> ￢ (81 CA)
};

}  // namespace cp932

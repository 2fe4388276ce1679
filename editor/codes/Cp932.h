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

}  // namespace cp932

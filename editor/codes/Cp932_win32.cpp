// Code page 932 <-> UTF-16 through the Windows conversion functions, code page 932 named
// explicitly so the result does not depend on the system's code pages.
#include "Cp932.h"

#include <windows.h>

namespace cp932 {

uint32_t toUtf16(const uint8_t* src, uint32_t length, uint16_t* dst, uint32_t room) {
    if (length == 0 || room == 0) return 0;
    int n = MultiByteToWideChar(932, 0, reinterpret_cast<const char*>(src), static_cast<int>(length),
                                reinterpret_cast<wchar_t*>(dst), static_cast<int>(room));
    return n > 0 ? static_cast<uint32_t>(n) : 0;
}

namespace {

bool isUnixForm(uint16_t unit) {
    for (const UnitFold& f : kUnixForms)
        if (f.unix == unit) return true;
    return false;
}

// Copies at most `room` units into `out`, replacing the Unix forms, without splitting a surrogate
// pair at the end; returns the number of units taken.
uint32_t foldUnixForms(const uint16_t* src, uint32_t units, uint16_t* out, uint32_t room) {
    uint32_t n = units < room ? units : room;
    if (n < units && n > 0 && src[n - 1] >= 0xD800 && src[n - 1] <= 0xDBFF) --n;
    for (uint32_t i = 0; i < n; ++i) {
        out[i] = src[i];
        for (const UnitFold& f : kUnixForms)
            if (f.unix == src[i]) out[i] = f.windows;
    }
    return n;
}

uint32_t convert(const uint16_t* src, uint32_t units, uint8_t* dst, uint32_t room, bool* lossy);

}  // namespace

uint32_t fromUtf16(const uint16_t* src, uint32_t units, uint8_t* dst, uint32_t room, bool* lossy) {
    bool needsFold = false;
    for (uint32_t i = 0; i < units && !needsFold; ++i) needsFold = isUnixForm(src[i]);
    if (!needsFold) return convert(src, units, dst, room, lossy);
    uint16_t folded[4096];
    uint32_t done = 0, written = 0;
    while (done < units) {
        uint32_t taken = foldUnixForms(src + done, units - done, folded, 4096);
        uint32_t n = convert(folded, taken, dst + written, room - written, lossy);
        if (n == 0) return 0;
        done += taken;
        written += n;
    }
    return written;
}

namespace {

uint32_t convert(const uint16_t* src, uint32_t units, uint8_t* dst, uint32_t room, bool* lossy) {
    if (units == 0 || room == 0) return 0;
    BOOL used = FALSE;
    int n = WideCharToMultiByte(932, 0, reinterpret_cast<const wchar_t*>(src),
                                static_cast<int>(units), reinterpret_cast<char*>(dst),
                                static_cast<int>(room), lossy ? "\x81\x48" : nullptr,  // "？"
                                lossy ? &used : nullptr);
    if (n <= 0) return 0;
    if (lossy && used) *lossy = true;
    return static_cast<uint32_t>(n);
}

}  // namespace

}  // namespace cp932

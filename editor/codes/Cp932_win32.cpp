// Code page 932 <-> UTF-16 through the Windows conversion functions, code page 932 named
// explicitly so the result does not depend on the system's code pages.
#include "Cp932.h"

#include <windows.h>

#include <cstring>

#include "ByteRuns.h"
#include "Utf8.h"

namespace cp932 {

uint32_t toUtf16(const uint8_t* src, uint32_t length, uint16_t* dst, uint32_t room) {
    if (length == 0 || room == 0) return 0;
    int n = MultiByteToWideChar(932, 0, reinterpret_cast<const char*>(src), static_cast<int>(length),
                                reinterpret_cast<wchar_t*>(dst), static_cast<int>(room));
    return n > 0 ? static_cast<uint32_t>(n) : 0;
}

namespace {

bool isUnixForm(uint16_t unit) {
    // Every Unix form lies in one of these two ranges; most text has no unit in either.
    if (!((unit >= 0x00A2 && unit <= 0x00AC) || (unit >= 0x2014 && unit <= 0x301C))) return false;
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

namespace {

// Converts the UTF-16LE units of a line that holds only units below 0x80 to their bytes (the
// code page's own form of them), without a platform call. False when the line holds others.
bool copyIfAscii(const uint8_t* src, uint32_t units, uint8_t* dst) {
    for (uint32_t k = 0; k < units; ++k)
        if (src[2 * k + 1] != 0 || src[2 * k] >= 0x80) return false;
    for (uint32_t k = 0; k < units; ++k) dst[k] = src[2 * k];
    return true;
}

// True when every byte is below 0x80: such UTF-8 is its own code page 932 form.
bool isAscii(const uint8_t* text, uint32_t length) {
    uint64_t any = 0;
    uint32_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        any |= word;
    }
    for (; i < length; ++i) any |= text[i];
    return (any & 0x8080808080808080u) == 0;
}

}  // namespace

bool fromUtf8Line(const uint8_t* src, uint8_t* dst, uint32_t* length, bool* replaced) {
    const uint32_t n = *length;
    if (isAscii(src, n)) {
        if (dst != src) std::memcpy(dst, src, n);
        return true;
    }
    uint16_t units[utf8::kChunkBytes];
    uint32_t done = 0, o = 0;
    while (done < n) {
        utf8::Chunk c = utf8::toUtf16(src + done, n - done, units);
        if (c.bad || c.consumed == 0) return false;
        done += c.consumed;
        // The output never passes the input consumed so far, so that much room is enough.
        uint32_t written = fromUtf16(units, c.units, dst + o, done - o, replaced);
        if (written == 0) return false;
        o += written;
    }
    *length = o;
    return true;
}

// Line by line through fromUtf8Line: the system converts in chunks that know nothing of lines.
bool fromUtf8Lines(uint8_t* text, uint32_t length, uint32_t* in, uint32_t* out, bool* replaced) {
    while (*in < length) {
        uint32_t end = *in;
        while (end < length && !byteruns::isLineEndByte(text[end])) ++end;
        uint32_t n = end - *in;
        if (n && !fromUtf8Line(text + *in, text + *out, &n, replaced)) return false;
        *out += n;
        // The line end follows the line's text.
        for (*in = end; *in < length && byteruns::isLineEndByte(text[*in]); ++*in) text[(*out)++] = text[*in];
    }
    return true;
}

bool fromUtf16LeLine(const uint8_t* src, uint8_t* dst, uint32_t* length, bool* replaced) {
    const uint32_t kChunkUnits = 4096;
    uint16_t units[kChunkUnits];
    const uint32_t n = *length, total = n / 2;  // a trailing odd byte is not converted
    if (copyIfAscii(src, total, dst)) {
        *length = total;
        return true;
    }
    uint32_t done = 0, o = 0;
    while (done < total) {
        uint32_t count = total - done < kChunkUnits ? total - done : kChunkUnits;
        const uint8_t* p = src + 2 * done;
        for (uint32_t k = 0; k < count; ++k) units[k] = static_cast<uint16_t>(p[2 * k] | p[2 * k + 1] << 8);
        done += count;
        uint32_t written = fromUtf16(units, count, dst + o, n - o, replaced);
        if (written == 0) return false;
        o += written;
    }
    *length = o;
    return true;
}

}  // namespace cp932

// Kanji: decoding one line of JIS, EUC-JP, UTF-8 or UTF-16LE into Shift_JIS, in place.
// In-place decoding is safe because no decoder's output runs ahead of the input it has consumed.
#include <cstring>

#include "Cp932.h"
#include "Kanji.h"
#include "Utf8.h"

namespace {

const uint8_t kEsc = 0x1B, kSo = 0x0E, kSi = 0x0F;

enum class Escape { Kanji, Ascii, EndOfLine, Bad };

// Reads the escape sequence at s[i] (s[i] is ESC) and sets *size to its length.
Escape readEscape(const uint8_t* s, uint32_t n, uint32_t i, uint32_t* size) {
    if (i + 1 >= n) return Escape::Bad;
    *size = 2;
    switch (s[i + 1]) {
        case 'K': return Escape::Kanji;
        case 'H': return Escape::Ascii;
        case '$':
            if (i + 2 >= n) return Escape::Bad;
            *size = 3;
            return (s[i + 2] == 'B' || s[i + 2] == '@') ? Escape::Kanji : Escape::Bad;
        case '(':
            if (i + 2 >= n) return Escape::EndOfLine;  // a designation cut by the line end
            *size = 3;
            return (s[i + 2] == 'B' || s[i + 2] == 'J' || s[i + 2] == 'H') ? Escape::Ascii
                                                                            : Escape::Bad;
        default: return Escape::Bad;
    }
}

}  // namespace

bool Kanji::decodeJis(const uint8_t* source, uint8_t* destination, uint32_t* length) {
    const uint32_t n = *length;
    uint32_t i = 0, o = 0;
    bool kanji = false;
    while (i < n) {
        uint8_t b = source[i];
        if (b == kEsc) {
            uint32_t size = 0;
            Escape e = readEscape(source, n, i, &size);
            if (e == Escape::Bad) return false;
            if (e == Escape::EndOfLine) break;
            kanji = e == Escape::Kanji;
            i += size;
        } else if (b == kSo) {
            // Half-width katakana up to SI, or to the end of the line.
            for (++i; i < n && source[i] != kSi; ++i) destination[o++] = source[i] | 0x80;
            if (i < n) ++i;
        } else if (kanji) {
            if (i + 1 >= n) break;  // half a character at the end of the line
            uint8_t row = source[i], cell = source[i + 1];
            jisToSjis(&row, &cell);
            destination[o++] = row;
            destination[o++] = cell;
            i += 2;
        } else {
            destination[o++] = b;
            i += 1;
        }
    }
    *length = o;
    return true;
}

bool Kanji::decodeEucJp(const uint8_t* source, uint8_t* destination, uint32_t* length) {
    const uint32_t n = *length;
    uint32_t i = 0, o = 0;
    while (i < n) {
        uint8_t b = source[i];
        if (b < 0x80) {
            destination[o++] = b;
            i += 1;
            continue;
        }
        if (i + 1 >= n) return false;
        if (b == 0x8E) {
            destination[o++] = source[i + 1];  // half-width katakana
        } else {
            uint8_t row = b & 0x7F, cell = source[i + 1] & 0x7F;
            jisToSjis(&row, &cell);
            destination[o++] = row;
            destination[o++] = cell;
        }
        i += 2;
    }
    *length = o;
    return true;
}

bool Kanji::decodeUtf8(const uint8_t* source, uint8_t* destination, uint32_t* length,
                       bool* lossy) {
    uint16_t units[utf8::kChunkBytes];
    const uint32_t n = *length;
    uint32_t done = 0, o = 0;
    bool replaced = false;
    while (done < n) {
        utf8::Chunk c = utf8::toUtf16(source + done, n - done, units);
        if (c.bad || c.consumed == 0) return false;
        done += c.consumed;
        // The output never passes the input consumed so far, so that much room is enough.
        uint32_t written = cp932::fromUtf16(units, c.units, destination + o, done - o, &replaced);
        if (written == 0) return false;
        o += written;
    }
    if (lossy && replaced) *lossy = true;
    *length = o;
    return true;
}

bool Kanji::decodeUtf16Le(const uint8_t* source, uint8_t* destination, uint32_t* length,
                          bool* lossy) {
    const uint32_t kChunkUnits = 4096;
    uint16_t units[kChunkUnits];
    const uint32_t n = *length, total = n / 2;  // a trailing odd byte is not converted
    uint32_t done = 0, o = 0;
    bool replaced = false;
    while (done < total) {
        uint32_t count = total - done < kChunkUnits ? total - done : kChunkUnits;
        const uint8_t* p = source + 2 * done;
        for (uint32_t k = 0; k < count; ++k) units[k] = static_cast<uint16_t>(p[2 * k] | p[2 * k + 1] << 8);
        done += count;
        uint32_t written = cp932::fromUtf16(units, count, destination + o, n - o, &replaced);
        if (written == 0) return false;
        o += written;
    }
    if (lossy && replaced) *lossy = true;
    *length = o;
    return true;
}

// Kanji: decoding one line of JIS, EUC-JP, UTF-8 or UTF-16LE into Shift_JIS, in place.
// In-place decoding is safe because no decoder's output runs ahead of the input it has consumed.
#include <cstring>

#include "ByteRuns.h"
#include "Cp932.h"
#include "Kanji.h"

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
            // Pairs up to the next escape or SO; a single byte left at the end is dropped.
            byteruns::convertPairBlocks<false>(source, n, destination, i, o);
            if (i >= n || (b = source[i]) == kEsc || b == kSo) continue;
            do {
                if (i + 1 >= n) {
                    i = n;
                    break;
                }
                uint8_t cell = source[i + 1];
                byteruns::putPair(destination + o, b, cell);
                o += 2;
                i += 2;
            } while (i < n && (b = source[i]) != kEsc && b != kSo);
        } else {
            byteruns::copyRun<byteruns::Stop::JisControl>(source, n, destination, i, o);
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
            byteruns::copyRun<byteruns::Stop::HighBit>(source, n, destination, i, o);
            continue;
        }
        // A run of pairs: whole blocks of characters at once, then pair by pair.
        byteruns::convertPairBlocks<true>(source, n, destination, i, o);
        while (i < n && (b = source[i]) >= 0x80) {
            if (i + 1 >= n) return false;
            uint8_t next = source[i + 1];
            if (b == 0x8E) {
                destination[o++] = next;  // half-width katakana
            } else {
                byteruns::putPair(destination + o, b & 0x7F, next & 0x7F);
                o += 2;
            }
            i += 2;
        }
    }
    *length = o;
    return true;
}

// The code page 932 seam converts whole lines of UTF-8 and UTF-16LE, through its table or
// through the platform in chunks.
bool Kanji::decodeUtf8(const uint8_t* source, uint8_t* destination, uint32_t* length,
                       bool* lossy) {
    bool replaced = false;
    if (!cp932::fromUtf8Line(source, destination, length, &replaced)) return false;
    if (lossy && replaced) *lossy = true;
    return true;
}

bool Kanji::decodeUtf16Le(const uint8_t* source, uint8_t* destination, uint32_t* length,
                          bool* lossy) {
    bool replaced = false;
    if (!cp932::fromUtf16LeLine(source, destination, length, &replaced)) return false;
    if (lossy && replaced) *lossy = true;
    return true;
}

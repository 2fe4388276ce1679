// Kanji: decoding one line of JIS, EUC-JP, UTF-8 or UTF-16LE into Shift_JIS, in place.
// In-place decoding is safe because no decoder's output runs ahead of the input it has consumed.
#include <cstring>

#include "ByteRuns.h"
#include "Cp932.h"
#include "Kanji.h"

namespace {

const uint8_t kEsc = 0x1B, kSo = 0x0E, kSi = 0x0F;

enum class Escape { Kanji, Ascii, EndOfLine, Bad };

// With `lines`, the decoders below run over several lines with their line ends and decode each
// line as if it stood alone: a line end cuts a sequence as the end of the text does.
template <bool lines>
inline bool endsLine(uint8_t b) {
    return lines && byteruns::isLineEndByte(b);
}

// Reads the escape sequence at s[i] (s[i] is ESC) and sets *size to its length.
template <bool lines>
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
            if (i + 2 >= n || endsLine<lines>(s[i + 2])) return Escape::EndOfLine;  // a designation cut by the line end
            *size = 3;
            return (s[i + 2] == 'B' || s[i + 2] == 'J' || s[i + 2] == 'H') ? Escape::Ascii
                                                                            : Escape::Bad;
        default: return Escape::Bad;
    }
}

// Decodes source[i, n) to destination[o]; on failure i is where the bad sequence begins and
// everything from there on is untouched. With `lines`, stops (true, with i < n) at the LF of a
// line that decoded to nothing after a CR: escapes, SO/SI and dropped bytes are the only input
// that gives nothing, so the LF follows one of them here.
template <bool lines>
bool decodeJisRun(const uint8_t* source, uint8_t* destination, uint32_t n, uint32_t& i, uint32_t& o) {
    bool kanji = false;
    while (i < n) {
        uint8_t b = source[i];
        if (lines && b == 0x0A && o > 0 && destination[o - 1] == 0x0D) return true;
        if (b == kEsc) {
            uint32_t size = 0;
            Escape e = readEscape<lines>(source, n, i, &size);
            if (e == Escape::Bad) return false;
            if (e == Escape::EndOfLine) {
                if (!lines) break;
                i += 2;
                kanji = false;
                continue;
            }
            kanji = e == Escape::Kanji;
            i += size;
        } else if (b == kSo) {
            // Half-width katakana up to SI, or to the end of the line.
            for (++i; i < n && source[i] != kSi && !endsLine<lines>(source[i]); ++i) destination[o++] = source[i] | 0x80;
            if (i < n && source[i] == kSi) ++i;
            else kanji = false;
        } else if (kanji) {
            if (endsLine<lines>(b)) {
                kanji = false;  // every line begins in ASCII
                continue;
            }
            // Pairs up to the next escape or SO; a single byte left at the end is dropped.
            byteruns::convertPairBlocks<false, lines>(source, n, destination, i, o);
            if (i >= n || (b = source[i]) == kEsc || b == kSo || endsLine<lines>(b)) continue;
            do {
                if (i + 1 >= n) {
                    i = n;
                    break;
                }
                uint8_t cell = source[i + 1];
                if (endsLine<lines>(cell)) {
                    ++i;
                    break;
                }
                // A byte with its high bit set counts as its 7-bit value, as in EUC-JP: the
                // arithmetic on a raw 8-bit byte can give any byte, a line end among them.
                byteruns::putPair(destination + o, b & 0x7F, cell & 0x7F);
                o += 2;
                i += 2;
            } while (i < n && (b = source[i]) != kEsc && b != kSo && !endsLine<lines>(b));
        } else {
            byteruns::copyRun<byteruns::Stop::JisControl>(source, n, destination, i, o);
        }
    }
    return true;
}

template <bool lines>
bool decodeEucJpRun(const uint8_t* source, uint8_t* destination, uint32_t n, uint32_t& i, uint32_t& o) {
    while (i < n) {
        uint8_t b = source[i];
        if (b < 0x80) {
            byteruns::copyRun<byteruns::Stop::HighBit>(source, n, destination, i, o);
            continue;
        }
        // A run of pairs: whole blocks of characters at once, then pair by pair.
        byteruns::convertPairBlocks<true, lines>(source, n, destination, i, o);
        while (i < n && (b = source[i]) >= 0x80) {
            if (i + 1 >= n || endsLine<lines>(source[i + 1])) return false;
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
    return true;
}

}  // namespace

bool Kanji::decodeJis(const uint8_t* source, uint8_t* destination, uint32_t* length) {
    uint32_t i = 0, o = 0;
    if (!decodeJisRun<false>(source, destination, *length, i, o)) return false;
    *length = o;
    return true;
}

bool Kanji::decodeEucJp(const uint8_t* source, uint8_t* destination, uint32_t* length) {
    uint32_t i = 0, o = 0;
    if (!decodeEucJpRun<false>(source, destination, *length, i, o)) return false;
    *length = o;
    return true;
}

Kanji::LinesDecoded Kanji::decodeLines(TextEncoding encoding, uint8_t* text, uint32_t* length,
                                       uint32_t* decodedLength, bool* lossy) {
    const uint32_t n = *length;
    uint32_t i = 0, o = 0;
    bool ok = true, replaced = false;
    switch (encoding) {
    case TextEncoding::Jis: ok = decodeJisRun<true>(text, text, n, i, o); break;
    case TextEncoding::EucJp: ok = decodeEucJpRun<true>(text, text, n, i, o); break;
    case TextEncoding::Utf8: ok = cp932::fromUtf8Lines(text, n, &i, &o, &replaced); break;
    case TextEncoding::Utf16Le:
        // Every unit decodes on its own, so the lines decode as one.
        o = n;
        ok = cp932::fromUtf16LeLine(text, text, &o, &replaced);
        i = ok ? n : 0;
        if (!ok) o = 0;
        break;
    default: o = i = n; break;
    }
    if (lossy && replaced) *lossy = true;
    // What is left keeps its bytes, right after the decoded text.
    std::memmove(text + o, text + i, n - i);
    *length = o + (n - i);
    if (ok) {
        *decodedLength = o;
        return i == n ? LinesDecoded::All : LinesDecoded::Stopped;
    }
    // The failed line keeps what it decoded.
    while (o > 0 && !byteruns::isLineEndByte(text[o - 1])) --o;
    *decodedLength = o;
    return LinesDecoded::Failed;
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

// Code page 932 <-> UTF-16 on platforms without the Windows conversion functions: lookup tables
// built once from iconv's CP932 and corrected to give exactly the bytes Windows gives.
#include "Cp932.h"

#include <iconv.h>

#include <cstring>

#include "ByteRuns.h"
#include "TextCodes.h"
#include "UnitBlocks.h"

namespace {

const uint16_t kNoCode = 0xFFFF;          // a UTF-16 unit without a code page 932 form
const uint16_t kUnknownUnit = 0x30FB;     // what an unassigned or cut double-byte code reads as

// Windows' best-fit entries for code page 932 (accented Latin to plain letters and the like),
// which iconv knows nothing of, and its private-use units for the bytes A0 and FD-FF.
const uint16_t kBestFit[][2] = {
    {0x0080, 0x80}, {0x00A1, 0x21}, {0x00A6, 0x7C}, {0x00A9, 0x63}, {0x00AA, 0x61},
    {0x00AB, 0x81E1}, {0x00AD, 0x2D}, {0x00AE, 0x52}, {0x00AF, 0x8150}, {0x00B2, 0x32},
    {0x00B3, 0x33}, {0x00B5, 0x83CA}, {0x00B7, 0x8145}, {0x00B8, 0x8143}, {0x00B9, 0x31},
    {0x00BA, 0x6F}, {0x00BB, 0x81E2}, {0x00C0, 0x41}, {0x00C1, 0x41}, {0x00C2, 0x41},
    {0x00C3, 0x41}, {0x00C4, 0x41}, {0x00C5, 0x41}, {0x00C6, 0x41}, {0x00C7, 0x43},
    {0x00C8, 0x45}, {0x00C9, 0x45}, {0x00CA, 0x45}, {0x00CB, 0x45}, {0x00CC, 0x49},
    {0x00CD, 0x49}, {0x00CE, 0x49}, {0x00CF, 0x49}, {0x00D0, 0x44}, {0x00D1, 0x4E},
    {0x00D2, 0x4F}, {0x00D3, 0x4F}, {0x00D4, 0x4F}, {0x00D5, 0x4F}, {0x00D6, 0x4F},
    {0x00D8, 0x4F}, {0x00D9, 0x55}, {0x00DA, 0x55}, {0x00DB, 0x55}, {0x00DC, 0x55},
    {0x00DD, 0x59}, {0x00DE, 0x54}, {0x00DF, 0x73}, {0x00E0, 0x61}, {0x00E1, 0x61},
    {0x00E2, 0x61}, {0x00E3, 0x61}, {0x00E4, 0x61}, {0x00E5, 0x61}, {0x00E6, 0x61},
    {0x00E7, 0x63}, {0x00E8, 0x65}, {0x00E9, 0x65}, {0x00EA, 0x65}, {0x00EB, 0x65},
    {0x00EC, 0x69}, {0x00ED, 0x69}, {0x00EE, 0x69}, {0x00EF, 0x69}, {0x00F0, 0x64},
    {0x00F1, 0x6E}, {0x00F2, 0x6F}, {0x00F3, 0x6F}, {0x00F4, 0x6F}, {0x00F5, 0x6F},
    {0x00F6, 0x6F}, {0x00F8, 0x6F}, {0x00F9, 0x75}, {0x00FA, 0x75}, {0x00FB, 0x75},
    {0x00FC, 0x75}, {0x00FD, 0x79}, {0x00FE, 0x74}, {0x00FF, 0x79}, {0x3094, 0x8394},
    {0xF8F0, 0xA0}, {0xF8F1, 0xFD}, {0xF8F2, 0xFE}, {0xF8F3, 0xFF},
};

// Index of a lead byte in the double-byte table: 0x81-0x9F, then 0xE0-0xFC.
inline unsigned leadIndex(uint8_t lead) { return lead < 0xA0 ? lead - 0x81u : lead - 0xE0u + 31u; }

struct Tables {
    uint16_t single[256];     // the unit of each byte that is not a lead byte
    uint16_t pair[60][256];   // the unit of lead/trail, kUnknownUnit when unassigned
    uint16_t code[65536];     // byte (< 0x100) or lead << 8 | trail, kNoCode when none
    uint16_t stored[65536];   // the same in the order of its bytes, "？" when none
    unitblocks::UnitForms forms;
    bool blocks;              // forms can be told from replacements, and the processor has SSSE3
};

Tables storage;

// One conversion through iconv; returns the number of output bytes, 0 on failure.
size_t convertOnce(iconv_t cd, const uint8_t* in, size_t inLength, uint8_t* out, size_t room) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(reinterpret_cast<const char*>(in));
    char* op = reinterpret_cast<char*>(out);
    size_t il = inLength, ol = room;
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return 0;
    return room - ol;
}

void buildToUnicode(Tables& t) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    for (unsigned b = 0; b < 256; ++b) {
        uint8_t in = static_cast<uint8_t>(b), out[8];
        t.single[b] = convertOnce(cd, &in, 1, out, sizeof out) == 2 ? out[0] | out[1] << 8
                                                                     : kUnknownUnit;
    }
    // Bytes iconv rejects but Windows reads as units of their own.
    t.single[0x80] = 0x0080;
    t.single[0xA0] = 0xF8F0;
    t.single[0xFD] = 0xF8F1;
    t.single[0xFE] = 0xF8F2;
    t.single[0xFF] = 0xF8F3;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isSjisLead(static_cast<uint8_t>(lead))) continue;
        uint16_t* row = t.pair[leadIndex(static_cast<uint8_t>(lead))];
        for (unsigned trail = 0; trail < 256; ++trail) {
            uint8_t in[2] = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)}, out[8];
            row[trail] = convertOnce(cd, in, 2, out, sizeof out) == 2 ? out[0] | out[1] << 8
                                                                       : kUnknownUnit;
        }
    }
    iconv_close(cd);
}

void buildFromUnicode(Tables& t) {
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    for (unsigned u = 0; u < 65536; ++u) {
        uint8_t in[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)}, out[8];
        size_t n = (u >= 0xD800 && u <= 0xDFFF) ? 0 : convertOnce(cd, in, 2, out, sizeof out);
        t.code[u] = n == 1 ? out[0] : n == 2 ? static_cast<uint16_t>(out[0] << 8 | out[1]) : kNoCode;
    }
    iconv_close(cd);
    for (const auto& e : kBestFit) t.code[e[0]] = e[1];
    for (const cp932::UnitFold& f : cp932::kUnixForms) t.code[f.unix] = t.code[f.windows];
}

// The block converter tells a replacement from the one unit whose own form is "？".
void buildStoredForms(Tables& t) {
    unsigned questions = 0;
    for (unsigned u = 0; u < 65536; ++u) {
        uint16_t c = t.code[u] == kNoCode ? 0x8148 : t.code[u];
        t.stored[u] = c < 0x100 ? c : static_cast<uint16_t>(c >> 8 | (c & 0xFF) << 8);
        if (t.code[u] == 0x8148) {
            ++questions;
            t.forms.questionUnit = static_cast<uint16_t>(u);
        }
    }
    t.forms.bytes = t.stored;
    t.blocks = questions == 1 && unitblocks::available();
}

const Tables& tables() {
    // Built on first use; the initialisation of a function-local static is thread-safe.
    static const Tables* built = [] {
        buildToUnicode(storage);
        buildFromUnicode(storage);
        buildStoredForms(storage);
        return &storage;
    }();
    return *built;
}

// Appends the code page 932 form of unit u; "？" for a unit without one.
inline void putCode(const uint16_t* code, uint32_t u, uint8_t* dst, uint32_t& o, bool& replaced) {
    uint16_t c = code[u];
    if (c == kNoCode) {
        replaced = true;
        c = 0x8148;
    }
    if (c < 0x100) {
        dst[o++] = static_cast<uint8_t>(c);
    } else {
        dst[o] = static_cast<uint8_t>(c >> 8);
        dst[o + 1] = static_cast<uint8_t>(c);
        o += 2;
    }
}

// Copies the run of UTF-16LE units below 0x80 from src[2 * k] as bytes to dst[o], eight units
// at a time; the bytes stored never pass the input already read.
inline void copyAsciiUnits(const uint8_t* src, uint32_t total, uint8_t* dst, uint32_t& k, uint32_t& o) {
#ifdef ULO_BYTERUNS_SSE2
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    while (uint64_t(k) + 8 <= total) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * k));
        uint32_t plain = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128())));
        if (plain != 0xFFFF) {
            uint32_t count = uint32_t(__builtin_ctz(~plain & 0xFFFFu)) / 2;
            for (uint32_t j = 0; j < count; ++j) dst[o + j] = src[2 * (k + j)];
            k += count;
            o += count;
            return;
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + o), _mm_packus_epi16(v, v));
        k += 8;
        o += 8;
    }
    if (total >= 8 && k < total) {
        // The last units through one load that ends at the line's end.
        uint32_t skip = k - (total - 8);
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * (total - 8)));
        uint32_t plain = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128())));
        uint32_t stop = (~plain & 0xFFFFu) >> (2 * skip);
        uint32_t count = stop ? uint32_t(__builtin_ctz(stop)) / 2 : total - k;
        for (uint32_t j = 0; j < count; ++j) dst[o + j] = src[2 * (k + j)];
        k += count;
        o += count;
        return;
    }
#endif
    while (k < total && src[2 * k + 1] == 0 && src[2 * k] < 0x80) dst[o++] = src[2 * k++];
}

// Every character's code page 932 form is no longer than its UTF-8 form, so the output never
// overtakes the input. On failure i is where the bad sequence begins.
template <bool lines>
bool utf8Run(const uint8_t* src, uint8_t* dst, uint32_t n, uint32_t& i, uint32_t& o, bool& lost) {
    const Tables& t = tables();
    const uint16_t* code = t.code;
    while (i < n) {
        uint8_t b = src[i];
        if (b < 0x80) {
            byteruns::copyRun<byteruns::Stop::HighBit>(src, n, dst, i, o);
            continue;
        }
        // A run of multi-byte characters: 3-byte ones in blocks where the processor allows it,
        // the others each through the table.
        do {
            if (t.blocks && b >= 0xE0 && uint64_t(i) + 16 <= n) {
                unitblocks::convertTriples(src, n, dst, i, o, t.forms);
                if (i >= n || (b = src[i]) < 0x80) break;
            }
            uint32_t u;
            if (b >= 0xE0 && b <= 0xEF) {
                if (n - i < 3) return false;
                if (lines && (byteruns::isLineEndByte(src[i + 1]) || byteruns::isLineEndByte(src[i + 2]))) return false;
                u = (b & 0x0Fu) << 12 | (src[i + 1] & 0x3Fu) << 6 | (src[i + 2] & 0x3Fu);
                i += 3;
            } else if (b >= 0xC2 && b <= 0xDF) {
                if (n - i < 2) return false;
                if (lines && byteruns::isLineEndByte(src[i + 1])) return false;
                u = (b & 0x1Fu) << 6 | (src[i + 1] & 0x3Fu);
                i += 2;
            } else {
                return false;
            }
            putCode(code, u, dst, o, lost);
        } while (i < n && (b = src[i]) >= 0x80);
    }
    return true;
}

}  // namespace

namespace cp932 {

bool fromUtf8Line(const uint8_t* src, uint8_t* dst, uint32_t* length, bool* replaced) {
    uint32_t i = 0, o = 0;
    bool lost = false;
    if (!utf8Run<false>(src, dst, *length, i, o, lost)) return false;
    if (lost) *replaced = true;
    *length = o;
    return true;
}

bool fromUtf8Lines(uint8_t* text, uint32_t length, uint32_t* in, uint32_t* out, bool* replaced) {
    bool lost = false;
    bool ok = utf8Run<true>(text, text, length, *in, *out, lost);
    if (lost) *replaced = true;
    return ok;
}

bool fromUtf16LeLine(const uint8_t* src, uint8_t* dst, uint32_t* length, bool* replaced) {
    const Tables& t = tables();
    const uint16_t* code = t.code;
    const uint32_t total = *length / 2;  // a trailing odd byte is not converted
    uint32_t k = 0, o = 0;
    bool lost = false;
    if (t.blocks) unitblocks::convertBlocks(src, total, dst, k, o, t.forms, &lost);
    while (k < total) {
        uint32_t u = src[2 * k] | uint32_t(src[2 * k + 1]) << 8;
        if (u < 0x80) {
            copyAsciiUnits(src, total, dst, k, o);
            continue;
        }
        // A run of other units, each through the table.
        do {
            ++k;
            putCode(code, u, dst, o, lost);
        } while (k < total && (u = src[2 * k] | uint32_t(src[2 * k + 1]) << 8) >= 0x80);
    }
    if (lost) *replaced = true;
    *length = o;
    return true;
}


uint32_t toUtf16(const uint8_t* src, uint32_t length, uint16_t* dst, uint32_t room) {
    const Tables& t = tables();
    uint32_t i = 0, n = 0;
    while (i < length) {
        uint8_t b = src[i];
        uint16_t unit;
        if (!isSjisLead(b)) {
            unit = t.single[b];
            i += 1;
        } else if (i + 1 < length && src[i + 1] != 0) {
            // Any byte but NUL is taken as the trail; invalid pairs read as one unknown unit.
            unit = t.pair[leadIndex(b)][src[i + 1]];
            i += 2;
        } else {
            unit = kUnknownUnit;
            i += 1;
        }
        if (n == room) return 0;
        dst[n++] = unit;
    }
    return n;
}

uint32_t fromUtf16(const uint16_t* src, uint32_t units, uint8_t* dst, uint32_t room, bool* lossy) {
    const uint16_t* code = tables().code;
    const uint16_t fallback = lossy ? 0x8148 : '?';  // "？" when asked for, else the default
    bool replaced = false;
    uint32_t n = 0;
    for (uint32_t i = 0; i < units; ++i) {
        uint16_t c = code[src[i]];
        if (c == kNoCode) {
            replaced = true;
            c = fallback;
        }
        if (c < 0x100) {
            if (n >= room) return 0;
            dst[n++] = static_cast<uint8_t>(c);
        } else {
            if (n + 2 > room) return 0;
            dst[n] = static_cast<uint8_t>(c >> 8);
            dst[n + 1] = static_cast<uint8_t>(c);
            n += 2;
        }
    }
    if (lossy && replaced) *lossy = true;
    return n;
}

}  // namespace cp932

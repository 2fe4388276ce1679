// UnitBlocks: a block of eight UTF-16LE units is either plain ASCII, packed to eight bytes, or
// looked up unit by unit and the forms' bytes packed together with one byte shuffle chosen by
// which forms are a single byte. Neither kind of block branches on its text, which keeps mixed
// Japanese and ASCII text fast. Runs of 3-byte UTF-8 characters are checked and gathered into
// units four at a time with byte shuffles, then looked up the same way.
#include "UnitBlocks.h"

#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define ULO_UNITBLOCKS_SSSE3 1
#include <tmmintrin.h>
#endif

namespace unitblocks {

#ifdef ULO_UNITBLOCKS_SSSE3

namespace {

// For each set of lanes whose form is one byte (bit j for lane j), the shuffle that packs the
// forms' bytes to the front, and how many bytes that gives.
struct PackTables {
    uint8_t shuffle[256][16];
    uint8_t length[256];
};

constexpr PackTables makePackTables() {
    PackTables t{};
    for (unsigned singles = 0; singles < 256; ++singles) {
        unsigned n = 0;
        for (unsigned lane = 0; lane < 8; ++lane) {
            t.shuffle[singles][n++] = static_cast<uint8_t>(2 * lane);
            if (!(singles >> lane & 1)) t.shuffle[singles][n++] = static_cast<uint8_t>(2 * lane + 1);
        }
        t.length[singles] = static_cast<uint8_t>(n);
        while (n < 16) t.shuffle[singles][n++] = 0x80;
    }
    return t;
}

constexpr PackTables kPack = makePackTables();

// The forms of four units read as one 64-bit word.
inline uint64_t formsOfFour(const uint16_t* bytes, uint64_t units) {
    return uint64_t(bytes[units & 0xFFFF]) | uint64_t(bytes[units >> 16 & 0xFFFF]) << 16 |
           uint64_t(bytes[units >> 32 & 0xFFFF]) << 32 | uint64_t(bytes[units >> 48]) << 48;
}

}  // namespace

bool available() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

__attribute__((target("ssse3")))
void convertBlocks(const uint8_t* src, uint32_t total, uint8_t* dst, uint32_t& k, uint32_t& o,
                   const UnitForms& forms, bool* replaced) {
    const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80)), zero = _mm_setzero_si128();
    const __m128i question = _mm_set1_epi16(0x4881);
    const __m128i questionUnit = _mm_set1_epi16(static_cast<short>(forms.questionUnit));
    __m128i lost = zero;
    while (uint64_t(k) + 8 <= total) {
        const uint8_t* p = src + 2 * k;
        __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i plain = _mm_cmpeq_epi16(_mm_and_si128(units, highBits), zero);
        if (_mm_movemask_epi8(plain) == 0xFFFF) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + o), _mm_packus_epi16(units, units));
            k += 8;
            o += 8;
            continue;
        }
        uint64_t low, high;
        std::memcpy(&low, p, 8);
        std::memcpy(&high, p + 8, 8);
        __m128i bytes = _mm_set_epi64x(static_cast<long long>(formsOfFour(forms.bytes, high)),
                                       static_cast<long long>(formsOfFour(forms.bytes, low)));
        __m128i single = _mm_cmpeq_epi16(_mm_srli_epi16(bytes, 8), zero);
        unsigned singles = unsigned(_mm_movemask_epi8(_mm_packs_epi16(single, zero)));
        __m128i order = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kPack.shuffle[singles]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + o), _mm_shuffle_epi8(bytes, order));
        lost = _mm_or_si128(lost, _mm_andnot_si128(_mm_cmpeq_epi16(units, questionUnit), _mm_cmpeq_epi16(bytes, question)));
        k += 8;
        o += kPack.length[singles];
    }
    if (_mm_movemask_epi8(lost)) *replaced = true;
}

__attribute__((target("ssse3")))
void convertTriples(const uint8_t* src, uint32_t n, uint8_t* dst, uint32_t& i, uint32_t& o,
                    const UnitForms& forms) {
    // Which bits each byte of four characters must have, and the bytes of each character
    // gathered into 16-bit lanes: lead << 8 | second, and third.
    const __m128i pattern = _mm_setr_epi8(char(0xF0), char(0xC0), char(0xC0), char(0xF0), char(0xC0), char(0xC0),
                                          char(0xF0), char(0xC0), char(0xC0), char(0xF0), char(0xC0), char(0xC0), 0, 0, 0, 0);
    const __m128i expected = _mm_setr_epi8(char(0xE0), char(0x80), char(0x80), char(0xE0), char(0x80), char(0x80),
                                           char(0xE0), char(0x80), char(0x80), char(0xE0), char(0x80), char(0x80), 0, 0, 0, 0);
    const __m128i leadSecond = _mm_setr_epi8(1, 0, 4, 3, 7, 6, 10, 9, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i third = _mm_setr_epi8(2, -1, 5, -1, 8, -1, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i zero = _mm_setzero_si128(), question = _mm_set1_epi16(0x4881);
    const __m128i questionUnit = _mm_set1_epi16(static_cast<short>(forms.questionUnit));
    while (uint64_t(i) + 16 <= n) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        uint32_t good = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, pattern), expected)));
        __m128i x = _mm_shuffle_epi8(v, leadSecond), y = _mm_shuffle_epi8(v, third);
        __m128i units = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(x, _mm_set1_epi16(0x0F00)), 4),
                                                  _mm_slli_epi16(_mm_and_si128(x, _mm_set1_epi16(0x003F)), 6)),
                                     _mm_and_si128(y, _mm_set1_epi16(0x003F)));
        __m128i bytes = _mm_cvtsi64_si128(static_cast<long long>(formsOfFour(forms.bytes, uint64_t(_mm_cvtsi128_si64(units)))));
        // A one-byte form or a replacement is left to the caller.
        __m128i odd = _mm_or_si128(_mm_cmpeq_epi16(_mm_srli_epi16(bytes, 8), zero),
                                   _mm_andnot_si128(_mm_cmpeq_epi16(units, questionUnit), _mm_cmpeq_epi16(bytes, question)));
        uint32_t oddLanes = uint32_t(_mm_movemask_epi8(odd)) & 0xFF;
        __m128i* at = reinterpret_cast<__m128i*>(dst + o);
        if (good == 0xFFFF && !oddLanes) {
            // Four characters: the common case goes on without waiting for a count.
            _mm_storel_epi64(at, bytes);
            i += 12;
            o += 8;
            continue;
        }
        // The characters before the first that is not one: fewer than four.
        uint32_t chars = uint32_t(__builtin_ctz(~good)) / 3;
        if (oddLanes && uint32_t(__builtin_ctz(oddLanes)) / 2 < chars) chars = uint32_t(__builtin_ctz(oddLanes)) / 2;
        if (chars == 0) return;
        if (i - o >= 16) {
            _mm_storel_epi64(at, bytes);  // what lies past the forms is input already read
        } else {
            __m128i keep = _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(2 * chars)), lanes);
            _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(keep, bytes), _mm_andnot_si128(keep, _mm_loadu_si128(at))));
        }
        i += 3 * chars;
        o += 2 * chars;
        return;
    }
}

#else

bool available() { return false; }

void convertTriples(const uint8_t*, uint32_t, uint8_t*, uint32_t&, uint32_t&, const UnitForms&) {}

void convertBlocks(const uint8_t*, uint32_t, uint8_t*, uint32_t&, uint32_t&, const UnitForms&, bool*) {}

#endif

}  // namespace unitblocks

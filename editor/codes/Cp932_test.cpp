// Tests of the code page 932 seam: the mappings that differ between vendors' tables, and one
// digest over every unit and every code, the same in both builds.
#include "Cp932.h"

#include <gtest/gtest.h>

#include "Kanji.h"
#include "KanjiTestSupport.h"

#include <string>
#include <vector>

namespace {

uint16_t unitOf(std::vector<uint8_t> code) {
    uint16_t units[4] = {0};
    EXPECT_EQ(cp932::toUtf16(code.data(), static_cast<uint32_t>(code.size()), units, 4), 1u);
    return units[0];
}

// The bytes of one unit, with "？" for units without a form; *lossy tells whether it was used.
std::string codeOf(uint16_t unit, bool* lossy = nullptr) {
    uint8_t out[8];
    bool used = false;
    uint32_t n = cp932::fromUtf16(&unit, 1, out, sizeof out, &used);
    if (lossy) *lossy = used;
    std::string hex;
    for (uint32_t i = 0; i < n; ++i) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[out[i] >> 4];
        hex += digits[out[i] & 15];
    }
    return hex;
}

struct Digest {
    uint64_t h = 1469598103934665603ull;
    void add(uint32_t v) {
        for (int k = 0; k < 4; ++k) h = (h ^ ((v >> (8 * k)) & 0xFF)) * 1099511628211ull;
    }
};

}  // namespace

TEST(Cp932Decode, VendorSpecificCodesReadAsWindowsReadsThem) {
    EXPECT_EQ(unitOf({0x5C}), 0x005C);         // backslash stays a backslash
    EXPECT_EQ(unitOf({0x7E}), 0x007E);
    EXPECT_EQ(unitOf({0x81, 0x5F}), 0xFF3C);   // ＼
    EXPECT_EQ(unitOf({0x81, 0x60}), 0xFF5E);   // ～, not WAVE DASH
    EXPECT_EQ(unitOf({0x81, 0x61}), 0x2225);   // ∥
    EXPECT_EQ(unitOf({0x81, 0x7C}), 0xFF0D);   // －
    EXPECT_EQ(unitOf({0x81, 0x91}), 0xFFE0);   // ￠
    EXPECT_EQ(unitOf({0x81, 0x92}), 0xFFE1);   // ￡
    EXPECT_EQ(unitOf({0x81, 0xCA}), 0xFFE2);   // ￢
    EXPECT_EQ(unitOf({0x87, 0x40}), 0x2460);   // ①
    EXPECT_EQ(unitOf({0x87, 0x8A}), 0x3231);   // ㈱
    EXPECT_EQ(unitOf({0x87, 0x54}), 0x2160);   // Ⅰ (NEC row 13)
    EXPECT_EQ(unitOf({0xFA, 0x4A}), 0x2160);   // Ⅰ (IBM extension)
    EXPECT_EQ(unitOf({0xED, 0x40}), 0x7E8A);   // 纊 (NEC-selected IBM)
    EXPECT_EQ(unitOf({0xFA, 0x5C}), 0x7E8A);   // 纊 (IBM extension)
    EXPECT_EQ(unitOf({0xF0, 0x40}), 0xE000);   // user-defined area
    EXPECT_EQ(unitOf({0xF9, 0xFC}), 0xE757);
    EXPECT_EQ(unitOf({0x85, 0x40}), 0x30FB);   // unassigned
    EXPECT_EQ(unitOf({0x82, 0x20}), 0x30FB);   // invalid trail: one unit for both bytes
    EXPECT_EQ(unitOf({0x82}), 0x30FB);         // lead byte at the end
    EXPECT_EQ(unitOf({0x80}), 0x0080);
    EXPECT_EQ(unitOf({0xA0}), 0xF8F0);
    EXPECT_EQ(unitOf({0xFD}), 0xF8F1);
    EXPECT_EQ(unitOf({0xB1}), 0xFF71);         // ｱ
}

TEST(Cp932Encode, DuplicatesAndUnixFormsGiveWindowsBytes) {
    bool lossy = true;
    EXPECT_EQ(codeOf(0x2252, &lossy), "81E0");  // ≒ row 2, not NEC 8790
    EXPECT_FALSE(lossy);
    EXPECT_EQ(codeOf(0x2261), "81DF");          // ≡
    EXPECT_EQ(codeOf(0x222B), "81E7");          // ∫
    EXPECT_EQ(codeOf(0x2235), "81E6");          // ∵
    EXPECT_EQ(codeOf(0x2220), "81DA");          // ∠
    EXPECT_EQ(codeOf(0x22A5), "81DB");          // ⊥
    EXPECT_EQ(codeOf(0x221A), "81E3");          // √
    EXPECT_EQ(codeOf(0x2229), "81BF");          // ∩
    EXPECT_EQ(codeOf(0x222A), "81BE");          // ∪
    EXPECT_EQ(codeOf(0xFFE2), "81CA");          // ￢
    EXPECT_EQ(codeOf(0x2160), "8754");          // Ⅰ: NEC row 13
    EXPECT_EQ(codeOf(0x2170), "FA40");          // ⅰ: IBM extension
    EXPECT_EQ(codeOf(0x7E8A), "FA5C");          // 纊: IBM extension, not ED40
    EXPECT_EQ(codeOf(0x2225), "8161");          // ∥
    EXPECT_EQ(codeOf(0xFF5E), "8160");          // ～
    // Unix-origin forms take the code page's own cells, without a replacement.
    EXPECT_EQ(codeOf(0x00A2, &lossy), "8191");
    EXPECT_EQ(codeOf(0x00A3, &lossy), "8192");
    EXPECT_EQ(codeOf(0x00AC, &lossy), "81CA");
    EXPECT_EQ(codeOf(0x301C, &lossy), "8160");  // 〜
    EXPECT_EQ(codeOf(0x2016, &lossy), "8161");
    EXPECT_EQ(codeOf(0x2212, &lossy), "817C");
    EXPECT_EQ(codeOf(0x2014, &lossy), "815C");
    EXPECT_EQ(codeOf(0x203E, &lossy), "8150");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(codeOf(0x00A5), "5C");
    EXPECT_EQ(codeOf(0x00E9), "65");            // é to e
    for (uint16_t u : {0xD83D, 0x4E02}) {
        EXPECT_EQ(codeOf(u, &lossy), "8148") << std::hex << u;
        EXPECT_TRUE(lossy) << std::hex << u;
    }
    EXPECT_EQ(codeOf(0xE000), "F040");
    EXPECT_EQ(codeOf(0xF8F0), "A0");
}

TEST(Cp932Encode, DefaultCharacterAndRoom) {
    const uint16_t units[] = {0x3042, 0x4E02, 'a'};
    uint8_t out[8];
    EXPECT_EQ(cp932::fromUtf16(units, 3, out, sizeof out, nullptr), 4u);  // no "？" asked for
    EXPECT_EQ(out[2], '?');
    EXPECT_EQ(cp932::fromUtf16(units, 3, out, 4, nullptr), 4u);
    EXPECT_EQ(cp932::fromUtf16(units, 3, out, 3, nullptr), 0u);  // does not fit: nothing
    EXPECT_EQ(cp932::fromUtf16(units, 0, out, 8, nullptr), 0u);
    const uint8_t text[] = {0x82, 0xA0, 0x82, 0xA2};
    uint16_t back[4];
    EXPECT_EQ(cp932::toUtf16(text, 4, back, 1), 0u);
    EXPECT_EQ(cp932::toUtf16(text, 4, back, 2), 2u);
    const uint8_t nul[] = {0x82, 0x00};
    ASSERT_EQ(cp932::toUtf16(nul, 2, back, 4), 2u);  // NUL is never a trail byte
    EXPECT_EQ(back[0], 0x30FB);
    EXPECT_EQ(back[1], 0x0000);
}

// Both builds must produce this same digest: the Windows build from the system's conversion,
// the other from its own table. A mismatch on either side means the two disagree somewhere.
TEST(Cp932Agreement, EveryUnitAndEveryCodeConvertAlike) {
    Digest d;
    for (uint32_t u = 0; u < 65536; ++u) {
        uint16_t unit = static_cast<uint16_t>(u);
        uint8_t out[8] = {0};
        bool lossy = false;
        uint32_t n = cp932::fromUtf16(&unit, 1, out, sizeof out, &lossy);
        d.add(n), d.add(out[0] | out[1] << 8), d.add(lossy);
        n = cp932::fromUtf16(&unit, 1, out, sizeof out, nullptr);
        d.add(n), d.add(out[0] | out[1] << 8);
    }
    for (uint32_t code = 0; code < 256 + 65536; ++code) {
        uint8_t in[2] = {static_cast<uint8_t>(code < 256 ? code : (code - 256) >> 8),
                         static_cast<uint8_t>(code)};
        uint16_t units[4] = {0};
        uint32_t n = cp932::toUtf16(in, code < 256 ? 1 : 2, units, 4);
        d.add(n), d.add(units[0]), d.add(units[1]);
    }
    EXPECT_EQ(d.h, 0x1321E588CB41C3C7ull) << std::hex << d.h;
}

namespace {

// Units that steer the line conversions: ASCII, kana and kanji, units without a form, the Unix
// forms, best-fit Latin letters, private use, and surrogates alone and in pairs.
uint16_t steeringUnit(uint32_t r) {
    static const uint16_t picks[] = {'a', 0x3042, 0x8868, 0x4E02, 0xAC00, 0x301C, 0x2212, 0x00E9,
                                     0x00A2, 0xE000, 0xF8F0, 0xFF61, 0xFEFF, 0xD83D, 0xDE00, 0x0000};
    uint32_t kind = r % 4;
    if (kind == 0) return static_cast<uint16_t>(r >> 8);  // any unit at all
    return picks[(r >> 4) % (sizeof picks / sizeof picks[0])];
}

void encodeUtf8(uint16_t u, Bytes& out) {
    if (u < 0x80) {
        out.push_back(static_cast<uint8_t>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<uint8_t>(0xC0 | u >> 6));
        out.push_back(static_cast<uint8_t>(0x80 | (u & 0x3F)));
    } else {  // surrogates too, each in its own 3-byte form
        out.push_back(static_cast<uint8_t>(0xE0 | u >> 12));
        out.push_back(static_cast<uint8_t>(0x80 | (u >> 6 & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | (u & 0x3F)));
    }
}

}  // namespace

// The whole-line conversions take another road on each side (the Windows side chunks through
// the system, the table side goes character by character): scoring and decoding UTF-8 and
// UTF-16LE lines, short and across the chunk size, and writing Shift_JIS lines back, must give
// the same digest.
TEST(Cp932Agreement, LinesDecodeAndWriteAlike) {
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 1; };
    Digest d;
    for (int round = 0; round < 1500; ++round) {
        uint32_t count = round % 100 == 7 ? 4000 + next() % 6000 : next() % 40;
        Bytes utf16, utf8;
        for (uint32_t k = 0; k < count; ++k) {
            uint16_t u = steeringUnit(next());
            utf16.push_back(static_cast<uint8_t>(u));
            utf16.push_back(static_cast<uint8_t>(u >> 8));
            encodeUtf8(u, utf8);
        }
        // Scoring converts without the replacement character, through the same seam.
        d.add(Kanji::scoreUtf8(utf8.data(), static_cast<uint32_t>(utf8.size())));
        for (int which = 0; which < 2; ++which) {
            Bytes line = which ? utf8 : utf16;
            uint32_t n = static_cast<uint32_t>(line.size());
            bool lossy = false;
            bool ok = which ? Kanji::decodeUtf8(line.data(), line.data(), &n, &lossy)
                            : Kanji::decodeUtf16Le(line.data(), line.data(), &n, &lossy);
            d.add(ok), d.add(lossy), d.add(ok ? n : 0);
            if (!ok) continue;
            line.resize(n);
            for (uint8_t b : line) d.add(b);
            // Back out again, with stray bytes that are not whole characters mixed in.
            if (round % 5 == 0 && !line.empty()) line.insert(line.begin() + next() % line.size(), 0x81);
            for (auto writer : {Kanji::writeUtf8, Kanji::writeUtf16Le}) {
                bool written = false;
                Bytes out = writeWith(writer, line, &written);
                d.add(written), d.add(static_cast<uint32_t>(out.size()));
                for (uint8_t b : out) d.add(b);
            }
        }
    }
    EXPECT_EQ(d.h, 0x79F0A5788076A5A8ull) << std::hex << d.h;
}

// Seeded randomised comparison of SearchIF_Simple with a naive search over character starts.
#include "SearchIF_Simple.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

bool lead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool letter(uint8_t b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }

// Character starts of the text, counted from its first byte.
std::vector<uint32_t> characterStarts(const Bytes& t) {
    std::vector<uint32_t> starts;
    for (uint32_t i = 0; i < t.size(); i += lead(t[i]) ? 2 : 1) starts.push_back(i);
    return starts;
}

// Pattern matches text at s: single-byte text characters fold when ASCII letters and the mode
// allows it; double-byte text characters (cut by the window end or not) compare exactly.
bool matchesAt(const Bytes& t, uint32_t s, const Bytes& p, bool cs) {
    if (s + p.size() > t.size()) return false;
    for (uint32_t i = 0; i < p.size();) {
        const uint8_t c = t[s + i];
        if (lead(c)) {
            for (uint32_t k = i; k < i + 2 && k < p.size(); ++k)
                if (t[s + k] != p[k]) return false;
            i += 2;
            continue;
        }
        bool same = c == p[i] || (!cs && letter(c) && (c ^ 0x20) == p[i]);
        if (!same) return false;
        ++i;
    }
    return true;
}

// All match starts, in order.
std::vector<uint32_t> referenceMatches(const Bytes& t, const Bytes& p, bool cs) {
    std::vector<uint32_t> found;
    for (uint32_t s : characterStarts(t))
        if (matchesAt(t, s, p, cs)) found.push_back(s);
    return found;
}

// Shift_JIS-ish bytes: ASCII letters (both cases), '\' '@', half-width katakana, double-byte
// characters with trail bytes chosen to look like ASCII, and stray lead bytes at the end.
class Generator {
public:
    explicit Generator(uint32_t seed) : rng_(seed) {}
    uint32_t below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }

    void appendCharacter(Bytes& out) {
        static const uint8_t leads[] = {0x81, 0x82, 0x83, 0x95, 0x9F, 0xE0, 0xFC};
        static const uint8_t trails[] = {0x40, 0x41, 0x5C, 0x61, 0x5A, 0x7A, 0x7E, 0x80, 0x95, 0xFC};
        static const uint8_t singles[] = {'a', 'A', 'b', 'B', 'z', 'Z', '\\', '@', 0xB1, 0xDF, ' '};
        if (below(2) == 0) {
            out.push_back(leads[below(sizeof leads)]);
            out.push_back(trails[below(sizeof trails)]);
        } else {
            out.push_back(singles[below(sizeof singles)]);
        }
    }
    Bytes line(uint32_t maxChars) {
        Bytes out;
        uint32_t n = below(maxChars + 1);
        for (uint32_t i = 0; i < n; ++i) appendCharacter(out);
        if (below(8) == 0) out.push_back(0x95);  // a lead byte cut by the end of the line
        return out;
    }
    // Either a piece of the line from an arbitrary byte (matches likely) or fresh characters;
    // never containing NUL, so it survives as a C string.
    Bytes pattern(const Bytes& text) {
        Bytes p;
        if (!text.empty() && below(2) == 0) {
            uint32_t from = below(uint32_t(text.size()));
            uint32_t len = 1 + below(std::min<uint32_t>(8, uint32_t(text.size()) - from));
            p.assign(text.begin() + from, text.begin() + from + len);
        } else {
            uint32_t n = 1 + below(4);
            for (uint32_t i = 0; i < n; ++i) appendCharacter(p);
        }
        if (below(2) == 0)
            for (uint8_t& b : p)
                if (letter(b) && below(2) == 0) b ^= 0x20;
        return p;
    }

private:
    std::mt19937 rng_;
};

void checkOne(SearchIF_Simple& s, const Bytes& text, const Bytes& p, bool cs, Generator& g) {
    // An exact-sized heap copy: reading past the line is caught by the address sanitiser in the
    // host build.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[text.size()]);
    if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
    const uint32_t n = uint32_t(text.size());
    const std::vector<uint32_t> ref = referenceMatches(text, p, cs);
    const std::string where = ::testing::PrintToString(text) + " / " + ::testing::PrintToString(p);
    uint32_t start = 0, len = 0;
    bool found = s.find(copy.get(), n, &start, &len);
    ASSERT_EQ(found, !ref.empty()) << where;
    if (!found) return;
    EXPECT_EQ(start, ref.front()) << where;
    EXPECT_EQ(len, p.size()) << where;
    ASSERT_TRUE(s.findLast(copy.get(), n, &start, &len)) << where;
    EXPECT_EQ(start, ref.back()) << where;
    const uint32_t limit = g.below(n + 2);
    uint32_t expected = UINT32_MAX;
    for (uint32_t r : ref)
        if (r < limit) expected = r;
    found = s.findLastBefore(copy.get(), n, limit, &start, &len);
    EXPECT_EQ(found, expected != UINT32_MAX) << where << " limit " << limit;
    if (found) {
        EXPECT_EQ(start, expected) << where << " limit " << limit;
    }
}

TEST(SearchRandom, AgreesWithNaiveCharacterStartSearch) {
    Generator g(20261208);
    SearchIF_Simple s;
    int withMatches = 0;
    for (int round = 0; round < 20000; ++round) {
        const bool cs = g.below(2) == 0;
        const Bytes text = g.line(40);
        Bytes p = g.pattern(text);
        p.push_back(0);
        s.setCaseSensitive(cs);
        ASSERT_TRUE(s.setPattern(reinterpret_cast<const char*>(p.data())));
        p.pop_back();
        if (!referenceMatches(text, p, cs).empty()) ++withMatches;
        checkOne(s, text, p, cs, g);
        if (::testing::Test::HasFailure()) return;
    }
    // The generator must exercise the matching paths, not only misses.
    EXPECT_GT(withMatches, 5000);
}

}  // namespace

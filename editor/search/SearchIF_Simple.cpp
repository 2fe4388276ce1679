// SearchIF_Simple: the skip table, the candidate scan and the character-start check.
#include "SearchIF_Simple.h"

#include <cstring>
#include <new>

namespace {

bool isAsciiLetter(uint8_t b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
uint8_t otherCase(uint8_t b) { return uint8_t(b ^ 0x20); }

}  // namespace

SearchIF_Simple::~SearchIF_Simple() { delete[] pattern_; }

bool SearchIF_Simple::setPattern(const char* pattern) {
    const uint32_t m = pattern ? uint32_t(std::strlen(pattern)) : 0;
    if (m == 0) {
        // Refused: nothing stays stored, so a later find finds nothing rather than the old pattern.
        delete[] pattern_;
        pattern_ = nullptr;
        length_ = capacity_ = 0;
        return false;
    }
    if (m >= capacity_) {
        delete[] pattern_;
        pattern_ = new (std::nothrow) uint8_t[m];
        if (pattern_ == nullptr) {
            length_ = capacity_ = 0;
            return false;
        }
        capacity_ = m;
    }
    std::memcpy(pattern_, pattern, m);
    length_ = m;
    for (int32_t& s : skip_) s = int32_t(m);
    // `single` tells whether p[j] starts a single-byte character (neither a lead byte nor the
    // byte after one); only those fold.
    bool afterLead = false;
    for (uint32_t j = 0; j + 1 < m; ++j) {
        const uint8_t b = pattern_[j];
        const bool single = !afterLead && !isSjisLead(b);
        skip_[b] = int32_t(m - 1 - j);
        if (!caseSensitive_ && single && isAsciiLetter(b)) skip_[otherCase(b)] = int32_t(m - 1 - j);
        afterLead = !afterLead && isSjisLead(b);
    }
    const uint8_t last = pattern_[m - 1];
    const bool lastSingle = !afterLead && !isSjisLead(last);
    alternativeLast_ = (!caseSensitive_ && lastSingle && isAsciiLetter(last)) ? otherCase(last) : last;
    return true;
}

// Window comparison deciding by the text's bytes: a lead byte and its follower must equal the
// pattern exactly; any other byte must be equal or be an ASCII letter of the other case. A lead
// byte that is the window's last byte is compared alone (its follower lies outside the window).
bool SearchIF_Simple::equalsIgnoringCase(const uint8_t* window) const {
    uint32_t i = 0;
    while (i < length_) {
        const uint8_t t = window[i];
        if (isSjisLead(t)) {
            if (t != pattern_[i]) return false;
            if (i + 1 < length_ && window[i + 1] != pattern_[i + 1]) return false;
            i += 2;
        } else {
            if (t != pattern_[i] && !(isAsciiLetter(t) && otherCase(t) == pattern_[i])) return false;
            ++i;
        }
    }
    return true;
}

// Tells whether windowStart (at or after *boundary, a known character start) starts a
// character, and moves *boundary forward to where a character-by-character walk from it would
// land: windowStart itself, or one byte past it when it is the second byte of a double-byte
// character. The walk is done backwards: the byte before a run of lead-range bytes is never a
// lead byte, so a character starts right after it, and the run's length decides by its parity.
// Each byte is looked at once at most over a whole search, as the boundary only moves forward.
bool SearchIF_Simple::startsCharacter(const uint8_t* text, uint32_t* boundary,
                                      uint32_t windowStart) const {
    uint32_t q = windowStart;
    while (q > *boundary && isSjisLead(text[q - 1])) --q;
    const bool starts = ((windowStart - q) & 1) == 0;
    *boundary = starts ? windowStart : windowStart + 1;
    return starts;
}

bool SearchIF_Simple::find(const uint8_t* text, uint32_t n, uint32_t* matchStart,
                           uint32_t* matchLength) {
    const uint32_t m = length_;
    if (m == 0 || n < m) return false;
    const uint8_t last = pattern_[m - 1];
    const uint8_t alternative = alternativeLast_;
    uint32_t boundary = 0;
    uint32_t pos = m - 1;
    while (pos < n) {
        const uint8_t c = text[pos];
        if (c == last || c == alternative) {
            const uint32_t start = pos + 1 - m;
            const bool equal = caseSensitive_ ? std::memcmp(text + start, pattern_, m) == 0
                                              : equalsIgnoringCase(text + start);
            if (equal && startsCharacter(text, &boundary, start)) {
                *matchStart = start;
                *matchLength = m;
                return true;
            }
        }
        pos += uint32_t(skip_[c]);
    }
    return false;
}

// Template body of forEachOccurrence (included by ReplaceText.h).
#include <cstring>

#include "SjisBlocks.h"
#include "SjisBytes.h"

namespace ulo_filters {

// The first occurrence of pattern[0..m) in text[0..n), or null; byte for byte, boundaries unchecked.
inline const char* findBytes(const char* text, uint64_t n, const char* pattern, uint64_t m) {
#if defined(__GLIBC__)
    return static_cast<const char*>(memmem(text, n, pattern, m));
#else
    for (uint64_t p = 0; p + m <= n;) {
        const void* hit = std::memchr(text + p, pattern[0], n - m + 1 - p);
        if (!hit) return nullptr;
        p = static_cast<const char*>(hit) - text;
        if (std::memcmp(text + p, pattern, m) == 0) return text + p;
        ++p;
    }
    return nullptr;
#endif
}

template <typename Found>
uint64_t forEachOccurrence(const char* text, uint64_t n, const std::string& pattern, Found found) {
    const uint64_t m = pattern.size();
    if (m == 0 || m > n) return 0;
    uint64_t count = 0;
    uint64_t cursor = 0;  // start of a character, never behind a candidate
    // A pattern that starts below 0x40 (a line break, a tab, most ASCII signs) cannot start on a
    // trail byte: a candidate is a character start unless a lead byte is waiting for its trail, which
    // the lead-range bytes just before it tell (they alternate lead and trail from a character
    // start). The walk back stops at the first byte outside the lead range, at the latest the
    // candidate before, so the whole text is walked once at most.
    const bool lowFirst = static_cast<unsigned char>(pattern[0]) < 0x40;
    for (uint64_t p = 0; p + m <= n;) {
        const char* hit = findBytes(text + p, n - p, pattern.data(), m);
        if (!hit) break;
        p = hit - text;
        bool start;
        if (lowFirst) {
            uint64_t k = p;
            while (k > 0 && isLead(static_cast<unsigned char>(text[k - 1]))) --k;
            start = ((p - k) & 1) == 0;
        } else {
            cursor = advanceTo(text, cursor, p);
            start = cursor == p;
        }
        if (start) {
            found(p);
            ++count;
            p += m;
        } else {
            ++p;
        }
    }
    return count;
}

}  // namespace ulo_filters

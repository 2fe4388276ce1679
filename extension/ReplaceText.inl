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
    for (uint64_t p = 0; p + m <= n;) {
        const char* hit = findBytes(text + p, n - p, pattern.data(), m);
        if (!hit) break;
        p = hit - text;
        cursor = advanceTo(text, cursor, p);
        if (cursor == p && std::memcmp(text + p, pattern.data(), m) == 0) {
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

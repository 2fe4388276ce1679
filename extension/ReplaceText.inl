// Template body of forEachOccurrence (included by ReplaceText.h).
#include <cstring>

#include "SjisBytes.h"

namespace ulo_filters {

template <typename Found>
uint64_t forEachOccurrence(const char* text, uint64_t n, const std::string& pattern, Found found) {
    const uint64_t m = pattern.size();
    if (m == 0 || m > n) return 0;
    uint64_t count = 0;
    uint64_t cursor = 0;  // start of a character, never behind a candidate
    for (uint64_t p = 0; p + m <= n;) {
        const void* hit = std::memchr(text + p, pattern[0], n - m + 1 - p);
        if (!hit) break;
        p = static_cast<const char*>(hit) - text;
        while (cursor < p) cursor += charLength(text, cursor, n);
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

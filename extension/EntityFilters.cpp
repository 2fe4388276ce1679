// Filters 500 (character references to characters) and 501 (escape "<", ">" and "&").
#include <cstring>

#include "FilterSupport.h"
#include "FilterTables.h"
#include "Filters.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

// How far after "&" the ";" may be.
constexpr size_t kReferenceReach = 21;

// The replacement of the reference text between "&" and ";" (numeric forms with their "#"),
// or null. Names compare case-sensitively; numeric forms only as the table spells them.
const char* replacementOf(const char* name, size_t length) {
    const bool numeric = name[0] == '#';
    for (const EntityRow& row : kEntities) {
        const char* key = numeric ? row.numeric : row.name;
        if (key && std::strlen(key) == length && std::memcmp(key, name, length) == 0) return row.replacement;
    }
    return nullptr;
}

}  // namespace

bool decodeReferences(FilterRequest& r) {
    char* text = r.input;
    const size_t n = r.input_length;
    if (!std::memchr(text, '&', n)) return false;
    size_t out = 0;
    bool replaced = false;
    for (size_t i = 0; i < n;) {
        if (text[i] == '&') {
            // The ";" is looked for within the reach and never past the selection's end.
            const size_t last = i + kReferenceReach < n - 1 ? i + kReferenceReach : n - 1;
            const char* semi = static_cast<const char*>(std::memchr(text + i + 1, ';', last - i));
            const size_t length = semi ? semi - (text + i + 1) : 0;
            const char* rep = length ? replacementOf(text + i + 1, length) : nullptr;
            if (rep) {
                // A replacement is never longer than its reference ("&", name, ";").
                const size_t repLength = std::strlen(rep);
                std::memmove(text + out, rep, repLength);
                out += repLength;
                i += length + 2;
                replaced = true;
                continue;
            }
            text[out++] = '&';
            ++i;
            continue;
        }
        const size_t len = charLength(text, i, n);
        std::memmove(text + out, text + i, len);
        out += len;
        i += len;
    }
    return replaced && finishInPlace(r, out);
}

bool escapeMarkup(FilterRequest& r) {
    const char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t extra = 0;
    for (uint64_t i = 0; i < n; ++i) {
        const char c = text[i];
        extra += c == '<' || c == '>' ? 3 : c == '&' ? 4 : 0;
    }
    if (extra == 0) return false;
    char* result = allocateResult(n + extra);
    if (!result) return false;
    uint64_t out = 0;
    for (uint64_t i = 0; i < n; ++i) {
        const char c = text[i];
        const char* escaped = c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : nullptr;
        if (escaped) {
            const size_t len = std::strlen(escaped);
            std::memcpy(result + out, escaped, len);
            out += len;
        } else {
            result[out++] = c;
        }
    }
    return finishAllocated(r, result, out);
}

}  // namespace ulo_filters

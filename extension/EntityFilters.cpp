// Filters 500 (character references to characters) and 501 (escape "<", ">" and "&").
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "FilterSupport.h"
#include "FilterTables.h"
#include "Filters.h"
#include "SjisBlocks.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

// How far after "&" the ";" may be.
constexpr size_t kReferenceReach = 21;

// Names and numeric forms to their replacements; the first row wins where two rows share a key.
class ReferenceIndex {
public:
    ReferenceIndex() {
        for (const EntityRow& row : kEntities) {
            if (row.name) names_.emplace(row.name, row.replacement);
            numeric_.emplace(row.numeric, row.replacement);
        }
    }
    // The replacement of the text between "&" and ";" (numeric forms with their "#"), or null.
    // Names compare case-sensitively; numeric forms only as the table spells them.
    const char* find(std::string_view key) const {
        const auto& map = key[0] == '#' ? numeric_ : names_;
        const auto it = map.find(key);
        return it == map.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string_view, const char*> names_, numeric_;
};

const char* replacementOf(const char* name, size_t length) {
    static const ReferenceIndex index;
    return index.find(std::string_view(name, length));
}

}  // namespace

bool decodeReferences(FilterRequest& r) {
    char* text = r.input;
    const size_t n = r.input_length;
    if (!std::memchr(text, '&', n)) return false;
    size_t out = 0;     // end of the result so far
    size_t kept = 0;    // start of the bytes read but not yet moved to out
    size_t cursor = 0;  // start of a character, never behind i
    bool replaced = false;
    for (size_t i = 0; i < n;) {
        const void* amp = std::memchr(text + i, '&', n - i);
        if (!amp) break;
        i = static_cast<const char*>(amp) - text;
        cursor = advanceTo(text, cursor, i);
        if (cursor != i) {  // the second byte of a two-byte character
            i = cursor;
            continue;
        }
        // The ";" is looked for within the reach and never past the selection's end.
        const size_t last = i + kReferenceReach < n - 1 ? i + kReferenceReach : n - 1;
        const char* semi = static_cast<const char*>(std::memchr(text + i + 1, ';', last - i));
        const size_t length = semi ? semi - (text + i + 1) : 0;
        const char* rep = length ? replacementOf(text + i + 1, length) : nullptr;
        if (!rep) {
            cursor = ++i;
            continue;
        }
        if (out != kept) std::memmove(text + out, text + kept, i - kept);
        out += i - kept;
        // A replacement is never longer than its reference ("&", name, ";").
        const size_t repLength = std::strlen(rep);
        std::memmove(text + out, rep, repLength);
        out += repLength;
        i += length + 2;
        kept = cursor = i;
        replaced = true;
    }
    if (!replaced) return false;
    std::memmove(text + out, text + kept, n - kept);
    return finishInPlace(r, out + n - kept);
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

// Filter 701: replaces every occurrence of a typed text, line breaks included, after the user
// confirms it in the replace dialog.
#include <cstring>

#include "FilterMemory.h"
#include "FilterSupport.h"
#include "Filters.h"
#include "ReplaceText.h"
#include "SjisBytes.h"

namespace ulo_filters {

std::string decodeEscapes(const std::string& typed) {
    std::string out;
    const char* s = typed.data();
    const size_t n = typed.size();
    for (size_t i = 0; i < n;) {
        const size_t len = charLength(s, i, n);
        if (len == 1 && s[i] == '\\' && i + 1 < n) {
            const char next = s[i + 1];
            if (next == 't' || next == 'n' || next == '\\') {
                out += next == 't' ? "\t" : next == 'n' ? "\r\n" : "\\";
                i += 2;
                continue;
            }
        }
        out.append(s + i, len);
        i += len;
    }
    return out;
}

namespace {

class SelectionProbe : public ReplaceProbe {
public:
    SelectionProbe(const char* text, uint64_t n) : text_(text), n_(n) {}
    bool matches(const std::string& typed) const override {
        return forEachOccurrence(text_, n_, decodeEscapes(typed), [](uint64_t) {}) != 0;
    }

private:
    const char* text_;
    uint64_t n_;
};

}  // namespace

bool replaceAcrossLines(FilterRequest& r, FilterUi& ui) {
    const char* text = r.input;
    const uint64_t n = r.input_length;
    SelectionProbe probe(text, n);
    std::string typedSearch, typedReplacement;
    if (!ui.askReplacement(r.owner, probe, typedSearch, typedReplacement)) return false;
    const std::string search = decodeEscapes(typedSearch);
    const std::string replacement = decodeEscapes(typedReplacement);
    // A replacement no longer than the search text cannot lengthen the text: the result is built in
    // one pass into a block of the selection's size. A longer one is counted first.
    uint64_t size = n;
    if (replacement.size() > search.size()) {
        const uint64_t found = forEachOccurrence(text, n, search, [](uint64_t) {});
        if (found == 0) return false;
        size = n + found * (replacement.size() - search.size());
    }
    char* result = allocateResult(size);
    if (!result) return false;
    uint64_t out = 0, copied = 0;
    const uint64_t count = forEachOccurrence(text, n, search, [&](uint64_t at) {
        std::memcpy(result + out, text + copied, at - copied);
        out += at - copied;
        std::memcpy(result + out, replacement.data(), replacement.size());
        out += replacement.size();
        copied = at + search.size();
    });
    if (count == 0) {
        filterRelease(result);
        return false;
    }
    std::memcpy(result + out, text + copied, n - copied);
    out += n - copied;
    ui.showReplacedCount(r.owner, count > INT32_MAX ? INT32_MAX : static_cast<int>(count));
    return finishAllocated(r, result, out);
}

}  // namespace ulo_filters

// PhraseExpansion: the counting pass and the copying pass, in 64-bit sizes.
#include "PhraseExpansion.h"

#include <cstring>
#include <new>

namespace {
const char kWord[] = "selected_text";
}  // namespace

bool PhraseExpansion::placeholderAt(const std::string& text, uint64_t i) const {
    return text.size() - i >= kPlaceholderLength && text[i + kPlaceholderLength - 1] == marker_ &&
           std::memcmp(text.data() + i + 1, kWord, kPlaceholderLength - 2) == 0;
}

uint64_t PhraseExpansion::countPlaceholders(const std::string& text) const {
    uint64_t count = 0;
    const uint64_t n = text.size();
    for (uint64_t i = 0; i < n;) {
        if (text[i] != marker_) {
            ++i;
        } else if (i + 1 < n && text[i + 1] == marker_) {
            i += 2;
        } else if (placeholderAt(text, i)) {
            ++count;
            i += kPlaceholderLength;
        } else {
            ++i;
        }
    }
    return count;
}

bool PhraseExpansion::expand(const std::string& text, uint64_t selectionSize,
                             const std::function<void(char*)>& writeSelection, std::string& result) const {
    const uint64_t placeholders = countPlaceholders(text);
    const uint64_t n = text.size();
    // placeholders × selection + text: checked so that the product cannot wrap.
    if (selectionSize && placeholders > (UINT64_MAX - n - 1) / selectionSize) return false;
    const uint64_t capacity = placeholders * selectionSize + n + 1;
    if (capacity > result.max_size()) return false;
    try {
        result.assign(static_cast<size_t>(capacity), '\0');
    } catch (const std::bad_alloc&) {
        result.clear();
        return false;
    }
    uint64_t out = 0;
    for (uint64_t i = 0; i < n;) {
        if (text[i] == marker_ && i + 1 < n && text[i + 1] == marker_) {
            result[out++] = marker_;
            i += 2;
        } else if (text[i] == marker_ && placeholderAt(text, i)) {
            if (selectionSize) writeSelection(&result[out]);
            out += selectionSize;
            i += kPlaceholderLength;
        } else {
            result[out++] = text[i++];
        }
    }
    result.resize(static_cast<size_t>(out));
    return true;
}

// Fuzz target: the texts find, replace and go-to line read from their boxes and the registry's
// histories: cutting on a character boundary, the "\t" / "\\" unescaping, the line number, and the
// history's order. The first byte sets the cut's limit; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FindState.h"
#include "TextCodes.h"

namespace {

// Whether the text ends inside a character (a lead byte without its trail byte).
bool endsInLead(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) i += isSjisLead(static_cast<uint8_t>(text[i])) ? 2 : 1;
    return i > text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t limit = data[0] * 3u;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string cut = find_state::cutText(text.data(), text.size(), limit);
    if (cut.size() > limit || cut.size() > text.size() || endsInLead(cut) ||
        text.compare(0, cut.size(), cut) != 0)
        __builtin_trap();
    // Unescaping never lengthens the text.
    if (find_state::unescape(text).size() > text.size()) __builtin_trap();
    if (find_state::parseLineNumber(text.data(), text.size()) < 0) __builtin_trap();
    find_state::SearchHistory history;
    for (size_t at = 0; at < text.size(); at += 1 + data[0] % 7) history.add(text.substr(at, 1 + data[0] % 5));
    const std::vector<std::string> entries = history.entries();
    if (entries.size() > find_state::kHistorySlots) __builtin_trap();
    for (size_t i = 0; i < entries.size(); ++i)
        for (size_t j = i + 1; j < entries.size(); ++j)
            if (entries[i] == entries[j]) __builtin_trap();  // a text is listed once
    return 0;
}

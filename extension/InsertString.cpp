// Filters 310 and 311: a string the user types is inserted at the start or at the end of every
// whole line of the selection.
#include <cstring>
#include <string>

#include "FilterSupport.h"
#include "FilterTables.h"
#include "Filters.h"

namespace ulo_filters {

namespace {

// The string may be up to this many bytes (the dialog's limit).
constexpr size_t kMaxInsert = 1023;

// Positions where 310 inserts: the whole-line start and every line start after a line break,
// except the selection's end. Calls at(position) for each; returns how many there are.
template <typename At>
uint64_t forEachLineStart(const FilterRequest& r, uint64_t start, At at) {
    const char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t count = 0;
    for (uint64_t pos = start; pos < n;) {
        at(pos);
        ++count;
        const uint64_t cr = lineEnd(text, pos, n);
        if (cr == n) break;
        pos = cr + breakLength(text, cr, n);
    }
    return count;
}

// Asks for the string; false (after the message or a cancel) when there is nothing to insert.
bool askString(FilterRequest& r, FilterUi& ui, uint64_t points, std::string& text) {
    if (points == 0) {
        ui.showNoLines(r.owner);
        return false;
    }
    if (!ui.askInsertString(r.owner, text)) return false;
    if (text.size() > kMaxInsert) text.resize(kMaxInsert);
    return true;
}

}  // namespace

bool insertAtLineStarts(FilterRequest& r, FilterUi& ui) {
    uint64_t start = 0;
    if (!wholeLineStart(r, start)) {
        ui.showNoLines(r.owner);
        return false;
    }
    const uint64_t points = forEachLineStart(r, start, [](uint64_t) {});
    std::string insert;
    if (!askString(r, ui, points, insert)) return false;
    const uint64_t n = r.input_length;
    char* result = allocateResult(n + insert.size() * points);
    if (!result) return false;
    uint64_t out = 0, copied = 0;
    forEachLineStart(r, start, [&](uint64_t pos) {
        std::memcpy(result + out, r.input + copied, pos - copied);
        out += pos - copied;
        copied = pos;
        std::memcpy(result + out, insert.data(), insert.size());
        out += insert.size();
    });
    std::memcpy(result + out, r.input + copied, n - copied);
    return finishAllocated(r, result, out + n - copied);
}

bool insertAtLineEnds(FilterRequest& r, FilterUi& ui) {
    uint64_t start = 0;
    if (!wholeLineStart(r, start)) {
        ui.showNoLines(r.owner);
        return false;
    }
    // Before every CR: those after the start and, for a selection that starts inside a line,
    // the end of that first line.
    const char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t points = 0;
    for (uint64_t i = 0; i < n; ++i) points += text[i] == '\r';
    std::string insert;
    if (!askString(r, ui, points, insert)) return false;
    char* result = allocateResult(n + insert.size() * points);
    if (!result) return false;
    uint64_t out = 0;
    for (uint64_t pos = 0; pos < n;) {
        const uint64_t cr = lineEnd(text, pos, n);
        std::memcpy(result + out, text + pos, cr - pos);
        out += cr - pos;
        if (cr == n) break;
        std::memcpy(result + out, insert.data(), insert.size());
        out += insert.size();
        result[out++] = '\r';
        pos = cr + 1;
    }
    return finishAllocated(r, result, out);
}

}  // namespace ulo_filters

// Filters 200 (TABs to blanks) and 201 (runs of blanks to TABs), both counting display columns
// from the selection start's column.
#include "FilterSupport.h"
#include "Filters.h"

namespace ulo_filters {

bool tabsToSpaces(FilterRequest& r) {
    const uint32_t width = r.tab_width;
    if (width == 0) return false;
    const char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t tabs = 0;
    for (uint64_t i = 0; i < n; ++i) tabs += text[i] == '\t';
    if (tabs == 0) return false;
    char* result = allocateResult(n + tabs * (width - 1));
    if (!result) return false;
    uint64_t column = prefixColumn(r);
    uint64_t out = 0;
    for (uint64_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\t') {
            for (uint64_t k = width - column % width; k > 0; --k, ++column) result[out++] = ' ';
        } else {
            result[out++] = c;
            column = c == '\r' || c == '\n' ? 0 : column + 1;
        }
    }
    return finishAllocated(r, result, out);
}

bool spacesToTabs(FilterRequest& r) {
    const uint32_t width = r.tab_width;
    if (width == 0) return false;
    char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t column = prefixColumn(r);
    uint64_t out = 0;
    bool madeTab = false;
    for (uint64_t i = 0; i < n;) {
        const char c = text[i];
        if (c == '\t') {
            text[out++] = c;
            column += width - column % width;
            ++i;
        } else if (c == '\r' || c == '\n') {
            text[out++] = c;
            column = 0;
            ++i;
        } else if (c == ' ' && i + 1 < n && text[i + 1] == ' ') {
            const uint64_t w = width - column % width;
            uint64_t blanks = 0;
            while (blanks < w && i + blanks < n && text[i + blanks] == ' ') ++blanks;
            if (blanks == w) {
                text[out++] = '\t';
                madeTab = true;
                column += w;
                i += w;
            } else {
                text[out++] = ' ';
                ++column;
                ++i;
            }
        } else {
            text[out++] = c;
            ++column;
            ++i;
        }
    }
    return madeTab && finishInPlace(r, out);
}

}  // namespace ulo_filters

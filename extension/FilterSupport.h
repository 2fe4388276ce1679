// Helpers the filters share: results, the display column of the selection start and the
// start-of-selection rule of the whole-line filters.
#pragma once

#include <cstdint>

#include "FilterApi.h"

namespace ulo_filters {

// The selection was rewritten in place, now length bytes long.
inline bool finishInPlace(FilterRequest& r, uint64_t length) {
    r.output = r.input;
    r.output_length = static_cast<int32_t>(length);
    return true;
}

// A buffer of size bytes for a new result, or null (the filter then answers false).
char* allocateResult(uint64_t size);

// Hands a new result to the editor.
bool finishAllocated(FilterRequest& r, char* result, uint64_t length);

// Display column after the prefix: TAB to the next multiple of tab_width, other bytes one column.
uint64_t prefixColumn(const FilterRequest& r);

// Where the whole-line filters start: 0 when the selection starts at a line start, else after
// the first CR (and its LF). Returns false when the selection starts inside a line that has no
// CR or nothing follows that line.
bool wholeLineStart(const FilterRequest& r, uint64_t& start);

// The entry checks of 303, 350 and 351 (false, without a message, when there is nothing to do):
// the selection is longer than prefix_length + 2 and wholeLineStart finds a start.
bool reorderStart(const FilterRequest& r, uint64_t& start);

// End of the line that starts at pos: the index of its CR, or n when the line is unterminated.
uint64_t lineEnd(const char* text, uint64_t pos, uint64_t n);
// Length of the line break at a CR: 2 for CR LF, 1 for a bare CR.
inline uint64_t breakLength(const char* text, uint64_t cr, uint64_t n) {
    return cr + 1 < n && text[cr + 1] == '\n' ? 2 : 1;
}

}  // namespace ulo_filters

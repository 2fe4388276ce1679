// Shared pieces of the filters: result buffers, the start column and the whole-line start.
#include "FilterSupport.h"

#include <cstdlib>
#include <cstring>

#include "FilterMemory.h"

namespace ulo_filters {

FilterMemory& filterMemory() {
    static FilterMemory memory{&std::malloc, &std::free};
    return memory;
}

char* allocateResult(uint64_t size) {
    // output_length is a signed 32-bit field: a longer result cannot be handed over.
    if (size > INT32_MAX) return nullptr;
    return static_cast<char*>(filterAllocate(static_cast<size_t>(size)));
}

bool finishAllocated(FilterRequest& r, char* result, uint64_t length) {
    r.output = result;
    r.output_length = static_cast<int32_t>(length);
    return true;
}

uint64_t prefixColumn(const FilterRequest& r) {
    uint64_t column = 0;
    if (!r.prefix) return 0;
    for (uint32_t i = 0; i < r.prefix_length; ++i) {
        if (r.prefix[i] == '\t' && r.tab_width != 0)
            column += r.tab_width - column % r.tab_width;
        else
            ++column;
    }
    return column;
}

bool wholeLineStart(const FilterRequest& r, uint64_t& start) {
    start = 0;
    if (r.prefix_length == 0) return true;
    const uint64_t n = r.input_length;
    const void* cr = std::memchr(r.input, '\r', n);
    if (!cr) return false;
    const uint64_t at = static_cast<const char*>(cr) - r.input;
    start = at + breakLength(r.input, at, n);
    return start < n;
}

bool reorderStart(const FilterRequest& r, uint64_t& start) {
    if (static_cast<uint64_t>(r.prefix_length) + 2 >= r.input_length) return false;
    return wholeLineStart(r, start);
}

uint64_t lineEnd(const char* text, uint64_t pos, uint64_t n) {
    const void* cr = std::memchr(text + pos, '\r', n - pos);
    return cr ? static_cast<const char*>(cr) - text : n;
}

}  // namespace ulo_filters

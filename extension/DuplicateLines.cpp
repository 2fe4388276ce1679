// Filter 303: deletes every line that repeats an earlier one, in one pass with a hash table;
// the first occurrence of each line stays where it was.
#include <cstring>

#include "FilterMemory.h"
#include "FilterSupport.h"
#include "Filters.h"

namespace ulo_filters {

namespace {

uint32_t lineHash(const char* text, uint64_t length) {
    uint32_t h = 0;
    for (uint64_t i = 0; i < length; ++i) h = static_cast<unsigned char>(text[i]) ^ ((h << 9) | (h >> 23));
    return h;
}

// A kept line, already moved to its output position; chained per bucket.
struct KeptLine {
    uint64_t start;
    uint64_t length;
    uint64_t next;  // index + 1 of the next line in the bucket, 0 ends the chain
};

}  // namespace

bool deleteDuplicateLines(FilterRequest& r) {
    uint64_t start = 0;
    if (!reorderStart(r, start)) return false;
    char* text = r.input;
    const uint64_t n = r.input_length;
    uint64_t lines = 0;
    for (uint64_t i = start; i < n; ++i) lines += text[i] == '\r';
    if (lines == 0) return false;
    const uint64_t buckets = lines | 1;
    // One block: the bucket heads, then the kept lines.
    void* block = filterAllocate(buckets * sizeof(uint64_t) + lines * sizeof(KeptLine));
    if (!block) return false;
    uint64_t* heads = static_cast<uint64_t*>(block);
    KeptLine* kept = reinterpret_cast<KeptLine*>(heads + buckets);
    std::memset(heads, 0, buckets * sizeof(uint64_t));
    uint64_t keptCount = 0;
    uint64_t out = start;
    uint64_t pos = start;
    while (pos < n) {
        const uint64_t cr = lineEnd(text, pos, n);
        if (cr == n) break;  // the unterminated rest is copied below
        const uint64_t length = cr - pos;
        const uint64_t next = cr + breakLength(text, cr, n);
        uint64_t& head = heads[lineHash(text + pos, length) % buckets];
        bool seen = false;
        for (uint64_t k = head; k != 0 && !seen; k = kept[k - 1].next)
            seen = kept[k - 1].length == length &&
                   std::memcmp(text + kept[k - 1].start, text + pos, length) == 0;
        if (!seen) {
            kept[keptCount] = {out, length, head};
            head = ++keptCount;
            std::memmove(text + out, text + pos, next - pos);
            out += next - pos;
        }
        pos = next;
    }
    std::memmove(text + out, text + pos, n - pos);
    out += n - pos;
    filterRelease(block);
    return out != n && finishInPlace(r, out);
}

}  // namespace ulo_filters

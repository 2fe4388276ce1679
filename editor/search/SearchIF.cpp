// SearchIF: backward searches as repeated forward searches from one character past each match.
#include "SearchIF.h"

namespace {

bool isLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

bool SearchIF::findLastBefore(const uint8_t* text, uint32_t length, uint32_t limit,
                              uint32_t* matchStart, uint32_t* matchLength) {
    uint32_t start = 0;
    uint32_t len = 0;
    if (!find(text, length, &start, &len) || start >= limit) return false;
    // A match that starts before the limit ends before limit + len - 1: nothing past that can
    // change the answer.
    const uint64_t reach = uint64_t(limit) + len - 1;
    if (reach < length) length = uint32_t(reach);
    for (;;) {
        // One character past the latest match start: a character start, so character starts in
        // the rest are counted correctly from there.
        uint32_t next = start + ((isLead(text[start]) && start + 1 < length) ? 2 : 1);
        if (next >= length) break;
        uint32_t s = 0;
        uint32_t l = 0;
        if (!find(text + next, length - next, &s, &l) || next + s >= limit) break;
        start = next + s;
        len = l;
    }
    *matchStart = start;
    *matchLength = len;
    return true;
}

bool SearchIF::findLast(const uint8_t* text, uint32_t length, uint32_t* matchStart,
                        uint32_t* matchLength) {
    return findLastBefore(text, length, length, matchStart, matchLength);
}

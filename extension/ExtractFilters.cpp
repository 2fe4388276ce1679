// Filters 611 and 612: list the e-mail addresses or URLs of the selection, one per line, in text
// order. Both scan forward only and accept an item only on a character boundary.
#include <cstring>

#include "FilterSupport.h"
#include "Filters.h"
#include "SjisBlocks.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

enum CharClass : unsigned char { kUrlChar = 1, kMailChar = 2, kLetter = 4, kDot = 8 };

struct ClassTable {
    unsigned char bits[256] = {};
    ClassTable() {
        for (int c = 0; c < 256; ++c) {
            const bool letter = isAsciiLetter(static_cast<unsigned char>(c));
            const bool alnum = letter || (c >= '0' && c <= '9');
            if (alnum || (c != 0 && std::strchr("-/_.!#$%&*+:;=?@^|~", c))) bits[c] |= kUrlChar;
            if (alnum || (c != 0 && std::strchr("-/_.", c))) bits[c] |= kMailChar;
            if (letter) bits[c] |= kLetter;
            if (c == '.') bits[c] |= kDot;
        }
    }
};

unsigned char classOf(char c) {
    static const ClassTable table;
    return table.bits[static_cast<unsigned char>(c)];
}

const char* const kSchemes[] = {"ftp:",    "http:", "gopher:", "mailto:",   "news:",  "nntp:",
                                "telnet:", "wais:", "file:",   "prospero:", "https:", "clsid:"};

// How far the URL search may move on when a byte ends a four-byte window: 3, 2, 1 or 0 by the
// byte's latest position in any scheme's first four bytes, 4 for the other bytes. Built once.
struct SkipTable {
    unsigned char skip[256];
    SkipTable() {
        std::memset(skip, 4, sizeof skip);
        for (const char* scheme : kSchemes) {
            for (int k = 0; k < 4; ++k) {
                unsigned char& s = skip[static_cast<unsigned char>(scheme[k])];
                if (3 - k < s) s = static_cast<unsigned char>(3 - k);
            }
        }
    }
};

// Appends [from, to) and CR LF; the result was sized for the worst case of either scan.
class ItemList {
public:
    explicit ItemList(char* buffer) : buffer_(buffer) {}
    void add(const char* from, uint64_t length) {
        std::memcpy(buffer_ + size_, from, length);
        size_ += length;
        buffer_[size_++] = '\r';
        buffer_[size_++] = '\n';
    }
    uint64_t size() const { return size_; }

private:
    char* buffer_;
    uint64_t size_ = 0;
};

// Advances a character cursor up to pos; true when pos is the start of a character.
bool onBoundary(const char* text, uint64_t& cursor, uint64_t pos) {
    cursor = advanceTo(text, cursor, pos);
    return cursor == pos;
}

uint64_t runEnd(const char* text, uint64_t n, uint64_t pos, unsigned char bit) {
    while (pos < n && (classOf(text[pos]) & bit)) ++pos;
    return pos;
}

void scanMail(const char* text, uint64_t n, ItemList& items) {
    for (uint64_t i = 0; i < n;) {
        if (!(classOf(text[i]) & kMailChar)) {
            i += charLength(text, i, n);
            continue;
        }
        const uint64_t at = runEnd(text, n, i, kMailChar);
        // An "@" within the last four bytes cannot start a domain long enough.
        if (at >= n || text[at] != '@' || n - at <= 4) {
            i = at;
            continue;
        }
        const uint64_t end = runEnd(text, n, at + 1, kMailChar);
        bool letter = false, dot = false;
        for (uint64_t k = at + 1; k < end; ++k) {
            letter = letter || (classOf(text[k]) & kLetter);
            dot = dot || (classOf(text[k]) & kDot);
        }
        const bool secondAt = end < n && text[end] == '@';
        if (end - (at + 1) >= 3 && letter && dot && !secondAt) {
            items.add(text + i, end - i);
            // On one character past the address: a two-byte character there is stepped over whole.
            i = end < n ? end + charLength(text, end, n) : n;
        } else {
            i = at + 1;  // the domain may start an address of its own
        }
    }
}

void scanUrls(const char* text, uint64_t n, ItemList& items) {
    static const SkipTable table;
    uint64_t cursor = 0;
    for (uint64_t p = 0; p + 3 < n;) {
        const unsigned char skip = table.skip[static_cast<unsigned char>(text[p + 3])];
        if (skip != 0) {
            p += skip;
            continue;
        }
        uint64_t schemeLength = 0;
        if (onBoundary(text, cursor, p)) {
            for (const char* scheme : kSchemes) {
                const uint64_t len = std::strlen(scheme);
                if (p + len <= n && std::memcmp(text + p, scheme, len) == 0) {
                    schemeLength = len;
                    break;
                }
            }
        }
        if (schemeLength == 0) {
            ++p;
            continue;
        }
        const uint64_t end = runEnd(text, n, p + schemeLength, kUrlChar);
        items.add(text + p, end - p);
        p = end + 1;
    }
}

bool extract(FilterRequest& r, void (*scan)(const char*, uint64_t, ItemList&)) {
    const uint64_t n = r.input_length;
    char* result = allocateResult(n + (n / 7) * 2 + 2);
    if (!result) return false;
    ItemList items(result);
    scan(r.input, n, items);
    return finishAllocated(r, result, items.size());
}

}  // namespace

bool extractMailAddresses(FilterRequest& r) { return extract(r, scanMail); }
bool extractUrls(FilterRequest& r) { return extract(r, scanUrls); }

}  // namespace ulo_filters

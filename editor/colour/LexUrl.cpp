// The URL recogniser: a four-byte-window skip scan for the fixed list of schemes.
#include <cstring>

#include "LexLinks.h"
#include "TextCodes.h"

namespace {

struct Scheme {
    const char* text;
    uint32_t length;
};

// Tried in this order at one position: the first that matches wins.
const Scheme kSchemes[] = {
    {"ftp:", 4},    {"http:", 5},   {"gopher:", 7}, {"mailto:", 7},
    {"news:", 5},   {"nntp:", 5},   {"telnet:", 7}, {"wais:", 5},
    {"file:", 5},   {"prospero:", 9}, {"https:", 6}, {"clsid:", 6},
};

// skip[b]: how far the window's last byte may move when it is b. 0 means b is some scheme's
// fourth byte, so the schemes are tried at the window's start.
struct SkipTable {
    uint8_t skip[256];
    SkipTable() {
        std::memset(skip, 4, sizeof skip);
        for (const Scheme& s : kSchemes) {
            for (uint8_t k = 0; k < 4; ++k) {
                uint8_t& entry = skip[static_cast<uint8_t>(s.text[k])];
                if (entry > 3 - k) entry = static_cast<uint8_t>(3 - k);
            }
        }
    }
};

const SkipTable& skipTable() {
    static const SkipTable table;
    return table;
}

// Bytes that continue a URL after its scheme.
struct UrlByteTable {
    bool ok[256];
    UrlByteTable() {
        for (int b = 0; b < 256; ++b)
            ok[b] = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                    (b != 0 && std::strchr("!#$%&*+-./:;=?@^_|~", b) != nullptr);
    }
};

const UrlByteTable& urlBytes() {
    static const UrlByteTable table;
    return table;
}

// The length of the first scheme that occurs at text[at], or 0.
uint32_t schemeAt(const uint8_t* text, uint32_t length, uint32_t at) {
    for (const Scheme& s : kSchemes) {
        if (at + s.length <= length && std::memcmp(text + at, s.text, s.length) == 0)
            return s.length;
    }
    return 0;
}

}  // namespace

bool findUrl(const uint8_t* text, uint32_t length, LexMatch* match) {
    // Every scheme ends in ':'; most lines have none, and memchr finds that out fastest.
    if (length < 4 || std::memchr(text, ':', length) == nullptr) return false;
    const uint8_t* skip = skipTable().skip;
    uint32_t boundary = 0;  // a character start at or before the candidates tried so far
    uint32_t p = 3;
    while (p < length) {
        const uint8_t step = skip[text[p]];
        if (step != 0) {
            p += step;
            continue;
        }
        const uint32_t at = p - 3;
        ++p;
        while (boundary < at) boundary += isSjisLead(text[boundary]) ? 2 : 1;
        if (boundary != at) continue;  // the candidate is a trail byte
        const uint32_t scheme = schemeAt(text, length, at);
        if (scheme == 0) continue;
        uint32_t end = at + scheme;
        const bool* ok = urlBytes().ok;
        while (end < length && ok[text[end]]) ++end;
        match->start = at;
        match->length = end - at;
        return true;
    }
    return false;
}

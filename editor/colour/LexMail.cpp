// The e-mail recogniser: a run of mail bytes, "@", and a domain with a letter and a dot.
#include <cstring>

#include "LexLinks.h"
#include "TextCodes.h"

namespace {

bool isMailByte(uint8_t b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' ||
           b == '.' || b == '/' || b == '_';
}

bool isAsciiLetter(uint8_t b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }

// Steps over the character at text[i]: a double-byte character is one non-mail unit.
uint32_t stepOver(const uint8_t* text, uint32_t i) { return i + (isSjisLead(text[i]) ? 2 : 1); }

// The domain after the "@" at `at`: returns its end (the first non-mail byte or the text's end)
// and whether it qualifies.
uint32_t scanDomain(const uint8_t* text, uint32_t length, uint32_t at, bool* qualifies) {
    bool letter = false, dot = false;
    uint32_t i = at + 1;
    while (i < length && isMailByte(text[i])) {
        letter = letter || isAsciiLetter(text[i]);
        dot = dot || text[i] == '.';
        ++i;
    }
    *qualifies = i - at >= 4 && letter && dot;
    return i;
}

}  // namespace

bool findMail(const uint8_t* text, uint32_t length, LexMatch* match) {
    // Without an "@" there is no address; most lines have none.
    // (An empty line may have no text at all: memchr must not see its null pointer.)
    if (length == 0 || std::memchr(text, '@', length) == nullptr) return false;
    uint32_t i = 0;
    while (i < length) {
        if (!isMailByte(text[i])) {
            i = stepOver(text, i);
            continue;
        }
        const uint32_t start = i;  // follows a non-mail unit or begins the text
        while (i < length && isMailByte(text[i])) ++i;
        // An "@" with fewer than four bytes after it is not considered.
        if (i >= length || text[i] != '@' || i + 4 >= length) {
            continue;  // the byte at i is not a mail byte: the next round steps over it
        }
        bool qualifies = false;
        const uint32_t end = scanDomain(text, length, i, &qualifies);
        if (end < length && text[end] == '@') {
            // A second "@" voids the candidate for the rest of its run.
            i = end;
            while (i < length && (isMailByte(text[i]) || text[i] == '@')) ++i;
            continue;
        }
        if (qualifies) {
            match->start = start;
            match->length = end - start;
            return true;
        }
        i = end;  // the next round steps over the byte that ended the domain
    }
    return false;
}

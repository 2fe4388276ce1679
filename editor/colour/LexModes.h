// The per-mode scanners behind the line lexer. Each scans one line from its start state and
// returns the state at the line's end; with a sink it also hands out the line's tokens, without
// one it only follows the state transitions. Both go through the same code, so the states that
// painting starts from always agree with the tokens it paints.
#pragma once
#include <cstdint>

#include "TextCodes.h"

class LexTokenSink;

uint8_t lexPlain(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink);
uint8_t lexHtml(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink);
uint8_t lexPerl(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink);
uint8_t lexCLike(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink);
uint8_t lexCss(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink);

// The offset after the character at text[i]: a Shift_JIS lead byte takes its trail byte along,
// so a delimiter is only ever seen at the start of a character. May pass `length` by one when
// a lead byte is the line's last byte; callers compare with `<`.
inline uint32_t lexStep(const uint8_t* text, uint32_t i) { return i + (isSjisLead(text[i]) ? 2 : 1); }

// The first offset from i whose byte is marked in `stops` (256 entries, never a lead byte),
// stepping over double-byte characters whole; `length` or beyond when there is none.
inline uint32_t lexSkipTo(const uint8_t* text, uint32_t length, uint32_t i, const bool* stops) {
    while (i < length) {
        const uint8_t c = text[i];
        if (stops[c]) return i;
        i += isSjisLead(c) ? 2 : 1;
    }
    return i;
}

// A 256-entry stop table of the given ASCII bytes.
struct LexStops {
    bool at[256] = {};
    explicit LexStops(const char* bytes) {
        for (; *bytes; ++bytes) at[static_cast<uint8_t>(*bytes)] = true;
    }
};

// Skips a quoted string whose opening quote is at text[open]: returns the offset of the closing
// `quote`, or `length` when the line ends first. A backslash that is not the last byte escapes
// the character after it.
inline uint32_t lexSkipQuoted(const uint8_t* text, uint32_t length, uint32_t open, uint8_t quote) {
    static const LexStops single("'\\"), twin("\"\\");
    const bool* stops = (quote == '"' ? twin : single).at;
    uint32_t i = open + 1;
    while ((i = lexSkipTo(text, length, i, stops)) < length) {
        if (text[i] == quote) return i;
        i = i + 1 < length ? lexStep(text, i + 1) : i + 1;  // a backslash escapes what follows
    }
    return length;
}

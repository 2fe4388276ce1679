// Perl mode: quoted literals and "#" comments; nothing is carried from line to line.
#include "LexModes.h"
#include "LexTextRun.h"

namespace {

bool isAsciiLetter(uint8_t b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }

// "$#" followed by a letter is the last index of an array, not a comment.
bool isArrayIndexHash(const uint8_t* text, uint32_t length, uint32_t i) {
    return i > 0 && text[i - 1] == '$' && i + 1 < length && isAsciiLetter(text[i + 1]);
}

const LexStops kStops("'\"#");

template <class Sink>
uint8_t scan(const uint8_t* text, uint32_t length, Sink& sink) {
    uint32_t i = 0;
    while ((i = lexSkipTo(text, length, i, kStops.at)) < length) {
        const uint8_t c = text[i];
        if (c == '\'' || c == '"') {
            sink.text(i + 1);  // the text run keeps the opening quote
            const uint32_t close = lexSkipQuoted(text, length, i, c);
            sink.token(TokenKind::CodeLiteral, close);
            if (close >= length) return 1;
            i = close + 1;  // the closing quote starts the next text run
            continue;
        }
        if (c == '#' && !isArrayIndexHash(text, length, i)) {
            sink.text(i);
            sink.token(TokenKind::CodeComment, length);
            return 1;
        }
        ++i;  // "$#name"
    }
    sink.text(length);
    return 1;
}

}  // namespace

uint8_t lexPerl(const uint8_t* text, uint32_t length, uint8_t, LexTokenSink* sink) {
    if (sink != nullptr) return scan(text, length, *sink);
    return 1;  // no state crosses a line end
}

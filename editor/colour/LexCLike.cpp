// C/C++ and Java mode: line and block comments, quoted literals; a block comment open at the
// line's end carries state 7 to the next line.
#include "LexModes.h"
#include "LexTextRun.h"

namespace {

// The offset just after the first "*/" at or after `from`, or 0 when the line has none.
uint32_t blockCommentEnd(const uint8_t* text, uint32_t length, uint32_t from) {
    static const LexStops star("*");
    uint32_t i = from;
    while ((i = lexSkipTo(text, length, i, star.at)) + 1 < length) {
        if (text[i + 1] == '/') return i + 2;
        ++i;
    }
    return 0;
}

const LexStops kStops("/'\"");

template <class Sink>
uint8_t scan(const uint8_t* text, uint32_t length, uint8_t state, Sink& sink) {
    uint32_t i = 0;
    if (state == 7) {
        i = blockCommentEnd(text, length, 0);
        if (i == 0) {
            sink.token(TokenKind::CodeComment, length);
            return 7;
        }
        sink.token(TokenKind::CodeComment, i);
    }
    while ((i = lexSkipTo(text, length, i, kStops.at)) < length) {
        const uint8_t c = text[i];
        if (c == '/' && i + 1 < length && text[i + 1] == '/') {
            // The rest of the line is a comment: a "/*" inside it opens nothing.
            sink.text(i);
            sink.token(TokenKind::CodeComment, length);
            return 1;
        }
        if (c == '/' && i + 1 < length && text[i + 1] == '*') {
            sink.text(i);
            const uint32_t end = blockCommentEnd(text, length, i + 2);
            sink.token(TokenKind::CodeComment, end == 0 ? length : end);
            if (end == 0) return 7;
            i = end;
            continue;
        }
        if (c == '\'' || c == '"') {
            sink.text(i + 1);
            const uint32_t close = lexSkipQuoted(text, length, i, c);
            sink.token(TokenKind::CodeLiteral, close);
            if (close >= length) return 1;
            i = close + 1;
            continue;
        }
        ++i;  // a lone "/"
    }
    sink.text(length);
    return 1;
}

}  // namespace

uint8_t lexCLike(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink) {
    if (sink != nullptr) return scan(text, length, state, *sink);
    LexStateOnly none;
    return scan(text, length, state, none);
}

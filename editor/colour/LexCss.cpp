// CSS mode: selectors, property names and values, comments, strings and "#rgb" colours. Each
// token kind equals the state it is lexed in, so a line begins with a token of its start state.
#include "LexModes.h"
#include "LexTextRun.h"

namespace {

bool isHexDigit(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isAsciiAlnum(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The length of a "#rgb" / "#rrggbb" colour at text[i] ("#" included), or 0: the digits must be
// followed by the line's end or a byte that is neither an ASCII letter nor a digit.
uint32_t rgbLength(const uint8_t* text, uint32_t length, uint32_t i) {
    uint32_t digits = 0;
    while (digits < 6 && i + 1 + digits < length && isHexDigit(text[i + 1 + digits])) ++digits;
    const auto endsAt = [&](uint32_t end) { return end == length || !isAsciiAlnum(text[end]); };
    if (digits == 6 && endsAt(i + 7)) return 7;
    if (digits >= 3 && endsAt(i + 4)) return 4;
    return 0;
}

bool opensComment(const uint8_t* text, uint32_t length, uint32_t i) {
    return text[i] == '/' && i + 1 < length && text[i + 1] == '*';
}

TokenKind kindOf(uint8_t state) { return static_cast<TokenKind>(state); }

template <class Sink>
class CssScanner {
public:
    CssScanner(const uint8_t* text, uint32_t length, Sink& sink) : t_(text), n_(length), sink_(sink) {}

    uint8_t run(uint8_t state) {
        state_ = state;
        uint32_t i = 0;
        while (i < n_) i = stepIn(i);
        sink_.token(kindOf(state_), n_);
        return state_;
    }

private:
    // Ends the current token at `end`, continues in `state` and resumes scanning at `next`.
    uint32_t change(uint32_t end, uint8_t state, uint32_t next) {
        sink_.token(kindOf(state_), end);
        state_ = state;
        return next;
    }

    uint32_t stepIn(uint32_t i) {
        const uint8_t c = t_[i];
        switch (state_) {
        case 1:
            if (opensComment(t_, n_, i)) return change(i, 11, i + 2);
            if (c == '{') return change(i + 1, 14, i + 1);
            break;
        case 14:
            if (opensComment(t_, n_, i)) return change(i, 12, i + 2);
            if (c == ':') return change(i + 1, 15, i + 1);
            if (c == '}') return change(i, 1, i + 1);
            break;
        case 15: return inValue(i);
        case 16:
            if (c == '\\' && i + 1 < n_) return lexStep(t_, i + 1);
            if (c == '"' || c == '\'') return change(i, 15, i + 1);
            break;
        default:  // 11, 12, 13: a comment returns to the position it was opened in
            if (c == '*' && i + 1 < n_ && t_[i + 1] == '/') {
                return change(i + 2, state_ == 11 ? 1 : state_ == 12 ? 14 : 15, i + 2);
            }
            break;
        }
        return lexStep(t_, i);
    }

    uint32_t inValue(uint32_t i) {
        const uint8_t c = t_[i];
        if (opensComment(t_, n_, i)) return change(i, 13, i + 2);
        if (c == '"' || c == '\'') return change(i + 1, 16, i + 1);
        if (c == ';') return change(i + 1, 14, i + 1);
        if (c == '}') return change(i, 1, i + 1);
        if (c == '#') {
            const uint32_t rgb = rgbLength(t_, n_, i);
            if (rgb != 0) {
                sink_.token(TokenKind::CssPropertyValue, i);
                sink_.token(TokenKind::CssRgbValue, i + rgb);
                return i + rgb;
            }
        }
        return lexStep(t_, i);
    }

    const uint8_t* t_;
    uint32_t n_;
    Sink& sink_;
    uint8_t state_ = 1;
};

}  // namespace

uint8_t lexCss(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink) {
    if (sink != nullptr) return CssScanner<LexTokenSink>(text, length, *sink).run(state);
    LexStateOnly none;
    return CssScanner<LexStateOnly>(text, length, none).run(state);
}

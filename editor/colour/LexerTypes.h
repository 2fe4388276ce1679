// The lexer's shared vocabulary: syntax modes, token kinds, tokens and the line start states.
#pragma once
#include <cstdint>

// The colouring mode of an editor control (the values of editor command 30001).
enum class SyntaxMode : int32_t {
    None = 0,    // plain text
    Html = 100,  // every HTML document type
    Perl = 200,  // with "perl.kwd"
    CLike = 300, // C/C++ ("cpp.kwd") and Java ("java.kwd")
    Css = 400,   // CSS; every value not listed above behaves as Css
};

// Maps a raw mode value to the mode it behaves as.
inline SyntaxMode syntaxModeOf(int32_t value) {
    switch (value) {
    case 0: return SyntaxMode::None;
    case 100: return SyntaxMode::Html;
    case 200: return SyntaxMode::Perl;
    case 300: return SyntaxMode::CLike;
    default: return SyntaxMode::Css;
    }
}

// What a token covers; the painter maps each kind to a colour item (unknown kinds paint as text).
enum class TokenKind : int32_t {
    Text = 1,                  // ordinary text; in CSS the selectors and braces
    HtmlComment = 2,           // "<!--" ... "-->"
    HtmlElementName = 3,       // "<" and the element name through the first blank, tab, '"' or '>'
    HtmlAttributeName = 4,     // the rest of a tag outside quotes; a script block opened in text
    HtmlAttributeValue = 5,    // between the quotes of a double-quoted attribute value
    HtmlEntity = 6,            // "&name;" / "&#123;"
    CodeComment = 7,           // "//", "/* */" (C-like), "#" (Perl)
    Keyword = 8,               // a word of the keyword table
    CodeLiteral = 9,           // the inside of a quoted string
    UrlMail = 10,              // a recognised URL or e-mail address
    CssCommentInSelector = 11, // a CSS comment outside braces
    CssCommentInName = 12,     // a CSS comment where a property name is expected
    CssCommentInValue = 13,    // a CSS comment inside a property value
    CssPropertyName = 14,      // after "{" or ";" through ":"
    CssPropertyValue = 15,     // after ":" through ";", or up to "}"
    CssLiteral = 16,           // the inside of a quoted string in a value
    CssRgbValue = 17,          // "#" with 3 or 6 hexadecimal digits in a value
};

// One run of a line. A line's tokens start at its first byte and their lengths add up to the
// line's length; zero-length tokens are legal. Two signed 32-bit fields, in this order.
struct Token {
    TokenKind kind;
    int32_t length;
};

// Line start states: the lexer's state at a line's first byte, one byte per line record.
//   0            unknown (every line after a mode change)
//   Html         1 text, 2 comment, 4 inside a tag outside quotes, 5 inside a double-quoted value;
//                a script block ("<%", "<$", "<?") is 32 * s + outer, s = 1 for '%', 2 for '$',
//                3 for '?', outer (1, 2, 4 or 5) the state it was opened in
//   CLike        1 normal, 7 inside a block comment
//   Css          1 selector, 11/12/13 comment opened in selector/name/value position, 14 property
//                name, 15 property value, 16 string literal in a value
//   Perl, None   always 1: nothing is carried from line to line
namespace lexstate {
constexpr uint8_t Unknown = 0;
constexpr uint8_t Initial = 1;  // every mode's first-line state

constexpr uint8_t HtmlText = 1;
constexpr uint8_t HtmlComment = 2;
constexpr uint8_t HtmlTag = 4;
constexpr uint8_t HtmlValue = 5;
// The script-block character of a state is " %$?"[state / 32].
constexpr uint8_t htmlScript(uint8_t character, uint8_t outer) {
    return static_cast<uint8_t>((character == '%' ? 32 : character == '$' ? 64 : 96) + outer);
}

constexpr uint8_t CLikeNormal = 1;
constexpr uint8_t CLikeBlockComment = 7;

constexpr uint8_t CssSelector = 1;
constexpr uint8_t CssCommentInSelector = 11;
constexpr uint8_t CssCommentInName = 12;
constexpr uint8_t CssCommentInValue = 13;
constexpr uint8_t CssPropertyName = 14;
constexpr uint8_t CssPropertyValue = 15;
constexpr uint8_t CssString = 16;
}  // namespace lexstate

// URL/e-mail presence cache bits of a line record's urlFlags byte.
namespace urlflag {
constexpr uint8_t HasUrl = 0x01;
constexpr uint8_t HasMail = 0x02;
constexpr uint8_t Scanned = 0x40;
}  // namespace urlflag

// True when `state` is one of the states `mode` carries between lines (0 never is).
inline bool isStartStateOf(SyntaxMode mode, uint8_t state) {
    switch (mode) {
    case SyntaxMode::None:
    case SyntaxMode::Perl: return state == 1;
    case SyntaxMode::CLike: return state == 1 || state == 7;
    case SyntaxMode::Html: {
        const uint8_t outer = state & 31, script = state >> 5;
        return script <= 3 && (outer == 1 || outer == 2 || outer == 4 || outer == 5);
    }
    case SyntaxMode::Css: return state == 1 || (state >= 11 && state <= 16);
    }
    return false;
}

// Lexer: the colouring state of one editor control (mode, borrowed keyword table, URL/e-mail
// switch, states-valid flag, token buffer) and the walks over its document's lines.
#pragma once
#include <cstdint>

#include "LexLine.h"
#include "LexTokenBuffer.h"
#include "LexerTypes.h"

class KeywordTable;

// The document is reached through a `Lines` type (see LexLinkedLines.h for linked records):
//   using Line = <pointer-like handle, null when there is no line>;
//   Line first();                      the document's first line
//   Line next(Line);                   the following line, or null
//   const uint8_t* text(Line);         uint32_t length(Line);
//   uint8_t startState(Line);          void setStartState(Line, uint8_t);
//   uint8_t* urlFlags(Line);           the line's URL/e-mail presence cache byte
class Lexer {
public:
    Lexer() = default;
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;
    Lexer(Lexer&&) = delete;
    Lexer& operator=(Lexer&&) = delete;

    // Allocates the 64-entry token buffer. False when that fails.
    bool create() { return buffer_.create(); }

    SyntaxMode syntaxMode() const { return settings_.mode; }
    const KeywordTable* keywordTable() const { return settings_.keywords; }
    bool statesValid() const { return statesValid_; }
    LexTokenBuffer& tokens() { return buffer_; }

    // A new mode makes every line's start state unknown and the next walk a full pass; the same
    // mode (any value other than 0, 100, 200 and 300 counts as CSS) changes nothing.
    template <class Lines>
    bool setSyntaxMode(Lines& lines, int32_t value) {
        const SyntaxMode mode = syntaxModeOf(value);
        if (mode == settings_.mode) return true;
        for (auto line = lines.first(); line; line = lines.next(line))
            lines.setStartState(line, lexstate::Unknown);
        statesValid_ = false;
        settings_.mode = mode;
        return true;
    }

    // Borrowed: the caller keeps the table alive while it is set. The caller repaints.
    void setKeywordTable(const KeywordTable* table) { settings_.keywords = table; }
    void setUrlRecognition(bool on) { settings_.urlRecognition = on; }

    // Recomputes start states after a change to `line`'s text: each following line gets the end
    // state of the line before it, until a line's stored state comes out unchanged. After a mode
    // change the walk starts at the first line instead. False, with nothing changed, when `line`
    // is not the first line and its own state is unknown. *changed (when given) receives the
    // number of lines whose stored state changed.
    // `editedLines` is the number of lines from `line` on whose text the edit made or changed
    // (2 for a line split in two): the walk never stops inside them, because a stored state
    // there says nothing about the new text. New lines given state 0 need no such count.
    template <class Lines>
    bool propagateLineStates(Lines& lines, typename Lines::Line line, uint32_t* changed = nullptr,
                             uint32_t editedLines = 1) {
        if (changed != nullptr) *changed = 0;
        if (settings_.mode == SyntaxMode::None || settings_.mode == SyntaxMode::Perl) return true;
        if (!statesValid_) {
            statesValid_ = true;
            line = lines.first();
        }
        uint8_t state = lines.startState(line);
        if (line == lines.first()) {
            if (state != lexstate::Initial) {  // the first line always starts in state 1
                lines.setStartState(line, lexstate::Initial);
                if (changed != nullptr) ++*changed;
            }
            state = lexstate::Initial;
        } else if (!isStartStateOf(settings_.mode, state)) {
            return false;
        }
        for (uint32_t walked = 1;; ++walked) {
            state = lexLineEndState(settings_.mode, lines.text(line), lines.length(line), state);
            line = lines.next(line);
            if (!line) return true;
            if (lines.startState(line) == state) {
                if (walked >= editedLines) return true;
                continue;
            }
            lines.setStartState(line, state);
            if (changed != nullptr) ++*changed;
        }
    }

    // The token list of `line`, valid until the next tokenisation; null when the token buffer
    // could not grow (the line is then left uncoloured). Runs a full state pass first when the
    // states are not valid. *count (when given) receives the number of tokens.
    template <class Lines>
    const Token* tokenizeLine(Lines& lines, typename Lines::Line line, uint32_t* count = nullptr) {
        if (!statesValid_) propagateLineStates(lines, lines.first());
        const bool ok = lexLine(settings_, lines.text(line), lines.length(line),
                                lines.startState(line), lines.urlFlags(line), buffer_);
        if (count != nullptr) *count = ok ? buffer_.count() : 0;
        return ok ? buffer_.tokens() : nullptr;
    }

private:
    LexSettings settings_;
    bool statesValid_ = false;
    LexTokenBuffer buffer_;
};

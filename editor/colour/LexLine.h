// The per-line lexer: one line's bytes and start state in, its token list and end state out.
#pragma once
#include <cstdint>

#include "LexTokenBuffer.h"
#include "LexerTypes.h"

class KeywordTable;

// How a control lexes: its mode, its borrowed keyword table (or none) and its URL/e-mail switch.
struct LexSettings {
    SyntaxMode mode = SyntaxMode::None;
    const KeywordTable* keywords = nullptr;
    bool urlRecognition = false;
};

// Lexes text[0, length) from `startState` into `out` (cleared first). `urlFlags` is the line's
// URL/e-mail presence cache: filled on first need when recognition is on; may be null (no cache).
// An unknown or foreign start state is lexed as state 1. The state at the line's end goes to
// *endState when given. False when the token buffer could not grow; the buffer keeps its old
// block and capacity and the list is then incomplete.
bool lexLine(const LexSettings& settings, const uint8_t* text, uint32_t length, uint8_t startState,
             uint8_t* urlFlags, LexTokenBuffer& out, uint8_t* endState = nullptr);

// The state at the end of text[0, length) lexed from `startState`, without making tokens. For
// Perl and plain text this is always 1.
uint8_t lexLineEndState(SyntaxMode mode, const uint8_t* text, uint32_t length, uint8_t startState);

// LexTextRun: turns a plain text run into Text, Keyword and UrlMail tokens, and the sinks through
// which each mode's scanner hands out its tokens.
#pragma once
#include <cstdint>

#include "LexTokenBuffer.h"

class KeywordTable;

// Refines the text runs of one line. The line's URL/e-mail presence bits are computed over the
// whole line the first time a run needs them and cached in *urlFlags.
class LexTextRefiner {
public:
    LexTextRefiner(const uint8_t* line, uint32_t length, const KeywordTable* keywords,
                   bool urlRecognition, uint8_t* urlFlags);
    LexTextRefiner(const LexTextRefiner&) = delete;
    LexTextRefiner& operator=(const LexTextRefiner&) = delete;

    // Appends the tokens of line[start, end) (at least one token, possibly of length 0).
    void refine(uint32_t start, uint32_t end, LexTokenBuffer& out);

private:
    uint8_t presence();
    void keywordPass(const uint8_t* text, uint32_t length, LexTokenBuffer& out) const;

    const uint8_t* line_;
    uint32_t length_;
    const KeywordTable* keywords_;
    bool urlRecognition_;
    uint8_t* urlFlags_;
    uint8_t ownFlags_ = 0;  // stands in when the caller keeps no cache
};

// Where a scanner's tokens go when they are wanted: each call ends the token that runs from the
// previous boundary. `token` gives it a kind; `text` refines it as a text run.
class LexTokenSink {
public:
    LexTokenSink(LexTextRefiner& refiner, LexTokenBuffer& out) : refiner_(refiner), out_(out) {}
    LexTokenSink(const LexTokenSink&) = delete;
    LexTokenSink& operator=(const LexTokenSink&) = delete;

    void token(TokenKind kind, uint32_t end) {
        out_.push(kind, end - last_);
        last_ = end;
    }
    void text(uint32_t end) {
        refiner_.refine(last_, end, out_);
        last_ = end;
    }

private:
    LexTextRefiner& refiner_;
    LexTokenBuffer& out_;
    uint32_t last_ = 0;
};

// The sink of a state-only scan (propagating start states): tokens are not wanted.
struct LexStateOnly {
    void token(TokenKind, uint32_t) {}
    void text(uint32_t) {}
};

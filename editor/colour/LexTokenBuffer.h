// LexTokenBuffer: the growable token list one editor control reuses for every line it lexes.
#pragma once
#include <cstdint>

#include "LexerTypes.h"

class LexTokenBuffer {
public:
    static const uint32_t kInitialCapacity = 64;

    LexTokenBuffer() = default;
    ~LexTokenBuffer();
    LexTokenBuffer(const LexTokenBuffer&) = delete;
    LexTokenBuffer& operator=(const LexTokenBuffer&) = delete;
    LexTokenBuffer(LexTokenBuffer&&) = delete;
    LexTokenBuffer& operator=(LexTokenBuffer&&) = delete;

    // Allocates the initial 64 entries (done by the control at creation). False when that fails.
    bool create();

    // Starts a new list; the storage is kept.
    void clear() {
        count_ = 0;
        failed_ = false;
    }

    // Appends a token, growing by doubling. After a failed growth the list is marked failed and
    // further tokens are dropped; the old block and its capacity stay as they were.
    void push(TokenKind kind, uint32_t length) {
        if (count_ == capacity_ && !grow()) return;
        tokens_[count_].kind = kind;
        tokens_[count_].length = static_cast<int32_t>(length);
        ++count_;
    }

    const Token* tokens() const { return tokens_; }
    uint32_t count() const { return count_; }
    uint32_t capacity() const { return capacity_; }
    bool failed() const { return failed_; }

    // Growth beyond `entries` fails as if memory had run out (for testing the failure path).
    void limitCapacity(uint32_t entries) { limit_ = entries; }

private:
    bool grow();

    Token* tokens_ = nullptr;
    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
    uint32_t limit_ = 0x10000000u;
    bool failed_ = false;
};

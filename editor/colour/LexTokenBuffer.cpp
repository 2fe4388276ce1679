// LexTokenBuffer: allocation and doubling of the token list.
#include "LexTokenBuffer.h"

#include <cstdlib>

LexTokenBuffer::~LexTokenBuffer() { std::free(tokens_); }

bool LexTokenBuffer::create() {
    if (tokens_ != nullptr) return true;
    tokens_ = static_cast<Token*>(std::malloc(kInitialCapacity * sizeof(Token)));
    if (tokens_ == nullptr) return false;
    capacity_ = kInitialCapacity;
    return true;
}

bool LexTokenBuffer::grow() {
    if (failed_) return false;
    const uint32_t wanted = capacity_ == 0 ? kInitialCapacity : capacity_ * 2;
    Token* bigger = nullptr;
    if (wanted <= limit_ && wanted > capacity_)
        bigger = static_cast<Token*>(std::realloc(tokens_, wanted * sizeof(Token)));
    if (bigger == nullptr) {
        failed_ = true;  // realloc left the old block in place
        return false;
    }
    tokens_ = bigger;
    capacity_ = wanted;
    return true;
}

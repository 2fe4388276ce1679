// Reads a fuzz input front to back as the choices of a target (code, chunk sizes, operations):
// every read succeeds, giving 0 once the input is used up.
#pragma once
#include <cstddef>
#include <cstdint>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint32_t u16() { return byte() | uint32_t(byte()) << 8; }
    // A number in [0, n), n > 0.
    uint32_t below(uint32_t n) { return (n <= 256 ? byte() : u16()) % n; }
    bool empty() const { return at_ >= size_; }
    // Takes up to n bytes (fewer at the end); *taken gets how many.
    const uint8_t* take(size_t n, size_t* taken) {
        size_t left = size_ - at_;
        *taken = n < left ? n : left;
        const uint8_t* p = data_ + at_;
        at_ += *taken;
        return p;
    }
    // Everything not read yet.
    const uint8_t* rest(size_t* taken) { return take(size_ - at_, taken); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

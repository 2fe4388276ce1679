// Little-endian field access on record byte buffers, independent of the host's byte order.
#pragma once
#include <cstddef>
#include <cstdint>

namespace record_bytes {

inline uint32_t getU32(const uint8_t* p, size_t offset) {
    p += offset;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint16_t getU16(const uint8_t* p, size_t offset) {
    p += offset;
    return uint16_t(p[0] | p[1] << 8);
}

inline void putU32(uint8_t* p, size_t offset, uint32_t v) {
    p += offset;
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline void putU16(uint8_t* p, size_t offset, uint16_t v) {
    p += offset;
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

// True when a NUL occurs in the first `width` bytes of a fixed text field.
inline bool hasTerminator(const uint8_t* p, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        if (p[i] == 0) return true;
    }
    return false;
}

}  // namespace record_bytes

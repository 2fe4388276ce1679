// UTF-8 <-> UTF-16 in chunks, taken apart and put together by hand (1-, 2- and 3-byte forms).
#pragma once
#include <cstdint>

namespace utf8 {

// The most input bytes one chunk takes, and so the most UTF-16 units it yields.
const uint32_t kChunkBytes = 8192;

struct Chunk {
    uint32_t consumed;  // input bytes of the complete characters read
    uint32_t units;     // UTF-16 units written
    bool bad;           // a byte 0x80-0xC1 or 0xF0-0xFF stood where a character begins
};

// Reads the characters of text[0..length) that end within its first kChunkBytes bytes into
// `units` (room for kChunkBytes). A lead byte takes one (0xC2-0xDF) or two (0xE0-0xEF) more bytes
// of which only the low six bits count. A sequence that does not end inside the chunk is left for
// the next one; consumed == 0 with no error means the text ends inside a sequence.
Chunk toUtf16(const uint8_t* text, uint32_t length, uint16_t* units);

// Encodes UTF-16 units as UTF-8; `out` needs room for 3 bytes per unit. A surrogate pair becomes
// one 4-byte form, a lone surrogate its 3-byte form. Returns the bytes written.
uint32_t fromUtf16(const uint16_t* units, uint32_t count, uint8_t* out);

}  // namespace utf8

// ByteScan: fast searches over byte runs used while loading (line ends, TABs, non-ASCII bytes),
// sixteen bytes at a time where the processor allows it.
#pragma once
#include <cstdint>

namespace bytescan {

// For the 64 bytes from `block` (a multiple of 64) on, cut at `length`: bit i set when byte
// block + i is CR or LF.
// With `tabs` given, *tabs gets the same kind of mask for TAB bytes.
uint64_t lineEndByteMask(const uint8_t* text, uint32_t block, uint32_t length, uint64_t* tabs);
// The same for 16-bit little-endian units at even offsets: bit i (even) set when the unit at
// block + i is 000D or 000A and lies wholly before `length`.
uint64_t lineEndUnitMask(const uint8_t* text, uint32_t block, uint32_t length);
// Index of the first byte equal to `value` in [from, length), or length.
uint32_t findByte(const uint8_t* text, uint32_t from, uint32_t length, uint8_t value);
// True when every byte is below 0x80.
bool isAscii(const uint8_t* text, uint32_t length);
// True when every byte is below 0x80 and none is ESC (1B) or SO (0E): text that the ISO-2022-JP
// decoder would copy unchanged.
bool isPlainJis(const uint8_t* text, uint32_t length);

}  // namespace bytescan

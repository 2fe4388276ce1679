// LineText: growth of a line's text: capacities are powers of two from 16, and a text that
// points into the loaded image is copied into a block of the line's own when it must grow.
#pragma once
#include <cstdint>

#include "LineRecord.h"
#include "StoreAllocator.h"

class LineText {
public:
    static constexpr uint32_t minimumCapacity = 16;

    // The smallest power of two from 16 that holds `length` (0 when none fits in 32 bits).
    static uint32_t capacityFor(uint32_t length);

    // Makes room for `length` bytes. False when memory cannot be had; the line is then unchanged.
    static bool reserve(LineRecord& line, uint32_t length, StoreAllocator& allocator);
    // Appends `count` bytes. False (line unchanged) when memory cannot be had.
    static bool append(LineRecord& line, const uint8_t* bytes, uint32_t count, StoreAllocator& allocator);
};

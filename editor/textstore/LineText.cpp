// LineText: growing and appending to a line's text.
#include "LineText.h"

#include <cstring>

uint32_t LineText::capacityFor(uint32_t length) {
    uint64_t capacity = minimumCapacity;
    while (capacity < length) capacity <<= 1;
    return capacity > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(capacity);
}

bool LineText::reserve(LineRecord& line, uint32_t length, StoreAllocator& allocator) {
    if (length <= line.capacity) return true;
    uint32_t capacity = capacityFor(length);
    if (capacity == 0) return false;
    if (line.hasOwnText()) {
        void* grown = allocator.reallocate(line.text, line.capacity, capacity);
        if (!grown) return false;
        line.text = static_cast<uint8_t*>(grown);
    } else {
        // A borrowed text is copied on its first growth; the image is left as it is.
        void* block = allocator.allocate(capacity);
        if (!block) return false;
        if (line.length) std::memcpy(block, line.text, line.length);
        line.text = static_cast<uint8_t*>(block);
        line.marks |= LineRecord::ownsText;
    }
    line.capacity = capacity;
    return true;
}

bool LineText::append(LineRecord& line, const uint8_t* bytes, uint32_t count, StoreAllocator& allocator) {
    if (count == 0) return true;
    uint64_t total = uint64_t(line.length) + count;
    if (total > 0xFFFFFFFFu) return false;
    if (!reserve(line, static_cast<uint32_t>(total), allocator)) return false;
    std::memcpy(line.text + line.length, bytes, count);
    line.length = static_cast<uint32_t>(total);
    return true;
}

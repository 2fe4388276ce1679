// Every buffer a filter allocates goes through here: results handed to the editor (freed on its
// second call) and working tables. Tests swap the functions to count allocations or make them fail.
#pragma once

#include <cstddef>

namespace ulo_filters {

struct FilterMemory {
    void* (*allocate)(size_t size);
    void (*release)(void* block);
};

// The functions in use (std::malloc / std::free unless a test replaced them).
FilterMemory& filterMemory();

inline void* filterAllocate(size_t size) { return filterMemory().allocate(size == 0 ? 1 : size); }
inline void filterRelease(void* block) {
    if (block) filterMemory().release(block);
}

}  // namespace ulo_filters

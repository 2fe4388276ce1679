// The "window_information" record: the editor window's last screen rectangle (16 bytes).
#pragma once
#include <cstddef>
#include <cstdint>

struct WindowInformation {
    static constexpr size_t kSize = 16;

    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    void encode(uint8_t* out) const;
    // Exactly 16 bytes holding a rectangle of positive width and height; otherwise false and
    // *record untouched (the editor then places its window as for a fresh user).
    static bool decode(const uint8_t* bytes, size_t size, WindowInformation* record);
};

static_assert(sizeof(WindowInformation) == WindowInformation::kSize, "");
static_assert(offsetof(WindowInformation, bottom) == 12, "");

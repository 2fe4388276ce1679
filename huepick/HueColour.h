// The colour model of the picker: red, green, blue bytes, their hue / saturation / brightness
// form, and the "#RRGGBB" text. Portable.
#pragma once
#include <cstdint>
#include <string>

namespace huepick {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// Hue in degrees [0, 360), saturation and brightness in [0, 1].
struct Hsv {
    double hue = 0, saturation = 0, value = 0;
};

Hsv toHsv(const Rgb& colour);
Rgb toRgb(const Hsv& colour);

// The colour a picker starts with when it is given none or text it cannot read: white.
inline constexpr Rgb kDefaultColour = {255, 255, 255};

// Reads "#RRGGBB" (hex digits in either case) from a NUL-terminated text, stopping at the NUL:
// the text must be exactly that, or that followed by a character that cannot continue a colour
// code (a blank, quote, ";"...). False for null or any other text.
bool parseHexColour(const char* text, Rgb* colour);
// "#RRGGBB" in upper-case digits.
std::string hexColour(const Rgb& colour);

// The B, G, R bytes the exports take and report.
inline Rgb fromBgr(const uint8_t* bgr) { return Rgb{bgr[2], bgr[1], bgr[0]}; }
inline void toBgr(const Rgb& colour, uint8_t* bgr) {
    bgr[0] = colour.blue;
    bgr[1] = colour.green;
    bgr[2] = colour.red;
}

}  // namespace huepick

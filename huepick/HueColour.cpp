// The colour model of the picker (see HueColour.h).
#include "HueColour.h"

#include <algorithm>
#include <cmath>

namespace huepick {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool continuesCode(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

uint8_t toByte(double unit) { return static_cast<uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0)); }

}  // namespace

Hsv toHsv(const Rgb& colour) {
    const double r = colour.red / 255.0, g = colour.green / 255.0, b = colour.blue / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b}), span = high - low;
    Hsv result;
    result.value = high;
    result.saturation = high > 0 ? span / high : 0;
    if (span > 0) {
        double hue;
        if (high == r)
            hue = (g - b) / span;
        else if (high == g)
            hue = 2 + (b - r) / span;
        else
            hue = 4 + (r - g) / span;
        hue *= 60;
        result.hue = hue < 0 ? hue + 360 : hue;
    }
    return result;
}

Rgb toRgb(const Hsv& colour) {
    const double h = std::fmod(std::max(colour.hue, 0.0), 360.0) / 60.0;
    const double s = std::clamp(colour.saturation, 0.0, 1.0), v = std::clamp(colour.value, 0.0, 1.0);
    const int sector = static_cast<int>(h);
    const double f = h - sector, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r, g, b;
    switch (sector) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
    }
    return Rgb{toByte(r), toByte(g), toByte(b)};
}

bool parseHexColour(const char* text, Rgb* colour) {
    if (!text || text[0] != '#') return false;
    int digits[6];
    for (int i = 0; i < 6; ++i) {
        // Each character is looked at only after the one before it was a digit: never past the NUL.
        digits[i] = hexDigit(text[1 + i]);
        if (digits[i] < 0) return false;
    }
    if (continuesCode(text[7])) return false;
    colour->red = static_cast<uint8_t>(digits[0] * 16 + digits[1]);
    colour->green = static_cast<uint8_t>(digits[2] * 16 + digits[3]);
    colour->blue = static_cast<uint8_t>(digits[4] * 16 + digits[5]);
    return true;
}

std::string hexColour(const Rgb& colour) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (uint8_t b : {colour.red, colour.green, colour.blue}) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

}  // namespace huepick

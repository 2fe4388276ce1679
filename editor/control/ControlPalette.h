// ControlPalette: the control's 40 colours (the 20 colour items and their one-eighth tints over
// the background) and the colour item each lexer token kind paints in.
#pragma once
#include <cstdint>

// One entry of the colour record passed at creation (20 entries in colour-item order).
struct ColourEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

namespace colour {
constexpr int32_t itemCount = 20;
constexpr int32_t paletteSize = 40;

// Colour items the painter names.
constexpr uint8_t background = 0;
constexpr uint8_t text = 1;
constexpr uint8_t selectionBackground = 2;
constexpr uint8_t selectedText = 3;
constexpr uint8_t marks = 4;
constexpr uint8_t lineNumbers = 9;

struct Rgb {
    uint8_t red, green, blue;
};

// Entries 0-19 are the items; entry 20 + i is (7 * background + item i) / 8 per channel.
void buildPalette(const ColourEntry items[itemCount], Rgb out[paletteSize]);

// The colour item of a token kind; unknown kinds paint as plain text.
uint8_t itemOfTokenKind(int32_t kind);
}  // namespace colour

// ControlPalette: building the 40 palette entries and mapping token kinds to colour items.
#include "ControlPalette.h"

namespace colour {

namespace {
uint8_t tint(uint8_t background, uint8_t value) { return static_cast<uint8_t>((7 * background + value) / 8); }
}  // namespace

void buildPalette(const ColourEntry items[itemCount], Rgb out[paletteSize]) {
    const ColourEntry& bg = items[background];
    for (int32_t i = 0; i < itemCount; ++i) {
        out[i] = {items[i].red, items[i].green, items[i].blue};
        out[itemCount + i] = {tint(bg.red, items[i].red), tint(bg.green, items[i].green),
                              tint(bg.blue, items[i].blue)};
    }
}

uint8_t itemOfTokenKind(int32_t kind) {
    switch (kind) {
    case 2: return 7;
    case 3: return 6;
    case 4: return 10;
    case 5: return 11;
    case 6: return 12;
    case 7: return 13;
    case 8: return 14;
    case 9: return 15;
    case 10: return 5;
    case 11:
    case 12:
    case 13: return 19;
    case 14: return 8;
    case 15: return 16;
    case 16: return 18;
    case 17: return 17;
    default: return text;
    }
}

}  // namespace colour

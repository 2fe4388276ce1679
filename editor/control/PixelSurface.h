// PixelSurface: an 8-bit picture whose pixel values are palette indices (the control's back
// buffer), with the fills, pixel marks and edge smoothing the painter writes straight into it.
#pragma once
#include <cstdint>

struct PixelSurface {
    uint8_t* bits = nullptr;   // top row first
    int32_t width = 0;         // pixels per row in use
    int32_t height = 0;
    int32_t stride = 0;        // bytes from one pixel row to the next

    uint8_t* row(int32_t y) const { return bits + static_cast<intptr_t>(y) * stride; }
    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void set(int32_t x, int32_t y, uint8_t index) const {
        if (contains(x, y)) row(y)[x] = index;
    }
    uint8_t get(int32_t x, int32_t y) const { return contains(x, y) ? row(y)[x] : 0; }

    // Fills pixel columns [x0, x1) of the pixel rows [y0, y0 + h) (clipped).
    void fill(int32_t x0, int32_t x1, int32_t y0, int32_t h, uint8_t index) const;
};

// Palette indices the painter writes directly.
namespace pixel {
constexpr uint8_t background = 0;
constexpr uint8_t selection = 2;
constexpr uint8_t mark = 4;
constexpr uint8_t tintBase = 20;   // 20 + i: colour i at one eighth over the background
}  // namespace pixel

// The marks for invisible characters, in index 4, placed in the character's cells whose top-left
// pixel is (x, y).
namespace marks {
// A downward arrow 5 wide and 8 tall, centred in the cell.
void lineEnd(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight);
// A small ">" of three pixels, centred in the cell.
void tab(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight);
// A line along the cell's second-lowest pixel row with an uptick at each end.
void halfWidthSpace(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight);
// A dotted square centred in the character's two cells.
void fullWidthSpace(const PixelSurface& s, int32_t x, int32_t y, int32_t cell, int32_t lineHeight);
}  // namespace marks

// Fills the staircase corners of text strokes inside [x0, x1) x [y0, y1): a background pixel
// directly left or right of a text pixel of index t (1 or 3-19) whose pixel above or below is
// also t becomes t + 20. Selection-background pixels are never touched.
void smoothPixels(const PixelSurface& s, int32_t x0, int32_t x1, int32_t y0, int32_t y1);

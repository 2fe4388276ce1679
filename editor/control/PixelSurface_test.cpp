// Tests of the pixel marks and the smoothing pass on an 8-bit surface.
#include "PixelSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Canvas {
    std::vector<uint8_t> bytes;
    PixelSurface surface;
    Canvas(int32_t w, int32_t h) : bytes(size_t(w * h), 0) {
        surface.bits = bytes.data();
        surface.width = surface.stride = w;
        surface.height = h;
    }
    int32_t marks() const {
        int32_t n = 0;
        for (uint8_t v : bytes) n += v == pixel::mark;
        return n;
    }
    // Rows of the area as text: '.' background, '#' mark, other indices as letters.
    std::string picture(int32_t x0, int32_t y0, int32_t w, int32_t h) const {
        std::string out;
        for (int32_t y = y0; y < y0 + h; ++y) {
            for (int32_t x = x0; x < x0 + w; ++x) {
                const uint8_t v = surface.get(x, y);
                out += v == 0 ? '.' : v == pixel::mark ? '#' : char('a' + v % 26);
            }
            out += '\n';
        }
        return out;
    }
};

}  // namespace

TEST(PixelMarks, LineEndIsADownwardArrowCentredInTheCell) {
    Canvas c(16, 16);
    marks::lineEnd(c.surface, 0, 0, 9, 14);   // arrow at x 2..6, y 3..10
    EXPECT_EQ(c.picture(2, 3, 5, 8),
              "..#..\n"
              "..#..\n"
              "..#..\n"
              "..#..\n"
              "..#..\n"
              "#.#.#\n"
              ".###.\n"
              "..#..\n");
    EXPECT_EQ(c.marks(), 12);   // nothing outside the arrow
}

TEST(PixelMarks, TabHalfAndFullWidthSpaceShapes) {
    Canvas c(32, 16);
    marks::tab(c.surface, 0, 0, 8, 16);
    EXPECT_EQ(c.picture(3, 6, 2, 3), "#.\n.#\n#.\n");
    Canvas h(8, 16);
    marks::halfWidthSpace(h.surface, 0, 0, 8, 16);
    EXPECT_EQ(h.picture(0, 13, 8, 2), ".#....#.\n.######.\n");
    Canvas f(16, 16);
    marks::fullWidthSpace(f.surface, 0, 0, 8, 16);   // side 8, at (4, 4)
    EXPECT_EQ(f.picture(4, 4, 8, 8),
              "#.#.#.##\n"
              "........\n"
              "#......#\n"
              "........\n"
              "#......#\n"
              "........\n"
              "#......#\n"
              "#.#.#.#.\n");
}

TEST(PixelMarks, MarksAreClippedAtTheSurfaceEdge) {
    // The surface is the first 4 x 4 pixels of a larger block: nothing may land in the rest.
    std::vector<uint8_t> block(64, 0);
    PixelSurface s;
    s.bits = block.data();
    s.width = s.height = s.stride = 4;
    marks::lineEnd(s, 2, 0, 8, 16);
    marks::fullWidthSpace(s, 3, 3, 8, 16);
    marks::halfWidthSpace(s, 3, 0, 8, 16);
    s.fill(-3, 9, -2, 40, 7);
    for (size_t i = 16; i < block.size(); ++i) EXPECT_EQ(block[i], 0) << i;
    EXPECT_EQ(block[0], 7);
}

TEST(Smoothing, FillsStaircaseCornersWithTheTint) {
    Canvas c(6, 4);
    // A diagonal stroke of index 1: (1,0) (2,1) (3,2).
    c.surface.set(1, 0, 1);
    c.surface.set(2, 1, 1);
    c.surface.set(3, 2, 1);
    smoothPixels(c.surface, 0, 6, 0, 4);
    // (2,0) lies right of (1,0) with (2,1) below it; (1,1) lies left of (2,1) with (1,0) above.
    EXPECT_EQ(c.surface.get(2, 0), 21);
    EXPECT_EQ(c.surface.get(1, 1), 21);
    EXPECT_EQ(c.surface.get(3, 1), 21);
    EXPECT_EQ(c.surface.get(2, 2), 21);
    EXPECT_EQ(c.surface.get(0, 0), 0);   // left of (1,0) but nothing above or below it is 1
    EXPECT_EQ(c.surface.get(4, 2), 0);
}

TEST(Smoothing, LeavesSelectionStraightStrokesAndOtherRowsAlone) {
    Canvas c(6, 8);
    for (int32_t y = 0; y < 4; ++y) c.surface.set(2, y, 5);   // a vertical stroke
    smoothPixels(c.surface, 0, 6, 0, 4);
    for (int32_t y = 0; y < 4; ++y) {
        EXPECT_EQ(c.surface.get(1, y), 0);
        EXPECT_EQ(c.surface.get(3, y), 0);
    }
    // Selection background and the selected-text colour's neighbours on it are never changed.
    Canvas s(6, 4);
    s.surface.fill(0, 6, 0, 4, pixel::selection);
    s.surface.set(1, 0, 3);
    s.surface.set(2, 1, 3);
    smoothPixels(s.surface, 0, 6, 0, 4);
    EXPECT_EQ(s.surface.get(2, 0), pixel::selection);
    // Index 2 is no text colour: its corners stay.
    Canvas t(6, 4);
    t.surface.set(1, 0, 2);
    t.surface.set(2, 1, 2);
    smoothPixels(t.surface, 0, 6, 0, 4);
    EXPECT_EQ(t.surface.get(2, 0), 0);
    // A stroke whose step crosses into the next display row is not smoothed across it.
    Canvas r(6, 8);
    r.surface.set(1, 3, 1);
    r.surface.set(2, 4, 1);
    smoothPixels(r.surface, 0, 6, 0, 4);
    smoothPixels(r.surface, 0, 6, 4, 8);
    EXPECT_EQ(r.surface.get(2, 3), 0);
    EXPECT_EQ(r.surface.get(1, 4), 0);
}

// PrintLayout: margins, row filling, page breaks, footers.
#include "PrintLayout.h"

#include <gtest/gtest.h>

namespace {

// A4 at 300 dpi: 2480 × 3508 dots with a 4 mm offset (47 dots).
PrintDevice a4() {
    PrintDevice d;
    d.horzRes = 2386;
    d.vertRes = 3414;
    d.dpiX = d.dpiY = 300;
    d.offsetX = d.offsetY = 47;
    return d;
}

}  // namespace

TEST(PrintMargins, FromTheOffsetsInWholeMillimetres) {
    PrintMargins m = printMargins(a4());  // offset 47 dots = 3.98 mm → 3 mm
    EXPECT_EQ(m.left, static_cast<int>(300 * 22 / 25.4));
    EXPECT_EQ(m.right, static_cast<int>(300 * 12 / 25.4));
    EXPECT_EQ(m.top, static_cast<int>(300 * 17 / 25.4));
    PrintDevice wide = a4();
    wide.offsetX = 300;  // 25 mm: the right margin would be negative
    EXPECT_EQ(printMargins(wide).right, 0);
    wide.offsetX = 300 * 8;  // 203 mm
    EXPECT_EQ(printMargins(wide).left, 0);
}

TEST(PrintRows, AtMostColumnsMinusOneCells) {
    std::string cells;
    const std::string ascii(100, 'x');
    EXPECT_EQ(PrintLayout::fillRow(ascii.data(), ascii.size(), 0, 60, cells), 59u);
    // A two-byte character that would take cells 59 and 60 moves to the next row.
    const std::string wide = std::string(58, 'x') + "\x95\x5c" + "y";
    cells.clear();
    EXPECT_EQ(PrintLayout::fillRow(wide.data(), wide.size(), 0, 60, cells), 58u);
    cells.clear();
    const std::string fits = std::string(57, 'x') + "\x95\x5c" + "y";
    EXPECT_EQ(PrintLayout::fillRow(fits.data(), fits.size(), 0, 60, cells), 59u);
}

TEST(PrintRows, TabsAreBlankCellsToTheNextStopOfFour) {
    std::string cells;
    const std::string line = "ab\tc";
    EXPECT_EQ(PrintLayout::fillRow(line.data(), line.size(), 0, 60, cells), 4u);
    EXPECT_EQ(cells, "ab  c");
    // A tab that reaches the edge ends the row right after it.
    cells.clear();
    const std::string edge = std::string(9, 'x') + "\tz";
    EXPECT_EQ(PrintLayout::fillRow(edge.data(), edge.size(), 0, 12, cells), 10u);
    EXPECT_EQ(cells, std::string(9, 'x') + "   ");
}

TEST(PrintRows, NarrowPagesStillAdvance) {
    std::string cells;
    const std::string line = "\x95\x5cxy";
    EXPECT_EQ(PrintLayout::fillRow(line.data(), line.size(), 0, 1, cells), 2u);
    cells.clear();
    EXPECT_EQ(PrintLayout::fillRow(line.data(), line.size(), 0, 0, cells), 2u);
}

TEST(PrintPages, OnePageHasNoFooterSeveralPagesAllHaveOne) {
    PrintLayout one(a4(), 25, 50);
    one.addLine("hello", 5);
    one.addLine("", 0);
    std::vector<PrintPage> pages = one.finish();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].hasFooter);
    ASSERT_EQ(pages[0].rows.size(), 2u);
    EXPECT_EQ(pages[0].rows[1].y, printMargins(a4()).top + 50);

    PrintLayout many(a4(), 25, 50);
    const int rowsPerPage = (a4().vertRes - 2 * printMargins(a4()).top) / 50;
    for (int i = 0; i < rowsPerPage * 2 + 1; ++i) many.addLine("x", 1);
    pages = many.finish();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].rows.size(), static_cast<size_t>(rowsPerPage));
    EXPECT_EQ(pages[2].footer.text, "- 3 -");
    EXPECT_TRUE(pages[0].hasFooter);
    EXPECT_EQ(pages[0].footer.text, "- 1 -");
    const PrintMargins m = printMargins(a4());
    EXPECT_EQ(pages[0].footer.x, m.left + (a4().horzRes - m.left - m.right - 25 * 5) / 2);
    EXPECT_EQ(pages[0].footer.y, a4().vertRes - m.top + (m.top - 50) / 2);
}

TEST(PrintPages, ALineTallerThanThePageStillPrintsOnTheFirstPage) {
    PrintLayout tall(a4(), 25, 5000);
    tall.addLine("a", 1);
    tall.addLine("b", 1);
    std::vector<PrintPage> pages = tall.finish();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rows.size(), 1u);
}

TEST(PrintDialog, OnlyNoDefaultPrinterGetsTheBox) {
    EXPECT_TRUE(printDialogFailureNeedsBox(0x1008));
    EXPECT_FALSE(printDialogFailureNeedsBox(0));  // cancelled, or Wine without any printer
}

// PrintLayout: where the document's text goes on printed pages. Device metrics, the cell size of
// the fixed-pitch font and the document's lines in; pages of positioned rows and footers out.
// Tabs are laid out as blank cells to the next multiple of 4; a two-byte character takes two cells.
#pragma once
#include <string>
#include <vector>

struct PrintDevice {
    int horzRes = 0, vertRes = 0;  // printable area in device units
    int dpiX = 0, dpiY = 0;        // pixels per inch
    int offsetX = 0, offsetY = 0;  // physical offset of the printable area from the paper edge
};

// Margins in device units measured from the printable area's edge; never negative.
struct PrintMargins {
    int left = 0, right = 0, top = 0;
};
PrintMargins printMargins(const PrintDevice& device);

struct PrintRow {
    int x = 0, y = 0;
    std::string text;  // Shift_JIS; tabs already turned into blanks
};

struct PrintPage {
    std::vector<PrintRow> rows;
    bool hasFooter = false;
    PrintRow footer;  // "- n -"
};

class PrintLayout {
public:
    PrintLayout(const PrintDevice& device, int cellWidth, int lineHeight);

    int columns() const { return columns_; }
    // Adds one line of the document (without its line break).
    void addLine(const char* text, size_t length);
    // The pages; footers only when the document took more than one page.
    std::vector<PrintPage> finish();

    // Cells of one row starting at start; returns the index after the row's last byte and appends
    // the row's text to cells. A row always takes at least one character.
    static size_t fillRow(const char* text, size_t length, size_t start, int columns, std::string& cells);

private:
    void addRow(std::string text);
    void newPage();
    PrintRow footerFor(int page) const;

    PrintDevice device_;
    PrintMargins margins_;
    int cellWidth_, lineHeight_, columns_;
    int y_ = 0;
    std::vector<PrintPage> pages_;
};

// The box to show when the print dialog returns without a device context: true only for the
// "no default printer" failure (extended error PDERR_NODEFAULTPRN, 0x1008).
bool printDialogFailureNeedsBox(unsigned long extendedError);

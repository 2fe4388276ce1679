// PrintLayout: margins, rows and pages for printing.
#include "PrintLayout.h"

#include <cstdio>

namespace {

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// One margin: pixels per inch × (millimetres − offset in whole millimetres) / 25.4, truncated.
// An offset of 200 mm or more, or one larger than the margin, gives 0.
int margin(int dpi, int offset, int millimetres) {
    if (dpi <= 0) return 0;
    const int offsetMm = static_cast<int>(offset * 25.4 / dpi);
    if (offsetMm >= 200) return 0;
    const int value = static_cast<int>(dpi * (millimetres - offsetMm) / 25.4);
    return value > 0 ? value : 0;
}

}  // namespace

PrintMargins printMargins(const PrintDevice& device) {
    PrintMargins m;
    m.left = margin(device.dpiX, device.offsetX, 25);
    m.right = margin(device.dpiX, device.offsetX, 15);
    m.top = margin(device.dpiY, device.offsetY, 20);
    return m;
}

PrintLayout::PrintLayout(const PrintDevice& device, int cellWidth, int lineHeight)
    : device_(device),
      margins_(printMargins(device)),
      cellWidth_(cellWidth > 0 ? cellWidth : 1),
      lineHeight_(lineHeight > 0 ? lineHeight : 1) {
    const int width = device.horzRes - margins_.left - margins_.right;
    columns_ = width > 0 ? width / cellWidth_ : 0;
    pages_.emplace_back();
}

size_t PrintLayout::fillRow(const char* text, size_t length, size_t start, int columns, std::string& cells) {
    int used = 0;
    size_t i = start;
    while (i < length) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\t') {
            const int next = (used / 4 + 1) * 4;
            cells.append(next - used, ' ');
            used = next;
            ++i;
            if (used >= columns) break;
            continue;
        }
        const size_t bytes = isLeadByte(c) && i + 1 < length ? 2 : 1;
        const int width = static_cast<int>(bytes);
        // Ends before a character that would reach the last column, but never before the first.
        if (used + width >= columns && i > start) break;
        cells.append(text + i, bytes);
        used += width;
        i += bytes;
    }
    return i;
}

void PrintLayout::newPage() {
    pages_.back().footer = footerFor(static_cast<int>(pages_.size()));
    pages_.emplace_back();
    y_ = 0;
}

void PrintLayout::addRow(std::string text) {
    // A page always takes at least one row, however tall the line is.
    if (y_ > 0 && y_ + lineHeight_ > device_.vertRes - 2 * margins_.top) newPage();
    PrintRow row;
    row.x = margins_.left;
    row.y = margins_.top + y_;
    row.text = std::move(text);
    pages_.back().rows.push_back(std::move(row));
    y_ += lineHeight_;
}

void PrintLayout::addLine(const char* text, size_t length) {
    size_t i = 0;
    do {
        std::string cells;
        i = fillRow(text, length, i, columns_, cells);
        addRow(std::move(cells));
    } while (i < length);
}

PrintRow PrintLayout::footerFor(int page) const {
    char number[32];
    const int length = std::snprintf(number, sizeof number, "- %d -", page);
    const int printable = device_.horzRes - margins_.left - margins_.right;
    PrintRow footer;
    footer.text = number;
    footer.x = margins_.left + (printable - cellWidth_ * length) / 2;
    footer.y = device_.vertRes - margins_.top + (margins_.top - lineHeight_) / 2;
    return footer;
}

std::vector<PrintPage> PrintLayout::finish() {
    if (pages_.size() > 1) {
        pages_.back().footer = footerFor(static_cast<int>(pages_.size()));
        for (PrintPage& page : pages_) page.hasFooter = true;
    }
    return std::move(pages_);
}

bool printDialogFailureNeedsBox(unsigned long extendedError) { return extendedError == 0x1008; }

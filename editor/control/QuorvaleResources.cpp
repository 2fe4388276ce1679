// Quorvale: the drawing resources the control owns: font and cell, palette and brushes, the 8-bit
// back buffer with its memory device context and row-width arrays.
#include <cstring>
#include <initializer_list>
#include <new>

#include "Quorvale.h"

bool Quorvale::createFont(const char* faceName, int points) {
    font_ = CreateFontA(-(points * 96 / 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                        faceName);
    if (font_ == nullptr) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return false;
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE space = {};
    TEXTMETRICA metrics = {};
    const bool ok = GetTextExtentPoint32A(dc, " ", 1, &space) && GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    if (!ok || space.cx <= 0 || metrics.tmHeight <= 0) return false;
    cell_ = space.cx;
    lineHeight_ = metrics.tmHeight;
    geometry_.cell = cell_;
    geometry_.lineHeight = lineHeight_;
    return true;
}

bool Quorvale::createPalette(const ColourEntry* colours) {
    colour::buildPalette(colours, colours_);
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[colour::paletteSize];
    } logical = {0x300, colour::paletteSize, {}};
    for (int32_t i = 0; i < colour::paletteSize; ++i)
        logical.entries[i] = {colours_[i].red, colours_[i].green, colours_[i].blue, 0};
    palette_ = CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
    if (palette_ == nullptr) return false;
    backgroundBrush_ = CreateSolidBrush(PALETTEINDEX(colour::background));
    selectionBrush_ = CreateSolidBrush(PALETTEINDEX(colour::selectionBackground));
    gutterBrush_ = CreateSolidBrush(PALETTEINDEX(colour::lineNumbers));
    return backgroundBrush_ != nullptr && selectionBrush_ != nullptr && gutterBrush_ != nullptr;
}

// Sized to the screen once, so that painting never allocates: with a fixed wrap width W + 5
// cells wide, else the screen width less the plain gutter; two rows taller than the screen.
bool Quorvale::createBackBuffer() {
    int32_t width = (flags_ & ecflag::fixedWrap) ? (wrapWidth() + 5) * cell_
                                                 : GetSystemMetrics(SM_CXSCREEN) - layout::plainGutter;
    if (width < 5 * cell_) width = 5 * cell_;
    width = (width + 3) & ~3;
    ringRows_ = GetSystemMetrics(SM_CYSCREEN) / lineHeight_ + 2;
    const int32_t height = lineHeight_ * ringRows_;

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;   // top row first
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = colour::paletteSize;
    for (int32_t i = 0; i < colour::paletteSize; ++i)
        info.colours[i] = {colours_[i].blue, colours_[i].green, colours_[i].red, 0};
    void* bits = nullptr;
    bufferDc_ = CreateCompatibleDC(nullptr);
    if (bufferDc_ == nullptr) return false;
    bufferBitmap_ = CreateDIBSection(bufferDc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                     nullptr, 0);
    if (bufferBitmap_ == nullptr || bits == nullptr) return false;
    bufferOldBitmap_ = SelectObject(bufferDc_, bufferBitmap_);
    bufferOldFont_ = SelectObject(bufferDc_, font_);
    SetBkMode(bufferDc_, TRANSPARENT);
    SetTextAlign(bufferDc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    surface_.bits = static_cast<uint8_t*>(bits);
    surface_.width = width;
    surface_.height = height;
    surface_.stride = width;
    std::memset(bits, colour::background, size_t(width) * size_t(height));

    bufferRowWidths_ = new (std::nothrow) int32_t[size_t(ringRows_)];
    shownRowWidths_ = new (std::nothrow) int32_t[size_t(ringRows_)];
    if (bufferRowWidths_ == nullptr || shownRowWidths_ == nullptr) return false;
    for (int32_t i = 0; i < ringRows_; ++i) {
        bufferRowWidths_[i] = 0;
        shownRowWidths_[i] = layout::firstShownWidth;
    }
    return true;
}

void Quorvale::releaseResources() {
    delete[] shownRowWidths_;
    delete[] bufferRowWidths_;
    shownRowWidths_ = bufferRowWidths_ = nullptr;
    if (bufferDc_ != nullptr) {
        if (bufferOldFont_ != nullptr) SelectObject(bufferDc_, bufferOldFont_);
        if (bufferOldBitmap_ != nullptr) SelectObject(bufferDc_, bufferOldBitmap_);
    }
    if (bufferBitmap_ != nullptr) DeleteObject(bufferBitmap_);
    if (bufferDc_ != nullptr) DeleteDC(bufferDc_);
    bufferBitmap_ = nullptr;
    bufferDc_ = nullptr;
    surface_ = PixelSurface();
    for (HBRUSH* brush : {&gutterBrush_, &selectionBrush_, &backgroundBrush_}) {
        if (*brush != nullptr) DeleteObject(*brush);
        *brush = nullptr;
    }
    if (palette_ != nullptr) DeleteObject(palette_);
    palette_ = nullptr;
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;
    destroy();   // the text store
}

uint8_t Quorvale::paletteIndexOfRgb(COLORREF rgb) const {
    for (int32_t i = 0; i < colour::paletteSize; ++i)
        if (RGB(colours_[i].red, colours_[i].green, colours_[i].blue) == rgb) return static_cast<uint8_t>(i);
    return 0xFF;
}

// ToolBar: drawing resources, the background, buttons and separators, and painting.
#include "ToolBar.h"

namespace bars {

bool ToolBar::createResources() {
    if (!surface_.create(window_, kToolBarHeight)) return false;
    shadowBrush_ = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    highlightBrush_ = CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    faceBrush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    return shadowBrush_ != nullptr && highlightBrush_ != nullptr && faceBrush_ != nullptr;
}

void ToolBar::releaseResources() {
    surface_.destroy();
    for (HBRUSH* brush : {&faceBrush_, &highlightBrush_, &shadowBrush_}) {
        if (*brush != nullptr) DeleteObject(*brush);
        *brush = nullptr;
    }
}

void ToolBar::paintBackground() {
    HDC dc = surface_.dc();
    const int width = surface_.width();
    RECT shadow{0, 0, width, 1}, highlight{0, 1, width, 2}, face{0, 2, width, kToolBarHeight};
    FillRect(dc, &shadow, shadowBrush_);
    FillRect(dc, &highlight, highlightBrush_);
    FillRect(dc, &face, faceBrush_);
}

void ToolBar::addSeparator(int x) {
    if (surface_.dc() == nullptr) return;
    RECT shadow{x, kToolSeparatorTop, x + 1, kToolSeparatorTop + kToolSeparatorHeight};
    RECT highlight{x + 1, kToolSeparatorTop, x + 2, kToolSeparatorTop + kToolSeparatorHeight};
    FillRect(surface_.dc(), &shadow, shadowBrush_);
    FillRect(surface_.dc(), &highlight, highlightBrush_);
    RECT both{x, kToolSeparatorTop, x + 2, kToolSeparatorTop + kToolSeparatorHeight};
    InvalidateRect(window_, &both, FALSE);
}

void ToolBar::drawButton(size_t index, PointerState look) {
    HDC dc = surface_.dc();
    if (dc == nullptr || index >= buttons_.size()) return;
    const Button& b = buttons_[index];
    RECT area{b.x, kToolButtonTop, b.x + kToolButtonSize, kToolButtonTop + kToolButtonSize};
    FillRect(dc, &area, faceBrush_);
    const int iconX = b.x + kToolButtonInset, iconY = kToolButtonTop + kToolButtonInset;
    if ((b.flags & kToolDisabled) != 0) {
        if (b.greyedIcon != nullptr) {
            DrawIconEx(dc, iconX, iconY, b.greyedIcon, kToolIconSize, kToolIconSize, 0, nullptr,
                       DI_NORMAL);
        } else if (b.icon != nullptr) {
            // No greyed picture given: let the system grey the normal one.
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(b.icon), 0, iconX, iconY,
                       kToolIconSize, kToolIconSize, DST_ICON | DSS_DISABLED);
        }
    } else {
        HICON frame = look == PointerState::Hot       ? hotFrame_
                      : look == PointerState::Pressed ? pressedFrame_
                                                      : nullptr;
        if (frame != nullptr) {
            DrawIconEx(dc, b.x, kToolButtonTop, frame, kToolButtonSize, kToolButtonSize, 0,
                       nullptr, DI_NORMAL);
        }
        const int shift = look == PointerState::Pressed ? 1 : 0;
        if (b.icon != nullptr) {
            DrawIconEx(dc, iconX + shift, iconY + shift, b.icon, kToolIconSize, kToolIconSize, 0,
                       nullptr, DI_NORMAL);
        }
    }
    InvalidateRect(window_, &area, FALSE);
}

void ToolBar::onPaint() {
    PaintGuard paint(window_);
    const RECT& r = paint.area();
    // The bitmap covers the bar's height and the screen's width; anything beyond is button face.
    const int right = r.right < surface_.width() ? r.right : surface_.width();
    const int bottom = r.bottom < kToolBarHeight ? r.bottom : kToolBarHeight;
    if (right > r.left && bottom > r.top) {
        BitBlt(paint.dc(), r.left, r.top, right - r.left, bottom - r.top, surface_.dc(), r.left,
               r.top, SRCCOPY);
    }
    RECT beyond{right > r.left ? right : r.left, r.top, r.right, r.bottom};
    RECT below{r.left, bottom > r.top ? bottom : r.top, beyond.left, r.bottom};
    FillRect(paint.dc(), &beyond, faceBrush_);
    FillRect(paint.dc(), &below, faceBrush_);
}

}  // namespace bars

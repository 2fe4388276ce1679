// TabBar: drawing resources, layout, drawing the tabs into the off-screen bitmap and painting.
#include <algorithm>

#include "PathNames.h"
#include "TabBar.h"
#include "TabLayout.h"

namespace bars {

namespace {

// SaveDC / RestoreDC, for a clip region limited to one tab.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, saved_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace

bool TabBar::createResources() {
    if (!surface_.create(window_, kTabBarHeight)) return false;
    faceBrush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    font_ = CreateFontA(kTabBarFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        kTabBarFontPitchAndFamily, kTabBarFontFace);
    if (faceBrush_ == nullptr || font_ == nullptr) return false;
    oldFont_ = SelectObject(surface_.dc(), font_);
    SetBkMode(surface_.dc(), TRANSPARENT);
    SetTextColor(surface_.dc(), GetSysColor(COLOR_BTNTEXT));
    RECT all{0, 0, surface_.width(), kTabBarHeight};
    FillRect(surface_.dc(), &all, faceBrush_);
    return true;
}

void TabBar::releaseResources() {
    if (oldFont_ != nullptr && surface_.dc() != nullptr) SelectObject(surface_.dc(), oldFont_);
    oldFont_ = nullptr;
    surface_.destroy();
    if (faceBrush_ != nullptr) DeleteObject(faceBrush_);
    if (font_ != nullptr) DeleteObject(font_);
    faceBrush_ = nullptr;
    font_ = nullptr;
}

void TabBar::ensureLayout() {
    if (pad_ >= 0 || surface_.dc() == nullptr) return;
    layout();
    InvalidateRect(window_, nullptr, FALSE);
}

void TabBar::layout() {
    std::vector<TabMeasure> measures;
    for (TabItem& t : tabs_) {
        if (t.textWidth < 0) {
            const std::string name = sjis_path::fileNamePart(t.text);
            SIZE size{0, 0};
            GetTextExtentPoint32A(surface_.dc(), name.c_str(), static_cast<int>(name.size()),
                                  &size);
            t.textWidth = size.cx;
        }
        measures.push_back({t.textWidth, t.iconWidth});
    }
    const TabLayoutResult result = layoutTabs(measures, barWidth_);
    for (size_t i = 0; i < tabs_.size(); ++i) {
        tabs_[i].x = result.x[i];
        tabs_[i].width = result.width[i];
    }
    pad_ = result.pad;
    laidOutWidth_ = result.total;
    refreshToolTips();
    for (size_t i = 0; i < tabs_.size(); ++i) {
        PointerState look = PointerState::None;
        if (pointer_.state() != PointerState::None && pointer_.item() == static_cast<int>(i)) {
            look = pointer_.state() == PointerState::Pressed && !pointer_.inside()
                       ? PointerState::None
                       : pointer_.state();
        }
        drawTab(i, look);
    }
}

void TabBar::refreshToolTips() {
    if (toolTip_ == nullptr) return;
    for (const TabItem& t : tabs_) {
        const UINT_PTR id = reinterpret_cast<UINT_PTR>(t.key);
        deleteTool(toolTip_, window_, id);
        const RECT area{t.x, 0, t.x + t.width, kTabBarHeight};
        addTool(toolTip_, window_, id, area, t.text.c_str());
    }
}

void TabBar::drawTab(size_t index, PointerState look) {
    const TabItem& t = tabs_[index];
    HDC dc = surface_.dc();
    const int right = std::min(t.x + t.width, surface_.width());
    if (dc == nullptr || t.x >= right) return;
    SavedDc saved(dc);
    IntersectClipRect(dc, t.x, 0, right, kTabBarHeight);
    RECT area{t.x, 0, right, kTabBarHeight};
    if ((t.flags & kTabOwn) != 0 || look == PointerState::None) {
        FillRect(dc, &area, faceBrush_);
    } else {
        RECT top{t.x, 0, right, 1};
        RECT rest{t.x, 1, right, kTabBarHeight};
        FillRect(dc, &top, faceBrush_);
        FillRect(dc, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    HICON icon = active_ ? t.icon : t.inactiveIcon;
    if (icon != nullptr) DrawIconEx(dc, t.x + pad_, 1, icon, 0, 0, 0, nullptr, DI_NORMAL);
    RECT text{t.x + pad_ + t.iconWidth, 0, t.x + t.width - pad_, kTabBarHeight};
    if (look == PointerState::Pressed) OffsetRect(&text, 1, 1);
    if (text.right <= text.left) return;
    const std::string name = sjis_path::fileNamePart(t.text);
    DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &text,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TabBar::onPaint() {
    PaintGuard paint(window_);
    if (pad_ < 0 && surface_.dc() != nullptr) layout();  // this paint shows it
    RECT client;
    GetClientRect(window_, &client);
    const int copyWidth = std::min({laidOutWidth_, surface_.width(), int(client.right)});
    const int copyHeight = std::min<int>(kTabBarHeight, client.bottom);
    if (copyWidth > 0 && copyHeight > 0) {
        BitBlt(paint.dc(), 0, 0, copyWidth, copyHeight, surface_.dc(), 0, 0, SRCCOPY);
    }
    RECT right{std::max(copyWidth, 0), 0, client.right, client.bottom};
    RECT below{0, copyHeight, std::max(copyWidth, 0), client.bottom};
    FillRect(paint.dc(), &right, faceBrush_);
    FillRect(paint.dc(), &below, faceBrush_);
}

}  // namespace bars

// TabBar: creation, the tab list and the message handlers (drawing is in TabBarPaint.cpp).
#include "TabBar.h"

#include <windowsx.h>

#include <new>

namespace bars {

TabBar::TabBar() = default;

TabBar::~TabBar() {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

bool TabBar::create(DWORD exStyle, DWORD style, HINSTANCE instance, HWND parent) {
    if (window_ != nullptr) return false;
    instance_ = instance;
    parent_ = parent;
    if (!registerBarClass(kTabBarClassName, barWindowProc<TabBar>, instance)) return false;
    // A failing WM_CREATE destroys the window, which releases what was made.
    HWND window = CreateWindowExA(exStyle, kTabBarClassName, nullptr, style, 100, 100, 0, 0,
                                  parent, nullptr, instance, this);
    if (window == nullptr) return false;
    ShowWindow(window, SW_SHOW);
    return true;
}

bool TabBar::add(const char* text, UINT command, HWND key, UINT flags, HICON icon, int iconWidth,
                 HICON inactiveIcon) {
    if (tabs_.size() >= kMaxTabs) return false;
    try {
        TabItem item;
        item.flags = flags;
        item.command = command;
        item.key = key;
        item.iconWidth = icon != nullptr && iconWidth > 0 ? iconWidth : 0;
        item.icon = icon;
        item.inactiveIcon = inactiveIcon != nullptr ? inactiveIcon : icon;
        item.text = text != nullptr ? text : "";
        tabs_.push_back(std::move(item));
    } catch (const std::bad_alloc&) {
        return false;
    }
    pad_ = -1;
    return true;
}

int TabBar::findTab(HWND key) const {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i].key == key) return static_cast<int>(i);
    }
    return -1;
}

bool TabBar::remove(HWND key) {
    const int index = findTab(key);
    if (index < 0) return false;
    // The pointer model's item numbers shift: end any hot or pressed state first.
    if (pointer_.state() != PointerState::None) {
        pointer_.captureLost();
        if (GetCapture() == window_) ReleaseCapture();
    }
    if (toolTip_ != nullptr) deleteTool(toolTip_, window_, reinterpret_cast<UINT_PTR>(key));
    tabs_.erase(tabs_.begin() + index);
    pad_ = -1;
    return true;
}

bool TabBar::rename(HWND key, const char* text) {
    const int index = findTab(key);
    if (index < 0) return false;
    try {
        tabs_[index].text = text != nullptr ? text : "";
    } catch (const std::bad_alloc&) {
        return false;
    }
    tabs_[index].textWidth = -1;
    pad_ = -1;
    return true;
}

void TabBar::setActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    pad_ = -1;
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void TabBar::repaint() {
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

LRESULT TabBar::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (routeBarMessage(*this, window, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_SIZE:
        onSize(lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT TabBar::onCreate() {
    toolTip_ = createToolTipWindow(window_, instance_);
    if (toolTip_ == nullptr || !createResources()) return -1;
    return 0;
}

void TabBar::onDestroy() {
    if (GetCapture() == window_) ReleaseCapture();
    releaseResources();
    if (toolTip_ != nullptr && IsWindow(toolTip_)) DestroyWindow(toolTip_);
    toolTip_ = nullptr;
    tabs_.clear();
    pad_ = -1;
}

void TabBar::onSize(LPARAM lParam) {
    barWidth_ = LOWORD(lParam);
    pad_ = -1;
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT TabBar::onMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_MOUSEMOVE: pointer_.move(hitTest(x, y)); break;
    case WM_LBUTTONDOWN: pointer_.buttonDown(hitTest(x, y), false); break;
    case WM_LBUTTONUP: pointer_.buttonUp(); break;
    case WM_MOUSELEAVE: pointer_.leave(); break;
    case WM_CAPTURECHANGED: pointer_.captureLost(); break;
    case WM_RBUTTONDOWN: SendMessageA(parent_, WM_RBUTTONDOWN, wParam, lParam); break;
    }
    return 0;
}

int TabBar::hitTest(int x, int y) {
    if (y < 0 || y >= kTabBarHeight) return -1;
    ensureLayout();
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (x >= tabs_[i].x && x < tabs_[i].x + tabs_[i].width) return static_cast<int>(i);
    }
    return -1;
}

RECT TabBar::tabRect(size_t index) {
    ensureLayout();
    if (index >= tabs_.size()) return RECT{0, 0, 0, 0};
    const TabItem& t = tabs_[index];
    return RECT{t.x, 0, t.x + t.width, kTabBarHeight};
}

int TabBar::sidePad() {
    ensureLayout();
    return pad_;
}

void TabBar::PointerHooks::drawItem(int item, PointerState look) {
    if (bar_.window_ == nullptr) return;
    if (bar_.pad_ < 0 || item < 0 || static_cast<size_t>(item) >= bar_.tabs_.size()) {
        InvalidateRect(bar_.window_, nullptr, FALSE);  // the next paint lays out and draws all
        return;
    }
    bar_.drawTab(static_cast<size_t>(item), look);
    const RECT area = bar_.tabRect(static_cast<size_t>(item));
    InvalidateRect(bar_.window_, &area, FALSE);
}

void TabBar::PointerHooks::fireItem(int item) {
    if (item < 0 || static_cast<size_t>(item) >= bar_.tabs_.size()) return;
    const TabItem& t = bar_.tabs_[static_cast<size_t>(item)];
    SendMessageA(bar_.parent_, WM_COMMAND, t.command, reinterpret_cast<LPARAM>(t.key));
}

}  // namespace bars

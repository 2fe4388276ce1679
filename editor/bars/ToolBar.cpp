// ToolBar: creation, buttons and the message handlers (drawing is in ToolBarPaint.cpp).
#include "ToolBar.h"

#include <windowsx.h>

#include <new>

namespace bars {

ToolBar::~ToolBar() {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

bool ToolBar::create(DWORD exStyle, DWORD style, HINSTANCE instance, HWND parent,
                     UINT oneShotCommand) {
    if (window_ != nullptr) return false;
    instance_ = instance;
    parent_ = parent;
    oneShot_ = oneShotCommand;
    if (!registerBarClass(kToolBarClassName, barWindowProc<ToolBar>, instance)) return false;
    // A failing WM_CREATE destroys the window, which releases what was made.
    return CreateWindowExA(exStyle, kToolBarClassName, nullptr, style, 100, 100, 0, 0, parent,
                           nullptr, instance, this) != nullptr;
}

void ToolBar::setFrames(HICON hot, HICON pressed) {
    hotFrame_ = hot;
    pressedFrame_ = pressed;
}

bool ToolBar::addButton(int x, UINT command, HICON icon, HICON greyedIcon, uint32_t flags,
                        const char* toolTip) {
    if (buttons_.size() >= kMaxToolButtons || window_ == nullptr) return false;
    Button button;
    button.x = x - kToolButtonInset;
    button.icon = icon;
    button.greyedIcon = greyedIcon;
    button.command = command;
    button.flags = flags;
    try {
        buttons_.push_back(button);
    } catch (const std::bad_alloc&) {
        return false;
    }
    drawButton(buttons_.size() - 1, PointerState::None);
    if (toolTip != nullptr && toolTip_ != nullptr) {
        buttons_.back().hasToolTip =
            addTool(toolTip_, window_, command, toolArea(buttons_.back()), toolTip);
    }
    return true;
}

bool ToolBar::setFlags(UINT command, uint32_t flags) {
    const int index = findButton(command);
    if (index < 0) return false;
    buttons_[index].flags = flags;
    if ((flags & kToolDisabled) != 0 && GetCapture() == window_) {
        ReleaseCapture();  // ends the hot or pressed state
        pointer_.captureLost();
    }
    const bool tracked = pointer_.state() != PointerState::None && pointer_.item() == index;
    drawButton(static_cast<size_t>(index), tracked ? pointer_.state() : PointerState::None);
    InvalidateRect(window_, nullptr, FALSE);
    return true;
}

bool ToolBar::setToolTip(UINT command, const char* text) {
    const int index = findButton(command);
    if (index < 0 || toolTip_ == nullptr || text == nullptr) return false;
    Button& button = buttons_[index];
    if (button.hasToolTip) return updateToolText(toolTip_, window_, command, text);
    button.hasToolTip = addTool(toolTip_, window_, command, toolArea(button), text);
    return button.hasToolTip;
}

int ToolBar::findButton(UINT command) const {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].command == command) return static_cast<int>(i);
    }
    return -1;
}

int ToolBar::hitTest(int x, int y) const {
    if (y < kToolButtonTop || y >= kToolButtonTop + kToolButtonSize) return -1;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const Button& b = buttons_[i];
        if ((b.flags & kToolDisabled) == 0 && x >= b.x && x < b.x + kToolButtonSize) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

RECT ToolBar::toolArea(const Button& button) const {
    // The given position less 4 to plus 20, i.e. the button's frame.
    return RECT{button.x, kToolButtonTop, button.x + kToolButtonSize,
                kToolButtonTop + kToolButtonSize};
}

LRESULT ToolBar::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (routeBarMessage(*this, window, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_COMMAND:
        return SendMessageA(parent_, WM_COMMAND, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT ToolBar::onCreate() {
    toolTip_ = createToolTipWindow(window_, instance_);
    if (toolTip_ == nullptr || !createResources()) return -1;
    paintBackground();
    return 0;
}

void ToolBar::onDestroy() {
    if (GetCapture() == window_) ReleaseCapture();
    releaseResources();
    if (toolTip_ != nullptr && IsWindow(toolTip_)) DestroyWindow(toolTip_);
    toolTip_ = nullptr;
    buttons_.clear();
}

LRESULT ToolBar::onMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        if (oneShot_ != 0) {
            const UINT command = oneShot_;
            oneShot_ = 0;
            PostMessageA(parent_, WM_COMMAND, command, 0);
        }
        pointer_.move(hitTest(x, y));
        break;
    case WM_LBUTTONDOWN: {
        const int hit = hitTest(x, y);
        const bool fireOnDown = hit >= 0 && (buttons_[hit].flags & kToolFireOnDown) != 0;
        pointer_.buttonDown(hit, fireOnDown);
        break;
    }
    case WM_LBUTTONUP: pointer_.buttonUp(); break;
    case WM_MOUSELEAVE: pointer_.leave(); break;
    case WM_CAPTURECHANGED: pointer_.captureLost(); break;
    case WM_RBUTTONDOWN: SendMessageA(parent_, WM_RBUTTONDOWN, wParam, lParam); break;
    }
    return 0;
}

void ToolBar::PointerHooks::drawItem(int item, PointerState look) {
    if (item < 0 || static_cast<size_t>(item) >= bar_.buttons_.size()) return;
    bar_.drawButton(static_cast<size_t>(item), look);
}

void ToolBar::PointerHooks::fireItem(int item) {
    if (item < 0 || static_cast<size_t>(item) >= bar_.buttons_.size()) return;
    const Button& b = bar_.buttons_[static_cast<size_t>(item)];
    const LPARAM lParam = (b.flags & kToolPassX) != 0 ? b.x : 0;
    if ((b.flags & kToolPost) != 0) {
        PostMessageA(bar_.parent_, WM_COMMAND, b.command, lParam);
    } else {
        SendMessageA(bar_.parent_, WM_COMMAND, b.command, lParam);
    }
}

}  // namespace bars

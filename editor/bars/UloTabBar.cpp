// UloTabBar: context menu, window commands and the history menu.
#include "UloTabBar.h"

#include <windowsx.h>

#include <cstdio>

#include "PathNames.h"
#include "RecentFiles.h"

namespace bars {

namespace {

// A popup menu destroyed (with its submenus) at the end of the scope.
class MenuGuard {
public:
    MenuGuard() : menu_(CreatePopupMenu()) {}
    ~MenuGuard() {
        if (menu_ != nullptr) DestroyMenu(menu_);
    }
    MenuGuard(const MenuGuard&) = delete;
    MenuGuard& operator=(const MenuGuard&) = delete;
    HMENU get() const { return menu_; }
    HMENU release() {
        HMENU m = menu_;
        menu_ = nullptr;
        return m;
    }

private:
    HMENU menu_;
};

// Sets the foreground lock time-out to 0 for the guard's lifetime, so that a window closed from
// here may bring its own questions to the front.
class ForegroundLockOff {
public:
    ForegroundLockOff() {
        saved_ = SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout_, 0) != 0;
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    }
    ~ForegroundLockOff() {
        if (saved_) {
            SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                  reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout_)), 0);
        }
    }
    ForegroundLockOff(const ForegroundLockOff&) = delete;
    ForegroundLockOff& operator=(const ForegroundLockOff&) = delete;

private:
    DWORD timeout_ = 0;
    bool saved_ = false;
};

void clearMenu(HMENU menu) {
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

LRESULT UloTabBar::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONTEXTMENU:
        onContextMenu(lParam);
        return 0;
    case WM_COMMAND:
        return onCommand(wParam, lParam);
    case WM_DESTROY:
        history_.clear();
        history_.shrink_to_fit();
        rightClicked_ = nullptr;
        return TabBar::windowProc(window, message, wParam, lParam);
    default:
        return TabBar::windowProc(window, message, wParam, lParam);
    }
}

size_t UloTabBar::fillHistoryMenu(HMENU menu, bool placeholder) {
    clearMenu(menu);
    history_ = readRecentFiles();
    if (history_.size() > kHistoryMenuEntries) history_.resize(kHistoryMenuEntries);
    if (history_.empty()) {
        if (placeholder) AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, kHistoryNoneText);
        return 0;
    }
    const std::vector<std::string> names = uniqueNames(history_);
    for (size_t k = 0; k < names.size(); ++k) {
        AppendMenuA(menu, MF_STRING, kHistoryFirstCommand + k, menuEscaped(names[k]).c_str());
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kHistoryClearCommand, kHistoryClearText);
    return history_.size();
}

const char* UloTabBar::historyPath(size_t k) const {
    return k < history_.size() ? history_[k].c_str() : nullptr;
}

void UloTabBar::onContextMenu(LPARAM lParam) {
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) GetCursorPos(&screen);  // from the keyboard: where the pointer is
    POINT client = screen;
    ScreenToClient(window(), &client);
    const int hit = hitTest(client.x, client.y);
    rightClicked_ = hit >= 0 ? tabKey(static_cast<size_t>(hit)) : nullptr;

    MenuGuard menu;
    if (menu.get() == nullptr) return;
    if (hit >= 0) {
        const std::string name = menuEscaped(sjis_path::fileNamePart(tabText(static_cast<size_t>(hit))));
        std::vector<char> label(name.size() + sizeof kTabMenuCloseFormat);
        std::snprintf(label.data(), label.size(), kTabMenuCloseFormat, name.c_str());
        AppendMenuA(menu.get(), MF_STRING, kTabMenuClose, label.data());
    }
    if (hit < 0 || tabCount() >= 2) {
        AppendMenuA(menu.get(), MF_STRING, kTabMenuCloseAll, kTabMenuCloseAllText);
    }
    MenuGuard recent;
    if (recent.get() != nullptr && fillHistoryMenu(recent.get(), false) > 0) {
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        if (AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(recent.get()),
                        kRecentFilesText)) {
            recent.release();  // now destroyed with the menu
        }
    }
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, window(), nullptr);
}

LRESULT UloTabBar::onCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case kTabMenuActivate: activateRightClicked(); return 0;
    case kTabMenuClose: closeRightClicked(); return 0;
    case kTabMenuCloseAll: closeAll(); return 0;
    default: return SendMessageA(parent(), WM_COMMAND, wParam, lParam);
    }
}

HWND UloTabBar::rightClickedWindow() const {
    // The tab may have gone since the menu opened; then there is nothing to act on.
    return rightClicked_ != nullptr && findTab(rightClicked_) >= 0 ? rightClicked_ : nullptr;
}

void UloTabBar::activateRightClicked() {
    HWND target = rightClickedWindow();
    if (target == nullptr) return;
    SetForegroundWindow(target);
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
}

void UloTabBar::closeRightClicked() {
    HWND target = rightClickedWindow();
    if (target == nullptr) return;
    ForegroundLockOff unlock;
    // Closing the bar's own window destroys the bar: nothing of it is touched afterwards.
    SendMessageA(target, WM_CLOSE, 0, 0);
}

void UloTabBar::closeAll() {
    std::vector<HWND> targets;
    for (size_t i = 0; i < tabCount(); ++i) targets.push_back(tabKey(i));
    for (HWND target : targets) PostMessageA(target, WM_CLOSE, 0, 0);
}

}  // namespace bars

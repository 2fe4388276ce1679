// UloTabBar: the editor's tab bar, with the context menu (close one or all editor windows, the
// recent files) and the history submenu the frame's File menu shows.
//
// Context-menu commands: 1 activate, 2 close the right-clicked tab's window, 3 close every tab's
// window (the bar's own one too); every other id (21101 clear history, 21102 + k open history
// entry k) goes to the parent as WM_COMMAND unchanged.
#pragma once
#include <string>
#include <vector>

#include "TabBar.h"

namespace bars {

class UloTabBar : public TabBar {
public:
    UloTabBar() = default;
    UloTabBar(const UloTabBar&) = delete;
    UloTabBar& operator=(const UloTabBar&) = delete;

    LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Reads the history and fills `menu` (emptied first) with up to 10 entries, each under a name
    // unique among them (ids 21102 + k), a separator and "履歴のクリア" (21101). An empty history
    // gives one greyed "(なし)" item when `placeholder` is set, else nothing. Returns the number
    // of entries.
    size_t fillHistoryMenu(HMENU menu, bool placeholder);
    // The path of entry k of the history as read for the last menu, or nullptr.
    const char* historyPath(size_t k) const;

private:
    void onContextMenu(LPARAM lParam);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    void activateRightClicked();
    void closeRightClicked();
    void closeAll();
    HWND rightClickedWindow() const;

    std::vector<std::string> history_;
    HWND rightClicked_ = nullptr;  // the key of the tab last right-clicked
};

}  // namespace bars

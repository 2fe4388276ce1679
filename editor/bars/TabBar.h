// TabBar: the bar with one tab per editor window. It lays the tabs out in its width, draws them
// with icon and file name, shows each full path as a tooltip and reports a click on a tab to its
// parent. UloTabBar adds the context menu.
//
// Messages the bar sends to its parent:
//   WM_COMMAND      wParam = the clicked tab's command id, lParam = the tab's key (a window)
//   WM_RBUTTONDOWN  forwarded unchanged (client coordinates of the bar)
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "BarWindow.h"
#include "PointerModel.h"
#include "TabBarConstants.h"

namespace bars {

class TabBar {
public:
    // The window procedure; the first virtual operation. Overrides chain to it.
    virtual LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TabBar();
    virtual ~TabBar();
    TabBar(const TabBar&) = delete;
    TabBar& operator=(const TabBar&) = delete;

    // Registers the class once per process, creates the bar at (100, 100) with size 0, its tooltip
    // window and drawing resources, and shows it. False (nothing left) on any failure.
    bool create(DWORD exStyle, DWORD style, HINSTANCE instance, HWND parent);

    // Appends a tab. `text` is the full path; the tab shows its file name. Without
    // `inactiveIcon` the icon is drawn also while the window is inactive. False when 200 tabs
    // exist or memory is short.
    bool add(const char* text, UINT command, HWND key, UINT flags, HICON icon, int iconWidth,
             HICON inactiveIcon);
    // False when no tab has the key.
    bool remove(HWND key);
    bool rename(HWND key, const char* text);
    // Chooses the icons drawn for the own window: active or inactive.
    void setActive(bool active);
    // Repaints the bar (after add, remove and rename).
    void repaint();

    HWND window() const { return window_; }
    HWND toolTipWindow() const { return toolTip_; }
    size_t tabCount() const { return tabs_.size(); }
    // -1 when no tab has the key.
    int findTab(HWND key) const;
    const std::string& tabText(size_t index) const { return tabs_[index].text; }
    HWND tabKey(size_t index) const { return tabs_[index].key; }
    // The tab's rectangle in the bar, laying out first when needed.
    RECT tabRect(size_t index);
    // The tab under a point of the client area, or -1.
    int hitTest(int x, int y);
    int sidePad();

protected:
    struct TabItem {
        int x = 0;
        int width = 0;
        UINT flags = 0;
        UINT command = 0;
        HWND key = nullptr;
        int textWidth = -1;  // -1 until measured
        int iconWidth = 0;
        HICON icon = nullptr;
        HICON inactiveIcon = nullptr;
        std::string text;  // full path
    };

    HINSTANCE instance() const { return instance_; }
    HWND parent() const { return parent_; }
    const TabItem& tab(size_t index) const { return tabs_[index]; }

private:
    template <class T>
    friend bool routeBarMessage(T&, HWND, UINT, WPARAM, LPARAM, LRESULT&);

    LRESULT onCreate();
    void onDestroy();
    void onPaint();
    void onSize(LPARAM lParam);
    LRESULT onMouse(UINT message, WPARAM wParam, LPARAM lParam);

    bool createResources();
    void releaseResources();
    void ensureLayout();
    void layout();
    void refreshToolTips();
    void drawTab(size_t index, PointerState look);

    // What the pointer model asks of the bar (a member, so that windowProc stays the first
    // virtual operation of TabBar).
    class PointerHooks : public BarPointerSink {
    public:
        explicit PointerHooks(TabBar& bar) : BarPointerSink(bar.window_), bar_(bar) {}
        void drawItem(int item, PointerState look) override;
        void fireItem(int item) override;

    private:
        TabBar& bar_;
    };

    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    HWND toolTip_ = nullptr;
    HINSTANCE instance_ = nullptr;
    std::vector<TabItem> tabs_;
    int pad_ = -1;  // -1: a layout is needed
    int laidOutWidth_ = 0;
    int barWidth_ = 0;
    bool active_ = true;
    PointerHooks hooks_{*this};
    PointerModel pointer_{hooks_};
    OffscreenSurface surface_;
    HBRUSH faceBrush_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

}  // namespace bars

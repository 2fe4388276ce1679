// FrameBars: the main window's two bars and what hangs on them: the toolbar with its icons and
// search box, the floating text window under the search box, and the tab bar with the own tab's
// icons. The tab bar is the peer table's view (PeerTabs).
#pragma once
#include <windows.h>

#include <vector>

#include "FloatText.h"
#include "MainSettings.h"
#include "PeerTable.h"
#include "ToolBar.h"
#include "UloTabBar.h"

class FrameBars final : public PeerTabs {
public:
    FrameBars() = default;
    ~FrameBars();
    FrameBars(const FrameBars&) = delete;
    FrameBars& operator=(const FrameBars&) = delete;

    // Creates both bars as children of `main`; the toolbar shows the buttons of the settings'
    // toolbar mask. False when a window cannot be created.
    bool create(HINSTANCE instance, HWND main, HFONT font, const MainSettings& settings);

    bars::ToolBar& toolbar() { return toolbar_; }
    bars::UloTabBar& tabBar() { return tabBar_; }
    HWND searchBox() const { return searchBox_; }
    FloatText& floatText() { return floatText_; }

    // The main window moved: the floating text follows the search box.
    void mainWindowMoved();
    // Whether a key message is for the search box's edit field (which handles Escape itself).
    bool isSearchEdit(HWND window) const;

    // PeerTabs
    void addTab(const char* name, PeerWindow window, bool own) override;
    void removeTab(PeerWindow window) override;
    void renameTab(PeerWindow window, const char* name) override;
    void repaintTabs() override;

private:
    bool createToolbar(HINSTANCE instance, HWND main, HFONT font, const MainSettings& settings);

    bars::ToolBar toolbar_;
    bars::UloTabBar tabBar_;
    HWND searchBox_ = nullptr;
    FloatText floatText_;
    HICON tabIcon_ = nullptr;
    HICON tabIconInactive_ = nullptr;
    std::vector<HICON> toolIcons_;
};

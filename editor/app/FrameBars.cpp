// FrameBars: creation of the toolbar (buttons, icons, search box) and the tab bar, and the tab
// bar as the peer table's view.
#include "FrameBars.h"

#include "TabBarConstants.h"
#include "ToolBarConstants.h"
#include "ToolBarItems.h"
#include "UloResource.h"

FrameBars::~FrameBars() {
    for (HICON icon : toolIcons_) DestroyIcon(icon);
    if (tabIcon_) DestroyIcon(tabIcon_);
    if (tabIconInactive_) DestroyIcon(tabIconInactive_);
}

bool FrameBars::create(HINSTANCE instance, HWND main, HFONT font, const MainSettings& settings) {
    if (!createToolbar(instance, main, font, settings)) return false;
    if (!(settings.option_flags & OptionFlag::kShowToolbar)) ShowWindow(toolbar_.window(), SW_HIDE);
    if (!tabBar_.create(0, WS_CHILD | WS_VISIBLE, instance, main)) return false;
    if (settings.option_flags & OptionFlag::kHideFileBar) ShowWindow(tabBar_.window(), SW_HIDE);
    tabIcon_ = static_cast<HICON>(LoadImageA(instance, "ICON_TABBAR", IMAGE_ICON, 16, 16, 0));
    tabIconInactive_ = static_cast<HICON>(LoadImageA(instance, "ICON_TABBAR_NA", IMAGE_ICON, 16, 16, 0));
    return true;
}

bool FrameBars::createToolbar(HINSTANCE instance, HWND main, HFONT font, const MainSettings& settings) {
    if (!toolbar_.create(0, WS_CHILD | WS_VISIBLE, instance, main, bars::kToolTipsCommand)) return false;
    auto icon = [this, instance](const char* name, int size) -> HICON {
        if (!name) return nullptr;
        HICON h = static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, size, size, 0));
        if (h) toolIcons_.push_back(h);
        return h;
    };
    toolbar_.setFrames(icon("ICON_H_HOTSPOT", 24), icon("ICON_H_HOTSPOT2", 24));
    for (const bars::PlacedToolBarItem& placed : bars::placeToolBarItems(settings.toolbar_mask)) {
        const bars::ToolBarItem& item = *placed.item;
        if (item.kind == bars::ToolBarItemKind::Separator) {
            toolbar_.addSeparator(placed.x);
        } else if (item.kind == bars::ToolBarItemKind::SearchBox) {
            searchBox_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                         placed.x, 5, bars::kToolBarSearchBoxWidth, 100, toolbar_.window(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(CMD_SEARCHBOX)),
                                         instance, nullptr);
            if (!searchBox_) return false;
            SendMessageA(searchBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        } else {
            HICON normal = icon(item.icon, 16);
            HICON greyed = item.greyedIcon ? icon(item.greyedIcon, 16) : normal;
            toolbar_.addButton(placed.x, item.command, normal, greyed, item.flags, item.tooltip);
        }
    }
    toolbar_.setFlags(CMD_FINDUP, bars::kToolDisabled);
    toolbar_.setFlags(CMD_FINDDOWN, bars::kToolDisabled);
    return true;
}

void FrameBars::mainWindowMoved() {
    if (!searchBox_ || !floatText_.window()) return;
    POINT p = {0, 18};
    ClientToScreen(searchBox_, &p);
    floatText_.moveTo(p.x, p.y);
}

bool FrameBars::isSearchEdit(HWND window) const {
    HWND edit = searchBox_ ? GetWindow(searchBox_, GW_CHILD) : nullptr;
    return edit && window == edit;
}

void FrameBars::addTab(const char* name, PeerWindow window, bool own) {
    HWND key = static_cast<HWND>(window);
    if (own) tabBar_.add(name, bars::kTabClickCommand, key, bars::kTabOwn, tabIcon_, bars::kOwnTabIconWidth, tabIconInactive_);
    else tabBar_.add(name, bars::kTabClickCommand, key, 0, nullptr, 0, nullptr);
}

void FrameBars::removeTab(PeerWindow window) { tabBar_.remove(static_cast<HWND>(window)); }

void FrameBars::renameTab(PeerWindow window, const char* name) { tabBar_.rename(static_cast<HWND>(window), name); }

void FrameBars::repaintTabs() { tabBar_.repaint(); }

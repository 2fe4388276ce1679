// Names and numbers of the tab bar: window class, sizes, the commands it sends and its menu ids
// and texts (Shift_JIS).
#pragma once
#include <cstddef>
#include <cstdint>

namespace bars {

inline constexpr const char kTabBarClassName[] = "QuorvaleTabBar";

// Every tab is this high; the off-screen bitmap too.
constexpr int kTabBarHeight = 17;
constexpr size_t kMaxTabs = 200;

// TabBar::add flags.
constexpr uint32_t kTabOwn = 0x1;  // the tab of the bar's own window

// The command the frame gives every tab: activate the window in lParam.
constexpr uint32_t kTabClickCommand = 29008;
// The icon advance the frame gives the own tab ("ICON_TABBAR" / "ICON_TABBAR_NA", 16 x 16 with
// the picture in the left 12 columns).
constexpr int kOwnTabIconWidth = 12;

// Context-menu ids handled by UloTabBar itself.
constexpr uint32_t kTabMenuActivate = 1;  // bring the right-clicked tab's window to the front
constexpr uint32_t kTabMenuClose = 2;     // close the right-clicked tab's window
constexpr uint32_t kTabMenuCloseAll = 3;  // close every tab's window, the own one included

// History menu: entry k (0-based) has id 21102 + k; the clear entry 21101. Passed to the parent.
constexpr uint32_t kHistoryClearCommand = 21101;
constexpr uint32_t kHistoryFirstCommand = 21102;
constexpr size_t kHistoryMenuEntries = 10;

// Interface font of the bar: "ＭＳ Ｐゴシック", height 12.
inline constexpr const char kTabBarFontFace[] =
    "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr int kTabBarFontHeight = 12;
constexpr int kTabBarFontPitchAndFamily = 1;

// Menu texts.
// "%sを閉じる(&C)"
inline constexpr const char kTabMenuCloseFormat[] = "%s\x82\xf0\x95\xc2\x82\xb6\x82\xe9(&C)";
// "すべて閉じる"
inline constexpr const char kTabMenuCloseAllText[] =
    "\x82\xb7\x82\xd7\x82\xc4\x95\xc2\x82\xb6\x82\xe9";
// "最近使ったファイル"
inline constexpr const char kRecentFilesText[] =
    "\x8d\xc5\x8b\xdf\x8e\x67\x82\xc1\x82\xbd\x83\x74\x83\x40\x83\x43\x83\x8b";
// "履歴のクリア"
inline constexpr const char kHistoryClearText[] =
    "\x97\x9a\x97\xf0\x82\xcc\x83\x4e\x83\x8a\x83\x41";
// "(なし)": the greyed placeholder of an empty history in the frame's menu.
inline constexpr const char kHistoryNoneText[] = "(\x82\xc8\x82\xb5)";

}  // namespace bars

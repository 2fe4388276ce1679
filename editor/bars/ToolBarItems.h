// The editor's toolbar content: every item the "main" record's toolbar_mask can show, in toolbar
// order, with its command, icons, tooltip text and flags, and where each shown item goes.
#pragma once
#include <cstdint>
#include <vector>

namespace bars {

enum class ToolBarItemKind { Button, Separator, SearchBox };

struct ToolBarItem {
    uint32_t maskBit;
    ToolBarItemKind kind;
    uint32_t command;         // 0 for a separator
    const char* icon;         // normal icon resource, or nullptr
    const char* greyedIcon;   // greyed icon resource, or nullptr (then the normal one is used)
    const char* tooltip;      // Shift_JIS tooltip text without key label, or nullptr
    uint32_t flags;           // ToolBar button flags
};

// The 18 items in toolbar order.
const std::vector<ToolBarItem>& toolBarItems();

// One shown item and its position: the x handed to ToolBar::addButton / addSeparator, or the left
// edge of the search box.
struct PlacedToolBarItem {
    const ToolBarItem* item;
    int32_t x;
};

// Widths of the items as they are laid out from left to right.
constexpr int32_t kToolBarFirstX = 12;
constexpr int32_t kToolBarButtonAdvance = 24;
constexpr int32_t kToolBarSeparatorAdvance = 10;
constexpr int32_t kToolBarSearchBoxAdvance = 208;  // 200 wide plus 8
constexpr int32_t kToolBarSearchBoxWidth = 200;

// The items whose bit is set in `mask`, placed from x = 12.
std::vector<PlacedToolBarItem> placeToolBarItems(uint32_t mask);

}  // namespace bars

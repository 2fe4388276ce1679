// Names and numbers of the toolbar window: window class, geometry and the button limit.
#pragma once
#include <cstddef>

#include "ToolBarFlags.h"

namespace bars {

inline constexpr const char kToolBarClassName[] = "QuorvaleToolBar";

constexpr int kToolBarHeight = 29;
constexpr size_t kMaxToolButtons = 16;

// A button is a 24 x 24 frame from y = 3 whose left edge is 4 pixels left of the position given;
// its 16 x 16 icon sits 4 pixels inside (one more to the right and down while pressed).
constexpr int kToolButtonSize = 24;
constexpr int kToolButtonTop = 3;
constexpr int kToolButtonInset = 4;
constexpr int kToolIconSize = 16;

// A separator: button shadow at x, button highlight at x + 1, from y = 4, 22 pixels high.
constexpr int kToolSeparatorTop = 4;
constexpr int kToolSeparatorHeight = 22;

// The one-shot command the frame gives the toolbar: set the tooltips (posted at the first mouse
// move over the bar).
constexpr unsigned kToolTipsCommand = 40001;

}  // namespace bars

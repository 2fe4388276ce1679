// Flag bits of a toolbar button (ToolBar::addButton, ToolBar::setFlags).
#pragma once
#include <cstdint>

namespace bars {

constexpr uint32_t kToolDisabled = 0x01;    // greyed icon, never hot or pressed
constexpr uint32_t kToolFireOnDown = 0x10;  // fires on button down, no pressed state
constexpr uint32_t kToolPassX = 0x20;       // the command's lParam is the button's x (else 0)
constexpr uint32_t kToolPost = 0x40;        // the command is posted (else sent)

}  // namespace bars

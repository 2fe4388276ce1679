// FrameKeys: the key bindings, read from the settings on first use: the message loop's check of
// keys addressed to the editor control, and the key label shown beside a command in menus and
// tooltips.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "KeyBinding.h"

class FrameKeys {
public:
    FrameKeys() = default;
    FrameKeys(const FrameKeys&) = delete;
    FrameKeys& operator=(const FrameKeys&) = delete;

    const std::vector<KeyBinding>& bindings();
    // A key-down message with a binding is sent to `main` as its command; true when consumed.
    bool translate(const MSG& message, HWND main);
    // The display name of the first key bound to `command`; empty without one.
    std::string label(UINT command);

private:
    std::vector<KeyBinding> bindings_;
    bool loaded_ = false;
};

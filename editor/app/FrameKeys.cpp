// FrameKeys: the key-binding cache and its use by the message loop and the menus.
#include "FrameKeys.h"

#include "SettingsStore.h"

const std::vector<KeyBinding>& FrameKeys::bindings() {
    if (!loaded_) {
        settings_store::loadKeyBindings(&bindings_, key_bindings::DefaultTable::Editor);
        loaded_ = true;
    }
    return bindings_;
}

bool FrameKeys::translate(const MSG& msg, HWND main) {
    bool read = false;
    uint32_t modifiers = 0;
    for (const KeyBinding& b : bindings()) {
        if (b.virtual_key != msg.wParam) continue;
        if (!read) {
            if (GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers |= KeyModifier::kCtrl;
            if (GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers |= KeyModifier::kShift;
            if (GetAsyncKeyState(VK_MENU) & 0x8000) modifiers |= KeyModifier::kAlt;
            read = true;
        }
        if (b.modifiers != modifiers) continue;
        SendMessageA(main, WM_COMMAND, b.command, b.parameter);
        return true;
    }
    return false;
}

std::string FrameKeys::label(UINT command) {
    for (const KeyBinding& b : bindings())
        if (b.command == command) return key_bindings::displayName(b.virtual_key, b.modifiers);
    return std::string();
}

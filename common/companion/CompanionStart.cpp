// Single instance and owner choice of the companion programs.
#include "CompanionStart.h"

#include <cstring>

#include "UloNames.h"

namespace companion {

bool isEditorWindow(HWND window) {
    char name[64] = {};
    if (!GetClassNameA(window, name, sizeof name)) return false;
    return std::strcmp(name, ulo_names::kMainWindowClass) == 0;
}

bool activateRunningInstance(const char* caption) {
    HWND running = FindWindowA(nullptr, caption);
    if (!running) return false;
    // A sheet or dialog shown modal has its own top-level window; an owned message box in front
    // of it is what the user must see.
    HWND popup = GetLastActivePopup(running);
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(popup ? popup : running);
    return true;
}

HWND editorOwner() {
    HWND foreground = GetForegroundWindow();
    return foreground && isEditorWindow(foreground) ? foreground : nullptr;
}

bool editorRunning() {
    bool found = false;
    forEachEditor([&found](HWND) { found = true; });
    return found;
}

}  // namespace companion

namespace companion {

std::string resourceText(UINT id) {
    // The string table holds each text in UTF-16; LoadStringA converts it to code page 932.
    char buffer[1024];
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace companion

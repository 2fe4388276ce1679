// What the companion programs (settings, browser registration, fixed phrases) do first: keep to
// one instance by the caption of their window, and take an editor in front as the owner of their
// modal sheet or dialog.
#pragma once
#include <windows.h>

namespace companion {

// When a top-level window with exactly this caption exists, brings it to the front and answers
// true: the caller then exits.
bool activateRunningInstance(const char* caption);

// The foreground window when its class name is exactly the editor's main-window class, else null.
HWND editorOwner();

// Whether any editor main window exists.
bool editorRunning();

// Calls `visit` with every top-level window whose class name is exactly the editor's.
template <typename Visit>
void forEachEditor(Visit visit);

// Keeps an editor owner enabled on every way out: the modal loops disable it, and an early return
// or a failure in between must not leave the user's editor dead.
class OwnerEnabler {
public:
    explicit OwnerEnabler(HWND owner) : owner_(owner) {}
    ~OwnerEnabler() {
        if (owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
    }
    OwnerEnabler(const OwnerEnabler&) = delete;
    OwnerEnabler& operator=(const OwnerEnabler&) = delete;

private:
    HWND owner_;
};

bool isEditorWindow(HWND window);

template <typename Visit>
void forEachEditor(Visit visit) {
    EnumWindows(
        [](HWND w, LPARAM l) -> BOOL {
            if (isEditorWindow(w)) (*reinterpret_cast<Visit*>(l))(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visit));
}

}  // namespace companion

#include <string>

namespace companion {

// A text of the program's string table (Shift_JIS), "" when missing.
std::string resourceText(UINT id);

}  // namespace companion

// Test host for the editor control's window tests: a top-level window that records the
// notifications a control sends or posts, a control created in it with test colours, message
// pumping and loading a text through the store.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Quorvale.h"

namespace control_test {

constexpr UINT notifyMessage = WM_APP + 7;

// Processes every pending message of this thread for about `ms`.
void pump(DWORD ms = 20);

// Twenty distinct colours; item i has red = 10 * i + 5, so the palette index of a colour is
// easy to see in a failure.
const ColourEntry* testColours();

// A visible top-level window that records every notification (code, lParam) it receives.
class HostWindow {
public:
    HostWindow(int width = 800, int height = 600);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND window() const { return window_; }
    struct Notification {
        WPARAM code;
        LPARAM lParam;
    };
    std::vector<Notification> notifications;
    int count(WPARAM code) const;

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

struct ControlOptions {
    uint32_t flags = 0;
    int wrapWidth = 80;
    int tabWidth = 4;
    int points = 10;
    TextEncoding encoding = TextEncoding::ShiftJis;
    int width = 640;
    int height = 400;
};

// Creates a control as a child filling `width` x `height` of the host (null on failure).
Quorvale* createControl(HostWindow& host, const ControlOptions& options = ControlOptions());

// Loads Shift_JIS `text` as the frame does (reset, image, convert, load done) and repaints.
// The image must outlive the document, so the host keeps it.
void loadText(Quorvale& control, const std::string& text);

}  // namespace control_test

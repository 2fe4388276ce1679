// ToolBar: the icon strip at the top of an editor window (window class QuorvaleToolBar), up to 16
// buttons of 24 x 24 pixels and etched separators, drawn from an off-screen bitmap, with tooltips.
// Child windows such as the search box sit on it; their notifications go on to the parent.
//
// Messages the bar sends to its parent:
//   WM_COMMAND      a button's command: wParam = command id, lParam = the button's x with flag
//                   0x20, else 0; posted with flag 0x40, else sent
//   WM_COMMAND      the one-shot command (posted, lParam 0) at the first mouse move over the bar
//   WM_COMMAND      from child windows, forwarded unchanged
//   WM_RBUTTONDOWN  forwarded unchanged
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "BarWindow.h"
#include "PointerModel.h"
#include "ToolBarConstants.h"

namespace bars {

class ToolBar {
public:
    virtual LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    ToolBar() = default;
    virtual ~ToolBar();
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    // Registers the class once per process, creates the bar at (100, 100) with size 0 and its
    // tooltip window and paints the bitmap's background. `oneShotCommand` (0 for none) is posted
    // once, at the first mouse move. False (nothing left) on failure.
    bool create(DWORD exStyle, DWORD style, HINSTANCE instance, HWND parent, UINT oneShotCommand);
    // The 24 x 24 frames drawn behind a hot and a pressed button ("ICON_H_HOTSPOT",
    // "ICON_H_HOTSPOT2"). The bar does not own them.
    void setFrames(HICON hot, HICON pressed);

    // Adds a button whose icon goes at x (its frame at x - 4). `greyedIcon` is drawn while it is
    // disabled. With a tooltip text a tool covers (x - 4, 3)-(x + 20, 27). False for a 17th.
    bool addButton(int x, UINT command, HICON icon, HICON greyedIcon, uint32_t flags,
                   const char* toolTip);
    // An etched vertical line at x and x + 1.
    void addSeparator(int x);
    // Stores new flags for the button with this command; a button disabled while the mouse is
    // captured loses the capture. False when no button has the command.
    bool setFlags(UINT command, uint32_t flags);
    // Replaces (or adds) the tooltip text of the button with this command.
    bool setToolTip(UINT command, const char* text);

    HWND window() const { return window_; }
    HWND toolTipWindow() const { return toolTip_; }
    size_t buttonCount() const { return buttons_.size(); }
    // -1 when no button has the command.
    int findButton(UINT command) const;
    uint32_t buttonFlags(size_t index) const { return buttons_[index].flags; }
    int buttonX(size_t index) const { return buttons_[index].x; }
    // The first enabled button under a point of the client area, or -1.
    int hitTest(int x, int y) const;
    PointerState pointerState() const { return pointer_.state(); }
    int pointerItem() const { return pointer_.item(); }
    HDC surfaceDc() const { return surface_.dc(); }

private:
    template <class T>
    friend bool routeBarMessage(T&, HWND, UINT, WPARAM, LPARAM, LRESULT&);

    struct Button {
        int x = 0;  // left edge of the frame: the position given less 4
        HICON icon = nullptr;
        HICON greyedIcon = nullptr;
        UINT command = 0;
        uint32_t flags = 0;
        bool hasToolTip = false;
    };

    LRESULT onCreate();
    void onDestroy();
    void onPaint();
    LRESULT onMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool createResources();
    void releaseResources();
    void paintBackground();
    void drawButton(size_t index, PointerState look);
    RECT toolArea(const Button& button) const;

    class PointerHooks : public BarPointerSink {
    public:
        explicit PointerHooks(ToolBar& bar) : BarPointerSink(bar.window_), bar_(bar) {}
        void drawItem(int item, PointerState look) override;
        void fireItem(int item) override;

    private:
        ToolBar& bar_;
    };

    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    HWND toolTip_ = nullptr;
    HINSTANCE instance_ = nullptr;
    UINT oneShot_ = 0;
    HICON hotFrame_ = nullptr;
    HICON pressedFrame_ = nullptr;
    std::vector<Button> buttons_;
    PointerHooks hooks_{*this};
    PointerModel pointer_{hooks_};
    OffscreenSurface surface_;
    HBRUSH shadowBrush_ = nullptr;
    HBRUSH highlightBrush_ = nullptr;
    HBRUSH faceBrush_ = nullptr;
};

}  // namespace bars

// Quorvale: the editor control window (class "QuorvaleEditer"): the Win32 half of the control,
// implementing QuorvaleCore's screen operations with a font, a 40-entry palette and an 8-bit
// back buffer used as a ring of rows.
//
// Where each message family is handled:
//   creation, WM_CREATE, WM_DESTROY, WM_CLOSE, forwarding   Quorvale.cpp
//   WM_PAINT, WM_SIZE, WM_PALETTECHANGED, WM_POWERBROADCAST,
//   EC_STARTUP, rendering, showing, scrolling, caret place   QuorvalePaint.cpp, QuorvaleView.cpp
//   font, palette, brushes, back buffer                      QuorvaleResources.cpp
//   keys and characters (onKeyboard), input method (onIme),
//   mouse (onMouse), scroll bars and wheel (onScroll),
//   focus (onFocus), cursor (onSetCursor)                    QuorvaleInput*.cpp
//   EC_REQUEST (onRequest)                                   QuorvaleRequests*.cpp
// (input.cmake lists the input and request files.)
// The message numbers and codes are in QuorvaleMessages.h.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ControlLayout.h"
#include "ControlPalette.h"
#include "QuorvaleCore.h"
#include "QuorvaleInputLogic.h"
#include "QuorvaleMessages.h"

class Quorvale : public QuorvaleCore {
public:
    static constexpr const char* className = "QuorvaleEditer";
    static constexpr const char* wheelMessageName = "MSWHEEL_ROLLMSG";

    // Creates a control. `colours` holds 20 entries in colour-item order; a default encoding of
    // Auto means ShiftJis. Null on failure, with nothing left allocated.
    static Quorvale* create(DWORD exStyle, DWORD style, HINSTANCE instance, HWND parent, UINT notifyMessage,
                            const char* faceName, int points, const ColourEntry* colours, int tabWidth,
                            uint32_t undoSize, int wrapWidth, uint32_t flags, TextEncoding defaultEncoding);

    HWND window() const { return window_; }
    HWND parent() const { return parent_; }

    // Screen operations (see QuorvaleCore).
    void renderRows(int32_t first, int32_t last) override;
    void showRows(int32_t first, int32_t last) override;
    void bringCaretIntoView(bool resetFromCaret) override;
    void updateCaret() override;
    void charactersReplaced() override;
    void lineEndsMixed() override;
    void undoStoppedAtLimit() override;

    // Focus stamp: the frame's value and the time it was set.
    void setFocusStamp(uint32_t value);

    // Painting and view operations the other handlers use.
    void repaintAll();                       // lays out the gutter, renders and shows every row
    void scrollView(int32_t rows);           // moves the view by whole rows, rendering what enters
    void jumpView(int32_t row, int32_t pixels);  // puts the view there and repaints everything
    void layoutClient();                     // recomputes geometry for the current client size
    void setLineNumbers(bool on);            // EC_LINENUMBERS
    void updateScrollBars();
    void paintDirtyRows();                   // renders and shows the rows the store marked

    // Sends (or posts) the notification message to the parent.
    LRESULT notify(uint32_t code, LPARAM lParam);
    void postNotify(uint32_t code, LPARAM lParam);

    // The power source: read through a replaceable function (tests): returns the AC line status
    // (0 battery, 1 mains, other unknown).
    using PowerStatusReader = int (*)();
    static void setPowerStatusReader(PowerStatusReader reader);
    enum class Power { unknown, mains, battery };
    void readPowerState();
    Power power() const { return power_; }
    bool animatedScrolling() const { return animatedScrolling_; }   // the switch (on); power aside
    bool smoothingActive();

    // Inspection for tests and benchmarks.
    const layout::ClientGeometry& geometry() const { return geometry_; }
    const PixelSurface& backBuffer() const { return surface_; }
    int32_t bufferRowOfScreenRow(int32_t screenRow) const;   // pixel row in the back buffer
    int32_t drawnWidth(int32_t bufferRow) const;             // by screen-row slot of the ring
    int32_t gutterDigits() const { return gutterDigits_; }
    int32_t cellWidth() const { return cell_; }
    int32_t lineHeight() const { return lineHeight_; }
    HFONT font() const { return font_; }
    uint64_t rowsRendered() const { return rowsRendered_; }
    uint8_t paletteIndexOfRgb(COLORREF rgb) const;

private:
    Quorvale() = default;
    ~Quorvale() override;

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(window_, message, wParam, lParam);
    }

    // Message families.
    LRESULT onPaint();
    LRESULT onSize(WPARAM type, int width, int height);
    LRESULT onPowerBroadcast(WPARAM event);
    LRESULT onStartup();
    LRESULT onKeyboard(UINT message, WPARAM wParam, LPARAM lParam);     // WM_KEYDOWN, WM_CHAR
    LRESULT onIme(UINT message, WPARAM wParam, LPARAM lParam);          // WM_IME_*
    LRESULT onMouse(UINT message, WPARAM wParam, LPARAM lParam);        // buttons, moves, capture
    LRESULT onScroll(UINT message, WPARAM wParam, LPARAM lParam);       // scroll bars, wheel
    LRESULT onFocus(UINT message, WPARAM wParam, LPARAM lParam);        // WM_SETFOCUS, WM_KILLFOCUS
    LRESULT onSetCursor(UINT message, WPARAM wParam, LPARAM lParam);    // WM_SETCURSOR
    LRESULT onRequest(WPARAM code, LPARAM argument);                    // EC_REQUEST

    // Resources (QuorvaleResources.cpp), released in reverse order by releaseResources.
    bool createFont(const char* faceName, int points);
    bool createPalette(const ColourEntry* colours);
    bool createBackBuffer();
    void releaseResources();

    // Rendering helpers.
    void renderOneRow(const RowCursor& cursor, int32_t screenRow, class GdiTextPainter& painter,
                      const RowStyle& style);
    RowStyle rowStyle();
    void showScreenRow(HDC dc, int32_t screenRow, const RowCursor* cursor, bool toClientEdge, int32_t neighbour);
    void fillMargin(HDC dc, const RECT& area);
    bool updateGutter();
    void applyWindowWrap();

    // Window and parent.
    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    UINT notifyMessage_ = 0;
    UINT wheelMessage_ = 0;

    // Font, cells and palette.
    HFONT font_ = nullptr;
    int32_t cell_ = 8;
    int32_t lineHeight_ = 16;
    HPALETTE palette_ = nullptr;
    colour::Rgb colours_[colour::paletteSize] = {};
    HBRUSH backgroundBrush_ = nullptr;   // item 0
    HBRUSH selectionBrush_ = nullptr;    // item 2
    HBRUSH gutterBrush_ = nullptr;       // item 9

    // Back buffer: an 8-bit DIB section in a memory device context, used as a ring of rows.
    HDC bufferDc_ = nullptr;
    HBITMAP bufferBitmap_ = nullptr;
    HGDIOBJ bufferOldBitmap_ = nullptr;
    HGDIOBJ bufferOldFont_ = nullptr;
    PixelSurface surface_;
    int32_t ringOffset_ = 0;             // pixel row of the top visible row in the buffer
    int32_t* bufferRowWidths_ = nullptr; // per buffer row: width drawn there
    int32_t* shownRowWidths_ = nullptr;  // per screen row: width last shown
    int32_t ringRows_ = 0;
    int32_t showDirection_ = 0;          // while scrolling: +1 down, -1 up (the neighbour row shown)

    // Gutter and geometry.
    bool lineNumbers_ = false;
    int32_t gutterDigits_ = 3;
    layout::ClientGeometry geometry_;

    // What the scroll bars were last set to (vertical, horizontal).
    struct ScrollState {
        int32_t max, page, position;
    };
    ScrollState shownScroll_[2] = {{-1, -1, -1}, {-1, -1, -1}};

    // Power and animation.
    Power power_ = Power::unknown;
    bool animatedScrolling_ = true;

public:
    // State the input and request handlers keep (their files own the behaviour).
    int32_t mouseMode_ = 0;              // 0 none, 1 characters, 2 lines, 3 grab-scroll, 4 drag
    DWORD doubleClickTime_ = 0;          // last double-click, for triple clicks
    POINT doubleClickPoint_ = {-1000, -1000};
    int32_t gutterSelectionLine_ = -1;
    bool completionShowing_ = false;
    bool caretCreated_ = false;
    int32_t reportedCaret_[2] = {-1, -1};   // column + 1, line + 1 as last posted
    bool reportedSelection_ = false;
    uint32_t focusStampValue_ = 0;
    DWORD focusStampTime_ = 0;
    void* grammarBinding_ = nullptr;     // the grammar checker's binding (LintBinding), made on first use
    CompletionRequest lastCompletion_{}; // the last completion request sent, for its candidates
    quorvale::TypedBytes typedBytes_;    // a WM_CHAR lead byte waiting for its trail byte

private:
    uint64_t rowsRendered_ = 0;
};

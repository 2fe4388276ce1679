// QuorvaleInputLogic: the portable decisions of the editor control's input: which action a key
// means, what a mouse press starts, when a click is a third click, whether a drop lands inside
// the dragged range, and how a pointer's cell maps to a byte of a display row.
#pragma once
#include <cstdint>

namespace quorvale {

// Virtual-key codes the control handles (the platform's values).
enum VirtualKey : uint32_t {
    VKEY_BACK = 0x08, VKEY_TAB = 0x09, VKEY_RETURN = 0x0D, VKEY_ESCAPE = 0x1B,
    VKEY_PRIOR = 0x21, VKEY_NEXT = 0x22, VKEY_END = 0x23, VKEY_HOME = 0x24,
    VKEY_LEFT = 0x25, VKEY_UP = 0x26, VKEY_RIGHT = 0x27, VKEY_DOWN = 0x28, VKEY_DELETE = 0x2E,
};

enum class KeyAction {
    None,                 // left to the default window procedure
    DeleteBackward, DeleteWordBackward, DeleteForward, DeleteWordForward,
    Tab,                  // indent a multi-line selection (unindent with Shift), else a TAB byte
    NewLine, DropSelection, PageUp, PageDown,
    SmartHome, DocumentStart, LineEnd, DocumentEnd,
    Left, Right, WordLeft, WordRight,
    RowUp, RowDown, PrevChangedBlock, NextChangedBlock,
};

// The action of a key; Shift only changes how a move extends, except for Tab.
KeyAction keyAction(uint32_t virtualKey, bool ctrl);
// Moves extend the selection with Shift (Home, End, arrows, pages).
bool isCaretMove(KeyAction action);

// Mouse modes.
enum class MouseMode : int { None = 0, Characters = 1, Lines = 2, GrabScroll = 3, Drag = 4 };

struct PressContext {
    bool inGutter = false;
    bool shift = false, ctrl = false, alt = false;
    bool insideSelection = false;  // the pointer's position lies in the selected range
    bool thirdClick = false;       // within double-click time and distance of the last double-click
};

enum class PressAction {
    SelectLine,          // mode 2: the line under the pointer
    ExtendSelection,     // Shift: the selection end to the pointer (mode 1)
    DragMove,            // mode 4
    DragCopy,            // mode 4 with Ctrl
    GrabScroll,          // mode 3
    PlaceCaret,          // drop the selection, caret to the pointer, mode 1
    PlaceCaretAltSelect, // drop the selection, caret to the pointer, tag selection in HTML mode
};

// What a left-button press does (its order of precedence is the table's).
PressAction leftPressAction(const PressContext& press);
MouseMode modeOf(PressAction action);

// A press counts as the third click when it comes within `doubleClickTime` ms and the double-click
// rectangle (`width` x `height`, centred) of the last double-click.
bool isThirdClick(uint32_t now, int x, int y, uint32_t lastTime, int lastX, int lastY, bool haveLast,
                  uint32_t doubleClickTime, int width, int height);

// A drop position (line, offset) against the dragged range [start, end]: with copy (Ctrl) the range
// counts as inside only strictly between its ends, without it the ends count as inside. A drop
// inside cancels the drag.
struct LinePos {
    int32_t line;
    uint32_t offset;
};
bool dropCancels(LinePos drop, LinePos start, LinePos end, bool copy);
int comparePositions(LinePos a, LinePos b);

// Cells from the start of a row (bytes [rowStart, upTo) of a line) with tabs expanded to the next
// multiple of `tabWidth` (counted from the row start) and two cells per two-byte character; a tab
// never counts past `wrapWidth` when it is positive.
int32_t cellsBefore(const uint8_t* text, uint32_t rowStart, uint32_t upTo, int32_t tabWidth,
                    int32_t wrapWidth);
// The byte of the row [rowStart, rowEnd) under pointer cell `cell`: the first character whose cells
// reach past that cell, or rowEnd.
uint32_t offsetAtCell(const uint8_t* text, uint32_t rowStart, uint32_t rowEnd, int32_t cell,
                      int32_t tabWidth);

// Leading blanks and tabs skipped from text[0, length): the index of the first other byte.
uint32_t skipBlanks(const uint8_t* text, uint32_t length);

// Characters typed as WM_CHAR bytes (the input method off, or another program sending them): a
// double-byte character arrives as its lead byte, then its trail byte in the next WM_CHAR. The
// lead waits for its trail and the pair is typed as one character; a lead without a trail (the
// next byte is no trail, or a key or focus change comes first) and a stray trail byte are
// dropped, never typed alone. Printable ASCII and half-width katakana (0xA1-0xDF) are typed;
// control bytes are left to the key handling.
class TypedBytes {
public:
    // The bytes to type for one WM_CHAR byte (0, 1 or 2 of them, into out[0..2)).
    uint32_t take(uint8_t byte, uint8_t out[2]);
    // Forgets a lead that is waiting (a key press or a change of focus came between).
    void reset() { lead_ = 0; }
    bool waiting() const { return lead_ != 0; }

private:
    uint8_t lead_ = 0;
};

}  // namespace quorvale

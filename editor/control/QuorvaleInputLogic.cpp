// QuorvaleInputLogic: key actions, press decisions, third clicks, drops and cell mapping.
#include "QuorvaleInputLogic.h"

#include <cstdlib>

#include "TextCodes.h"

namespace quorvale {

KeyAction keyAction(uint32_t virtualKey, bool ctrl) {
    switch (virtualKey) {
    case VKEY_BACK: return ctrl ? KeyAction::DeleteWordBackward : KeyAction::DeleteBackward;
    case VKEY_DELETE: return ctrl ? KeyAction::DeleteWordForward : KeyAction::DeleteForward;
    case VKEY_TAB: return KeyAction::Tab;
    case VKEY_RETURN: return KeyAction::NewLine;
    case VKEY_ESCAPE: return KeyAction::DropSelection;
    case VKEY_PRIOR: return KeyAction::PageUp;
    case VKEY_NEXT: return KeyAction::PageDown;
    case VKEY_HOME: return ctrl ? KeyAction::DocumentStart : KeyAction::SmartHome;
    case VKEY_END: return ctrl ? KeyAction::DocumentEnd : KeyAction::LineEnd;
    case VKEY_LEFT: return ctrl ? KeyAction::WordLeft : KeyAction::Left;
    case VKEY_RIGHT: return ctrl ? KeyAction::WordRight : KeyAction::Right;
    case VKEY_UP: return ctrl ? KeyAction::PrevChangedBlock : KeyAction::RowUp;
    case VKEY_DOWN: return ctrl ? KeyAction::NextChangedBlock : KeyAction::RowDown;
    default: return KeyAction::None;
    }
}

bool isCaretMove(KeyAction action) {
    switch (action) {
    case KeyAction::PageUp: case KeyAction::PageDown:
    case KeyAction::SmartHome: case KeyAction::DocumentStart:
    case KeyAction::LineEnd: case KeyAction::DocumentEnd:
    case KeyAction::Left: case KeyAction::Right: case KeyAction::WordLeft: case KeyAction::WordRight:
    case KeyAction::RowUp: case KeyAction::RowDown:
    case KeyAction::PrevChangedBlock: case KeyAction::NextChangedBlock:
        return true;
    default:
        return false;
    }
}

PressAction leftPressAction(const PressContext& press) {
    if (press.inGutter || press.thirdClick) return PressAction::SelectLine;
    if (press.shift) return PressAction::ExtendSelection;
    if (press.ctrl) return press.insideSelection ? PressAction::DragCopy : PressAction::GrabScroll;
    if (press.alt) return PressAction::PlaceCaretAltSelect;
    if (press.insideSelection) return PressAction::DragMove;
    return PressAction::PlaceCaret;
}

MouseMode modeOf(PressAction action) {
    switch (action) {
    case PressAction::SelectLine: return MouseMode::Lines;
    case PressAction::DragMove: case PressAction::DragCopy: return MouseMode::Drag;
    case PressAction::GrabScroll: return MouseMode::GrabScroll;
    default: return MouseMode::Characters;
    }
}

bool isThirdClick(uint32_t now, int x, int y, uint32_t lastTime, int lastX, int lastY, bool haveLast,
                  uint32_t doubleClickTime, int width, int height) {
    if (!haveLast) return false;
    if (now - lastTime > doubleClickTime) return false;  // unsigned: survives the tick wrap
    return std::abs(x - lastX) <= width / 2 && std::abs(y - lastY) <= height / 2;
}

int comparePositions(LinePos a, LinePos b) {
    if (a.line != b.line) return a.line < b.line ? -1 : 1;
    if (a.offset != b.offset) return a.offset < b.offset ? -1 : 1;
    return 0;
}

bool dropCancels(LinePos drop, LinePos start, LinePos end, bool copy) {
    if (comparePositions(start, end) > 0) {
        LinePos t = start;
        start = end;
        end = t;
    }
    const int afterStart = comparePositions(drop, start);
    const int beforeEnd = comparePositions(drop, end);
    if (copy) return afterStart > 0 && beforeEnd < 0;
    return afterStart >= 0 && beforeEnd <= 0;
}

int32_t cellsBefore(const uint8_t* text, uint32_t rowStart, uint32_t upTo, int32_t tabWidth,
                    int32_t wrapWidth) {
    int32_t cells = 0;
    const int32_t tab = tabWidth > 0 ? tabWidth : 1;
    for (uint32_t i = rowStart; i < upTo;) {
        if (text[i] == '\t') {
            cells = (cells / tab + 1) * tab;
            if (wrapWidth > 0 && cells > wrapWidth) cells = wrapWidth;
            ++i;
        } else if (isSjisLead(text[i]) && i + 1 < upTo) {
            cells += 2;
            i += 2;
        } else {
            cells += 1;
            ++i;
        }
    }
    return cells;
}

uint32_t offsetAtCell(const uint8_t* text, uint32_t rowStart, uint32_t rowEnd, int32_t cell,
                      int32_t tabWidth) {
    if (cell < 0) return rowStart;
    const int32_t tab = tabWidth > 0 ? tabWidth : 1;
    int32_t cells = 0;
    for (uint32_t i = rowStart; i < rowEnd;) {
        uint32_t bytes = 1;
        int32_t next = cells + 1;
        if (text[i] == '\t') {
            next = (cells / tab + 1) * tab;
        } else if (isSjisLead(text[i]) && i + 1 < rowEnd) {
            bytes = 2;
            next = cells + 2;
        }
        if (next > cell) return i;
        cells = next;
        i += bytes;
    }
    return rowEnd;
}

uint32_t skipBlanks(const uint8_t* text, uint32_t length) {
    uint32_t i = 0;
    while (i < length && (text[i] == ' ' || text[i] == '\t')) ++i;
    return i;
}

uint32_t TypedBytes::take(uint8_t byte, uint8_t out[2]) {
    if (lead_ != 0) {
        const uint8_t lead = lead_;
        lead_ = 0;
        if (isSjisTrail(byte)) {
            out[0] = lead;
            out[1] = byte;
            return 2;
        }
        // Not a trail byte: the lead is dropped and the byte stands on its own.
    }
    if (isSjisLead(byte)) {
        lead_ = byte;
        return 0;
    }
    if ((byte >= 0x20 && byte <= 0x7E) || isHalfWidthKatakana(byte)) {
        out[0] = byte;
        return 1;
    }
    return 0;
}

}  // namespace quorvale

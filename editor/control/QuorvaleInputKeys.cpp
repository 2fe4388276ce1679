// Quorvale: keys (WM_KEYDOWN, after the frame's ECN_KEYDOWN look) and typed characters (WM_CHAR).
#include "QuorvaleInput.h"
#include "QuorvaleInputLogic.h"
#include "UndoJournal.h"

using namespace ctlinput;
using quorvale::KeyAction;

namespace {

bool keyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Left / Right without Shift while a selection exists only drop it.
bool collapseInstead(Quorvale& q, KeyAction action, bool shift) {
    if (shift || !q.hasSelection()) return false;
    if (action == KeyAction::Left) {
        q.collapseToStart();
    } else if (action == KeyAction::Right) {
        q.collapseToEnd();
    } else {
        return false;
    }
    return true;
}

void moveCaret(Quorvale& q, KeyAction action) {
    switch (action) {
    case KeyAction::SmartHome: q.moveSmartHome(); break;
    case KeyAction::DocumentStart: q.moveDocumentStart(); break;
    case KeyAction::LineEnd: q.moveLineEnd(); break;
    case KeyAction::DocumentEnd: q.moveDocumentEnd(); break;
    case KeyAction::Left: q.moveLeft(); break;
    case KeyAction::Right: q.moveRight(); break;
    case KeyAction::WordLeft: q.moveWordLeft(); break;
    case KeyAction::WordRight: q.moveWordRight(); break;
    case KeyAction::RowUp: q.moveRowUp(); break;
    case KeyAction::RowDown: q.moveRowDown(); break;
    case KeyAction::PrevChangedBlock: q.movePrevChangedBlock(); break;
    case KeyAction::NextChangedBlock: q.moveNextChangedBlock(); break;
    default: break;
    }
}

void handleMove(Quorvale& q, KeyAction action, bool shift) {
    if (action == KeyAction::PageUp || action == KeyAction::PageDown) {
        pageByKeys(q, action == KeyAction::PageDown, shift);
        return;
    }
    if (!collapseInstead(q, action, shift)) {
        if (!shift) q.dropSelection();
        beginExtend(q, shift);
        moveCaret(q, action);
        endExtend(q, shift);
    }
    afterMove(q);
}

bool selectionSpansLines(const Quorvale& q) {
    return q.hasSelection() && q.anchor().line != q.selectionEnd().line;
}

void handleEdit(Quorvale& q, KeyAction action, bool shift) {
    endCompletion(q);
    switch (action) {
    case KeyAction::DeleteBackward: deleteAtCaret(q, true, false); break;
    case KeyAction::DeleteWordBackward: deleteAtCaret(q, true, true); break;
    case KeyAction::DeleteForward: deleteAtCaret(q, false, false); break;
    case KeyAction::DeleteWordForward: deleteAtCaret(q, false, true); break;
    case KeyAction::Tab:
        if (selectionSpansLines(q)) {
            if (shift)
                q.unindentLines(true);
            else
                q.indentLines(true);
        } else {
            const uint8_t tab = '\t';
            replaceSelectionBytes(q, &tab, 1, true);
        }
        break;
    case KeyAction::NewLine: {
        UndoGroup group(q.undoJournal());
        if (q.hasSelection()) q.deleteSelection(true);
        q.splitLine(true, true);
        break;
    }
    default: return;
    }
    afterEdit(q);
}

}  // namespace

LRESULT Quorvale::onKeyboard(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        // Printable ASCII and half-width katakana at once; a double-byte character arrives as
        // two WM_CHAR bytes and is typed when its trail byte comes (the input method delivers
        // its results through its own messages).
        // A showing completion list stays: the typed character refines it (checkCompletion).
        uint8_t bytes[2];
        uint32_t n = typedBytes_.take(static_cast<uint8_t>(wParam), bytes);
        if (n == 0) return 0;
        if (n == 1 && wParam == ' ' && keyHeld(VK_SHIFT) && !(flags() & ecflag::plainShiftSpace)) {
            bytes[0] = 0x81;   // full-width space
            bytes[1] = 0x40;
            n = 2;
        }
        replaceSelectionBytes(*this, bytes, n, true);
        afterEdit(*this);
        checkCompletion(*this);
        return 0;
    }
    // A key press between a lead byte and its trail byte: the lead is no character.
    typedBytes_.reset();
    const uint32_t key = static_cast<uint32_t>(wParam);
    if (notify(ECN_KEYDOWN, static_cast<LPARAM>(key)) != 0) return 0;
    const bool ctrl = keyHeld(VK_CONTROL);
    const bool shift = keyHeld(VK_SHIFT);
    const KeyAction action = quorvale::keyAction(key, ctrl);
    if (action == KeyAction::None) return defaultProc(message, wParam, lParam);
    if (action == KeyAction::DropSelection) {
        dropSelection();
        afterMove(*this);
    } else if (quorvale::isCaretMove(action)) {
        handleMove(*this, action, shift);
    } else {
        handleEdit(*this, action, shift);
    }
    return 0;
}

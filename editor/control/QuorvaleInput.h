// QuorvaleInput: helpers shared by the control's input and request handlers: the steps after an
// edit or a caret move, closing a completion list, the clipboard, deletion, paging and the
// pointer-to-text mapping. Win32 side (uses Quorvale).
#pragma once
#include <windows.h>

#include <cstdint>

#include "Quorvale.h"

namespace ctlinput {

// Sends ECN_ENDCOMPLETE when a completion list is showing (before any text change or press).
void endCompletion(Quorvale& q);
// After the text changed: repaint what the store marked, scroll bars, caret into view, caret,
// then ECN_CHANGED with the latest edit identifier.
void afterEdit(Quorvale& q);
// After a typed character: asks the frame for a completion list (ECN_COMPLETE, or
// ECN_COMPLETEMORE while one shows), or closes the list when nothing is to be completed.
void checkCompletion(Quorvale& q);
// After a caret or selection move without text change.
void afterMove(Quorvale& q);

// Shift-extension around a caret move: call before and after moving.
void beginExtend(Quorvale& q, bool extend);
void endExtend(Quorvale& q, bool extend);

// EC_DELETE and Backspace / Delete: the selection, else one character or (word) the word.
bool deleteAtCaret(Quorvale& q, bool backward, bool word);
// Replaces the selection by bytes typed in one line (one undo group). typed: merge as typing.
bool replaceSelectionBytes(Quorvale& q, const uint8_t* bytes, uint32_t n, bool typed);
// Replaces the selection by text whose CR LF, CR and LF start new lines (one undo group).
bool replaceSelectionText(Quorvale& q, const uint8_t* bytes, uint32_t n);

// Clipboard (CF_TEXT, Shift_JIS). False when it cannot be opened or holds no text.
bool copySelection(Quorvale& q);
bool cutSelection(Quorvale& q);
bool pasteClipboard(Quorvale& q);

// Page Up / Page Down by keys (caret moves, Shift extends) or by the scroll bar (view only).
void pageByKeys(Quorvale& q, bool down, bool extend);
void pageView(Quorvale& q, bool down);
// Wheel: five rows, animated on mains power.
void wheelScroll(Quorvale& q, int delta);

// The text position under a client point (rows below the document: its last row).
struct PointHit {
    int32_t line;
    uint32_t offset;
    bool inGutter;
    bool belowText;     // below the last visible pixel row
};
PointHit hitTest(Quorvale& q, int x, int y);
bool insideSelection(const Quorvale& q, int32_t line, uint32_t offset);
// A URL or mail address covering (line, offset): its start and length; false when none.
bool linkAt(Quorvale& q, int32_t line, uint32_t offset, uint32_t* start, uint32_t* length, bool* mail);
// Opens a URL (or "mailto:" + address) with the shell; an error box when that fails.
void openLink(Quorvale& q, const uint8_t* text, uint32_t length, bool mail);

// The cursor for the pointer's current position.
void updateCursor(Quorvale& q);

// Timer resolution of 1 ms while pacing (RAII).
class FineTimer {
public:
    FineTimer();
    ~FineTimer();
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;
    FineTimer(FineTimer&&) = delete;
    FineTimer& operator=(FineTimer&&) = delete;
};

}  // namespace ctlinput

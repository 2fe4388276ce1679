// QuorvaleInput: the steps after edits and moves, Shift-extension, deletion and replacing the
// selection, shared by keys, characters, the input method, the clipboard and the requests.
#include <cstring>

#include "LineRecord.h"
#include "QuorvaleInput.h"
#include "QuorvaleMarkup.h"
#include "TextCodes.h"
#include "UndoJournal.h"

#include <mmsystem.h>  // after windows.h

namespace ctlinput {

void endCompletion(Quorvale& q) {
    if (!q.completionShowing_) return;
    q.completionShowing_ = false;
    q.notify(ECN_ENDCOMPLETE, 0);
}

void afterMove(Quorvale& q) {
    q.paintDirtyRows();
    q.bringCaretIntoView(false);
    q.updateCaret();
}

void afterEdit(Quorvale& q) {
    q.paintDirtyRows();
    q.updateScrollBars();
    q.bringCaretIntoView(false);
    q.updateCaret();
    q.notify(ECN_CHANGED, q.lastEditId());
}

void checkCompletion(Quorvale& q) {
    // The markup contexts of HTML and CSS mode, else the word before the caret (ASCII letters,
    // digits and "_", 1 to 63 bytes, starting with a letter).
    CompletionRequest request{};
    if (!ctlmarkup::completionRequestAtCaret(q, &request)) {
        endCompletion(q);
        return;
    }
    request.font = q.font();
    request.cellWidth = q.cellWidth();
    request.lineHeight = q.lineHeight();
    q.lastCompletion_ = request;
    const uint32_t code = q.completionShowing_ ? ECN_COMPLETEMORE : ECN_COMPLETE;
    q.completionShowing_ = q.notify(code, reinterpret_cast<LPARAM>(&request)) != 0;
}

void beginExtend(Quorvale& q, bool extend) {
    if (extend && !q.hasSelection()) q.setAnchorAtCaret();
}

void endExtend(Quorvale& q, bool extend) {
    if (extend) q.extendSelectionToCaret();
}

bool deleteAtCaret(Quorvale& q, bool backward, bool word) {
    if (q.hasSelection()) return q.deleteSelection(true);
    if (!word) return q.deleteChar(backward, true);
    // The word before / after the caret goes as a selection deletion, so undo shows it selected.
    q.setAnchorAtCaret();
    if (backward)
        q.moveWordLeft();
    else
        q.moveWordRight();
    q.extendSelectionToCaret();
    if (!q.hasSelection()) return true;
    return q.deleteSelection(true);
}

namespace {

bool insertOne(Quorvale& q, const uint8_t* bytes, uint32_t n, bool typed) {
    return typed ? q.typeBytes(bytes, n, true, true) : q.insertBytes(bytes, n, true, true);
}

}  // namespace

// Deleting the selection and inserting form one undo group; without a selection the insertion
// stays ungrouped so that typed characters merge into one record per word.
bool replaceSelectionBytes(Quorvale& q, const uint8_t* bytes, uint32_t n, bool typed) {
    if (!q.hasSelection()) return insertOne(q, bytes, n, typed);
    UndoGroup group(q.undoJournal());
    if (!q.deleteSelection(true)) return false;
    return insertOne(q, bytes, n, typed);
}

bool replaceSelectionText(Quorvale& q, const uint8_t* bytes, uint32_t n) {
    if (!q.hasSelection()) return q.insertText(bytes, n, true);
    UndoGroup group(q.undoJournal());
    if (!q.deleteSelection(true)) return false;
    return q.insertText(bytes, n, true);
}

FineTimer::FineTimer() { timeBeginPeriod(1); }
FineTimer::~FineTimer() { timeEndPeriod(1); }

}  // namespace ctlinput

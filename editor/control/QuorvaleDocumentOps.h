// QuorvaleDocumentOps: the editor control's requests that work on the document alone, without a
// window: line iteration, caret records, the selection as clipboard text, find, list, replace and
// replace-all. The control calls them and then repaints and notifies.
#pragma once
#include <cstdint>

#include "QuorvaleInputLogic.h"
#include "QuorvaleMessages.h"

class TextStore;

namespace quorvale {

// EC_FIRSTLINE / EC_NEXTLINE. nextLine leaves the record unchanged after the last line.
void firstLine(const TextStore& store, LineIterator* it);
bool nextLine(LineIterator* it);

// EC_GETCARET; and the row of any (line, offset), walking from the caret.
void caretState(const TextStore& store, CaretState* state);
int32_t rowOf(const TextStore& store, int32_t line, uint32_t offset);
// A CaretState for (line, offset) of the store as it is now.
CaretState stateAt(const TextStore& store, int32_t line, uint32_t offset);

// The selection's earlier and later ends (the caret for both without a selection).
void selectionBounds(const TextStore& store, LinePos* start, LinePos* end);
bool selectionInOneLine(const TextStore& store);

// EC_GETSELECTIONSIZE: bytes of the selection as clipboard text, each line end counted as 2.
uint32_t clipboardSize(const TextStore& store);
// EC_GETSELECTIONTEXT: the selection, lines joined by CR LF, zero-terminated; `out` holds
// clipboardSize + 1 bytes. False without a selection.
bool clipboardText(const TextStore& store, char* out);

// EC_FIND without the listing flag. True when found; moves the selection to the match unless
// FIND_TESTONLY is set.
bool findNext(TextStore& store, FindRequest& request);
// EC_FIND with FIND_LISTALL: the number of matching lines reported.
int32_t listAll(const TextStore& store, FindRequest& request);
// EC_REPLACE: the one-line selection replaced by the text (one undo step). False without one.
bool replaceSelection(TextStore& store, const ReplaceRequest& request);
// EC_REPLACEALL: every match replaced, as one undo group; the number of replacements.
int32_t replaceAll(TextStore& store, const ReplaceAllRequest& request);

// A tracked position after `old` bytes at (line, at) became `now` bytes: later positions on the
// line shift, a position inside the replaced text goes to its start.
void shiftForReplacement(int32_t line, uint32_t at, uint32_t old, uint32_t now, int32_t* posLine,
                         uint32_t* posOffset);

}  // namespace quorvale

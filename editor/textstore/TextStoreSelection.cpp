// TextStore: the selection (anchor and selection end), whole-line and word selection, its size.
#include "CharClass.h"
#include "RowBreaker.h"
#include "TextStore.h"

void TextStore::markRowsDirty(int32_t first, int32_t last) {
    if (first < 0) first = 0;
    if (dirtyFirstRow_ < 0) {
        dirtyFirstRow_ = first;
        dirtyLastRow_ = last;
        return;
    }
    if (first < dirtyFirstRow_) dirtyFirstRow_ = first;
    if (dirtyLastRow_ >= 0) dirtyLastRow_ = last < 0 ? -1 : (last > dirtyLastRow_ ? last : dirtyLastRow_);
}

void TextStore::markSelectionDirty() {
    if (!hasSelection_) return;
    int32_t a = anchor_.row, b = selectionEnd_.row;
    markRowsDirty(a < b ? a : b, a < b ? b : a);
}

void TextStore::dropSelection() {
    markSelectionDirty();
    hasSelection_ = false;
}

void TextStore::collapseToStart() {
    if (hasSelection_) caretTo(before(selectionEnd_, anchor_) ? selectionEnd_ : anchor_);
    dropSelection();
    wantedColumn_ = -1;
}

void TextStore::collapseToEnd() {
    if (hasSelection_) caretTo(before(selectionEnd_, anchor_) ? anchor_ : selectionEnd_);
    dropSelection();
    wantedColumn_ = -1;
}

void TextStore::setAnchorAtCaret() { anchor_ = caret_; }

void TextStore::setAnchor(int32_t line, uint32_t offset) { anchor_ = positionAt(line, offset); }

void TextStore::setSelectionEnd(int32_t line, uint32_t offset) { selectionEnd_ = positionAt(line, offset); }

void TextStore::extendSelectionToCaret() {
    markSelectionDirty();
    selectionEnd_ = caret_;
    hasSelection_ = anchor_.line != caret_.line || anchor_.offset != caret_.offset;
    markSelectionDirty();
}

void TextStore::selectRange(int32_t anchorLine, uint32_t anchorOffset, int32_t caretLine, uint32_t caretOffset) {
    dropSelection();
    anchor_ = positionAt(anchorLine, anchorOffset);
    caretTo(positionAt(caretLine, caretOffset));
    extendSelectionToCaret();
}

void TextStore::extendToWholeLines() {
    if (!hasSelection_) return;
    markSelectionDirty();
    TextPosition* first = before(selectionEnd_, anchor_) ? &selectionEnd_ : &anchor_;
    TextPosition* last = first == &anchor_ ? &selectionEnd_ : &anchor_;
    *first = positionIn(first->record, first->line, lineStartRow(*first), 0);
    if (last->offset != 0) {
        if (last->record->next)
            *last = positionIn(last->record->next, last->line + 1, lineStartRow(*last) + last->record->rowCount, 0);
        else
            *last = positionIn(last->record, last->line, lineStartRow(*last), last->record->length);
    }
    caretTo(selectionEnd_);
    hasSelection_ = anchor_.line != selectionEnd_.line || anchor_.offset != selectionEnd_.offset;
    markSelectionDirty();
}

// The run of equal selection classes around the caret; when the caret ends a run, the run of the
// character before it.
void TextStore::selectWordAtCaret() {
    const LineRecord& line = *caret_.record;
    if (line.length == 0) return;
    uint32_t at = caret_.offset;
    uint32_t target = at;
    if (at >= line.length) {
        target = previousCharStart(line, at);
    } else if (at > 0) {
        uint32_t before = previousCharStart(line, at);
        if (CharClass::selectionClass(line.text, line.length, before) !=
            CharClass::selectionClass(line.text, line.length, at))
            target = before;
    }
    uint32_t runStart = 0, runEnd = 0;
    int32_t runClass = -1;
    for (uint32_t i = 0; i < line.length;) {
        int32_t c = CharClass::selectionClass(line.text, line.length, i);
        if (c != runClass) {
            if (i > target) break;
            runClass = c;
            runStart = i;
        }
        i = nextCharEnd(line, i);
        runEnd = i;
    }
    if (runEnd == runStart) return;
    markSelectionDirty();
    int32_t startRow = lineStartRow(caret_);
    anchor_ = positionIn(caret_.record, caret_.line, startRow, runStart);
    caretTo(positionIn(caret_.record, caret_.line, startRow, runEnd));
    selectionEnd_ = caret_;
    hasSelection_ = true;
    markSelectionDirty();
}

uint32_t TextStore::selectionSize() const {
    if (!hasSelection_) return 0;
    const TextPosition& a = before(selectionEnd_, anchor_) ? selectionEnd_ : anchor_;
    const TextPosition& b = &a == &anchor_ ? selectionEnd_ : anchor_;
    if (a.record == b.record) return b.offset - a.offset;
    uint32_t size = a.record->length - a.offset;
    for (const LineRecord* line = a.record; line != b.record; line = line->next) {
        size += lineEndByteCount(static_cast<LineEnd>(line->lineEnd));
        if (line != a.record) size += line->length;
    }
    return size + b.offset;
}

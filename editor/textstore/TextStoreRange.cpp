// TextStore: moving and copying a range to the caret (drag and drop), and deleting the selection
// or the caret's line.
#include <cstring>
#include <new>

#include "LineText.h"
#include "TextStore.h"

using namespace undo;

using Place = TextStore::Place;

namespace {

bool placeBefore(const Place& a, const Place& b) {
    return a.line < b.line || (a.line == b.line && a.offset < b.offset);
}

// Where a place ends up after `size` bytes with `breaks` line ends (the last `tail` bytes after
// the last one) went in at `at`; a place at `at` itself moves behind the text.
Place afterInsertion(Place p, Place at, uint32_t size, int32_t breaks, uint32_t tail) {
    if (p.line == at.line && p.offset >= at.offset) {
        p.offset = breaks == 0 ? p.offset + size : tail + (p.offset - at.offset);
        p.line += breaks;
    } else if (p.line > at.line) {
        p.line += breaks;
    }
    return p;
}

// Where a place at or after `to` ends up once [from, to) is removed.
Place afterRemoval(Place p, Place from, Place to) {
    if (placeBefore(p, from)) return p;
    if (p.line == to.line) return {from.line, from.offset + (p.offset - to.offset)};
    return {p.line - (to.line - from.line), p.offset};
}

}  // namespace

// Units from `from` to `to`: one per byte, one per line end.
static uint32_t unitsBetween(const TextPosition& from, const TextPosition& to) {
    uint32_t units = 0, offset = from.offset;
    for (const LineRecord* line = from.record;; line = line->next, offset = 0) {
        if (line == to.record) return units + to.offset - offset;
        units += line->length - offset + 1;
    }
}

// The bytes of [from, to) in scratch_, with the lone CR offsets in loneCr_; false without memory.
bool TextStore::copyToScratch(const TextPosition& from, const TextPosition& to, uint32_t* size) {
    try {
        loneCr_.clear();
        *size = copyRangeBytes(from, to, nullptr, &loneCr_);
        scratch_.resize(*size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    copyRangeBytes(from, to, scratch_.data(), nullptr);
    return true;
}

// A moved range carries its whole lines (those between its first and its last line) unchanged,
// so their copies at the target (from `to` on) take over whether the originals (from `from` on)
// were edited; the lines the range was cut from and put into count as edited.
static void keepMovedLineMarks(LineRecord* to, LineRecord* from, int32_t count) {
    for (int32_t i = 0; i < count && to && from; ++i, to = to->next, from = from->next)
        to->marks = static_cast<uint8_t>((to->marks & ~LineRecord::modifiedMark) | (from->marks & LineRecord::modifiedMark));
}

// The range of `length` units from (line, offset) goes in at the caret as text; for a move it is
// then removed from its old place. Afterwards the new text is selected.
bool TextStore::transferRange(int32_t line, uint32_t offset, uint32_t length, bool move, bool record, uint16_t type) {
    TextPosition from = positionAt(line, offset);
    TextPosition to = endAfterUnits(from, length);
    Place target{caret_.line, caret_.offset}, start{from.line, from.offset}, end{to.line, to.offset};
    if (move && !placeBefore(target, start) && !placeBefore(end, target)) return false;
    uint32_t size;
    if (!copyToScratch(from, to, &size)) return false;
    length = unitsBetween(from, to);   // what the range really covers (it may have reached the end)
    int32_t breaks = end.line - start.line;
    uint32_t tail = breaks == 0 ? end.offset - start.offset : end.offset;
    dropSelection();
    if (size > 0 && !insertExactText(scratch_.data(), size, loneCr_.data(), uint32_t(loneCr_.size() / 4), false))
        return false;
    Place newStart = target, newEnd{caret_.line, caret_.offset};
    Place source = afterInsertion(start, target, tail, breaks, tail);
    bool removed = true;
    if (move) {
        Place sourceEnd = afterInsertion(end, target, tail, breaks, tail);
        if (breaks >= 2)
            keepMovedLineMarks(positionAt(target.line + 1, 0).record, positionAt(source.line + 1, 0).record, breaks - 1);
        caretTo(positionAt(source.line, source.offset));
        // When the old place cannot be joined up the text stays copied, and is recorded so.
        removed = removeRange(endAfterUnits(caret_, length));
        if (removed) {
            newStart = afterRemoval(newStart, source, sourceEnd);
            newEnd = afterRemoval(newEnd, source, sourceEnd);
        } else {
            type = typeCopyRange;
        }
    }
    if (record) recordRange(type, target.line, target.offset, line, offset, length, source, newStart);
    caretTo(positionAt(newStart.line, newStart.offset));
    anchor_ = caret_;
    caretTo(positionAt(newEnd.line, newEnd.offset));
    extendSelectionToCaret();
    return removed;
}

void TextStore::recordRange(uint16_t type, int32_t targetLine, uint32_t targetOffset, int32_t line, uint32_t offset,
                            uint32_t length, const Place& source, const Place& newStart) {
    uint8_t* fields = undo_.append(type, targetLine, static_cast<int32_t>(targetOffset), rangePayloadSize);
    if (!fields) return;
    int32_t values[7] = {line, static_cast<int32_t>(offset), static_cast<int32_t>(length), source.line,
                         static_cast<int32_t>(source.offset), newStart.line, static_cast<int32_t>(newStart.offset)};
    for (int i = 0; i < 7; ++i) writeI32(fields + 4 * i, values[i]);
}

bool TextStore::moveRange(int32_t line, uint32_t offset, uint32_t length, bool record) {
    return transferRange(line, offset, length, true, record, typeMoveRange);
}

bool TextStore::copyRange(int32_t line, uint32_t offset, uint32_t length, bool record) {
    return transferRange(line, offset, length, false, record, typeCopyRange);
}

void TextStore::recordSelection() {
    uint8_t* fields = undo_.append(typeRecordSelection, anchor_.line, static_cast<int32_t>(anchor_.offset),
                                   selectionPayloadSize);
    if (fields) {
        writeI32(fields, caret_.line);
        writeI32(fields + 4, static_cast<int32_t>(caret_.offset));
    }
}

bool TextStore::deleteSelection(bool record) {
    if (!hasSelection_) return true;
    UndoGroup group(undo_);
    if (record) recordSelection();
    uint32_t size = selectionSize();
    TextPosition first = before(selectionEnd_, anchor_) ? selectionEnd_ : anchor_;
    dropSelection();
    caretTo(first);
    return deleteForward(size, record);
}

bool TextStore::deleteSelectionOrLine(bool record) {
    if (hasSelection_) {
        extendToWholeLines();
        return deleteSelection(record);
    }
    UndoGroup group(undo_);
    moveLineStart();
    const LineRecord& line = *caret_.record;
    return deleteForward(line.length + lineEndByteCount(static_cast<LineEnd>(line.lineEnd)), record);
}

// QuorvaleDocumentOps: line iteration, caret records, clipboard text of the selection.
#include "QuorvaleDocumentOps.h"

#include <cstring>

#include "LineRecord.h"
#include "TextStore.h"

namespace quorvale {

namespace {

void fill(LineIterator* it, const LineRecord* line) {
    it->length = line->length;
    it->text = line->text;
    it->lineEnd = line->lineEnd;
    it->handle = line;
}

}  // namespace

void firstLine(const TextStore& store, LineIterator* it) { fill(it, store.firstLine()); }

bool nextLine(LineIterator* it) {
    const auto* line = static_cast<const LineRecord*>(it->handle);
    if (line == nullptr || line->next == nullptr) return false;
    fill(it, line->next);
    return true;
}

int32_t rowOf(const TextStore& store, int32_t line, uint32_t offset) {
    const TextPosition& caret = store.caret();
    const LineRecord* record = caret.record;
    int32_t row = caret.row - store.rowOfOffset(*record, caret.offset);
    int32_t i = caret.line;
    for (; i < line && record->next; ++i) {
        row += record->rowCount;
        record = record->next;
    }
    for (; i > line && record->previous; --i) {
        record = record->previous;
        row -= record->rowCount;
    }
    return row + store.rowOfOffset(*record, offset < record->length ? offset : record->length);
}

CaretState stateAt(const TextStore& store, int32_t line, uint32_t offset) {
    CaretState state{};
    if (line < 0) line = 0;
    if (line >= store.lineCount()) line = store.lineCount() - 1;
    const LineRecord* record = store.lineAt(line);
    if (offset > record->length) offset = record->length;
    state.line = line;
    state.handle = record;
    state.offset = offset;
    state.row = rowOf(store, line, offset);
    return state;
}

void caretState(const TextStore& store, CaretState* state) {
    const TextPosition& caret = store.caret();
    state->line = caret.line;
    state->handle = caret.record;
    state->offset = caret.offset;
    state->row = caret.row;
}

void selectionBounds(const TextStore& store, LinePos* start, LinePos* end) {
    if (!store.hasSelection()) {
        *start = *end = LinePos{store.caret().line, store.caret().offset};
        return;
    }
    LinePos a{store.anchor().line, store.anchor().offset};
    LinePos b{store.selectionEnd().line, store.selectionEnd().offset};
    if (comparePositions(a, b) > 0) std::swap(a, b);
    *start = a;
    *end = b;
}

bool selectionInOneLine(const TextStore& store) {
    return store.hasSelection() && store.anchor().line == store.selectionEnd().line;
}

uint32_t clipboardSize(const TextStore& store) {
    if (!store.hasSelection()) return 0;
    LinePos start, end;
    selectionBounds(store, &start, &end);
    const LineRecord* line = store.lineAt(start.line);
    if (start.line == end.line) return end.offset - start.offset;
    uint32_t size = line->length - start.offset + 2;
    for (int32_t i = start.line + 1; i < end.line; ++i) {
        line = line->next;
        size += line->length + 2;
    }
    return size + end.offset;
}

bool clipboardText(const TextStore& store, char* out) {
    if (!store.hasSelection()) return false;
    LinePos start, end;
    selectionBounds(store, &start, &end);
    const LineRecord* line = store.lineAt(start.line);
    uint32_t from = start.offset;
    for (int32_t i = start.line;; ++i) {
        const uint32_t to = i == end.line ? end.offset : line->length;
        if (to > from) std::memcpy(out, line->text + from, to - from);
        out += to - from;
        if (i == end.line) break;
        *out++ = '\r';
        *out++ = '\n';
        line = line->next;
        from = 0;
    }
    *out = '\0';
    return true;
}

void shiftForReplacement(int32_t line, uint32_t at, uint32_t old, uint32_t now, int32_t* posLine,
                         uint32_t* posOffset) {
    if (*posLine != line || *posOffset <= at) return;
    if (*posOffset >= at + old)
        *posOffset = *posOffset - old + now;
    else
        *posOffset = at;
}

}  // namespace quorvale

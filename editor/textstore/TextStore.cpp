// TextStore: creation, reset and destruction of the store, finding lines and rows, and the wrap
// width.
#include "TextStore.h"

#include <initializer_list>

#include "RowBreaker.h"

TextStore::TextStore() : pool_(allocator_) { resetPositions(); }

TextStore::~TextStore() { destroy(); }

bool TextStore::create(int32_t wrapWidth, int32_t tabWidth, uint32_t undoSizeLimit, TextEncoding defaultEncoding) {
    destroy();
    wrapWidth_ = wrapWidth < 1 ? 1 : wrapWidth;
    tabWidth_ = tabWidth < 1 ? 1 : tabWidth;
    defaultEncoding_ = defaultEncoding == TextEncoding::Auto ? TextEncoding::ShiftJis : defaultEncoding;
    encoding_ = defaultEncoding_;
    syntaxMode_ = 0;
    urlHighlighting_ = true;
    undo_.setLimit(undoSizeLimit);
    reset(encoding_);
    tokenBuffer_ = allocator_.allocate(initialTokenEntries * tokenEntryBytes);
    if (!tokenBuffer_) return false;
    tokenCapacity_ = initialTokenEntries;
    return true;
}

void TextStore::reset(TextEncoding encoding) {
    clearLines();
    encoding_ = encoding;
    undo_.empty();
    undo_.resetEditIds();
    wantedColumn_ = -1;
    lineCount_ = 1;
    rowCount_ = 1;
    documentLineEnd_ = LineEnd::CrLf;
    crLfCount_ = crCount_ = lfCount_ = 0;
    tail_ = &head_;
    tailUndecoded_ = false;
    decodeFailed_ = loadLossy_ = false;
    mixedLineEnds_ = lossy_ = false;
    head_.urlFlags = urlHighlighting_ ? 0 : LineRecord::urlScanned;
    resetPositions();
}

void TextStore::destroy() {
    undo_.release();
    clearLines();
    if (tokenBuffer_) allocator_.release(tokenBuffer_, tokenCapacity_ * tokenEntryBytes);
    tokenBuffer_ = nullptr;
    tokenCapacity_ = 0;
    lineCount_ = rowCount_ = 1;
    tail_ = &head_;
    tailUndecoded_ = false;
    resetPositions();
}

// Every record after the head lives in a pool block and all blocks go at once, so only the lines'
// own text and row arrays need freeing one by one.
void TextStore::clearLines() {
    for (LineRecord* line = head_.next; line; line = line->next) {
        if (line->hasOwnText()) allocator_.release(line->text, line->capacity);
        if (line->rowStarts)
            allocator_.release(line->rowStarts, sizeof(uint32_t) * uint32_t(line->rowStartsCapacity));
    }
    pool_.freeAll();
    LineRecordPool::clearRecord(head_, allocator_);
}

void TextStore::resetPositions() {
    TextPosition start;
    start.record = &head_;
    caret_ = anchor_ = selectionEnd_ = start;
    hasSelection_ = false;
    top_ = ViewTop();
    top_.record = &head_;
    dirtyFirstRow_ = dirtyLastRow_ = -1;
}

LineRecord* TextStore::lineAt(int32_t index) const {
    LineRecord* line = caret_.record;
    for (int32_t i = caret_.line; i < index; ++i) line = line->next;
    for (int32_t i = caret_.line; i > index; --i) line = line->previous;
    return line;
}

int32_t TextStore::rowOfOffset(const LineRecord& line, uint32_t offset) const {
    return RowBreaker::rowOfOffset(line, offset);
}

int32_t TextStore::rebreakLine(LineRecord& line, uint32_t from) {
    int32_t before = line.rowCount;
    int32_t rows = RowBreaker(wrapWidth_, tabWidth_).rebreak(line, from, allocator_, urlHighlighting_);
    rowCount_ += line.rowCount - before;
    return rows;
}

void TextStore::setWrapWidth(int32_t cells) {
    if (cells < 1) cells = 1;
    if (cells == wrapWidth_) return;
    wrapWidth_ = cells;
    RowBreaker breaker(wrapWidth_, tabWidth_);
    int32_t row = 0;
    for (LineRecord* line = &head_; line; line = line->next) {
        // A one-row line narrower than the new width cannot change.
        if (line->rowCount > 1 || line->singleRowWidth >= cells)
            breaker.rebreak(*line, 0, allocator_, urlHighlighting_);
        for (TextPosition* p : {&caret_, &anchor_, &selectionEnd_})
            if (p->record == line) p->row = row + RowBreaker::rowOfOffset(*line, p->offset);
        if (top_.record == line) {
            if (top_.rowInLine >= line->rowCount) top_.rowInLine = line->rowCount - 1;
            top_.row = row + top_.rowInLine;
        }
        row += line->rowCount;
    }
    rowCount_ = row;
    dirtyFirstRow_ = 0;
    dirtyLastRow_ = -1;
}

// QuorvaleCore: creation and loading of the document, colouring, display rows and the view.
#include "QuorvaleCore.h"

#include "RowBreaker.h"
#include "TextCodes.h"

bool QuorvaleCore::createCore(int32_t wrapWidth, int32_t tabWidth, uint32_t undoSize, TextEncoding defaultEncoding,
                              uint32_t flags) {
    flags_ = flags;
    if (!create(wrapWidth, tabWidth, undoSize, defaultEncoding)) return false;
    if (!lexer_.create()) return false;
    setLineStateHook(propagateAfterEdit, this);
    const bool urls = (flags & ecflag::urls) != 0;
    lexer_.setUrlRecognition(urls);
    setUrlHighlighting(urls);
    head_.urlFlags = urls ? 0 : LineRecord::urlScanned;
    pixelOffset_ = horizontalOffset_ = 0;
    return true;
}

void QuorvaleCore::resetDocument(TextEncoding encoding) {
    reset(encoding);
    pixelOffset_ = horizontalOffset_ = 0;
}

bool QuorvaleCore::convertDocument() {
    const bool ok = convertLoaded();
    if (loadHadMixedLineEnds()) lineEndsMixed();
    if (loadWasLossy()) charactersReplaced();
    // Every line came in with an unknown state: one walk from the first line sets them.
    LexLinkedLines<LineRecord> lines(&head_);
    lexer_.propagateLineStates(lines, &head_);
    return ok;
}

bool QuorvaleCore::propagateAfterEdit(void* core, LineRecord* line) {
    QuorvaleCore& self = *static_cast<QuorvaleCore*>(core);
    LexLinkedLines<LineRecord> lines(&self.head_);
    uint32_t changed = 0;
    self.lexer_.propagateLineStates(lines, line, &changed);
    return changed > 0;
}

void QuorvaleCore::setColouringMode(int32_t mode) {
    LexLinkedLines<LineRecord> lines(&head_);
    lexer_.setSyntaxMode(lines, mode);
    syntaxMode_ = mode;
}

const Token* QuorvaleCore::tokensOf(LineRecord& line, uint32_t* count) {
    LexLinkedLines<LineRecord> lines(&head_);
    return lexer_.tokenizeLine(lines, &line, count);
}

QuorvaleCore::RowCursor QuorvaleCore::topCursor() const {
    RowCursor c;
    c.line = top_.record;
    c.lineIndex = top_.line;
    c.rowInLine = top_.rowInLine;
    c.row = top_.row;
    return c;
}

QuorvaleCore::RowCursor QuorvaleCore::cursorAtRow(int32_t row) const {
    RowCursor c = topCursor();
    while (c.row < row && nextRow(c)) {
    }
    while (c.row > row) {
        if (c.rowInLine > 0) {
            --c.rowInLine;
        } else {
            c.line = c.line->previous;
            --c.lineIndex;
            c.rowInLine = c.line->rowCount - 1;
        }
        --c.row;
    }
    return c;
}

bool QuorvaleCore::nextRow(RowCursor& c) {
    if (c.rowInLine + 1 < c.line->rowCount) {
        ++c.rowInLine;
    } else {
        if (!c.line->next) return false;
        c.line = c.line->next;
        ++c.lineIndex;
        c.rowInLine = 0;
    }
    ++c.row;
    return true;
}

void QuorvaleCore::rowBounds(const LineRecord& line, int32_t rowInLine, uint32_t* start, uint32_t* end) {
    if (line.rowCount <= 1 || line.rowStarts == nullptr) {
        *start = 0;
        *end = line.length;
        return;
    }
    *start = rowInLine == 0 ? 0 : line.rowStarts[rowInLine - 1];
    *end = line.rowStarts[rowInLine];
}

RowText QuorvaleCore::rowText(const RowCursor& c) const {
    RowText t;
    t.line = c.line;
    rowBounds(*c.line, c.rowInLine, &t.start, &t.end);
    t.lastRowOfLine = c.rowInLine + 1 >= c.line->rowCount;
    t.lastLine = c.line->next == nullptr;
    return t;
}

namespace {
bool isBefore(const TextPosition& a, const TextPosition& b) {
    return a.line < b.line || (a.line == b.line && a.offset < b.offset);
}
}  // namespace

RowSelection QuorvaleCore::selectionFor(const RowCursor& c, const RowText& text) const {
    RowSelection s;
    if (!hasSelection_) return s;
    const TextPosition& first = isBefore(selectionEnd_, anchor_) ? selectionEnd_ : anchor_;
    const TextPosition& last = &first == &anchor_ ? selectionEnd_ : anchor_;
    if (c.row < first.row || c.row > last.row) return s;
    s.any = true;
    s.from = c.row == first.row && first.line == c.lineIndex ? first.offset : text.start;
    s.to = c.row == last.row && last.line == c.lineIndex ? last.offset : text.end;
    s.lineEnd = text.lastRowOfLine && last.line > c.lineIndex;
    if (s.to <= s.from && !s.lineEnd) s.any = false;
    return s;
}

void QuorvaleCore::setView(int32_t row, int32_t pixels) {
    if (row >= rowCount_) row = rowCount_ - 1;
    if (row < 0) row = 0;
    const RowCursor c = cursorAtRow(row);
    top_.record = c.line;
    top_.line = c.lineIndex;
    top_.rowInLine = c.rowInLine;
    top_.row = c.row;
    pixelOffset_ = pixels < 0 ? 0 : pixels;
}

int32_t QuorvaleCore::caretCells() const {
    const LineRecord& line = *caret_.record;
    uint32_t start, end;
    rowBounds(line, RowBreaker::rowOfOffset(line, caret_.offset), &start, &end);
    int32_t column = 0;
    for (uint32_t i = start; i < caret_.offset && i < line.length;) {
        if (line.text[i] == 0x09) {
            column = (column / tabWidth_ + 1) * tabWidth_;
            if (column > wrapWidth_) column = wrapWidth_;
            ++i;
        } else if (isSjisLead(line.text[i]) && i + 1 < line.length) {
            column += 2;
            i += 2;
        } else {
            column += 1;
            ++i;
        }
    }
    return column;
}

// TextStore: caret positions and every caret movement (characters, words, rows, lines, the
// document, blocks of changed lines).
#include <cstring>

#include "CharClass.h"
#include "RowBreaker.h"
#include "TextStore.h"

int32_t TextStore::lineStartRow(const TextPosition& p) const {
    return p.row - RowBreaker::rowOfOffset(*p.record, p.offset);
}

TextPosition TextStore::positionIn(LineRecord* line, int32_t index, int32_t startRow, uint32_t offset) {
    TextPosition p;
    p.line = index;
    p.record = line;
    p.offset = offset;
    p.row = startRow + RowBreaker::rowOfOffset(*line, offset);
    return p;
}

// Walks from the caret's line; a line before the first is the document's start, one past the
// last its end; the offset is limited to the line's length.
TextPosition TextStore::positionAt(int32_t index, uint32_t offset) const {
    if (index < 0) return positionIn(const_cast<LineRecord*>(&head_), 0, 0, 0);
    if (index >= lineCount_) return documentEnd();
    LineRecord* line = caret_.record;
    int32_t i = caret_.line;
    int32_t row = lineStartRow(caret_);
    for (; i < index; ++i) {
        row += line->rowCount;
        line = line->next;
    }
    for (; i > index; --i) {
        line = line->previous;
        row -= line->rowCount;
    }
    return positionIn(line, i, row, offset < line->length ? offset : line->length);
}

TextPosition TextStore::documentEnd() const {
    LineRecord* line = caret_.record;
    int32_t i = caret_.line;
    int32_t row = lineStartRow(caret_);
    for (; line->next; ++i) {
        row += line->rowCount;
        line = line->next;
    }
    return positionIn(line, i, row, line->length);
}

uint32_t TextStore::nextCharEnd(const LineRecord& line, uint32_t offset) {
    if (offset >= line.length) return line.length;
    return isSjisLead(line.text[offset]) && offset + 1 < line.length ? offset + 2 : offset + 1;
}

// A byte that cannot be a lead always ends a character, so the run of lead-range bytes before
// the caret decides by its parity whether the last character has two bytes.
uint32_t TextStore::previousCharStart(const uint8_t* text, uint32_t offset) {
    if (offset == 0) return 0;
    if (offset < 2 || !isSjisLead(text[offset - 2])) return offset - 1;
    uint32_t leads = 0;
    for (uint32_t k = offset - 1; k > 0 && isSjisLead(text[k - 1]); --k) ++leads;
    return (leads & 1u) ? offset - 2 : offset - 1;
}

uint32_t TextStore::previousCharStart(const LineRecord& line, uint32_t offset) {
    return previousCharStart(line.text, offset);
}

bool TextStore::insideCharacter(const LineRecord& line, uint32_t offset) {
    if (offset == 0 || offset >= line.length) return false;
    uint32_t leads = 0;
    for (uint32_t k = offset; k > 0 && isSjisLead(line.text[k - 1]); --k) ++leads;
    return (leads & 1u) != 0;
}

// Cells from `from` (column 0) to `to`: TAB to the next tab stop, double-byte characters 2.
int32_t TextStore::cellWidth(const uint8_t* text, uint32_t from, uint32_t to) const {
    int32_t column = 0;
    for (uint32_t i = from; i < to;) {
        if (text[i] == 0x09) {
            column = (column / tabWidth_ + 1) * tabWidth_;
            ++i;
        } else if (isSjisLead(text[i])) {
            column += 2;
            i += 2;
        } else {
            column += 1;
            ++i;
        }
    }
    return column;
}

void TextStore::moveLeft() {
    if (caret_.offset > 0)
        caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), previousCharStart(*caret_.record, caret_.offset)));
    else if (caret_.line > 0)
        caretTo(positionAt(caret_.line - 1, 0xFFFFFFFFu));
    wantedColumn_ = -1;
}

void TextStore::moveRight() {
    if (caret_.offset < caret_.record->length)
        caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), nextCharEnd(*caret_.record, caret_.offset)));
    else if (caret_.record->next)
        caretTo(positionAt(caret_.line + 1, 0));
    wantedColumn_ = -1;
}

void TextStore::moveWordLeft() {
    wantedColumn_ = -1;
    if (caret_.offset == 0) {
        if (caret_.line > 0) caretTo(positionAt(caret_.line - 1, 0xFFFFFFFFu));
        return;
    }
    // The run of equal classes that ends before the caret, found by scanning from the line start.
    const uint8_t* text = caret_.record->text;
    uint32_t runStart = 0;
    int32_t runClass = -1;
    for (uint32_t i = 0; i < caret_.offset; i = nextCharEnd(*caret_.record, i)) {
        int32_t c = CharClass::wordClass[text[i]];
        if (c != runClass) {
            runClass = c;
            runStart = i;
        }
    }
    caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), runStart));
}

void TextStore::moveWordRight() {
    wantedColumn_ = -1;
    const LineRecord& line = *caret_.record;
    if (caret_.offset >= line.length) {
        if (!line.next) return;
        TextPosition next = positionAt(caret_.line + 1, 0);
        uint32_t i = 0;
        while (i < next.record->length && next.record->text[i] == 0x09) ++i;
        caretTo(positionIn(next.record, next.line, next.row, i));
        return;
    }
    int32_t c = CharClass::wordClass[line.text[caret_.offset]];
    uint32_t i = caret_.offset;
    while (i < line.length && CharClass::wordClass[line.text[i]] == c) i = nextCharEnd(line, i);
    caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), i));
}

void TextStore::moveLineStart() {
    caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), 0));
}

void TextStore::moveSmartHome() {
    const LineRecord& line = *caret_.record;
    uint32_t i = 0;
    for (;;) {
        if (i < line.length && (line.text[i] == 0x09 || line.text[i] == 0x20))
            ++i;
        else if (i + 1 < line.length && line.text[i] == 0x81 && line.text[i + 1] == 0x40)
            i += 2;
        else
            break;
    }
    caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), caret_.offset == i ? 0 : i));
}

void TextStore::moveLineEnd() {
    caretTo(positionIn(caret_.record, caret_.line, lineStartRow(caret_), caret_.record->length));
}

void TextStore::moveDocumentStart() { caretTo(positionAt(-1, 0)); }

void TextStore::moveDocumentEnd() { caretTo(documentEnd()); }

void TextStore::moveTo(int32_t line, uint32_t offset) { caretTo(positionAt(line, offset)); }

void TextStore::setTop(int32_t line, int32_t rowInLine) {
    if (line >= lineCount_) line = lineCount_ - 1;
    TextPosition start = positionAt(line, 0);
    top_.line = start.line;
    top_.record = start.record;
    top_.rowInLine = rowInLine < 0 ? 0 : (rowInLine >= start.record->rowCount ? start.record->rowCount - 1 : rowInLine);
    top_.row = start.row + top_.rowInLine;
}

void TextStore::movePrevChangedBlock() {
    wantedColumn_ = -1;
    const LineRecord* line = caret_.record->previous;
    int32_t index = caret_.line - 1;
    while (line && !(line->marks & LineRecord::modifiedMark)) {
        line = line->previous;
        --index;
    }
    if (!line) return;
    while (line->previous && (line->previous->marks & LineRecord::modifiedMark)) {
        line = line->previous;
        --index;
    }
    caretTo(positionAt(index, 0));
}

void TextStore::moveNextChangedBlock() {
    wantedColumn_ = -1;
    const LineRecord* line = caret_.record;
    int32_t index = caret_.line;
    while (line && (line->marks & LineRecord::modifiedMark)) {
        line = line->next;
        ++index;
    }
    while (line && !(line->marks & LineRecord::modifiedMark)) {
        line = line->next;
        ++index;
    }
    if (line) caretTo(positionAt(index, 0));
}

// The neighbouring row's characters up to the one whose cells contain wantedColumn. A row that
// another row of the same line follows ends before its last character: the offset after it
// already belongs to the next row.
static uint32_t offsetInRow(const LineRecord& line, uint32_t start, uint32_t limit, int32_t wanted, int32_t tab) {
    int32_t column = 0;
    uint32_t i = start;
    while (i < limit) {
        uint8_t b = line.text[i];
        int32_t w = b == 0x09 ? (column / tab + 1) * tab - column : (isSjisLead(b) ? 2 : 1);
        if (column + w > wanted) break;
        column += w;
        uint32_t end = isSjisLead(b) && i + 1 < line.length ? i + 2 : i + 1;
        if (end > limit) break;
        i = end;
    }
    return i;
}

static void rowBounds(const LineRecord& line, int32_t row, uint32_t* start, uint32_t* limit) {
    *start = row == 0 ? 0 : line.rowStarts[row - 1];
    if (row + 1 >= line.rowCount) {
        *limit = line.length;
        return;
    }
    uint32_t next = line.rowStarts[row];
    // Start of the row's last character.
    uint32_t last = *start;
    for (uint32_t i = *start; i < next;) {
        last = i;
        i = isSjisLead(line.text[i]) && i + 1 < line.length ? i + 2 : i + 1;
    }
    *limit = last;
}

void TextStore::moveRowUp() {
    int32_t rowInLine = RowBreaker::rowOfOffset(*caret_.record, caret_.offset);
    uint32_t start, limit;
    rowBounds(*caret_.record, rowInLine, &start, &limit);
    if (wantedColumn_ < 0) wantedColumn_ = cellWidth(caret_.record->text, start, caret_.offset);
    if (caret_.row == 0) return;
    LineRecord* line = caret_.record;
    int32_t index = caret_.line, target = rowInLine - 1;
    if (rowInLine == 0) {
        line = line->previous;
        --index;
        target = line->rowCount - 1;
    }
    rowBounds(*line, target, &start, &limit);
    uint32_t offset = wantedColumn_ == 0 ? start : offsetInRow(*line, start, limit, wantedColumn_, tabWidth_);
    caret_ = positionIn(line, index, caret_.row - 1 - target, offset);
}

void TextStore::moveRowDown() {
    int32_t rowInLine = RowBreaker::rowOfOffset(*caret_.record, caret_.offset);
    uint32_t start, limit;
    rowBounds(*caret_.record, rowInLine, &start, &limit);
    if (wantedColumn_ < 0) wantedColumn_ = cellWidth(caret_.record->text, start, caret_.offset);
    if (caret_.row + 1 >= rowCount_) return;
    LineRecord* line = caret_.record;
    int32_t index = caret_.line, target = rowInLine + 1;
    if (target >= line->rowCount) {
        line = line->next;
        ++index;
        target = 0;
    }
    rowBounds(*line, target, &start, &limit);
    uint32_t offset = wantedColumn_ == 0 ? start : offsetInRow(*line, start, limit, wantedColumn_, tabWidth_);
    caret_ = positionIn(line, index, caret_.row + 1 - target, offset);
}

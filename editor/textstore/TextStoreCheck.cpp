// TextStore: the invariant check that tests call after every operation.
#include <cstring>

#include "RowBreaker.h"
#include "TextStore.h"

namespace {

// Compares the row starts a fresh walk produces with the stored ones.
struct CompareSink {
    const LineRecord& line;
    int32_t index = 0;
    bool same = true;
    void operator()(uint32_t start) {
        if (index >= line.rowCount - 1 || line.rowStarts[index] != start) same = false;
        ++index;
    }
};

// True when every row start lies on a character boundary (or at the line's end).
bool rowStartsOnBoundaries(const LineRecord& line) {
    uint32_t position = 0;
    for (int32_t row = 0; row + 1 < line.rowCount; ++row) {
        uint32_t start = line.rowStarts[row];
        while (position < start) position += isSjisLead(line.text[position]) ? 2 : 1;
        if (position != start && start != line.length) return false;
    }
    return true;
}

}  // namespace

bool TextStore::checkLine(const LineRecord& line) const {
    if (line.length > line.capacity || (line.length && !line.text) || line.rowCount < 1) return false;
    // A line end byte inside a decoded line would become a line of its own when its text is
    // inserted again (by undo, by a paste of it). (A loaded chunk's raw rest, not yet decoded, may
    // hold such bytes inside its units.)
    if (line.length && !(tailUndecoded_ && &line == tail_) &&
        (std::memchr(line.text, '\r', line.length) || std::memchr(line.text, '\n', line.length)))
        return false;
    RowBreaker breaker(wrapWidth_, tabWidth_);
    if (line.rowCount == 1) {
        if (line.rowStarts) return false;
        CompareSink sink{line};
        int32_t column = breaker.walk(line.text, line.length, 0, sink);
        return sink.index == 0 && column == line.singleRowWidth && column == breaker.width(line.text, line.length);
    }
    if (!line.rowStarts || line.rowStartsCapacity < line.rowCount || line.singleRowWidth != -1) return false;
    if (line.rowStarts[line.rowCount - 1] != line.length) return false;
    for (int32_t row = 1; row + 1 < line.rowCount; ++row)
        if (line.rowStarts[row] <= line.rowStarts[row - 1]) return false;
    if (!rowStartsOnBoundaries(line)) return false;
    CompareSink sink{line};
    breaker.walk(line.text, line.length, 0, sink);
    return sink.same && sink.index == line.rowCount - 1;
}

int32_t TextStore::rowOfLineStart(const LineRecord* target) const {
    int32_t row = 0;
    for (const LineRecord* line = &head_; line; line = line->next) {
        if (line == target) return row;
        row += line->rowCount;
    }
    return -1;
}

bool TextStore::checkPosition(const TextPosition& position) const {
    const LineRecord* line = &head_;
    for (int32_t i = 0; i < position.line && line; ++i) line = line->next;
    if (!line || line != position.record || position.offset > line->length) return false;
    return position.row == rowOfLineStart(line) + RowBreaker::rowOfOffset(*line, position.offset);
}

bool TextStore::check() const {
    int32_t lines = 0, rows = 0;
    const LineRecord* previous = nullptr;
    for (const LineRecord* line = &head_; line; line = line->next) {
        if (line->previous != previous || ++lines > lineCount_) return false;
        if (!checkLine(*line)) return false;
        rows += line->rowCount;
        previous = line;
    }
    if (lines != lineCount_ || rows != rowCount_ || previous->lineEnd != 0) return false;
    if (!checkPosition(caret_)) return false;
    if (hasSelection_ && (!checkPosition(anchor_) || !checkPosition(selectionEnd_))) return false;
    if (top_.line < 0 || top_.line >= lineCount_ || lineAt(top_.line) != top_.record) return false;
    return top_.rowInLine < top_.record->rowCount && top_.row == rowOfLineStart(top_.record) + top_.rowInLine;
}

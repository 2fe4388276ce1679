// TextStore: indenting and unindenting the selected lines by one TAB.
#include <cstring>

#include "LineText.h"
#include "RowBreaker.h"
#include "TextStore.h"

using namespace undo;

namespace {

bool bitSet(const uint8_t* bitmap, int32_t i) { return (bitmap[i / 8] & (0x80u >> (i % 8))) != 0; }

}  // namespace

// Lines first .. first + count - 1: with `add`, a TAB goes before each non-empty line (or, with
// a bitmap, before each line whose bit is 1); without, each line that starts with a TAB loses it
// (or, with a bitmap, each line whose bit is 1 loses its first byte), and `lost` gets the bits.
// The caret goes to the first line's start. Returns the number of lines gone through: fewer than
// `count` only when a line could not grow (the lines before it are done).
int32_t TextStore::indentRange(int32_t first, int32_t count, const uint8_t* bitmap, bool add, uint8_t* lost) {
    dropSelection();
    caretTo(positionAt(first, 0));
    LineRecord* line = caret_.record;
    int32_t startRow = caret_.row, rowsBefore = rowCount_, row = startRow;
    int32_t i = 0;
    for (; i < count && line; ++i, line = line->next) {
        bool change = bitmap ? bitSet(bitmap, i) : (add ? line->length > 0 : line->length > 0 && line->text[0] == 0x09);
        if (change && add) {
            if (!LineText::reserve(*line, line->length + 1, allocator_)) break;
            std::memmove(line->text + 1, line->text, line->length);
            line->text[0] = 0x09;
            ++line->length;
        } else if (change && line->length > 0) {
            std::memmove(line->text, line->text + 1, line->length - 1);
            --line->length;
            if (lost) lost[i / 8] |= static_cast<uint8_t>(0x80u >> (i % 8));
        } else {
            change = false;
        }
        if (change) {
            rebreakLine(*line, 0);
            line->marks |= LineRecord::modifiedMark;
            propagateStates(*line);
        }
        if (top_.record == line) {
            if (top_.rowInLine >= line->rowCount) top_.rowInLine = line->rowCount - 1;
            top_.row = row + top_.rowInLine;
        }
        row += line->rowCount;
    }
    if (top_.line >= first + i) top_.row += rowCount_ - rowsBefore;
    markRowsDirty(startRow, -1);
    caret_ = positionIn(caret_.record, first, startRow, 0);
    return i;
}

// The lines of a whole-line selection: from the earlier end's line to the later end's, the
// later end's line left out when the end stands at its start.
void TextStore::wholeLineRange(int32_t* first, int32_t* count) const {
    const TextPosition& a = before(selectionEnd_, anchor_) ? selectionEnd_ : anchor_;
    const TextPosition& b = &a == &anchor_ ? selectionEnd_ : anchor_;
    int32_t last = b.offset == 0 && b.line > a.line ? b.line - 1 : b.line;
    *first = a.line;
    *count = last - a.line + 1;
}

// The whole-line selection again over the same lines, with its orientation kept.
void TextStore::reselectAfterIndent(int32_t first, int32_t count, bool anchorFirst, bool endAtLineStart) {
    TextPosition start = positionAt(first, 0);
    caretTo(start);
    TextPosition end = endAtLineStart ? positionAt(first + count, 0) : positionAt(first + count - 1, 0xFFFFFFFFu);
    anchor_ = anchorFirst ? start : end;
    caretTo(anchorFirst ? end : start);
    extendSelectionToCaret();
}

// Widens the selection to whole lines and describes them; false when there is no selection.
bool TextStore::selectWholeLinesForIndent(IndentTarget* target) {
    if (!hasSelection_) return false;
    extendToWholeLines();
    if (!hasSelection_) return false;
    target->anchorFirst = !before(selectionEnd_, anchor_);
    target->endAtLineStart = (target->anchorFirst ? selectionEnd_ : anchor_).offset == 0;
    wholeLineRange(&target->first, &target->count);
    return true;
}

bool TextStore::indentLines(bool record) {
    IndentTarget target;
    if (!selectWholeLinesForIndent(&target)) return true;
    const int32_t first = target.first, count = target.count;
    int32_t done = indentRange(first, count, nullptr, true, nullptr);
    if (record && done > 0) {
        uint8_t* fields = undo_.append(typeIndentLines, first, 0, indentPayloadSize);
        if (fields) writeI32(fields, done);
    }
    reselectAfterIndent(first, count, target.anchorFirst, target.endAtLineStart);
    return done == count;
}

bool TextStore::unindentLines(bool record) {
    IndentTarget target;
    if (!selectWholeLinesForIndent(&target)) return true;
    const int32_t first = target.first, count = target.count;
    bool any = false;
    const LineRecord* line = (target.anchorFirst ? anchor_ : selectionEnd_).record;
    for (int32_t i = 0; i < count && line && !any; ++i, line = line->next)
        any = line->length > 0 && line->text[0] == 0x09;
    if (!any) return true;
    uint32_t bitmapBytes = unindentBitmapSize(static_cast<uint32_t>(count));
    try {
        scratch_.assign(bitmapBytes, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    indentRange(first, count, nullptr, false, scratch_.data());
    if (record) {
        uint8_t* fields = undo_.append(typeUnindentLines, first, 0, unindentPayloadSize(static_cast<uint32_t>(count)));
        if (fields) {
            writeI32(fields, count);
            std::memcpy(fields + 4, scratch_.data(), bitmapBytes);
        }
    }
    reselectAfterIndent(first, count, target.anchorFirst, target.endAtLineStart);
    return true;
}

// TextStore: the steps every edit shares (rows, marks, colouring states, repaint range, view top)
// and the primitives that change bytes within one line.
#include <cstring>

#include "LineText.h"
#include "RowBreaker.h"
#include "TextStore.h"

using namespace undo;

bool TextStore::propagateStates(LineRecord& line) {
    return lineStateHook_ ? lineStateHook_(lineStateContext_, &line) : false;
}

// Lines [index, oldLast] (old numbering) were edited into lines from `first` (index, startRow)
// on, with linesDelta lines and rowsDelta rows more: the view's top keeps showing the same text.
void TextStore::fixTop(LineRecord* first, int32_t index, int32_t startRow, int32_t oldLast, int32_t linesDelta,
                       int32_t rowsDelta) {
    if (top_.line < index) return;
    if (top_.line > oldLast) {
        top_.line += linesDelta;
        top_.row += rowsDelta;
        return;
    }
    if (top_.record != first) {
        top_.record = first;
        top_.line = index;
        top_.rowInLine = 0;
    }
    if (top_.rowInLine >= first->rowCount) top_.rowInLine = first->rowCount - 1;
    top_.row = startRow + top_.rowInLine;
}

// After the bytes of one line changed from `from` on.
void TextStore::lineEdited(LineRecord& line, int32_t index, int32_t startRow, uint32_t from) {
    int32_t before = line.rowCount;
    int32_t firstRow = startRow + RowBreaker::restartRow(line, from);
    rebreakLine(line, from);
    line.marks |= LineRecord::modifiedMark;
    bool statesChanged = propagateStates(line);
    int32_t delta = line.rowCount - before;
    markRowsDirty(firstRow, delta != 0 || statesChanged ? -1 : startRow + line.rowCount - 1);
    if (delta != 0 || top_.record == &line) fixTop(&line, index, startRow, index, 0, delta);
}

bool TextStore::insertBytes(const uint8_t* bytes, uint32_t n, bool advance, bool record) {
    dropSelection();
    wantedColumn_ = -1;
    if (n == 0) return true;
    LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    if (!LineText::reserve(line, line.length + n, allocator_)) return false;
    std::memmove(line.text + at + n, line.text + at, line.length - at);
    std::memcpy(line.text + at, bytes, n);
    line.length += n;
    lineEdited(line, index, startRow, at);
    caret_ = positionIn(&line, index, startRow, advance ? at + n : at);
    if (record) {
        uint8_t* fields = undo_.append(typeInsertBytes, index, static_cast<int32_t>(at), bytesPayloadSize(n));
        if (fields) {
            writeI32(fields, static_cast<int32_t>(n));
            std::memcpy(fields + 4, bytes, n);
        }
    }
    return true;
}

static bool isAsciiAlnum(uint8_t b) {
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// Typed bytes join the newest record when it is typing on this line that ends at `at`, its last
// character is one byte, and that byte and the first new one are both letters or digits or the
// same byte. Otherwise a new record.
bool TextStore::recordTyped(const uint8_t* bytes, uint32_t n, uint32_t at) {
    const uint8_t* p = undo_.newestPayload();
    if (p && readU16(p + fieldType) == typeTypeBytes && readI32(p + fieldLine) == caret_.line) {
        uint32_t had = static_cast<uint32_t>(readI32(p + commonSize));
        const uint8_t* old = p + commonSize + 4;
        if (had > 0 && static_cast<uint32_t>(readI32(p + fieldOffset)) + had == at &&
            previousCharStart(old, had) == had - 1) {
            uint8_t last = old[had - 1], first = bytes[0];
            if ((isAsciiAlnum(last) && isAsciiAlnum(first)) || last == first) return undo_.extendTyped(bytes, n);
        }
    }
    uint8_t* fields = undo_.append(typeTypeBytes, caret_.line, static_cast<int32_t>(at), bytesPayloadSize(n));
    if (!fields) return false;
    writeI32(fields, static_cast<int32_t>(n));
    std::memcpy(fields + 4, bytes, n);
    return true;
}

bool TextStore::typeBytes(const uint8_t* bytes, uint32_t n, bool advance, bool record) {
    uint32_t at = caret_.offset;
    if (!insertBytes(bytes, n, advance, false)) return false;
    if (record && n > 0) recordTyped(bytes, n, at);
    return true;
}

bool TextStore::overwriteBytes(const uint8_t* bytes, uint32_t n, uint32_t old, bool record) {
    dropSelection();
    wantedColumn_ = -1;
    LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    if (old > line.length - at) old = line.length - at;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    if (n > old && !LineText::reserve(line, line.length + (n - old), allocator_)) return false;
    if (record) {
        uint8_t* fields = undo_.append(typeOverwriteBytes, index, static_cast<int32_t>(at), overwritePayloadSize(n, old));
        if (fields) {
            writeI32(fields, static_cast<int32_t>(n));
            writeI32(fields + 4, static_cast<int32_t>(old));
            std::memcpy(fields + 8, bytes, n);
            std::memcpy(fields + 8 + n, line.text + at, old);
        }
    }
    std::memmove(line.text + at + n, line.text + at + old, line.length - at - old);
    std::memcpy(line.text + at, bytes, n);
    line.length = line.length - old + n;
    lineEdited(line, index, startRow, at);
    caret_ = positionIn(&line, index, startRow, at + n);
    return true;
}

bool TextStore::deleteBytes(uint32_t n) {
    dropSelection();
    wantedColumn_ = -1;
    LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    if (n > line.length - at) n = line.length - at;
    if (n == 0) return true;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    std::memmove(line.text + at, line.text + at + n, line.length - at - n);
    line.length -= n;
    lineEdited(line, index, startRow, at);
    caret_ = positionIn(&line, index, startRow, at);
    return true;
}

bool TextStore::deleteChar(bool backward, bool record) {
    dropSelection();
    wantedColumn_ = -1;
    if (backward) {
        if (caret_.offset == 0) {
            if (caret_.line == 0) return true;
            caretTo(positionAt(caret_.line - 1, 0xFFFFFFFFu));
            return joinWithNext(record);
        }
        caret_ = positionIn(caret_.record, caret_.line, lineStartRow(caret_),
                            previousCharStart(*caret_.record, caret_.offset));
    } else if (caret_.offset >= caret_.record->length) {
        return joinWithNext(record);
    }
    const LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    uint32_t count = nextCharEnd(line, at) - at;
    uint8_t removed[2] = {line.text[at], count == 2 ? line.text[at + 1] : uint8_t(0)};
    int32_t index = caret_.line;
    deleteBytes(count);
    if (record) {
        uint8_t* fields = undo_.append(typeDeleteChar, index, static_cast<int32_t>(at), deleteCharPayloadSize);
        if (fields) {
            fields[0] = static_cast<uint8_t>(count);
            fields[1] = backward ? 1 : 0;
            fields[2] = removed[0];
            fields[3] = removed[1];
        }
    }
    return true;
}

// TextStore: the primitives that change the line structure: split, join, multi-line insertion
// and range deletion.
#include <cstring>

#include "LineText.h"
#include "RowBreaker.h"
#include "TextStore.h"

using namespace undo;

// A new line record holding a copy of the bytes, marked modified, with no colouring state yet;
// null when memory cannot be had.
LineRecord* TextStore::newLine(const uint8_t* bytes, uint32_t n, uint8_t lineEnd) {
    LineRecord* line = pool_.acquire();
    if (!line) return nullptr;
    if (n > 0 && !LineText::append(*line, bytes, n, allocator_)) {
        pool_.release(line);
        return nullptr;
    }
    line->lineEnd = lineEnd;
    line->LineStartState = 0;
    line->marks |= LineRecord::modifiedMark;
    return line;
}

// Cuts the caret's line at the caret; the cut line ends with `cutLineEnd`, the new line takes the
// rest and the old line end; the caret goes to the new line's start.
bool TextStore::splitAt(uint8_t cutLineEnd, bool record) {
    wantedColumn_ = -1;
    LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    LineRecord* added = newLine(line.text + at, line.length - at, line.lineEnd);
    if (!added) return false;
    int32_t rowsBefore = rowCount_;
    int32_t firstRow = startRow + RowBreaker::restartRow(line, at);
    line.length = at;
    line.lineEnd = cutLineEnd;
    added->previous = &line;
    added->next = line.next;
    if (line.next) line.next->previous = added;
    line.next = added;
    ++lineCount_;
    ++rowCount_;   // the new line's one row, before it is broken
    rebreakLine(line, at);
    rebreakLine(*added, 0);
    line.marks |= LineRecord::modifiedMark;
    propagateStates(line);
    markRowsDirty(firstRow, -1);
    fixTop(&line, index, startRow, index, 1, rowCount_ - rowsBefore);
    caret_ = positionIn(added, index + 1, startRow + line.rowCount, 0);
    if (record) {
        uint8_t* fields = undo_.append(typeSplitLine, index, static_cast<int32_t>(at), lineEndPayloadSize);
        if (fields) writeI32(fields, cutLineEnd);
    }
    return true;
}

bool TextStore::splitLine(bool autoIndent, bool record) {
    dropSelection();
    if (!splitAt(static_cast<uint8_t>(documentLineEnd_), record)) return false;
    if (!autoIndent) return true;
    const LineRecord& cut = *caret_.record->previous;
    uint32_t run = 0;
    while (run < cut.length && (cut.text[run] == 0x09 || cut.text[run] == 0x20)) ++run;
    // The indent comes from the line just cut, so it does not alias the line that grows.
    return run == 0 || insertBytes(cut.text, run, true, record);
}

bool TextStore::joinWithNext(bool record) {
    dropSelection();
    wantedColumn_ = -1;
    LineRecord& line = *caret_.record;
    LineRecord* next = line.next;
    if (!next) return true;
    uint32_t at = line.length;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    int32_t firstRow = startRow + RowBreaker::restartRow(line, at);
    if (!LineText::append(line, next->text, next->length, allocator_)) return false;
    int32_t rowsBefore = rowCount_;
    uint8_t oldEnd = line.lineEnd;
    line.lineEnd = next->lineEnd;
    line.next = next->next;
    if (next->next) next->next->previous = &line;
    rowCount_ -= next->rowCount;
    --lineCount_;
    if (tail_ == next) tail_ = &line;
    pool_.release(next);
    rebreakLine(line, at);
    line.marks |= LineRecord::modifiedMark;
    propagateStates(line);
    markRowsDirty(firstRow, -1);
    fixTop(&line, index, startRow, index + 1, -1, rowCount_ - rowsBefore);
    caret_ = positionIn(&line, index, startRow, caret_.offset);
    if (record) {
        uint8_t* fields = undo_.append(typeJoinWithNext, index, static_cast<int32_t>(at), lineEndPayloadSize);
        if (fields) writeI32(fields, oldEnd);
    }
    return true;
}

namespace {

// One piece of a text cut at its line ends.
struct Piece {
    uint32_t start, length;
    uint8_t lineEnd;   // what ended it; 0 for the last piece
    uint32_t next;     // where the following piece starts
};

// The CR bytes listed in `lone` (ascending offsets, i32 little endian) are line ends of their own
// even when an LF follows: a line that ended with CR before an empty line that ended with LF.
struct LoneCr {
    const uint8_t* offsets;
    uint32_t count;
    uint32_t cursor;
    bool contains(uint32_t at) {
        while (cursor < count && static_cast<uint32_t>(readI32(offsets + 4 * cursor)) < at) ++cursor;
        return cursor < count && static_cast<uint32_t>(readI32(offsets + 4 * cursor)) == at;
    }
};

Piece pieceAt(const uint8_t* bytes, uint32_t n, uint32_t from, LoneCr& lone) {
    uint32_t i = from;
    while (i < n && bytes[i] != 0x0D && bytes[i] != 0x0A) ++i;
    if (i >= n) return {from, n - from, 0, n};
    if (bytes[i] == 0x0D && i + 1 < n && bytes[i + 1] == 0x0A && !lone.contains(i)) return {from, i - from, 3, i + 2};
    return {from, i - from, static_cast<uint8_t>(bytes[i] == 0x0D ? 1 : 2), i + 1};
}

bool hasLineEnd(const uint8_t* bytes, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i)
        if (bytes[i] == 0x0D || bytes[i] == 0x0A) return true;
    return false;
}

}  // namespace

// The text goes in at the caret as lines; every record and block is had before anything
// changes, so a failure leaves the text as it was.
bool TextStore::insertLines(const uint8_t* bytes, uint32_t n, const uint8_t* loneCr, uint32_t loneCount) {
    LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    LoneCr lone{loneCr, loneCount, 0};
    Piece first = pieceAt(bytes, n, 0, lone);
    LineRecord* chainFirst = nullptr;
    LineRecord* chainLast = nullptr;
    int32_t added = 0;
    bool ok = true;
    for (Piece p = pieceAt(bytes, n, first.next, lone);; p = pieceAt(bytes, n, p.next, lone)) {
        bool last = p.lineEnd == 0;
        LineRecord* record = newLine(bytes + p.start, p.length, last ? line.lineEnd : p.lineEnd);
        if (!record || (last && !LineText::append(*record, line.text + at, line.length - at, allocator_))) {
            if (record) pool_.release(record);
            ok = false;
            break;
        }
        record->previous = chainLast;
        if (chainLast) chainLast->next = record; else chainFirst = record;
        chainLast = record;
        ++added;
        if (last) break;
    }
    if (ok) ok = LineText::reserve(line, at + first.length, allocator_);
    if (!ok) {
        for (LineRecord* r = chainFirst; r;) {
            LineRecord* following = r->next;
            pool_.release(r);
            r = following;
        }
        return false;
    }
    int32_t rowsBefore = rowCount_;
    int32_t firstRow = startRow + RowBreaker::restartRow(line, at);
    uint32_t lastLength = chainLast->length - (line.length - at);
    // An empty line may have no text at all; memcpy must not see its null pointer.
    if (first.length > 0) std::memcpy(line.text + at, bytes, first.length);
    line.length = at + first.length;
    line.lineEnd = first.lineEnd;
    chainLast->next = line.next;
    if (line.next) line.next->previous = chainLast;
    chainFirst->previous = &line;
    line.next = chainFirst;
    lineCount_ += added;
    rowCount_ += added;
    rebreakLine(line, at);
    line.marks |= LineRecord::modifiedMark;
    int32_t row = startRow + line.rowCount;
    for (LineRecord* r = chainFirst; r != chainLast; r = r->next) {
        rebreakLine(*r, 0);
        row += r->rowCount;
    }
    rebreakLine(*chainLast, 0);
    propagateStates(line);
    markRowsDirty(firstRow, -1);
    fixTop(&line, index, startRow, index, added, rowCount_ - rowsBefore);
    caret_ = positionIn(chainLast, index + added, row, lastLength);
    return true;
}

bool TextStore::insertText(const uint8_t* bytes, uint32_t n, bool record) {
    return insertExactText(bytes, n, nullptr, 0, record);
}

bool TextStore::insertExactText(const uint8_t* bytes, uint32_t n, const uint8_t* loneCr, uint32_t loneCount,
                                bool record) {
    dropSelection();
    wantedColumn_ = -1;
    if (!hasLineEnd(bytes, n)) return insertBytes(bytes, n, true, record);
    int32_t index = caret_.line;
    uint32_t at = caret_.offset;
    if (!insertLines(bytes, n, loneCr, loneCount)) return false;
    if (record) {
        uint8_t* fields = undo_.append(typeInsertText, index, static_cast<int32_t>(at), bytesPayloadSize(n));
        if (fields) {
            writeI32(fields, static_cast<int32_t>(n));
            std::memcpy(fields + 4, bytes, n);
        }
    }
    return true;
}

// The position n bytes on from `from`, line ends counted with their bytes (a count that ends
// inside a line end or a double-byte character takes all of it); *taken the bytes covered.
TextPosition TextStore::endAfterBytes(const TextPosition& from, uint32_t n, uint32_t* taken) const {
    LineRecord* line = from.record;
    int32_t index = from.line, startRow = lineStartRow(from);
    uint32_t offset = from.offset, left = n;
    *taken = 0;
    for (;;) {
        uint32_t available = line->length - offset;
        if (left <= available) {
            offset += left;
            *taken += left;
            if (insideCharacter(*line, offset)) {
                ++offset;
                ++*taken;
            }
            break;
        }
        left -= available;
        *taken += available;
        if (!line->next) {
            offset = line->length;
            break;
        }
        uint32_t lineEndBytes = lineEndByteCount(static_cast<LineEnd>(line->lineEnd));
        *taken += lineEndBytes;
        left = left > lineEndBytes ? left - lineEndBytes : 0;
        startRow += line->rowCount;
        line = line->next;
        ++index;
        offset = 0;
    }
    return positionIn(line, index, startRow, offset);
}

// The position n units on, one unit per byte and one per line end.
TextPosition TextStore::endAfterUnits(const TextPosition& from, uint32_t n) const {
    LineRecord* line = from.record;
    int32_t index = from.line, startRow = lineStartRow(from);
    uint32_t offset = from.offset, left = n;
    while (left > line->length - offset && line->next) {
        left -= line->length - offset + 1;
        startRow += line->rowCount;
        line = line->next;
        ++index;
        offset = 0;
    }
    offset = left > line->length - offset ? line->length : offset + left;
    return positionIn(line, index, startRow, offset);
}

// The bytes from `from` to `to`, line ends written as CR and/or LF; returns their number and
// writes them to `out` unless it is null. `loneCr` (unless null) gets the offsets (i32 little
// endian) of CR line ends that an LF line end follows, which CR LF alone would not tell apart.
uint32_t TextStore::copyRangeBytes(const TextPosition& from, const TextPosition& to, uint8_t* out,
                                   std::vector<uint8_t>* loneCr) const {
    uint32_t count = 0;
    int64_t pendingCr = -1;
    auto put = [&](const uint8_t* bytes, uint32_t n) {
        if (n == 0) return;
        if (pendingCr >= 0 && bytes[0] == 0x0A && loneCr) {
            uint8_t at[4];
            writeI32(at, static_cast<int32_t>(pendingCr));
            loneCr->insert(loneCr->end(), at, at + 4);
        }
        pendingCr = -1;
        if (out && n > 0) std::memcpy(out + count, bytes, n);
        count += n;
    };
    uint32_t offset = from.offset;
    for (const LineRecord* line = from.record;; line = line->next) {
        uint32_t end = line == to.record ? to.offset : line->length;
        put(line->text + offset, end - offset);
        if (line == to.record) break;
        static const uint8_t crlf[2] = {0x0D, 0x0A};
        if (line->lineEnd == 1) {
            put(crlf, 1);
            pendingCr = count - 1;
        }
        else if (line->lineEnd == 2) put(crlf + 1, 1);
        else if (line->lineEnd == 3) put(crlf, 2);
        offset = 0;
    }
    return count;
}

// Removes the text from the caret to `to`. The caller has made room in the caret's line for
// the rest of the last touched line, so nothing here can fail.
bool TextStore::removeRange(const TextPosition& to) {
    LineRecord& line = *caret_.record;
    uint32_t at = caret_.offset;
    int32_t index = caret_.line, startRow = lineStartRow(caret_);
    if (to.record == &line) {
        // An empty line may have no text at all; memmove must not see its null pointer.
        if (line.length > to.offset) std::memmove(line.text + at, line.text + to.offset, line.length - to.offset);
        line.length -= to.offset - at;
        lineEdited(line, index, startRow, at);
        caret_ = positionIn(&line, index, startRow, at);
        return true;
    }
    int32_t rowsBefore = rowCount_;
    int32_t firstRow = startRow + RowBreaker::restartRow(line, at);
    uint32_t rest = to.record->length - to.offset;
    if (!LineText::reserve(line, at + rest, allocator_)) return false;
    if (rest > 0) std::memmove(line.text + at, to.record->text + to.offset, rest);
    line.length = at + rest;
    line.lineEnd = to.record->lineEnd;
    LineRecord* stop = to.record->next;
    for (LineRecord* r = line.next; r != stop;) {
        LineRecord* following = r->next;
        rowCount_ -= r->rowCount;
        --lineCount_;
        if (tail_ == r) tail_ = &line;
        pool_.release(r);
        r = following;
    }
    line.next = stop;
    if (stop) stop->previous = &line;
    rebreakLine(line, at);
    line.marks |= LineRecord::modifiedMark;
    propagateStates(line);
    markRowsDirty(firstRow, -1);
    fixTop(&line, index, startRow, to.line, index - to.line, rowCount_ - rowsBefore);
    caret_ = positionIn(&line, index, startRow, at);
    return true;
}

bool TextStore::deleteForward(uint32_t n, bool record) {
    dropSelection();
    wantedColumn_ = -1;
    uint32_t taken = 0;
    TextPosition to = endAfterBytes(caret_, n, &taken);
    if (to.record == caret_.record && to.offset == caret_.offset) return true;
    LineRecord& line = *caret_.record;
    if (to.record != &line && !LineText::reserve(line, caret_.offset + (to.record->length - to.offset), allocator_))
        return false;
    if (record) {
        // CR line ends that an LF line end follows are listed after the bytes, flagged in the
        // common part's spare field, so that undo puts back the same lines.
        std::vector<uint8_t>& lone = loneCr_;
        lone.clear();
        copyRangeBytes(caret_, to, nullptr, &lone);
        uint32_t extra = lone.empty() ? 0 : 4 + static_cast<uint32_t>(lone.size());
        uint8_t* fields = undo_.append(typeDeleteForward, caret_.line, static_cast<int32_t>(caret_.offset),
                                       bytesPayloadSize(taken) + extra);
        if (fields) {
            writeI32(fields, static_cast<int32_t>(taken));
            copyRangeBytes(caret_, to, fields + 4, nullptr);
            if (extra) {
                writeU16(fields - commonSize + fieldType + 2, 1);
                writeI32(fields + 4 + taken, static_cast<int32_t>(lone.size() / 4));
                std::memcpy(fields + 8 + taken, lone.data(), lone.size());
            }
        }
    }
    return removeRange(to);
}

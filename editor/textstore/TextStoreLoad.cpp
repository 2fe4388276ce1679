// TextStore: loading a file image into lines, choosing the line end and decoding the lines into
// Shift_JIS in place.
#include <cstring>

#include "Kanji.h"
#include "LineSplitter.h"
#include "LineText.h"
#include "RowBreaker.h"
#include "TextStore.h"

namespace {

TextEncoding encodingOfVerdict(DetectVerdict verdict, TextEncoding fallback) {
    switch (verdict) {
    case DetectVerdict::Jis: return TextEncoding::Jis;
    case DetectVerdict::EucJp: return TextEncoding::EucJp;
    case DetectVerdict::Utf8: return TextEncoding::Utf8;
    default: return fallback;
    }
}

}  // namespace

// A borrowed segment may use the first byte of its line end as well: in-place decoding never
// needs more, and nothing reads that byte again.
bool TextStore::fillRecord(LineRecord& record, uint8_t* bytes, uint32_t count, uint32_t spare, bool borrow) {
    if (borrow) {
        record.text = count ? bytes : nullptr;
        record.capacity = count ? count + spare : 0;
        record.length = count;
        return true;
    }
    return LineText::append(record, bytes, count, allocator_);
}

bool TextStore::appendToTail(uint8_t* bytes, uint32_t count, uint32_t spare, bool borrow) {
    if (count == 0) return true;
    if (borrow && tail_->length == 0 && !tail_->hasOwnText()) return fillRecord(*tail_, bytes, count, spare, true);
    return LineText::append(*tail_, bytes, count, allocator_);
}

// Gives back the records a failed chunk linked after the tail and puts the tail as it was.
void TextStore::undoChunk(const LineRecord& savedTail, LineRecord* last) {
    LineRecord* after = last ? last->next : tail_->next;
    for (LineRecord* line = tail_->next; line != after;) {
        LineRecord* next = line->next;
        pool_.release(line);
        line = next;
    }
    tail_->next = after;
    if (after) after->previous = tail_;
    if (tail_->text != savedTail.text) {
        bool ownedBefore = (savedTail.marks & LineRecord::ownsText) != 0;
        if (tail_->hasOwnText() && !ownedBefore) allocator_.release(tail_->text, tail_->capacity);
        if (!tail_->hasOwnText() || !ownedBefore) {
            tail_->text = savedTail.text;
            tail_->capacity = savedTail.capacity;
            tail_->marks = savedTail.marks;
        }
    }
    tail_->length = savedTail.length;
    tail_->lineEnd = savedTail.lineEnd;
}

// Decodes a line that is complete (it has its line end, or the image is done) and breaks it into
// rows. After the first line that fails to decode no further line is decoded; the rest keep
// their bytes and still get rows, so that the store stays consistent until the next reset.
// `hasTab` false promises that the line's bytes hold no TAB.
void TextStore::finishLoadedLine(LineRecord& line, bool hasTab, const RowBreaker& breaker) {
    if (encoding_ != TextEncoding::ShiftJis && (decodeFailed_ || !decodeLine(line, loadLossy_ ? nullptr : &loadLossy_))) {
        decodeFailed_ = true;
        hasTab = true;   // undecoded UTF-16 bytes may hold 09 inside other units
    }
    breakLoadedLine(line, hasTab, breaker);
}

// Rows of a line that holds Shift_JIS already.
void TextStore::breakLoadedLine(LineRecord& line, bool hasTab, const RowBreaker& breaker) {
    int32_t width;
    if (!line.rowStarts && !hasTab && breaker.fitsOneRow(line.text, line.length, &width)) {
        line.rowCount = 1;
        line.singleRowWidth = width;
        line.urlFlags = urlHighlighting_ ? 0 : LineRecord::urlScanned;
    } else {
        breaker.breakLoaded(line, hasTab, allocator_, urlHighlighting_);
    }
}

// The tail line once it is complete, keeping the document's row count in step.
void TextStore::finishTailLine() {
    int32_t rowsBefore = tail_->rowCount;
    finishLoadedLine(*tail_, true, RowBreaker(wrapWidth_, tabWidth_));
    rowCount_ += tail_->rowCount - rowsBefore;
}

// Links a record for `length` bytes at `text` after the chunk's last record; null when memory
// runs out.
LineRecord* TextStore::linkLoadedRecord(ChunkLines& chunk, uint8_t* text, uint32_t length, uint32_t spare, bool borrow) {
    LineRecord* record = pool_.acquire();
    if (!record) return nullptr;
    if (!fillRecord(*record, text, length, spare, borrow)) {
        pool_.release(record);
        return nullptr;
    }
    record->previous = chunk.last;
    record->next = chunk.after;
    chunk.last->next = record;
    if (chunk.after) chunk.after->previous = record;
    chunk.last = record;
    ++chunk.added;
    return record;
}

// Links a record for every further segment of the splitter, decoded (unless `decoded` says the
// bytes are Shift_JIS already) and broken into rows at once, while its bytes are still in the
// cache. False when memory runs out.
bool TextStore::linkLoadedLines(ChunkLines& chunk, LineSplitter& splitter, uint8_t* bytes, bool borrow, bool decoded) {
    RowBreaker breaker(wrapWidth_, tabWidth_);
    LineSplitter::Segment segment;
    while (splitter.next(segment)) {
        LineRecord* record = linkLoadedRecord(chunk, bytes + segment.start, segment.length, 1, borrow);
        if (!record) return false;
        record->lineEnd = static_cast<uint8_t>(segment.lineEnd);
        ++chunk.counts[static_cast<uint8_t>(segment.lineEnd)];
        if (decoded)
            breakLoadedLine(*record, segment.hasTab, breaker);
        else
            finishLoadedLine(*record, segment.hasTab, breaker);
        chunk.addedRows += record->rowCount;
    }
    return true;
}

// A borrowed UTF-16LE chunk is decoded from the splitter's position up to its last line end in
// one pass, before it is cut into lines: each unit decodes on its own, so that gives the same
// bytes as decoding line by line, and the decoded lines are then found as Shift_JIS bytes are.
// The rest after the last line end keeps its bytes, as a further chunk may continue it.
bool TextStore::linkDecodedLines(ChunkLines& chunk, LineSplitter& splitter, uint8_t* bytes, uint32_t count) {
    uint32_t start = splitter.position();
    uint32_t end = LineSplitter::endOfLastLine(bytes, start, count, true);
    uint32_t length = end - start;
    if (length && !Kanji::decodeUtf16Le(bytes + start, bytes + start, &length, loadLossy_ ? nullptr : &loadLossy_)) {
        decodeFailed_ = true;   // the lines keep what the failed pass left, undecoded from here on
        return linkLoadedLines(chunk, splitter, bytes, true, false);
    }
    LineSplitter decodedLines(bytes + start, length, false);
    if (!linkLoadedLines(chunk, decodedLines, bytes + start, true, true)) return false;
    splitter.skipTo(end);
    return true;
}

bool TextStore::loadChunk(uint32_t count, uint8_t* bytes, bool borrow) {
    if (encoding_ == TextEncoding::Auto) encoding_ = encodingOfVerdict(Kanji::detect(bytes, count), defaultEncoding_);
    LineSplitter splitter(bytes, count, encoding_ == TextEncoding::Utf16Le);
    LineSplitter::Segment segment;
    if (!splitter.next(segment)) {
        if (!appendToTail(bytes, count, 0, borrow)) return false;
        tailLength_ = tail_->length;
        return true;
    }
    const LineRecord savedTail = *tail_;
    if (!appendToTail(bytes + segment.start, segment.length, 1, borrow)) return false;
    tail_->lineEnd = static_cast<uint8_t>(segment.lineEnd);
    ChunkLines chunk;
    chunk.last = tail_;
    chunk.after = tail_->next;
    ++chunk.counts[static_cast<uint8_t>(segment.lineEnd)];
    const bool failedBefore = decodeFailed_, lossyBefore = loadLossy_;
    bool whole = borrow && encoding_ == TextEncoding::Utf16Le && !decodeFailed_;
    bool linked = whole ? linkDecodedLines(chunk, splitter, bytes, count) : linkLoadedLines(chunk, splitter, bytes, borrow, false);
    LineRecord* rest = linked ? linkLoadedRecord(chunk, bytes + splitter.position(), count - splitter.position(), 0, borrow) : nullptr;
    if (!rest) {
        // What the chunk's own lines found goes with them.
        undoChunk(savedTail, chunk.added ? chunk.last : nullptr);
        decodeFailed_ = failedBefore;
        loadLossy_ = lossyBefore;
        return false;
    }
    chunk.addedRows += rest->rowCount;
    // The old tail is complete now. It is decoded only once the chunk is linked: a failed chunk
    // puts the tail's bytes back as they were.
    finishTailLine();
    tail_ = chunk.last;
    tailLength_ = tail_->length;
    lineCount_ += chunk.added;
    rowCount_ += chunk.addedRows;
    crCount_ += chunk.counts[1];
    lfCount_ += chunk.counts[2];
    crLfCount_ += chunk.counts[3];
    return true;
}

void TextStore::chooseLineEnd() {
    documentLineEnd_ = LineEnd::CrLf;
    if (crLfCount_ < crCount_ || crLfCount_ < lfCount_) documentLineEnd_ = crCount_ < lfCount_ ? LineEnd::Lf : LineEnd::Cr;
    int kinds = (crLfCount_ > 0) + (crCount_ > 0) + (lfCount_ > 0);
    mixedLineEnds_ = kinds > 1;
}

// The decoders pass over runs of ASCII without writing while their output keeps pace with the
// input, so plain lines cost one scan.
bool TextStore::decodeLine(LineRecord& line, bool* lossy) const {
    if (line.length == 0) return true;
    uint32_t length = line.length;
    bool ok = true;
    switch (encoding_) {
    case TextEncoding::Jis: ok = Kanji::decodeJis(line.text, line.text, &length); break;
    case TextEncoding::EucJp: ok = Kanji::decodeEucJp(line.text, line.text, &length); break;
    case TextEncoding::Utf8: ok = Kanji::decodeUtf8(line.text, line.text, &length, lossy); break;
    case TextEncoding::Utf16Le: ok = Kanji::decodeUtf16Le(line.text, line.text, &length, lossy); break;
    default: return true;
    }
    if (ok) line.length = length;
    return ok;
}

// Every line but the tail was decoded and broken into rows as its chunk was loaded; the tail
// waited, as a further chunk could have continued it.
bool TextStore::convertLoaded() {
    mixedLineEnds_ = false;
    chooseLineEnd();
    if (encoding_ == TextEncoding::Auto) encoding_ = defaultEncoding_;
    finishTailLine();
    lossy_ = loadLossy_;
    resetPositions();
    return !decodeFailed_;
}

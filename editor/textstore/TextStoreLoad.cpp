// TextStore: loading a file image into lines, choosing the line end and decoding the lines into
// Shift_JIS in place.
#include <cstring>

#include "ByteScan.h"
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
    if (encoding_ != TextEncoding::ShiftJis) {
        if (decodeFailed_ || !decodeLine(line, loadLossy_ ? nullptr : &loadLossy_)) {
            decodeFailed_ = true;
            hasTab = true;   // undecoded UTF-16 bytes may hold 09 inside other units
        } else if (encoding_ == TextEncoding::Jis || encoding_ == TextEncoding::Utf8) {
            // Malformed sequences of these codes can decode to a TAB the file's bytes do not show.
            hasTab = bytescan::hasByte(line.text, line.length, 0x09);
        }
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
    LineSplitter::Segment batch[64];
    for (uint32_t got; (got = splitter.collect(batch, 64)) > 0;) {
        for (uint32_t k = 0; k < got; ++k) {
            const LineSplitter::Segment& segment = batch[k];
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
        if (got < 64) break;
    }
    return true;
}

// A borrowed chunk is decoded from the splitter's position up to its last line end before it is
// cut into lines as Shift_JIS is: the decoders take the lines as they would one by one, and the
// decoded lines are then found as Shift_JIS bytes are. This goes in pieces of about 64 KiB that
// end in a line end, so that each is cut while it is still in the cache. The rest after the last
// line end keeps its bytes, as a further chunk may continue it.
bool TextStore::linkDecodedLines(ChunkLines& chunk, LineSplitter& splitter, uint8_t* bytes, uint32_t count) {
    const uint32_t kPiece = 64 * 1024;
    const bool utf16 = encoding_ == TextEncoding::Utf16Le;
    const uint32_t end = LineSplitter::endOfLastLine(bytes, splitter.position(), count, utf16);
    for (uint32_t start = splitter.position(); start < end;) {
        uint32_t pieceEnd = LineSplitter::endOfLastLine(bytes, start, end - start > kPiece ? start + kPiece : end, utf16);
        if (pieceEnd == start) pieceEnd = end;  // a line longer than a piece
        // A CR LF that the piece's end would cut stays one line end.
        const uint32_t unit = utf16 ? 2 : 1;
        if (pieceEnd < end && bytes[pieceEnd - unit] == 0x0D && bytes[pieceEnd] == 0x0A && (!utf16 || bytes[pieceEnd + 1] == 0))
            pieceEnd += unit;
        if (!linkDecodedPiece(chunk, bytes + start, pieceEnd - start)) return false;
        start = pieceEnd;
    }
    splitter.skipTo(end);
    return true;
}

// One piece of whole lines. From a line that fails to decode on, the lines keep what the
// decoder left, and later pieces their own bytes.
bool TextStore::linkDecodedPiece(ChunkLines& chunk, uint8_t* text, uint32_t length) {
    const bool utf16 = encoding_ == TextEncoding::Utf16Le;
    while (length > 0 && !decodeFailed_) {
        uint32_t total = length, decodedLength = 0;
        Kanji::LinesDecoded result = Kanji::decodeLines(encoding_, text, &total, &decodedLength, loadLossy_ ? nullptr : &loadLossy_);
        LineSplitter decodedLines(text, decodedLength, false);
        if (!linkLoadedLines(chunk, decodedLines, text, true, true)) return false;
        text += decodedLength;
        length = total - decodedLength;
        if (result == Kanji::LinesDecoded::All) return true;
        if (result == Kanji::LinesDecoded::Failed) {
            decodeFailed_ = true;
            break;
        }
        // An empty line ended by the LF the rest begins with.
        LineRecord* empty = linkLoadedRecord(chunk, text, 0, 1, true);
        if (!empty) return false;
        empty->lineEnd = static_cast<uint8_t>(LineEnd::Lf);
        ++chunk.counts[static_cast<uint8_t>(LineEnd::Lf)];
        breakLoadedLine(*empty, false, RowBreaker(wrapWidth_, tabWidth_));
        chunk.addedRows += empty->rowCount;
        ++text;
        --length;
    }
    LineSplitter restLines(text, length, utf16);
    return linkLoadedLines(chunk, restLines, text, true, false);
}

bool TextStore::loadChunk(uint32_t count, uint8_t* bytes, bool borrow) {
    if (encoding_ == TextEncoding::Auto) encoding_ = encodingOfVerdict(Kanji::detect(bytes, count), defaultEncoding_);
    // UTF-16LE units are found at even offsets of each chunk: after a chunk that ended inside a
    // unit, the next one would be read a byte off, its line ends missed and their bytes left inside
    // lines. Such a chunk is refused.
    if (encoding_ == TextEncoding::Utf16Le && tailUndecoded_ && (tail_->length & 1) != 0 && count > 0) return false;
    LineSplitter splitter(bytes, count, encoding_ == TextEncoding::Utf16Le);
    LineSplitter::Segment segment;
    if (!splitter.next(segment)) {
        if (!appendToTail(bytes, count, 0, borrow)) return false;
        tailUndecoded_ = true;
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
    bool whole = borrow && encoding_ != TextEncoding::ShiftJis && !decodeFailed_;
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
    tailUndecoded_ = true;
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
    tailUndecoded_ = false;
    lossy_ = loadLossy_;
    resetPositions();
    return !decodeFailed_;
}

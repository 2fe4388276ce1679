// TextStore: the lines of one document (a linked list of line records from a pool), their display
// rows, the document-wide counters and the positions kept on them; loading and converting a file
// image into lines. The editor control builds on it; editing and the undo journal join it.
#pragma once
#include <cstdint>

#include "LineRecord.h"
#include "LineRecordPool.h"
#include "StoreAllocator.h"
#include "TextCodes.h"
#include "TextPosition.h"

class LineSplitter;
#include "ViewTop.h"

class TextStore {
public:
    static constexpr uint32_t initialTokenEntries = 64;
    static constexpr uint32_t tokenEntryBytes = 8;   // the lexer's token: two 32-bit fields

    TextStore();
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;
    TextStore(TextStore&&) = delete;
    TextStore& operator=(TextStore&&) = delete;

    // An empty document (one empty line, CrLf, encoding = default encoding). False when the
    // lexer's token buffer cannot be allocated.
    bool create(int32_t wrapWidth, int32_t tabWidth, uint32_t undoSizeLimit, TextEncoding defaultEncoding);
    // A new or reloaded document in `encoding` (Auto: detect at the first load).
    void reset(TextEncoding encoding);
    // Appends a chunk of a file image. With `borrow`, lines point into `bytes`, which must outlive
    // the document (and is decoded in place by convertLoaded). False when memory runs out; the
    // lines linked before this call remain.
    bool loadChunk(uint32_t count, uint8_t* bytes, bool borrow);
    // Chooses the document's line end, resolves Auto, decodes every line in place and breaks all
    // lines into rows. False at the first line that fails to decode.
    bool convertLoaded();
    // Frees everything the store owns (also done by the destructor).
    void destroy();

    void setWrapWidth(int32_t cells);
    // The record of line `index` (0 <= index < lineCount), walking from the caret's line.
    LineRecord* lineAt(int32_t index) const;
    int32_t rowOfOffset(const LineRecord& line, uint32_t offset) const;
    // Rebreaks `line` from the row holding byte `from`, keeps the document's rowCount in step and
    // returns the number of the line's rows from the restart row to its end.
    int32_t rebreakLine(LineRecord& line, uint32_t from);

    // What the last convertLoaded found, for the control to report (notifications 901 and 900).
    bool loadHadMixedLineEnds() const { return mixedLineEnds_; }
    bool loadWasLossy() const { return lossy_; }

    // Invariants: list length = lineCount, links consistent, rowCount = sum of the lines' rows,
    // every line's rows are those its text breaks into, row starts on character boundaries,
    // singleRowWidth right, the kept positions agree with their rows.
    bool check() const;

    // Read access for the control, the saving code and tests.
    TextEncoding encoding() const { return encoding_; }
    void setEncoding(TextEncoding encoding) { encoding_ = encoding; }
    TextEncoding defaultEncoding() const { return defaultEncoding_; }
    LineEnd documentLineEnd() const { return documentLineEnd_; }
    void setDocumentLineEnd(LineEnd lineEnd) { documentLineEnd_ = lineEnd; }
    int32_t wrapWidth() const { return wrapWidth_; }
    int32_t tabWidth() const { return tabWidth_; }
    int32_t lineCount() const { return lineCount_; }
    int32_t rowCount() const { return rowCount_; }
    uint32_t crLfCount() const { return crLfCount_; }
    uint32_t crCount() const { return crCount_; }
    uint32_t lfCount() const { return lfCount_; }
    const LineRecord* firstLine() const { return &head_; }
    LineRecord* firstLine() { return &head_; }
    const TextPosition& caret() const { return caret_; }
    const ViewTop& top() const { return top_; }
    int32_t dirtyFirstRow() const { return dirtyFirstRow_; }
    int32_t dirtyLastRow() const { return dirtyLastRow_; }
    int32_t syntaxMode() const { return syntaxMode_; }
    bool urlHighlighting() const { return urlHighlighting_; }
    void setUrlHighlighting(bool on) { urlHighlighting_ = on; }
    int32_t lastEditId() const { return lastEditId_; }
    int32_t nextEditId() const { return nextEditId_; }
    uint32_t undoSizeLimit() const { return undoSizeLimit_; }

    StoreAllocator& allocator() { return allocator_; }
    const StoreAllocator& allocator() const { return allocator_; }
    const LineRecordPool& pool() const { return pool_; }

protected:
    void clearLines();
    void resetPositions();
    bool decodeLine(LineRecord& line, bool* lossy) const;
    void chooseLineEnd();
    bool appendToTail(uint8_t* bytes, uint32_t count, uint32_t spare, bool borrow);
    bool fillRecord(LineRecord& record, uint8_t* bytes, uint32_t count, uint32_t spare, bool borrow);
    void undoChunk(const LineRecord& savedTail, LineRecord* last);
    bool linkChunkLines(LineSplitter& splitter, uint8_t* bytes, uint32_t count, bool borrow, bool rows,
                        uint32_t counts[4], LineRecord** last, int32_t* added, int32_t* addedRows);
    bool checkLine(const LineRecord& line) const;
    bool checkPosition(const TextPosition& position) const;
    int32_t rowOfLineStart(const LineRecord* line) const;

    StoreAllocator allocator_;      // first: the pool frees its blocks through it
    LineRecordPool pool_;

    TextEncoding defaultEncoding_ = TextEncoding::ShiftJis;
    TextEncoding encoding_ = TextEncoding::ShiftJis;
    int32_t wrapWidth_ = 76;
    int32_t tabWidth_ = 4;
    int32_t syntaxMode_ = 0;
    bool urlHighlighting_ = true;

    LineRecord head_;
    int32_t lineCount_ = 1;
    int32_t rowCount_ = 1;
    LineEnd documentLineEnd_ = LineEnd::CrLf;
    uint32_t crLfCount_ = 0;
    uint32_t crCount_ = 0;
    uint32_t lfCount_ = 0;
    LineRecord* tail_ = &head_;
    uint32_t tailLength_ = 0;
    int32_t tailIndex_ = 0;         // line index of the tail, so that loading needs no walk

    TextPosition caret_;
    TextPosition anchor_;
    TextPosition selectionEnd_;
    bool hasSelection_ = false;
    ViewTop top_;
    int32_t dirtyFirstRow_ = -1;
    int32_t dirtyLastRow_ = -1;

    // The undo journal joins here with editing; until then the store keeps its size limit and
    // the edit identifiers.
    uint32_t undoSizeLimit_ = 0xFFFFFFFFu;
    int32_t lastEditId_ = 0;
    int32_t nextEditId_ = 1;

    // The lexer's token buffer (grown by the lexer).
    void* tokenBuffer_ = nullptr;
    uint32_t tokenCapacity_ = 0;

    // Shift_JIS lines need no decoding, so loading breaks them into rows while they are at hand;
    // true while every line but the tail has its rows for the current text.
    bool rowsBeforeTail_ = true;
    bool mixedLineEnds_ = false;
    bool lossy_ = false;
};

// TextStore: the lines of one document (a linked list of line records from a pool), their display
// rows, the document-wide counters and the positions kept on them; loading and converting a file
// image into lines; the caret, the selection, the editing primitives and undo/redo over the
// journal (TextStoreCaret.cpp and the TextStore*.cpp files beside it). The editor control builds on it.
#pragma once
#include <cstdint>
#include <vector>

#include "LineRecord.h"
#include "LineRecordPool.h"
#include "StoreAllocator.h"
#include "TextCodes.h"
#include "TextPosition.h"
#include "UndoJournal.h"
#include "ViewTop.h"

class LineSplitter;
class RowBreaker;

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
    // Appends a chunk of a file image; every line that ends in it is decoded and broken into rows
    // at once, the last one waits for the next chunk or convertLoaded. With `borrow`, lines point
    // into `bytes`, which must outlive the document and is decoded in place (also when the call
    // fails). False when memory runs out, or for a UTF-16LE chunk after one that ended inside a
    // unit (cut such images at even offsets); the lines linked before this call remain.
    bool loadChunk(uint32_t count, uint8_t* bytes, bool borrow);
    // Chooses the document's line end, resolves Auto, decodes the tail and breaks it into rows,
    // and reports what decoding found. False when a line failed to decode; decoding stops at the
    // first such line, and the lines after it keep their bytes.
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
    int32_t lastEditId() const { return undo_.lastEditId(); }
    int32_t nextEditId() const { return undo_.nextEditId(); }
    uint32_t undoSizeLimit() const { return undo_.limit(); }

    StoreAllocator& allocator() { return allocator_; }
    const StoreAllocator& allocator() const { return allocator_; }
    const LineRecordPool& pool() const { return pool_; }

    // ---- Caret, selection and editing (TextStoreCaret/Selection/Edit/Lines/Range/Indent.cpp) ----
    // Every movement except the two vertical ones resets wantedColumn; all keep the rows right.
    const TextPosition& anchor() const { return anchor_; }
    const TextPosition& selectionEnd() const { return selectionEnd_; }
    bool hasSelection() const { return hasSelection_; }
    int32_t wantedColumn() const { return wantedColumn_; }
    void moveLeft();
    void moveRight();
    void moveWordLeft();
    void moveWordRight();
    void moveRowUp();
    void moveRowDown();
    void moveLineStart();
    void moveSmartHome();
    void moveLineEnd();
    void moveDocumentStart();
    void moveDocumentEnd();
    // Line index before the first: document start; past the last: document end. The offset is
    // kept, limited to the line's length.
    void moveTo(int32_t line, uint32_t offset);
    void movePrevChangedBlock();
    void moveNextChangedBlock();
    // Caret to the earlier / later end of the selection; the selection is dropped.
    void collapseToStart();
    void collapseToEnd();

    void setAnchorAtCaret();
    void setAnchor(int32_t line, uint32_t offset);
    void setSelectionEnd(int32_t line, uint32_t offset);
    // Selection from the anchor to the caret (selection end := caret); none when they coincide.
    void extendSelectionToCaret();
    // Anchor at (anchorLine, anchorOffset), caret and selection end at (caretLine, caretOffset).
    void selectRange(int32_t anchorLine, uint32_t anchorOffset, int32_t caretLine, uint32_t caretOffset);
    void dropSelection();
    void extendToWholeLines();
    void selectWordAtCaret();
    // Bytes between the selection's ends, line ends counted with their bytes.
    uint32_t selectionSize() const;

    // Editing primitives: false when memory cannot be had (the text is then unchanged where the
    // failure happened). With `record`, the undo journal gets the edit and the identifiers advance.
    // Each drops a selection first, except those that work on it.
    bool insertBytes(const uint8_t* bytes, uint32_t n, bool advance, bool record);
    bool typeBytes(const uint8_t* bytes, uint32_t n, bool advance, bool record);
    bool overwriteBytes(const uint8_t* bytes, uint32_t n, uint32_t old, bool record);
    bool deleteBytes(uint32_t n);
    bool deleteChar(bool backward, bool record);
    bool splitLine(bool autoIndent, bool record);
    bool joinWithNext(bool record);
    bool insertText(const uint8_t* bytes, uint32_t n, bool record);
    bool deleteForward(uint32_t n, bool record);
    // The range starts at (line, offset) and spans `length` units, one per byte and one per line
    // end; it goes (move) or is copied to the caret, and ends selected there. A move onto a place
    // inside the range or at its ends changes nothing and returns false.
    bool moveRange(int32_t line, uint32_t offset, uint32_t length, bool record);
    bool copyRange(int32_t line, uint32_t offset, uint32_t length, bool record);
    bool indentLines(bool record);
    bool unindentLines(bool record);
    void recordSelection();
    bool deleteSelection(bool record);
    bool deleteSelectionOrLine(bool record);

    // A place by line index and byte offset, without its row (while lines are being moved).
    struct Place {
        int32_t line;
        uint32_t offset;
    };

    // ---- Undo (TextStoreUndo.cpp) ----
    // False when there is nothing to undo; *stoppedAtLimit when the step ended early because the
    // start of its group had been overwritten (the control reports ECN_UNDOLIMIT).
    bool undo(bool* stoppedAtLimit = nullptr);
    bool redo();
    bool canUndo() const { return undo_.canUndo(); }
    bool canRedo() const { return undo_.canRedo(); }
    UndoJournal& undoJournal() { return undo_; }
    const UndoJournal& undoJournal() const { return undo_; }

    // The lexer's start states after an edit of `line`: the hook brings the following lines up to
    // date and returns true when any of their states changed (those rows are repainted too).
    using LineStateHook = bool (*)(void* context, LineRecord* line);
    // The view's first line and the row within it (both limited to what exists).
    void setTop(int32_t line, int32_t rowInLine);
    void setLineStateHook(LineStateHook hook, void* context) { lineStateHook_ = hook; lineStateContext_ = context; }
    void clearDirtyRows() { dirtyFirstRow_ = dirtyLastRow_ = -1; }

protected:
    void clearLines();
    void resetPositions();
    bool decodeLine(LineRecord& line, bool* lossy) const;
    void chooseLineEnd();
    bool appendToTail(uint8_t* bytes, uint32_t count, uint32_t spare, bool borrow);
    bool fillRecord(LineRecord& record, uint8_t* bytes, uint32_t count, uint32_t spare, bool borrow);
    void undoChunk(const LineRecord& savedTail, LineRecord* last);
    // What a chunk links after the tail, counted until the chunk is complete.
    struct ChunkLines {
        LineRecord* last;     // the last record linked (the tail when none)
        LineRecord* after;    // what followed the tail before the chunk
        int32_t added = 0;
        int32_t addedRows = 0;
        uint32_t counts[4] = {0, 0, 0, 0};
    };
    void finishLoadedLine(LineRecord& line, bool hasTab, const RowBreaker& breaker);
    void breakLoadedLine(LineRecord& line, bool hasTab, const RowBreaker& breaker);
    void finishTailLine();
    LineRecord* linkLoadedRecord(ChunkLines& chunk, uint8_t* text, uint32_t length, uint32_t spare, bool borrow);
    bool linkLoadedLines(ChunkLines& chunk, LineSplitter& splitter, uint8_t* bytes, bool borrow, bool decoded);
    bool linkDecodedLines(ChunkLines& chunk, LineSplitter& splitter, uint8_t* bytes, uint32_t count);
    bool linkDecodedPiece(ChunkLines& chunk, uint8_t* text, uint32_t length);
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
    bool tailUndecoded_ = false;  // the last line holds a loaded chunk's raw rest

    TextPosition caret_;
    TextPosition anchor_;
    TextPosition selectionEnd_;
    bool hasSelection_ = false;
    ViewTop top_;
    int32_t dirtyFirstRow_ = -1;
    int32_t dirtyLastRow_ = -1;

    // ---- Editing helpers ----
    int32_t lineStartRow(const TextPosition& p) const;
    static TextPosition positionIn(LineRecord* line, int32_t index, int32_t startRow, uint32_t offset);
    TextPosition positionAt(int32_t line, uint32_t offset) const;
    TextPosition documentEnd() const;
    static bool before(const TextPosition& a, const TextPosition& b) {
        return a.line < b.line || (a.line == b.line && a.offset < b.offset);
    }
    static uint32_t nextCharEnd(const LineRecord& line, uint32_t offset);
    static uint32_t previousCharStart(const LineRecord& line, uint32_t offset);
    static uint32_t previousCharStart(const uint8_t* text, uint32_t offset);
    // True when `offset` falls between the two bytes of a double-byte character.
    static bool insideCharacter(const LineRecord& line, uint32_t offset);
    int32_t cellWidth(const uint8_t* text, uint32_t from, uint32_t to) const;
    void caretTo(const TextPosition& p) { caret_ = p; wantedColumn_ = -1; }
    void markRowsDirty(int32_t first, int32_t last);
    void markSelectionDirty();
    bool propagateStates(LineRecord& line);
    void lineEdited(LineRecord& line, int32_t index, int32_t startRow, uint32_t from);
    void fixTop(LineRecord* first, int32_t index, int32_t startRow, int32_t oldLast, int32_t linesDelta,
                int32_t rowsDelta);
    LineRecord* newLine(const uint8_t* bytes, uint32_t n, uint8_t lineEnd);
    bool splitAt(uint8_t cutLineEnd, bool record);
    void joinAt(bool record);
    bool insertLines(const uint8_t* bytes, uint32_t n, const uint8_t* loneCr, uint32_t loneCount);
    bool insertExactText(const uint8_t* bytes, uint32_t n, const uint8_t* loneCr, uint32_t loneCount, bool record);
    TextPosition endAfterBytes(const TextPosition& from, uint32_t n, uint32_t* taken) const;
    TextPosition endAfterUnits(const TextPosition& from, uint32_t n) const;
    uint32_t copyRangeBytes(const TextPosition& from, const TextPosition& to, uint8_t* out,
                            std::vector<uint8_t>* loneCr) const;
    bool removeRange(const TextPosition& to);
    bool copyToScratch(const TextPosition& from, const TextPosition& to, uint32_t* size);
    void recordRange(uint16_t type, int32_t targetLine, uint32_t targetOffset, int32_t line, uint32_t offset,
                     uint32_t length, const Place& source, const Place& newStart);
    bool transferRange(int32_t line, uint32_t offset, uint32_t length, bool move, bool record,
                       uint16_t type);
    int32_t indentRange(int32_t first, int32_t count, const uint8_t* bitmap, bool add, uint8_t* lost);
    void wholeLineRange(int32_t* first, int32_t* count) const;
    void reselectAfterIndent(int32_t first, int32_t count, bool anchorFirst, bool endAtLineStart);
    // The whole lines an indent or unindent works on, and how the selection lay over them.
    struct IndentTarget {
        int32_t first = 0, count = 0;
        bool anchorFirst = false, endAtLineStart = false;
    };
    bool selectWholeLinesForIndent(IndentTarget* target);
    void applyUndo(const UndoRecordView& record, int32_t sequence);
    void applyRedo(const UndoRecordView& record, bool last);
    bool recordTyped(const uint8_t* bytes, uint32_t n, uint32_t at);

    int32_t wantedColumn_ = -1;
    UndoJournal undo_;
    LineStateHook lineStateHook_ = nullptr;
    void* lineStateContext_ = nullptr;
    std::vector<uint8_t> scratch_;   // range bytes while text moves; keeps its capacity
    std::vector<uint8_t> loneCr_;    // offsets of CR line ends that an LF line end follows

    // The lexer's token buffer (grown by the lexer).
    void* tokenBuffer_ = nullptr;
    uint32_t tokenCapacity_ = 0;

    // What decoding found while loading, until the next reset.
    bool decodeFailed_ = false;
    bool loadLossy_ = false;
    bool mixedLineEnds_ = false;
    bool lossy_ = false;
};

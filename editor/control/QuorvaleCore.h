// QuorvaleCore: the portable half of the editor control: the document (text store), its
// colouring (lexer) and the view (top row, pixel offset, horizontal offset). It reaches the screen
// only through the seven virtual operations below; Quorvale implements them for the window.
#pragma once
#include <cstdint>

#include "LexLinkedLines.h"
#include "Lexer.h"
#include "RowRenderer.h"
#include "TextStore.h"

class KeywordTable;

// Creation flags (one 32-bit set).
namespace ecflag {
constexpr uint32_t lineNumbers = 0x01;
constexpr uint32_t fullWidthSpaces = 0x02;
constexpr uint32_t tabs = 0x04;
constexpr uint32_t lineEnds = 0x08;          // line-end marks and "[EOF]"
constexpr uint32_t urls = 0x10;              // recognise and colour URLs and mail addresses
constexpr uint32_t halfWidthSpaces = 0x20;
constexpr uint32_t smoothing = 0x40;
constexpr uint32_t plainShiftSpace = 0x80;   // Shift + Space types an ordinary space
constexpr uint32_t noWordCompletion = 0x1000000;
constexpr uint32_t doctypeCandidates = 0x2000000;
constexpr uint32_t cssColonNoBlank = 0x4000000;
constexpr uint32_t fixedWrap = 0x10000000;
}  // namespace ecflag

class QuorvaleCore : public TextStore {
public:
    // The screen operations, in this slot order.
    // 0: render document rows first..last (last -1: to the last visible row) into the back buffer.
    virtual void renderRows(int32_t first, int32_t last) = 0;
    // 1: copy document rows first..last (-1: to the last visible row) to the window.
    virtual void showRows(int32_t first, int32_t last) = 0;
    // 2: scroll so that the caret is visible.
    virtual void bringCaretIntoView(bool resetFromCaret) = 0;
    // 3: place or hide the caret; report a changed column or line.
    virtual void updateCaret() = 0;
    // 4: characters were replaced while loading.
    virtual void charactersReplaced() {}
    // 5: the loaded text mixed line ends.
    virtual void lineEndsMixed() {}
    // 6: an undo stopped at the undo buffer's limit.
    virtual void undoStoppedAtLimit() {}

    virtual ~QuorvaleCore() = default;

    QuorvaleCore() = default;
    QuorvaleCore(const QuorvaleCore&) = delete;
    QuorvaleCore& operator=(const QuorvaleCore&) = delete;
    QuorvaleCore(QuorvaleCore&&) = delete;
    QuorvaleCore& operator=(QuorvaleCore&&) = delete;

    // An empty document with these parameters, colouring mode 0, URL recognition from flag 0x10.
    // False when the store or the lexer's token buffer cannot be set up.
    bool createCore(int32_t wrapWidth, int32_t tabWidth, uint32_t undoSize, TextEncoding defaultEncoding,
                    uint32_t flags);
    // A new document in `encoding` (the view back at the top).
    void resetDocument(TextEncoding encoding);
    // Converts the loaded lines and reports mixed line ends (slot 5) and replaced characters
    // (slot 4). False when a line fails to decode.
    bool convertDocument();
    // Colouring: a new mode makes every line's state unknown; keyword tables are borrowed.
    void setColouringMode(int32_t mode);
    void setKeywords(const KeywordTable* table) { lexer_.setKeywordTable(table); }
    Lexer& lexer() { return lexer_; }
    // The line's colour runs (valid until the next call), or null when the lexer cannot.
    const Token* tokensOf(LineRecord& line, uint32_t* count);

    uint32_t flags() const { return flags_; }

    // A display row of the document.
    struct RowCursor {
        LineRecord* line = nullptr;
        int32_t lineIndex = 0;
        int32_t rowInLine = 0;
        int32_t row = 0;
    };
    RowCursor topCursor() const;
    // The cursor of document row `row` (clamped to the document), walked from the top.
    RowCursor cursorAtRow(int32_t row) const;
    // Steps to the following row; false at the document's last row (the cursor stays).
    static bool nextRow(RowCursor& cursor);
    // Bytes [start, end) of a line's row.
    static void rowBounds(const LineRecord& line, int32_t rowInLine, uint32_t* start, uint32_t* end);
    // The row's bytes and where it stands (no colour runs).
    RowText rowText(const RowCursor& cursor) const;
    // What of the row's line the selection covers, as the renderer wants it.
    RowSelection selectionFor(const RowCursor& cursor, const RowText& text) const;

    // The view: the top row and the pixel offset inside it, and the horizontal offset (pixels).
    int32_t topRow() const { return top_.row; }
    int32_t pixelOffset() const { return pixelOffset_; }
    int32_t horizontalOffset() const { return horizontalOffset_; }
    void setHorizontalOffset(int32_t pixels) { horizontalOffset_ = pixels; }
    // Puts document row `row` (clamped to the document) at the top, `pixels` scrolled into it.
    void setView(int32_t row, int32_t pixels);
    // Cells before the caret in its display row, tabs expanded, a tab never counting past W.
    int32_t caretCells() const;

protected:
    // The store's hook after an edit of `line`: the lexer brings the following lines' start
    // states up to date; true when any changed.
    static bool propagateAfterEdit(void* core, LineRecord* line);

    Lexer lexer_;
    uint32_t flags_ = 0;
    int32_t pixelOffset_ = 0;
    int32_t horizontalOffset_ = 0;
};

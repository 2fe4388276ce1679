// QuorvaleMessages: the editor control's message protocol in one place: the request message and
// its codes (EC_*), the notification codes sent or posted to the parent (ECN_*) and the records
// they carry. Portable (no windows.h): plain constants, shared by the frame, the control and the
// portable tests. Pointers passed in a message are valid only during the call.
#pragma once
#include <cstdint>

class SearchIF;

// ---------------------------------------------------------------------------------------------
// Messages (WM_USER + n)
// ---------------------------------------------------------------------------------------------

// Sent by the frame to the control window: wParam = a request code below, lParam = its argument,
// the result is the request's answer. Any code not listed answers 0.
constexpr unsigned EC_REQUEST = 0x0400 + 1;         // 1025
// Posted by the control to itself right after creation: set the cursor, yield once, read the
// power source if it is not known yet.
constexpr unsigned EC_STARTUP = 0x0400 + 2;         // 1026
// Sent at composition start to the input method's default window with the placement record.
constexpr unsigned EC_IMEPLACEMENT = 0x0400 + 0x69; // 1129

// ---------------------------------------------------------------------------------------------
// Requests (wParam of EC_REQUEST): lParam -> result. Text is always Shift_JIS. Requests that
// change the text first send ECN_ENDCOMPLETE while a completion list is showing and send
// ECN_CHANGED after the change. Requests that need a selection answer 0 without one.
// ---------------------------------------------------------------------------------------------
enum EcRequest : uint32_t {
    EC_HASSELECTION = 10002,       // 0 -> 1 if a selection exists
    EC_HASSELECTION_ALT = 20001,   // the same question under its second code
    EC_CANUNDO = 10003,            // 0 -> 1 if there is something to undo
    EC_CANREDO = 10004,            // 0 -> 1 if there is something to redo
    EC_NOTATEND = 10005,           // 0 -> 1 unless the caret stands after the last byte of the last line

    EC_UNDO = 11001,               // 0 -> 1 when a step was undone (repaint, scroll bars, ECN_CHANGED)
    EC_REDO = 11002,               // 0 -> 1 when a step was redone (likewise)
    EC_CUT = 11003,                // 0 -> 1: the selection to the clipboard, then deleted; ECN_CHANGED
    EC_COPY = 11004,               // 0 -> 1: the selection to the clipboard (CF_TEXT, lines joined by CR LF)
    EC_PASTE = 11005,              // 0 -> 1: the selection replaced by the clipboard text, one undo group
    // 1 backward, 0 forward -> 1. With a selection: delete it; without: one character before /
    // after the caret, or with Ctrl held the word before / after it.
    EC_DELETE = 11006,
    // 0 -> 1. With a selection: widened to whole lines and deleted; without: the caret's line with
    // its line end.
    EC_DELETELINE = 11007,
    // const char* (zero-terminated) -> 1: replaces the selection, inserted into the caret's line
    // unchanged (text without line ends). An empty text does nothing (0).
    EC_INSERTRAW = 11008,
    // const char* (zero-terminated) -> 1: replaces the selection; CR LF, CR and LF start new lines.
    // An empty text changes nothing and sends nothing (0).
    EC_INSERTTEXT = 11009,
    // const EcTextSpan* -> 1: replaces the selection (or inserts at the caret); when there was a
    // selection, the inserted text is selected.
    EC_REPLACESELECTION = 11010,
    // const uint8_t** -> length: for a selection inside one line, stores a pointer to its first
    // byte (valid until the next edit); else 0.
    EC_GETLINESELECTION = 11011,
    // 0 -> bytes of the selection as clipboard text (every line end counted as 2), no terminator.
    EC_GETSELECTIONSIZE = 11012,
    // char* (EC_GETSELECTIONSIZE + 1 bytes) -> 1: the selection as clipboard text, lines joined
    // by CR LF, zero-terminated; 0 without a selection.
    EC_GETSELECTIONTEXT = 11013,
    // const uint8_t** -> byte offset: stores the text pointer of the line where the selection (or,
    // without one, the caret) begins.
    EC_GETSELECTIONSTART = 11014,
    // EcWordAt* -> length: the text under the client point: the one-line selection when the point
    // is in it, else the word there, leading blanks and tabs dropped; copied into the buffer only
    // when length + 1 <= 32; 0 otherwise.
    EC_GETWORDAT = 11015,

    EC_SELECTALL = 12001,          // 0 -> 1: the whole text selected, caret at the start
    EC_FIND = 12002,               // FindRequest* -> 1 if found (see FindRequest)
    // ReplaceRequest* -> 1 when the one-line selection was replaced by the text; 0 without one.
    // The tracked CaretState moves with the text (inside the replaced text: to its start).
    EC_REPLACE = 12004,
    // ReplaceAllRequest* -> number of replacements (one undo group); ECN_CHANGED.
    EC_REPLACEALL = 12005,
    EC_GETCARET = 12101,           // CaretState* -> 1: filled in
    // CaretState* -> 1: selection dropped, caret there, remembered column forgotten, into view.
    EC_SETCARET = 12102,
    // 0 -> 1: with a selection the caret moves to its start (the selection stays); else 0.
    EC_CARETTOSELSTART = 12105,
    EC_GOTOLINE = 12500,           // 0-based line index -> 1: caret to its start, no selection, into view
    // int* or 0 -> 1 when the caret is on screen (its client y stored), 0 when not.
    EC_GETCARETPOINT = 12501,
    EC_FOCUS = 12601,              // 0 -> 1: the control takes the keyboard focus

    EC_FIRSTLINE = 13001,          // LineIterator* -> 1: the first line
    EC_NEXTLINE = 13002,           // LineIterator* -> 1, or 0 after the last line (record unchanged)

    // TextEncoding -> 1: empty document (one empty line), encoding := lParam, line end := CrLf,
    // caret to the start, undo cleared.
    EC_RESET = 14006,
    // LoadRecord* -> 1, or 0 when memory ran out: detect the encoding if Auto, split into lines.
    EC_LOADIMAGE = 14007,
    // 0 -> 1, or 0 on a decoding failure: line end chosen, every line decoded, re-wrapped; posts
    // ECN_MIXEDLINEENDS and ECN_LOSSY.
    EC_CONVERT = 14008,
    EC_LOADDONE = 14009,           // 0 -> 1: lay out, repaint, place the caret, update scroll bars

    EC_LINENUMBERS = 15000,        // 1 show, 0 hide the line-number gutter -> 1
    EC_UPDATECURSOR = 16001,       // non-zero -> 1: the cursor for the current pointer position

    EC_SETMODE = 30001,            // colouring mode (0, 100, 200, 300, 400) -> 1
    EC_SETKEYWORDS = 30002,        // const KeywordTable* or 0 -> 1; everything repainted

    EC_ENDCOMPLETION = 40001,      // 0 -> 1: ECN_ENDCOMPLETE if a completion list was requested

    // Markup assistance and the grammar check (QuorvaleMarkup.cpp).
    // GrammarCheckRequest* -> 1 when the check completed; 0 on failure (library or export missing,
    // zero handle, a false result from the checker).
    EC_GRAMMARCHECK = 30101,
    // CandidateRequest* -> bytes written: the candidates for the last completion request as
    // NUL-terminated names one after another, closed by an empty name.
    EC_GETCANDIDATES = 40002,
    // InsertCandidateRequest* -> 1 when inserted (may ask for a follow-up list).
    EC_INSERTCANDIDATE = 40003,
    EC_INSERTCLOSETAG = 40004,     // document-type map -> 1 when a close tag was inserted
    EC_INSERTLINEBREAKTAG = 40005, // document-type map -> 1 when a line-break tag was inserted
    EC_SELECTELEMENT = 40006,      // document-type map -> 1 when the tag or element at the caret was selected
    // MayInsertRequest* -> 1 when answered: may an element ("img", "a") be inserted at the start
    // of the selection (or the caret) without a grammar error, and in which case.
    EC_MAYINSERTELEMENT = 40007,
};

// ---------------------------------------------------------------------------------------------
// Notifications: wParam of the message number given at creation, to the parent window.
// ---------------------------------------------------------------------------------------------
enum EcNotification : uint32_t {
    ECN_CHANGED = 1,          // sent; lParam: lastEditId, the identifier of the latest edit record
    // posted; lParam: const int32_t[2] inside the control: caret column + 1 (cells, tabs
    // expanded) and line + 1; only when either changed.
    ECN_CARETMOVED = 2,
    ECN_SELECTION = 3,        // sent; lParam: 1 when a selection now exists, 0 when none
    // sent before the control handles a key; lParam: virtual-key code; a non-zero answer means
    // the frame consumed the key.
    ECN_KEYDOWN = 4,
    ECN_COMPLETE = 200,       // sent; lParam: CompletionRequest*; non-zero answer: a list is shown
    ECN_COMPLETEMORE = 201,   // sent; as 200 while a list is already showing
    ECN_ENDCOMPLETE = 202,    // sent; lParam 0: close the completion list
    ECN_GETMAP = 300,         // sent; lParam 0; the answer is the loaded document-type map or 0
    ECN_LOSSY = 900,          // posted: characters became "？" while loading
    ECN_MIXEDLINEENDS = 901,  // posted: the loaded text mixed line ends
    ECN_UNDOLIMIT = 902,      // posted: an undo stopped at the undo buffer's limit
};

// Notifications 2, 900, 901 and 902 are posted; the others are sent.
constexpr bool isPostedNotification(uint32_t code) {
    return code == ECN_CARETMOVED || code == ECN_LOSSY || code == ECN_MIXEDLINEENDS ||
           code == ECN_UNDOLIMIT;
}

// ---------------------------------------------------------------------------------------------
// Records passed by pointer. Pointer fields have the platform's pointer width; all other fields
// are 32-bit (one byte for LoadRecord::borrow).
// ---------------------------------------------------------------------------------------------

// EC_FIRSTLINE / EC_NEXTLINE.
struct LineIterator {
    uint32_t length;          // bytes of the line
    const uint8_t* text;      // Shift_JIS, not terminated; the control's, valid until the next edit
    uint32_t lineEnd;         // the line's LineEnd; 0 for the last line
    const void* handle;       // opaque: the line, for EC_NEXTLINE to step on
};

// EC_GETCARET / EC_SETCARET, and the position a ReplaceRequest tracks.
struct CaretState {
    int32_t line;             // 0-based line index
    const void* handle;       // opaque handle of that line
    uint32_t offset;          // byte offset in the line
    int32_t row;              // 0-based display row, counting wrapped rows from the top
};

// EC_LOADIMAGE.
struct LoadRecord {
    uint32_t count;           // bytes of the file image
    uint8_t* bytes;           // the image after any byte-order mark; decoded in place when borrowed
    uint8_t borrow;           // non-zero: lines may point into the image, which the frame keeps alive
};

// EC_REPLACESELECTION.
struct EcTextSpan {
    const char* text;
    uint32_t length;
};

// EC_GETWORDAT.
constexpr uint32_t wordAtBufferSize = 32;
struct EcWordAt {
    int32_t x, y;             // client point
    char* buffer;             // 32 bytes: receives the text and a terminator when it fits
    uint32_t reserved;        // not read
    uint32_t length;          // set to the answer
};

// Listing callback: (context, 1-based line number or -1 for the closing line, zero-terminated
// text) -> false to stop the listing.
using ListCallback = bool (*)(void* context, int32_t lineNumber, const char* text);

// EC_FIND; the first half of EC_REPLACEALL.
struct FindRequest {
    uint32_t flags;            // FindFlag bits
    SearchIF* search;          // the search object (pattern set)
    uint32_t reserved;         // not read by the control
    uint32_t selectionMatched; // set to 1 when, searching forward, the selection itself is a whole match
    ListCallback callback;     // for FIND_LISTALL
    void* context;             // the callback's context
};
enum FindFlag : uint32_t {
    FIND_BACKWARD = 0x02,
    FIND_FROMTOP = 0x04,       // start at the top of the document
    FIND_TESTONLY = 0x08,      // only test whether there is a match; nothing moves
    FIND_INSELECTION = 0x10,   // EC_REPLACEALL: only inside the selection
    FIND_LISTALL = 0x80,       // list every matching line through the callback
};

// EC_REPLACE; the second half of EC_REPLACEALL.
struct ReplaceRequest {
    const char* text;          // the replacement (may be empty)
    uint32_t length;
    CaretState* tracked;       // kept on the same text while replacing; may be null
};

// EC_REPLACEALL.
struct ReplaceAllRequest {
    FindRequest* find;
    ReplaceRequest* replace;
};

// ECN_COMPLETE / ECN_COMPLETEMORE.
constexpr int32_t completionKindWord = 90;
struct CompletionRequest {
    int32_t kind;              // caret-context kind; 90 for a plain word
    char typed[64];            // the typed text, zero-terminated
    int32_t length;            // its length
    // Markup kinds: upper-case minus lower-case ASCII letters of the typed text, or -1 when that
    // is 0 but lower-case letters occur; 0 for words.
    int32_t caseField;
    void* font;                // the control's font (HFONT)
    int32_t cellWidth;         // pixels
    int32_t lineHeight;        // pixels
};

// EC_GRAMMARCHECK. The checker reports through (context, line, text, kind bits) -> bool.
using GrammarCallback = bool (*)(void* context, int32_t line, const char* text, uint32_t kind);
struct GrammarCheckRequest {
    const void* map;           // the loaded document-type map table
    uint32_t options;          // the checker's option word
    GrammarCallback callback;
    void* context;
};

// EC_GETCANDIDATES.
struct CandidateRequest {
    const void* map;           // the loaded document-type map, or null
    char* buffer;              // receives the NUL-terminated names
    uint32_t size;             // bytes available (65536 from the frame)
};

// EC_MAYINSERTELEMENT.
struct MayInsertRequest {
    const void* map;           // the loaded document-type map
    const char* name;          // the element to insert, e.g. "img" or "a"
    uint32_t allowed;          // set: 1 when the context is text and the name is a child candidate
    uint32_t upperCase;        // set: 1 when the first candidate begins with an upper-case letter
};

// EC_INSERTCANDIDATE.
struct InsertCandidateRequest {
    const void* map;
    const char* text;          // the chosen entry, zero-terminated (at most 127 bytes)
};

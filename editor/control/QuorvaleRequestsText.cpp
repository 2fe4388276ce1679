// Quorvale requests on the text: selection questions, clipboard, deletion, insertion, undo and
// redo, find, replace one and replace all.
#include <cstring>

#include "QuorvaleDocumentOps.h"
#include "QuorvaleInput.h"
#include "QuorvaleRequests.h"

using namespace ctlinput;

namespace ctlrequest {

namespace {

bool ctrlHeld() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

LRESULT undoOrRedo(Quorvale& q, bool redo) {
    endCompletion(q);
    bool stopped = false;
    const bool done = redo ? q.redo() : q.undo(&stopped);
    if (stopped) q.undoStoppedAtLimit();
    if (!done) return 0;
    afterEdit(q);
    return 1;
}

LRESULT insertZeroTerminated(Quorvale& q, LPARAM argument, bool raw) {
    const char* text = reinterpret_cast<const char*>(argument);
    const uint32_t n = text ? static_cast<uint32_t>(std::strlen(text)) : 0;
    if (n == 0) return 0;
    endCompletion(q);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    const bool ok = raw ? replaceSelectionBytes(q, bytes, n, false) : replaceSelectionText(q, bytes, n);
    afterEdit(q);
    return ok ? 1 : 0;
}

LRESULT replaceSelectionRequest(Quorvale& q, const EcTextSpan* span) {
    if (span == nullptr) return 0;
    endCompletion(q);
    const bool had = q.hasSelection();
    quorvale::LinePos start, end;
    quorvale::selectionBounds(q, &start, &end);
    const uint32_t length = span->text != nullptr ? span->length : 0;
    const bool ok = replaceSelectionText(q, reinterpret_cast<const uint8_t*>(span->text ? span->text : ""), length);
    if (ok && had && length > 0) q.selectRange(start.line, start.offset, q.caret().line, q.caret().offset);
    afterEdit(q);
    return ok ? 1 : 0;
}

LRESULT lineSelection(Quorvale& q, const uint8_t** out) {
    if (!quorvale::selectionInOneLine(q)) return 0;
    quorvale::LinePos start, end;
    quorvale::selectionBounds(q, &start, &end);
    if (out != nullptr) *out = q.lineAt(start.line)->text + start.offset;
    return end.offset - start.offset;
}

LRESULT selectionStart(Quorvale& q, const uint8_t** out) {
    quorvale::LinePos start, end;
    quorvale::selectionBounds(q, &start, &end);
    if (out != nullptr) *out = q.lineAt(start.line)->text;
    return start.offset;
}

LRESULT find(Quorvale& q, FindRequest* request) {
    if (request == nullptr) return 0;
    if (request->flags & FIND_LISTALL) return quorvale::listAll(q, *request) > 0 ? 1 : 0;
    if (!quorvale::findNext(q, *request)) return 0;
    if (!(request->flags & FIND_TESTONLY)) afterMove(q);
    return 1;
}

LRESULT replaceOne(Quorvale& q, const ReplaceRequest* request) {
    if (request == nullptr) return 0;
    endCompletion(q);
    if (!quorvale::replaceSelection(q, *request)) return 0;
    afterEdit(q);
    return 1;
}

LRESULT replaceEvery(Quorvale& q, const ReplaceAllRequest* request) {
    if (request == nullptr) return 0;
    endCompletion(q);
    const int32_t count = quorvale::replaceAll(q, *request);
    q.repaintAll();
    afterEdit(q);
    return count;
}

}  // namespace

bool textRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result) {
    LRESULT r = 0;
    switch (code) {
    case EC_HASSELECTION:
    case EC_HASSELECTION_ALT: r = q.hasSelection() ? 1 : 0; break;
    case EC_CANUNDO: r = q.canUndo() ? 1 : 0; break;
    case EC_CANREDO: r = q.canRedo() ? 1 : 0; break;
    case EC_NOTATEND: r = (q.caret().record->next || q.caret().offset < q.caret().record->length) ? 1 : 0; break;
    case EC_UNDO: r = undoOrRedo(q, false); break;
    case EC_REDO: r = undoOrRedo(q, true); break;
    case EC_CUT: r = cutSelection(q) ? 1 : 0; break;
    case EC_COPY: r = copySelection(q) ? 1 : 0; break;
    case EC_PASTE: r = pasteClipboard(q) ? 1 : 0; break;
    case EC_DELETE:
        endCompletion(q);
        r = deleteAtCaret(q, argument == 1, ctrlHeld()) ? 1 : 0;
        afterEdit(q);
        break;
    case EC_DELETELINE:
        endCompletion(q);
        r = q.deleteSelectionOrLine(true) ? 1 : 0;
        afterEdit(q);
        break;
    case EC_INSERTRAW: r = insertZeroTerminated(q, argument, true); break;
    case EC_INSERTTEXT: r = insertZeroTerminated(q, argument, false); break;
    case EC_REPLACESELECTION: r = replaceSelectionRequest(q, reinterpret_cast<const EcTextSpan*>(argument)); break;
    case EC_GETLINESELECTION: r = lineSelection(q, reinterpret_cast<const uint8_t**>(argument)); break;
    case EC_GETSELECTIONSIZE: r = quorvale::clipboardSize(q); break;
    case EC_GETSELECTIONTEXT:
        r = argument != 0 && quorvale::clipboardText(q, reinterpret_cast<char*>(argument)) ? 1 : 0;
        break;
    case EC_GETSELECTIONSTART: r = selectionStart(q, reinterpret_cast<const uint8_t**>(argument)); break;
    case EC_SELECTALL: {
        const int32_t last = q.lineCount() - 1;
        q.selectRange(last, q.lineAt(last)->length, 0, 0);
        afterMove(q);
        r = 1;
        break;
    }
    case EC_FIND: r = find(q, reinterpret_cast<FindRequest*>(argument)); break;
    case EC_REPLACE: r = replaceOne(q, reinterpret_cast<const ReplaceRequest*>(argument)); break;
    case EC_REPLACEALL: r = replaceEvery(q, reinterpret_cast<const ReplaceAllRequest*>(argument)); break;
    default: return false;
    }
    *result = r;
    return true;
}

}  // namespace ctlrequest

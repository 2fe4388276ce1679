// Quorvale requests on the document: the load sequence, line iteration, caret records, the
// colouring mode and the keyword table.
#include "QuorvaleDocumentOps.h"
#include "QuorvaleInput.h"
#include "QuorvaleRequests.h"

using namespace ctlinput;

namespace ctlrequest {

namespace {

LRESULT loadImage(Quorvale& q, const LoadRecord* record) {
    if (record == nullptr) return 0;
    if (record->count == 0) return 1;
    return q.loadChunk(record->count, record->bytes, record->borrow != 0) ? 1 : 0;
}

LRESULT loadDone(Quorvale& q) {
    q.layoutClient();
    q.jumpView(q.topRow(), q.pixelOffset());
    q.updateScrollBars();
    q.updateCaret();
    return 1;
}

}  // namespace

bool documentRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result) {
    LRESULT r = 1;
    switch (code) {
    case EC_RESET:
        endCompletion(q);
        q.resetDocument(static_cast<TextEncoding>(argument));
        break;
    case EC_LOADIMAGE: r = loadImage(q, reinterpret_cast<const LoadRecord*>(argument)); break;
    case EC_CONVERT: r = q.convertDocument() ? 1 : 0; break;
    case EC_LOADDONE: r = loadDone(q); break;
    case EC_FIRSTLINE:
        if (argument == 0) return *result = 0, true;
        quorvale::firstLine(q, reinterpret_cast<LineIterator*>(argument));
        break;
    case EC_NEXTLINE:
        r = argument != 0 && quorvale::nextLine(reinterpret_cast<LineIterator*>(argument)) ? 1 : 0;
        break;
    case EC_GETCARET:
        if (argument == 0) return *result = 0, true;
        quorvale::caretState(q, reinterpret_cast<CaretState*>(argument));
        break;
    case EC_SETMODE:
        q.setColouringMode(static_cast<int32_t>(argument));
        q.repaintAll();
        break;
    case EC_SETKEYWORDS:
        q.setKeywords(reinterpret_cast<const KeywordTable*>(argument));
        q.repaintAll();
        break;
    default: return false;
    }
    *result = r;
    return true;
}

}  // namespace ctlrequest

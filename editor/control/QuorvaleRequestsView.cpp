// Quorvale requests on the view: caret placement, the caret's point, focus, line numbers, the
// cursor, ending a completion list and the word under a client point.
#include <cstring>
#include <vector>

#include "CharClass.h"
#include "LineRecord.h"
#include "QuorvaleDocumentOps.h"
#include "QuorvaleInput.h"
#include "QuorvaleInputLogic.h"
#include "QuorvaleRequests.h"
#include "TextCodes.h"

using namespace ctlinput;

namespace ctlrequest {

namespace {

uint32_t charLength(const LineRecord& line, uint32_t at) {
    return (isSjisLead(line.text[at]) && at + 1 < line.length) ? 2 : 1;
}

// The run of equal selection class around the character at `offset` (the last character when
// the offset is the line's end).
void wordAround(const LineRecord& line, uint32_t offset, uint32_t* from, uint32_t* to) {
    *from = *to = offset;
    if (line.length == 0) return;
    std::vector<uint32_t> starts;
    for (uint32_t i = 0; i < line.length; i += charLength(line, i)) starts.push_back(i);
    size_t k = starts.size() - 1;
    for (size_t j = 0; j < starts.size(); ++j) {
        if (starts[j] + charLength(line, starts[j]) > offset) {
            k = j;
            break;
        }
    }
    const int32_t cls = CharClass::selectionClass(line.text, line.length, starts[k]);
    size_t first = k, last = k;
    while (first > 0 && CharClass::selectionClass(line.text, line.length, starts[first - 1]) == cls) --first;
    while (last + 1 < starts.size() && CharClass::selectionClass(line.text, line.length, starts[last + 1]) == cls)
        ++last;
    *from = starts[first];
    *to = starts[last] + charLength(line, starts[last]);
}

LRESULT wordAt(Quorvale& q, EcWordAt* request) {
    if (request == nullptr) return 0;
    const PointHit hit = hitTest(q, request->x, request->y);
    const LineRecord& line = *q.lineAt(hit.line);
    uint32_t from = 0, to = 0;
    if (quorvale::selectionInOneLine(q) && q.anchor().line == hit.line && insideSelection(q, hit.line, hit.offset)) {
        quorvale::LinePos a, b;
        quorvale::selectionBounds(q, &a, &b);
        from = a.offset;
        to = b.offset;
    } else {
        wordAround(line, hit.offset, &from, &to);
    }
    from += quorvale::skipBlanks(line.text + from, to - from);
    const uint32_t length = to - from;
    request->length = 0;
    if (length == 0 || length + 1 > wordAtBufferSize || request->buffer == nullptr) return 0;
    std::memcpy(request->buffer, line.text + from, length);
    request->buffer[length] = '\0';
    request->length = length;
    return length;
}

LRESULT caretPoint(Quorvale& q, int* y) {
    const int32_t top = (q.caret().row - q.topRow()) * q.lineHeight() - q.pixelOffset();
    if (top <= -q.lineHeight() || top >= q.geometry().height) return 0;
    if (y != nullptr) *y = top;
    return 1;
}

void setCaret(Quorvale& q, const CaretState* state) {
    q.dropSelection();
    q.moveTo(state->line, state->offset);
    afterMove(q);
}

}  // namespace

bool viewRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result) {
    LRESULT r = 1;
    switch (code) {
    case EC_SETCARET:
        if (argument == 0) return *result = 0, true;
        setCaret(q, reinterpret_cast<const CaretState*>(argument));
        break;
    case EC_CARETTOSELSTART: {
        if (!q.hasSelection()) return *result = 0, true;
        quorvale::LinePos a, b;
        quorvale::selectionBounds(q, &a, &b);
        q.moveTo(a.line, a.offset);
        q.updateCaret();
        break;
    }
    case EC_GOTOLINE:
        q.dropSelection();
        q.moveTo(static_cast<int32_t>(argument), 0);
        afterMove(q);
        break;
    case EC_GETCARETPOINT: r = caretPoint(q, reinterpret_cast<int*>(argument)); break;
    case EC_FOCUS: SetFocus(q.window()); break;
    case EC_LINENUMBERS: q.setLineNumbers(argument != 0); break;
    case EC_UPDATECURSOR: updateCursor(q); break;
    case EC_ENDCOMPLETION: endCompletion(q); break;
    case EC_GETWORDAT: r = wordAt(q, reinterpret_cast<EcWordAt*>(argument)); break;
    default: return false;
    }
    *result = r;
    return true;
}

}  // namespace ctlrequest

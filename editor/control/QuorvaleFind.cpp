// QuorvaleDocumentOps: find forward and backward, list every matching line, replace one and all.
#include <string>

#include "LineRecord.h"
#include "QuorvaleDocumentOps.h"
#include "QuorvaleListing.h"
#include "SearchIF.h"
#include "TextStore.h"
#include "UndoJournal.h"

namespace quorvale {

namespace {

struct Match {
    int32_t line;
    uint32_t start;
    uint32_t length;
};

// The offset one character after `at` in the line.
uint32_t nextCharacter(const LineRecord& line, uint32_t at) {
    if (at >= line.length) return line.length;
    return at + ((isSjisLead(line.text[at]) && at + 1 < line.length) ? 2 : 1);
}

bool findForward(const TextStore& store, SearchIF& search, int32_t lineIndex, uint32_t from, Match* m) {
    const LineRecord* line = store.lineAt(lineIndex);
    for (; line; line = line->next, ++lineIndex, from = 0) {
        if (from > line->length) continue;
        uint32_t start = 0, length = 0;
        if (search.find(line->text + from, line->length - from, &start, &length)) {
            *m = Match{lineIndex, from + start, length};
            return true;
        }
    }
    return false;
}

bool findBackward(const TextStore& store, SearchIF& search, int32_t lineIndex, uint32_t before, Match* m) {
    const LineRecord* line = store.lineAt(lineIndex);
    uint32_t start = 0, length = 0;
    if (before > 0 && search.findLastBefore(line->text, line->length, before, &start, &length)) {
        *m = Match{lineIndex, start, length};
        return true;
    }
    for (line = line->previous, --lineIndex; line; line = line->previous, --lineIndex) {
        if (search.findLast(line->text, line->length, &start, &length)) {
            *m = Match{lineIndex, start, length};
            return true;
        }
    }
    return false;
}

}  // namespace

bool findNext(TextStore& store, FindRequest& request) {
    if (request.search == nullptr) return false;
    SearchIF& search = *request.search;
    LinePos start{0, 0}, end{0, 0};
    if (!(request.flags & FIND_FROMTOP)) selectionBounds(store, &start, &end);
    const bool oneLine = !(request.flags & FIND_FROMTOP) && selectionInOneLine(store);
    Match m{};
    bool found;
    if (request.flags & FIND_BACKWARD) {
        found = findBackward(store, search, start.line, start.offset, &m);
    } else {
        uint32_t from = start.offset;
        if (oneLine) {
            const LineRecord& line = *store.lineAt(start.line);
            const uint32_t length = end.offset - start.offset;
            uint32_t at = 0, matched = 0;
            if (search.find(line.text + start.offset, length, &at, &matched) && at == 0 && matched == length) {
                request.selectionMatched = 1;
                from = nextCharacter(line, start.offset);  // never inside a two-byte character
            }
        }
        found = findForward(store, search, start.line, from, &m);
    }
    if (!found) return false;
    if (request.flags & FIND_TESTONLY) return true;
    store.dropSelection();
    store.selectRange(m.line, m.start, m.line, m.start + m.length);
    return true;
}

int32_t listAll(const TextStore& store, FindRequest& request) {
    if (request.search == nullptr || request.callback == nullptr) return 0;
    int32_t matches = 0;
    int32_t number = 1;
    for (const LineRecord* line = store.firstLine(); line; line = line->next, ++number) {
        uint32_t at = 0, length = 0;
        if (!request.search->find(line->text, line->length, &at, &length)) continue;
        ++matches;
        const std::string text = listingLine(number, line->text, line->length);
        if (!request.callback(request.context, number, text.c_str())) break;
    }
    request.callback(request.context, -1, listingSummary(matches).c_str());
    return matches;
}

bool replaceSelection(TextStore& store, const ReplaceRequest& request) {
    if (!selectionInOneLine(store)) return false;
    LinePos start, end;
    selectionBounds(store, &start, &end);
    const uint32_t old = end.offset - start.offset;
    store.dropSelection();
    store.moveTo(start.line, start.offset);
    const auto* bytes = reinterpret_cast<const uint8_t*>(request.text ? request.text : "");
    const uint32_t length = request.text ? request.length : 0;
    if (!store.overwriteBytes(bytes, length, old, true)) return false;
    if (request.tracked != nullptr) {
        CaretState& t = *request.tracked;
        shiftForReplacement(start.line, start.offset, old, length, &t.line, &t.offset);
        t = stateAt(store, t.line, t.offset);
    }
    return true;
}

int32_t replaceAll(TextStore& store, const ReplaceAllRequest& request) {
    if (request.find == nullptr || request.replace == nullptr || request.find->search == nullptr) return 0;
    SearchIF& search = *request.find->search;
    const ReplaceRequest& replace = *request.replace;
    const bool inSelection = (request.find->flags & FIND_INSELECTION) != 0;
    if (inSelection && !store.hasSelection()) return 0;
    LinePos start{0, 0}, end{store.lineCount() - 1, store.lineAt(store.lineCount() - 1)->length};
    if (inSelection) selectionBounds(store, &start, &end);
    LinePos caret{store.caret().line, store.caret().offset};
    int32_t trackedLine = replace.tracked ? replace.tracked->line : 0;
    uint32_t trackedOffset = replace.tracked ? replace.tracked->offset : 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(replace.text ? replace.text : "");
    const uint32_t length = replace.text ? replace.length : 0;   // no text: the matches are removed

    int32_t count = 0;
    store.dropSelection();
    {
        UndoGroup group(store.undoJournal());
        LinePos at = start;
        Match m{};
        while (findForward(store, search, at.line, at.offset, &m)) {
            if (m.line > end.line || (m.line == end.line && m.start + m.length > end.offset)) break;
            store.moveTo(m.line, m.start);
            if (!store.overwriteBytes(bytes, length, m.length, true)) break;
            ++count;
            if (m.line == end.line) end.offset = end.offset - m.length + length;
            shiftForReplacement(m.line, m.start, m.length, length, &caret.line, &caret.offset);
            shiftForReplacement(m.line, m.start, m.length, length, &trackedLine, &trackedOffset);
            at = LinePos{m.line, m.start + length};
        }
    }
    if (inSelection)
        store.selectRange(start.line, start.offset, end.line, end.offset);
    else
        store.moveTo(caret.line, caret.offset);
    if (replace.tracked != nullptr) *replace.tracked = stateAt(store, trackedLine, trackedOffset);
    return count;
}

}  // namespace quorvale

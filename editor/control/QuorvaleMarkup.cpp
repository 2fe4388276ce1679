// Quorvale's markup assistance: the control's side of the HTML context model. The document is
// read from its first line up to the caret for each operation.
#include "QuorvaleMarkup.h"

#include <cstring>
#include <string>
#include <vector>

#include "CaretContext.h"
#include "Completion.h"
#include "DocumentMap.h"
#include "ElementScanner.h"
#include "LexLine.h"
#include "LineRecord.h"
#include "LintBinding.h"
#include "QuorvaleInput.h"
#include "TextCodes.h"

using namespace ctlinput;

namespace ctlmarkup {

namespace {

constexpr size_t kCandidateCapacity = 65536;

bool htmlMode(Quorvale& q) { return q.lexer().syntaxMode() == SyntaxMode::Html; }
bool cssMode(Quorvale& q) { return q.lexer().syntaxMode() == SyntaxMode::Css; }

const DocumentMap* mapOf(const void* map) {
    const DocumentMap* m = static_cast<const DocumentMap*>(map);
    return m != nullptr && m->block != nullptr ? m : nullptr;
}

// The lexer's state at the start of line `index`, followed from the first line.
uint8_t startStateOf(Quorvale& q, int32_t index) {
    const SyntaxMode mode = q.lexer().syntaxMode();
    uint8_t state = 1;
    const LineRecord* line = q.firstLine();
    for (int32_t i = 0; i < index && line != nullptr; ++i, line = line->next)
        state = lexLineEndState(mode, line->text, line->length, state);
    return state;
}

CaretContext contextAt(Quorvale& q, int32_t index, uint32_t offset) {
    const LineRecord& line = *q.lineAt(index);
    return analyseCaretContext(startStateOf(q, index), line.text, line.length, offset);
}

// Feeds the document to `scanner` up to (line, offset), "\n" after each broken line.
void feedUpTo(Quorvale& q, ElementScanner& scanner, int32_t index, uint32_t offset) {
    const LineRecord* line = q.firstLine();
    for (int32_t i = 0; i < index && line != nullptr; ++i, line = line->next) {
        if (!scanner.feed(line->text, line->length)) return;
        if (line->lineEnd != 0 && !scanner.feed(reinterpret_cast<const uint8_t*>("\n"), 1)) return;
    }
    if (line != nullptr) scanner.feed(line->text, offset < line->length ? offset : line->length);
}

bool isWordByte(uint8_t b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_';
}

// The word before the caret: its start offset (a trail byte is never taken for ASCII).
uint32_t wordStart(const LineRecord& line, uint32_t caret) {
    uint32_t runStart = 0;
    for (uint32_t i = 0; i < caret;) {
        const uint8_t b = line.text[i];
        const uint32_t step = (isSjisLead(b) && i + 1 < line.length) ? 2 : 1;
        if (step == 2 || !isWordByte(b)) runStart = i + step;
        i += step;
    }
    return runStart;
}

bool isHexDigit(uint8_t c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

// CSS mode: a property name (30) or a colour value "#..." (40) being typed at the caret.
int32_t cssContext(Quorvale& q, std::string* typed) {
    const LineRecord& line = *q.caret().record;
    const uint32_t caret = q.caret().offset;
    const uint8_t state = lexLineEndState(SyntaxMode::Css, line.text, caret, startStateOf(q, q.caret().line));
    uint32_t i = caret;
    if (state == 15 /* property value */) {
        while (i > 0 && isHexDigit(line.text[i - 1]) && caret - i < 6) --i;
        if (i > 0 && line.text[i - 1] == '#' && caret - i < 6) {
            typed->assign(reinterpret_cast<const char*>(line.text + i - 1), caret - i + 1);
            return caretcontext::Colour;
        }
        return 0;
    }
    if (state == 14 /* property name */) {
        auto nameByte = [](uint8_t c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '-' || c == '_'; };
        while (i > 0 && nameByte(line.text[i - 1])) --i;
        if (caret - i >= 1 && caret - i <= 63) {
            typed->assign(reinterpret_cast<const char*>(line.text + i), caret - i);
            return caretcontext::CssProperty;
        }
    }
    return 0;
}

bool wordRequest(Quorvale& q, CompletionRequest* request) {
    const LineRecord& line = *q.caret().record;
    const uint32_t start = wordStart(line, q.caret().offset);
    const uint32_t length = q.caret().offset - start;
    if ((q.flags() & ecflags::noWordCompletion) || length < 1 || length > 63) return false;
    if (!(((line.text[start] | 0x20) >= 'a' && (line.text[start] | 0x20) <= 'z'))) return false;
    request->kind = completionKindWord;
    std::memcpy(request->typed, line.text + start, length);
    request->typed[length] = 0;
    request->length = static_cast<int32_t>(length);
    request->caseField = 0;
    return true;
}

void setTyped(CompletionRequest* request, int32_t kind, const char* typed) {
    const size_t n = std::strlen(typed) < 63 ? std::strlen(typed) : 63;
    request->kind = kind;
    std::memcpy(request->typed, typed, n);
    request->typed[n] = 0;
    request->length = static_cast<int32_t>(n);
    request->caseField = casePreferenceOf(request->typed, n);
}

// The typed text of the current context for a kind (what insertion must not repeat).
std::string typedFor(Quorvale& q, const CaretContext& c, int32_t kind) {
    using namespace caretcontext;
    switch (kind) {
    case Declaration:
    case ElementName:
    case Value:
    case Entity:
    case Colour: return c.typed;
    case Attribute: return c.attribute;
    case CssProperty:
        if (cssMode(q)) {
            std::string t;
            cssContext(q, &t);
            return t;
        }
        return c.typed;
    default: {
        const LineRecord& line = *q.caret().record;
        const uint32_t start = wordStart(line, q.caret().offset);
        return std::string(reinterpret_cast<const char*>(line.text + start), q.caret().offset - start);
    }
    }
}

// The region whose words a word list takes, from the caret context.
WordCollector::Region regionOf(const CaretContext& c, char* script) {
    *script = 0;
    if (c.code == caretcontext::Comment) return WordCollector::CommentRegion;
    if (c.code & 0x1000) {
        *script = c.contextCharacter;
        return WordCollector::ScriptRegion;
    }
    return WordCollector::TextRegion;
}

size_t collectorCandidates(Quorvale& q, int32_t kind, char* out, size_t capacity, int32_t casePreference) {
    const bool html = htmlMode(q);
    CaretContext c;
    if (html) c = contextAt(q, q.caret().line, q.caret().offset);
    char script = 0;
    const WordCollector::Region region = html ? regionOf(c, &script) : WordCollector::AnyRegion;
    const std::string typed = kind == caretcontext::Word ? typedFor(q, c, caretcontext::Word) : std::string();
    WordCollector collector(typed.data(), typed.size(), html, region, script);
    for (const LineRecord* line = q.firstLine(); line != nullptr; line = line->next)
        collector.addLine(line->text, line->length);
    if (kind == caretcontext::Colour) return collector.colours(out, capacity, casePreference);
    // The word standing whole at the caret's word start is left out.
    const LineRecord& line = *q.caret().record;
    uint32_t end = wordStart(line, q.caret().offset);
    const uint32_t start = end;
    while (end < line.length && isWordByte(line.text[end])) ++end;
    return collector.words(out, capacity, reinterpret_cast<const char*>(line.text + start), end - start);
}

size_t candidates(Quorvale& q, const DocumentMap* map, char* out, size_t capacity) {
    using namespace caretcontext;
    const CompletionRequest& last = q.lastCompletion_;
    const int32_t kind = last.kind;
    if (kind == Word || kind == Colour) return collectorCandidates(q, kind, out, capacity, last.caseField);
    if (kind == CssProperty) return cssPropertyCandidates(out, capacity);
    if (!htmlMode(q) || map == nullptr) return 0;
    const CaretContext c = contextAt(q, q.caret().line, q.caret().offset);
    if (kind == Declaration) {
        CandidateWriter w(out, capacity);
        w.put("<!--  -->", 9, 0);
        return w.finish();
    }
    if (kind == ElementName) {
        ElementScanner scanner(*map);
        feedUpTo(q, scanner, q.caret().line, c.nameStart);
        const bool children = c.typed[0] != '/';
        const char placeholder = (q.flags() & ecflags::templatePlaceholder) ? ' ' : 0;
        size_t n = scanner.elementCandidates(out, capacity, children, last.caseField, placeholder);
        if (children && n <= 1) n = scanner.elementCandidates(out, capacity, false, last.caseField, placeholder);
        return n;
    }
    return markupCandidates(map, c, out, capacity, last.caseField);
}

bool insertBytesAtCaret(Quorvale& q, const std::string& text) {
    if (text.empty()) return true;
    return q.insertText(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()), true);
}

LRESULT insertCandidate(Quorvale& q, const InsertCandidateRequest* request) {
    if (request == nullptr || request->text == nullptr) return 0;
    const DocumentMap* map = mapOf(request->map);
    const int32_t kind = q.lastCompletion_.kind;
    const CaretContext c = htmlMode(q) ? contextAt(q, q.caret().line, q.caret().offset) : CaretContext{};
    const std::string typed = typedFor(q, c, kind);
    const LineRecord& line = *q.caret().record;
    const uint8_t atCaret = q.caret().offset < line.length ? line.text[q.caret().offset] : 0;
    char candidate[128];
    std::strncpy(candidate, request->text, sizeof candidate - 1);
    candidate[sizeof candidate - 1] = 0;
    const InsertPlan plan = planInsertion(map, c, kind, candidate, typed.c_str(), atCaret, q.flags());
    endCompletion(q);
    if (!insertBytesAtCaret(q, plan.text)) return 0;
    if (plan.caretBack > 0 || plan.stepOverQuote) {
        const uint32_t offset = q.caret().offset - plan.caretBack + (plan.stepOverQuote ? 1 : 0);
        q.moveTo(q.caret().line, offset);
    }
    afterEdit(q);
    if (plan.reopen) checkCompletion(q);
    return 1;
}

LRESULT insertCloseTag(Quorvale& q, const DocumentMap* map) {
    if (!htmlMode(q) || map == nullptr) return 0;
    const CaretContext c = contextAt(q, q.caret().line, q.caret().offset);
    std::string text;
    if (c.code == caretcontext::Comment) {
        text = "-->";
    } else if (c.code == caretcontext::ElementName) {
        text = ">";
    } else if (c.code & 0x1000) {
        text = std::string(1, c.contextCharacter) + ">";
    } else if (c.code == caretcontext::Text) {
        ElementScanner scanner(*map);
        feedUpTo(q, scanner, q.caret().line, q.caret().offset);
        char out[kCandidateCapacity];
        if (scanner.elementCandidates(out, sizeof out, false, 0, 0) > 1 && out[0] == '/')
            text = std::string("<") + out + ">";
    }
    if (text.empty()) return 0;
    endCompletion(q);
    if (q.hasSelection()) q.deleteSelection(true);
    const bool ok = insertBytesAtCaret(q, text);
    afterEdit(q);
    return ok ? 1 : 0;
}

// Child candidates at a position with the document fed up to it; first candidate's case.
bool childCandidates(Quorvale& q, const DocumentMap* map, int32_t index, uint32_t offset, const char* name,
                     bool* found, bool* upper, std::string* spelled) {
    ElementScanner scanner(*map);
    feedUpTo(q, scanner, index, offset);
    std::vector<char> out(kCandidateCapacity);
    const size_t n = scanner.elementCandidates(out.data(), out.size(), true, 0, 0);
    *found = false;
    *upper = n > 1 && out[0] >= 'A' && out[0] <= 'Z';
    for (size_t p = 0; p < n && out[p] != 0; p += std::strlen(out.data() + p) + 1) {
        if (compareNames(out.data() + p, std::strlen(out.data() + p), name, std::strlen(name)) == 0) {
            *found = true;
            if (spelled != nullptr) *spelled = out.data() + p;
        }
    }
    return true;
}

LRESULT insertLineBreakTag(Quorvale& q, const DocumentMap* map) {
    if (!htmlMode(q) || map == nullptr) return 0;
    const CaretContext c = contextAt(q, q.caret().line, q.caret().offset);
    if (c.code != caretcontext::Text) return 0;
    bool found = false, upper = false;
    std::string spelled;
    childCandidates(q, map, q.caret().line, q.caret().offset, "br", &found, &upper, &spelled);
    if (!found) return 0;
    const std::string text = map->xhtml() ? "<br />" : (spelled.size() > 0 && spelled[0] == 'B') ? "<BR>" : "<br>";
    endCompletion(q);
    if (q.hasSelection()) q.deleteSelection(true);
    const bool ok = insertBytesAtCaret(q, text);
    afterEdit(q);
    return ok ? 1 : 0;
}

LRESULT mayInsertElement(Quorvale& q, MayInsertRequest* request) {
    if (request == nullptr || request->name == nullptr) return 0;
    const DocumentMap* map = mapOf(request->map);
    request->allowed = request->upperCase = 0;
    if (map == nullptr || !htmlMode(q)) return 0;
    int32_t index = q.caret().line;
    uint32_t offset = q.caret().offset;
    if (q.hasSelection()) {
        const TextPosition& a = q.anchor();
        if (a.line < index || (a.line == index && a.offset < offset)) index = a.line, offset = a.offset;
    }
    const CaretContext c = contextAt(q, index, offset);
    bool found = false, upper = false;
    childCandidates(q, map, index, offset, request->name, &found, &upper, nullptr);
    request->allowed = c.code == caretcontext::Text && found ? 1 : 0;
    request->upperCase = upper ? 1 : 0;
    return 1;
}

bool selectRangeOnLines(Quorvale& q, int32_t fromLine, uint32_t fromOffset, int32_t toLine, uint32_t toOffset) {
    q.selectRange(fromLine, fromOffset, toLine, toOffset);
    afterMove(q);
    return true;
}

// The token of a value or an entity around the caret: from `from` to the closing byte.
bool selectElement(Quorvale& q, const DocumentMap* map) {
    if (!htmlMode(q) || map == nullptr) return false;
    const int32_t index = q.caret().line;
    const LineRecord& line = *q.caret().record;
    const uint32_t caret = q.caret().offset;
    const CaretContext c = contextAt(q, index, caret);
    const uint8_t* t = line.text;
    const uint32_t n = line.length;
    auto letter = [](uint8_t b) { return ((b | 0x20) >= 'a' && (b | 0x20) <= 'z'); };
    using namespace caretcontext;
    if (c.code == Declaration || c.code == ElementName) {
        uint32_t i = caret;
        while (i > 0 && (letter(t[i - 1]) || (t[i - 1] >= '0' && t[i - 1] <= '9') || t[i - 1] == '!' ||
                         t[i - 1] == '-' || t[i - 1] == '/' || t[i - 1] == '_'))
            --i;
        if (i == 0 || t[i - 1] != '<') return false;
        const uint32_t start = i - 1;
        ElementScanner scanner(*map, ElementScanner::kBounded);
        // Offsets of the fed bytes map back to (line, offset).
        std::vector<std::pair<int32_t, uint64_t>> starts;
        uint64_t fed = 0;
        int32_t li = index;
        const LineRecord* rec = &line;
        scanner.feed(t + start, n - start);
        starts.push_back({index, 0});
        fed = n - start;
        while (!scanner.stopped() && !scanner.overflowed() && rec->next != nullptr) {
            if (rec->lineEnd != 0) scanner.feed(reinterpret_cast<const uint8_t*>("\n"), 1), ++fed;
            rec = rec->next;
            ++li;
            starts.push_back({li, fed});
            scanner.feed(rec->text, rec->length);
            fed += rec->length;
        }
        if (scanner.overflowed()) return false;
        if (!scanner.stopped()) {
            const int32_t last = q.lineCount() - 1;
            return selectRangeOnLines(q, index, start, last, q.lineAt(last)->length);
        }
        const uint64_t stop = scanner.stopOffset();
        for (size_t k = starts.size(); k > 0; --k) {
            if (stop >= starts[k - 1].second) {
                const int32_t stopLine = starts[k - 1].first;
                uint64_t offset = stop - starts[k - 1].second + (k == 1 ? start : 0);
                const uint32_t length = q.lineAt(stopLine)->length;
                if (offset > length) offset = length;
                return selectRangeOnLines(q, index, start, stopLine, static_cast<uint32_t>(offset));
            }
        }
        return false;
    }
    if (c.code == Attribute) {
        uint32_t i = caret;
        while (i > 0 && (t[i - 1] == ' ' || t[i - 1] == '\t')) --i;
        while (i > 0 && (letter(t[i - 1]) || t[i - 1] == '-' || t[i - 1] == '_')) --i;
        uint32_t j = i;
        while (j < n && (letter(t[j]) || t[j] == '-' || t[j] == ':' || t[j] == '_')) ++j;
        if (j == i) return false;
        if (j < n && t[j] == '=') {
            ++j;
            if (j < n && t[j] == '"') {
                ++j;
                while (j < n && t[j] != '"') j += (isSjisLead(t[j]) && j + 1 < n) ? 2 : 1;
                if (j < n) ++j;
            } else {
                while (j < n && (letter(t[j]) || (t[j] >= '0' && t[j] <= '9') || t[j] == '%' || t[j] == '-' ||
                                 t[j] == '_'))
                    ++j;
            }
        }
        return selectRangeOnLines(q, index, i, index, j);
    }
    if (c.code == Value || c.code == Colour || c.code == Entity) {
        // The value between its quotes, or the entity from "&" through ";".
        uint32_t i = caret, j = caret;
        if (c.code == Entity) {
            while (i > 0 && t[i - 1] != '&') --i;
            if (i == 0) return false;
            --i;
            while (j < n && ((letter(t[j])) || (t[j] >= '0' && t[j] <= '9') || t[j] == '#')) ++j;
            if (j < n && t[j] == ';') ++j;
        } else {
            // Back to the opening quote, stepping by characters from the line start.
            uint32_t open = 0;
            for (uint32_t k = 0; k < caret; k += (isSjisLead(t[k]) && k + 1 < n) ? 2 : 1)
                if (t[k] == '"') open = k + 1;
            i = open;
            while (j < n && t[j] != '"') j += (isSjisLead(t[j]) && j + 1 < n) ? 2 : 1;
        }
        return selectRangeOnLines(q, index, i, index, j);
    }
    return false;
}

// The document's lines for the checker.
class DocumentLines : public LintLineSource {
public:
    explicit DocumentLines(const LineRecord* first) : line_(first) {}
    bool next(const char** text, uint32_t* length, bool* lineBreak) override {
        if (line_ == nullptr) return false;
        *text = reinterpret_cast<const char*>(line_->text);
        *length = line_->length;
        *lineBreak = line_->lineEnd != 0;
        line_ = line_->next;
        return true;
    }

private:
    const LineRecord* line_;
};

LRESULT grammarCheck(Quorvale& q, const GrammarCheckRequest* request) {
    if (request == nullptr || mapOf(request->map) == nullptr) return 0;
    if (q.grammarBinding_ == nullptr) q.grammarBinding_ = new LintBinding();
    DocumentLines lines(q.firstLine());
    return static_cast<LintBinding*>(q.grammarBinding_)
                   ->check(request->map, request->options, request->callback, request->context, lines)
               ? 1
               : 0;
}

}  // namespace

bool completionRequestAtCaret(Quorvale& q, CompletionRequest* request) {
    using namespace caretcontext;
    if (cssMode(q)) {
        std::string typed;
        const int32_t kind = cssContext(q, &typed);
        if (kind != 0) {
            setTyped(request, kind, typed.c_str());
            return true;
        }
        return wordRequest(q, request);
    }
    if (!htmlMode(q)) return wordRequest(q, request);
    const CaretContext c = contextAt(q, q.caret().line, q.caret().offset);
    switch (c.code) {
    case Declaration:
    case ElementName:
    case Entity:
    case Colour: setTyped(request, c.code, c.typed); return true;
    case Attribute: setTyped(request, c.code, c.attribute); return true;
    case Value: setTyped(request, Value, c.typed); return true;
    case None: return false;
    default: return wordRequest(q, request);
    }
}

bool selectElementAtCaret(Quorvale& q) {
    if (!htmlMode(q)) return false;
    const DocumentMap* map = mapOf(reinterpret_cast<const void*>(q.notify(ECN_GETMAP, 0)));
    return selectElement(q, map);
}

void releaseGrammarBinding(Quorvale& q) {
    delete static_cast<LintBinding*>(q.grammarBinding_);
    q.grammarBinding_ = nullptr;
}

bool markupRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result) {
    const void* pointer = reinterpret_cast<const void*>(argument);
    switch (code) {
    case EC_GRAMMARCHECK: *result = grammarCheck(q, static_cast<const GrammarCheckRequest*>(pointer)); return true;
    case EC_GETCANDIDATES: {
        const auto* request = static_cast<const CandidateRequest*>(pointer);
        if (request == nullptr || request->buffer == nullptr || request->size == 0) return *result = 0, true;
        *result = static_cast<LRESULT>(candidates(q, mapOf(request->map), request->buffer, request->size));
        return true;
    }
    case EC_INSERTCANDIDATE:
        *result = insertCandidate(q, static_cast<const InsertCandidateRequest*>(pointer));
        return true;
    case EC_INSERTCLOSETAG: *result = insertCloseTag(q, mapOf(pointer)); return true;
    case EC_INSERTLINEBREAKTAG: *result = insertLineBreakTag(q, mapOf(pointer)); return true;
    case EC_SELECTELEMENT: *result = selectElement(q, mapOf(pointer)) ? 1 : 0; return true;
    case EC_MAYINSERTELEMENT:
        *result = mayInsertElement(q, reinterpret_cast<MayInsertRequest*>(argument));
        return true;
    default: return false;
    }
}

}  // namespace ctlmarkup

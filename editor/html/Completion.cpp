// Completion: candidate lists and insertion plans.
#include "Completion.h"

#include <algorithm>
#include <cstring>

#include "TextCodes.h"

namespace {

bool isWordByte(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool isHex(uint8_t c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }
bool isScriptCharacter(uint8_t c) { return c == '%' || c == '$' || c == '?'; }

}  // namespace

const char* const kCssProperties[] = {
    "background", "background-attachment", "background-color", "background-image",
    "background-position", "background-repeat", "border", "border-bottom", "border-bottom-color",
    "border-bottom-style", "border-bottom-width", "border-collapse", "border-color", "border-left",
    "border-left-color", "border-left-style", "border-left-width", "border-right",
    "border-right-color", "border-right-style", "border-right-width", "border-spacing",
    "border-style", "border-top", "border-top-color", "border-top-style", "border-top-width",
    "border-width", "bottom", "caption-side", "clear", "clip", "color", "content",
    "counter-increment", "counter-reset", "cue", "cue-after", "cue-before", "cursor", "direction",
    "display", "elevation", "empty-cells", "float", "font", "font-family", "font-size",
    "font-style", "font-variant", "font-weight", "height", "left", "letter-spacing", "line-height",
    "list-style", "list-style-image", "list-style-position", "list-style-type", "margin",
    "margin-bottom", "margin-left", "margin-right", "margin-top", "max-height", "max-width",
    "min-height", "min-width", "orphans", "outline", "outline-color", "outline-style",
    "outline-width", "overflow", "padding", "padding-bottom", "padding-left", "padding-right",
    "padding-top", "page-break-after", "page-break-before", "page-break-inside", "pause",
    "pause-after", "pause-before", "pitch", "pitch-range", "play-during", "position", "quotes",
    "richness", "right", "speak", "speak-header", "speak-numeral", "speak-punctuation",
    "speech-rate", "stress", "table-layout", "text-align", "text-decoration", "text-indent",
    "text-transform", "top", "unicode-bidi", "vertical-align", "visibility", "voice-family",
    "volume", "white-space", "widows", "width", "word-spacing", "z-index",
};
const size_t kCssPropertyCount = sizeof kCssProperties / sizeof kCssProperties[0];

void CandidateWriter::put(const char* name, size_t length, int fold) {
    if (!fits_) return;
    if (used_ + length + 2 > capacity_) {
        fits_ = false;
        return;
    }
    for (size_t i = 0; i < length; ++i) {
        char c = name[i];
        if (fold > 0 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (fold < 0 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        out_[used_++] = c;
    }
    out_[used_++] = 0;
}

size_t CandidateWriter::finish() {
    if (!fits_ || used_ + 1 > capacity_) return 0;
    out_[used_++] = 0;
    return used_;
}

size_t cssPropertyCandidates(char* out, size_t capacity) {
    CandidateWriter w(out, capacity);
    for (size_t i = 0; i < kCssPropertyCount; ++i) w.put(kCssProperties[i], std::strlen(kCssProperties[i]), 0);
    return w.finish();
}

int casePreferenceOf(const char* typed, size_t length) {
    int upper = 0, lower = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = typed[i];
        if (c >= 'A' && c <= 'Z') ++upper;
        if (c >= 'a' && c <= 'z') ++lower;
    }
    if (upper > lower) return 1;
    if (upper < lower || lower > 0) return -1;
    return 0;
}

size_t markupCandidates(const DocumentMap* map, const CaretContext& context, char* out,
                        size_t capacity, int casePreference) {
    using namespace caretcontext;
    if (context.code == CssProperty) return cssPropertyCandidates(out, capacity);
    if (map == nullptr || map->block == nullptr) return 0;
    const int fold = casePreference > 0 ? 1 : -1;
    CandidateWriter w(out, capacity);
    if (context.code == Entity) {
        const char* e = reinterpret_cast<const char*>(map->entities);
        const char* end = e + map->sectionSize(1);
        for (; e < end; e += std::strlen(e) + 1) w.put(e, std::strlen(e), 0);
        return w.finish();
    }
    const uint8_t* record = findElement(*map, context.element, std::strlen(context.element));
    if (record == nullptr) return 0;
    const uint8_t* list = attributeList(*map, record);
    if (context.code == Attribute) {
        for (const char* e = firstAttribute(list); e != nullptr; e = nextAttribute(e)) {
            const size_t n = attributeNameLength(e);
            if (!attributePresent(context, e + 1, n)) w.put(e + 1, n, map->xhtml() ? 0 : fold);
        }
        return w.finish();
    }
    if (context.code == Value) {
        const char* entry = findAttribute(list, context.attribute, std::strlen(context.attribute));
        const char* v = entry != nullptr ? std::strchr(entry + 1, '%') : nullptr;
        if (v == nullptr) {
            if (compareNames(context.attribute, std::strlen(context.attribute), "style", 5) == 0)
                return cssPropertyCandidates(out, capacity);
            return 0;
        }
        while (v != nullptr) {
            const char* next = std::strchr(v + 1, '%');
            const size_t n = next != nullptr ? static_cast<size_t>(next - v - 1) : std::strlen(v + 1);
            w.put(v + 1, n, map->xhtml() ? 0 : fold);
            v = next;
        }
        return w.finish();
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

WordCollector::WordCollector(const char* prefix, size_t prefixLength, bool html, Region region,
                             char scriptCharacter)
    : prefix_(prefix, prefixLength), html_(html), region_(region), script_(scriptCharacter) {}

void WordCollector::addWord(const uint8_t* w, size_t n) {
    if (n < 4 || n <= prefix_.size() || std::memcmp(w, prefix_.data(), prefix_.size()) != 0) return;
    const uint8_t bucket = static_cast<uint8_t>(w[0] ^ (n >> 3) ^ (n << 5));
    for (Entry& e : buckets_[bucket]) {
        if (e.bytes.size() == n && std::memcmp(e.bytes.data(), w, n) == 0) {
            ++e.count;
            return;
        }
    }
    buckets_[bucket].push_back(Entry{1, std::string(reinterpret_cast<const char*>(w), n)});
}

void WordCollector::addColour(const uint8_t* w, size_t n) {
    std::string c(reinterpret_cast<const char*>(w), n);
    for (char& b : c) {
        if (b >= 'A' && b <= 'F') {
            ++hexBalance_;
            b = static_cast<char>(b + 32);
        } else if (b >= 'a' && b <= 'f') {
            --hexBalance_;
        }
    }
    if (std::find(colours_.begin(), colours_.end(), c) == colours_.end()) colours_.push_back(c);
}

void WordCollector::addLine(const uint8_t* t, size_t n) {
    if (lines_ >= kMaxLines) return;
    ++lines_;
    // Region of each byte: in HTML mode the collector follows text / comment / tag / value /
    // script states itself (1 text, 2 comment, 4 tag, 5 value, 32+ script).
    uint8_t state = state_;
    uint8_t outer = 1;
    char script = 0;
    if (state >= 32) {
        script = " %$?"[(state >> 5) & 3];
        outer = state & 31;
    }
    size_t i = 0;
    while (i < n) {
        const uint8_t c = t[i];
        const uint8_t zone = html_ ? (script != 0 ? 32 : state) : 1;
        bool wordsHere = !html_ || region_ == AnyRegion ||
                         (region_ == TextRegion && zone == 1) ||
                         (region_ == CommentRegion && zone == 2) ||
                         (region_ == ScriptRegion && zone == 32 && script == script_);
        bool coloursHere = !html_ || zone == 4 || zone == 5;
        if (isSjisLead(c)) {
            i += 2;
            continue;
        }
        if (c == '#' && coloursHere) {
            size_t j = i + 1;
            while (j < n && j - i <= 7 && isHex(t[j])) ++j;
            const size_t digits = j - i - 1;
            if ((digits == 3 || digits == 6) && (j >= n || !isHex(t[j]))) addColour(t + i, j - i);
            if (digits > 0) {
                i = j;
                continue;
            }
        }
        if (isWordByte(c)) {
            size_t j = i;
            while (j < n && isWordByte(t[j])) ++j;
            if (wordsHere) addWord(t + i, j - i);
            i = j;
            continue;
        }
        if (html_) {
            if (script != 0) {
                if (c == static_cast<uint8_t>(script) && i + 1 < n && t[i + 1] == '>') {
                    script = 0;
                    state = outer;
                    i += 2;
                    continue;
                }
            } else if (c == '<' && i + 1 < n && isScriptCharacter(t[i + 1])) {
                outer = state;
                script = static_cast<char>(t[i + 1]);
                i += 2;
                continue;
            } else if (state == 1 && c == '<') {
                state = (i + 3 < n && t[i + 1] == '!' && t[i + 2] == '-' && t[i + 3] == '-') ? 2 : 4;
                if (state == 2) i += 3;
            } else if (state == 2 && c == '-' && i + 2 < n && t[i + 1] == '-' && t[i + 2] == '>') {
                state = 1;
                i += 3;
                continue;
            } else if (state == 4 && c == '>') {
                state = 1;
            } else if (state == 4 && c == '"') {
                state = 5;
            } else if (state == 5 && c == '"') {
                state = 4;
            }
        }
        ++i;
    }
    state_ = script != 0 ? static_cast<uint8_t>((script == '%' ? 32 : script == '$' ? 64 : 96) + outer) : state;
}

size_t WordCollector::words(char* out, size_t capacity, const char* atCaret, size_t atCaretLength) const {
    // A real sort gives the ascending byte order of the words at once.
    std::vector<const std::string*> all;
    for (const auto& bucket : buckets_)
        for (const Entry& e : bucket) all.push_back(&e.bytes);
    std::sort(all.begin(), all.end(), [](const std::string* a, const std::string* b) { return *a < *b; });
    CandidateWriter w(out, capacity);
    for (const std::string* s : all) {
        if (s->size() == atCaretLength && std::memcmp(s->data(), atCaret, atCaretLength) == 0) continue;
        w.put(s->data(), s->size(), 0);
    }
    return w.finish();
}

size_t WordCollector::colours(char* out, size_t capacity, int casePreference) const {
    std::vector<std::string> sorted = colours_;
    std::sort(sorted.begin(), sorted.end());
    const bool upper = casePreference > 0 || (casePreference == 0 && hexBalance_ > 0);
    CandidateWriter w(out, capacity);
    for (const std::string& c : sorted) w.put(c.data(), c.size(), upper ? 1 : 0);
    return w.finish();
}

// ---------------------------------------------------------------------------------------------

InsertPlan planInsertion(const DocumentMap* map, const CaretContext& context, int32_t kind,
                         const char* candidate, const char* typed, uint8_t byteAtCaret,
                         uint32_t controlFlags) {
    using namespace caretcontext;
    InsertPlan plan;
    const size_t typedLength = std::strlen(typed);
    const size_t candidateLength = std::strlen(candidate);
    const std::string rest = candidateLength >= typedLength ? std::string(candidate + typedLength) : std::string();
    switch (kind) {
    case Declaration:
        plan.text = rest;
        if (!plan.text.empty() && plan.text.back() == '>') plan.caretBack = 4;
        break;
    case ElementName: {
        plan.text = rest;
        const uint8_t* record = nullptr;
        if (map != nullptr && map->block != nullptr && candidate[0] != '/' && candidate[0] != '!')
            record = findElement(*map, candidate, candidateLength);
        if (candidate[0] == '!') {  // the template: the declaration closes at once
            if (byteAtCaret != '>') plan.text += '>';
            break;
        }
        const bool blank = record != nullptr && (nameFlags(record) & mapfile::kHasAttributes) && candidate[0] != '/';
        const bool emptyXhtml = record != nullptr && map->xhtml() && isEmptyModel(contentModel(*map, record));
        std::string after;
        if (emptyXhtml)
            after = byteAtCaret == '>' ? " /" : " />";
        else if (byteAtCaret != '>')
            after = ">";
        if (blank) {
            plan.text += ' ';
            plan.reopen = true;
            plan.caretBack = static_cast<uint32_t>(after.size());
        }
        plan.text += after;
        break;
    }
    case Attribute: {
        plan.text = rest;
        if (byteAtCaret == '=') break;
        const char* entry = nullptr;
        if (map != nullptr && map->block != nullptr) {
            const uint8_t* record = findElement(*map, context.element, std::strlen(context.element));
            if (record != nullptr) entry = findAttribute(attributeList(*map, record), candidate, candidateLength);
        }
        if (entry != nullptr && isBooleanAttribute(*map, entry)) break;
        plan.text += "=\"\"";
        plan.caretBack = 1;
        plan.reopen = true;
        if (context.attributesAfterCaret && context.tagEndsOnLine && byteAtCaret != ' ') {
            plan.text += ' ';
            plan.caretBack = 2;
        }
        break;
    }
    case Value:
        if (compareNames(context.attribute, std::strlen(context.attribute), "style", 5) == 0 &&
            !(map != nullptr && map->block != nullptr && [&] {
                const uint8_t* r = findElement(*map, context.element, std::strlen(context.element));
                const char* e = r != nullptr ? findAttribute(attributeList(*map, r), "style", 5) : nullptr;
                return e != nullptr && std::strchr(e, '%') != nullptr;
            }())) {
            return planInsertion(map, context, CssProperty, candidate, typed, byteAtCaret, controlFlags);
        }
        plan.text = rest;
        plan.stepOverQuote = byteAtCaret == '"';
        break;
    case CssProperty:
        plan.text = rest + ((controlFlags & ecflags::cssColonNoBlank) ? ":;" : ": ;");
        plan.caretBack = 1;
        break;
    case Entity:
        plan.text = rest + ";";
        break;
    default:
        plan.text = rest;
        break;
    }
    return plan;
}

// ElementScanner: a byte-at-a-time state machine, so that a construct may be split between
// two pieces of fed text. Shift_JIS double-byte characters are stepped over whole.
#include "ElementScanner.h"

#include <cstring>
#include <initializer_list>

#include "MarkupBytes.h"
#include "TextCodes.h"

namespace {

bool isAsciiLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameByte(uint8_t c) { return isAsciiLetter(c) || (c >= '0' && c <= '9'); }
bool isScriptCharacter(uint8_t c) { return c == '%' || c == '$' || c == '?'; }

}  // namespace

namespace {

// For the states that only wait for a few bytes, the bytes they act on; the rest goes in bulk.
const MarkupBytes kTextStops{'<'};
const MarkupBytes kCommentStops{'-', '>'};
const MarkupBytes kTagStops{'"', '\'', '<', '/', '>'};
const MarkupBytes kValueStops{'"', '\'', '<'};
const MarkupBytes kScriptStops{'%', '$', '?'};

}  // namespace

const MarkupBytes* ElementScanner::quietStops() const {
    switch (state_) {
    case Text: return textRun_ ? &kTextStops : nullptr;
    case Comment: return &kCommentStops;
    case InTag: return &kTagStops;
    case Value: return &kValueStops;
    case Script: return &kScriptStops;
    default: return nullptr;
    }
}

bool ElementScanner::feed(const uint8_t* text, size_t length) {
    size_t i = 0;
    while (i < length && !stopped_ && !overflowed_) {
        if (trail_) {
            trail_ = false;
            ++i;
            continue;
        }
        if (const MarkupBytes* stops = quietStops()) {
            const size_t from = i;
            i = stops->find(text, i, length);
            if (i > from) dashes_ = 0;
            if (i == length) {  // a lead byte may have ended the piece: its trail byte comes next
                trail_ = endsInLeadByte(text, from, length);
                break;
            }
        }
        const uint8_t c = text[i];
        byte(c, fed_ + i);
        if (isSjisLead(c) && !stopped_) trail_ = true;
        ++i;
    }
    fed_ += length;
    return !stopped_ && !overflowed_;
}

void ElementScanner::stop(uint64_t at) {
    stopped_ = true;
    stopOffset_ = at;
}

bool ElementScanner::isEmptyOpen(int i) const { return isEmptyModel(contentModel(map_, stack_[i])); }

void ElementScanner::openScript(uint8_t character, State back) {
    script_ = character;
    scriptBack_ = back;
    state_ = Script;
}

void ElementScanner::byte(uint8_t c, uint64_t at) {
    const bool bounded = (mode_ & kBounded) != 0;
    switch (state_) {
    case Text:
        if (c == '<') {
            tagStart_ = at;
            state_ = AfterLt;
            return;
        }
        if (!textRun_) {
            textRun_ = true;
            if (depth_ > 0 && isEmptyOpen(depth_ - 1)) --depth_;
            if (bounded && depth_ == 0) stop(at);
        }
        return;
    case AfterLt:
        textRun_ = false;
        if (c == '!') {
            state_ = Bang;
            return;
        }
        if (isScriptCharacter(c)) {
            openScript(c, Text);
            return;
        }
        nameLength_ = 0;
        state_ = TagName;
        byte(c, at);
        return;
    case Bang:
    case BangDash:
        if (c == '-' && state_ == Bang) {
            state_ = BangDash;
            return;
        }
        if (c == '-') {
            dashes_ = 0;
            state_ = Comment;
            return;
        }
        ++declarations_;
        openedHere_ = nullptr;
        state_ = InTag;
        byte(c, at);
        return;
    case Comment:
        if (c == '-') {
            ++dashes_;
            return;
        }
        if (c == '>' && dashes_ >= 2) {
            state_ = Text;
            textRun_ = false;
            if (bounded && depth_ == 0) stop(at + 1);
        }
        dashes_ = 0;
        return;
    case TagName:
        if (isNameByte(c) || (c == '/' && nameLength_ == 0)) {
            if (nameLength_ <= kMaxName) name_[nameLength_] = static_cast<char>(c);
            ++nameLength_;
            return;
        }
        endName(at);
        if (stopped_ || overflowed_) return;
        state_ = InTag;
        byte(c, at);
        return;
    case InTag:
        if (c == '"' || c == '\'') {
            quote_ = c;
            state_ = Value;
        } else if (c == '<') {
            ltBack_ = InTag;
            state_ = InTagLt;
        } else if (c == '/' && map_.xhtml()) {
            state_ = InTagSlash;
        } else if (c == '>') {
            state_ = Text;
            textRun_ = false;
            if (bounded && depth_ == 0) stop(at + 1);
        }
        return;
    case InTagSlash:
        if (c == '>') {
            state_ = Text;
            textRun_ = false;
            if (openedHere_ != nullptr && depth_ > 0 && stack_[depth_ - 1] == openedHere_) {
                --depth_;
                if (bounded && depth_ == 0) stop(at + 1);
            } else if (bounded && depth_ == 0) {
                stop(at + 1);
            }
            return;
        }
        state_ = InTag;
        byte(c, at);
        return;
    case InTagLt:
    case ValueLt:
        if (isScriptCharacter(c)) {
            openScript(c, ltBack_);
            return;
        }
        state_ = ltBack_;
        byte(c, at);
        return;
    case Value:
        if (c == quote_) {
            state_ = InTag;
        } else if (c == '<') {
            ltBack_ = Value;
            state_ = ValueLt;
        }
        return;
    case Script:
        if (c == script_) state_ = ScriptEnd;
        return;
    case ScriptEnd:
        if (c == '>') {
            state_ = scriptBack_;
            if (state_ == Text) textRun_ = false;
            if (bounded && depth_ == 0) stop(at + 1);
            return;
        }
        state_ = Script;
        byte(c, at);
        return;
    }
}

void ElementScanner::endName(uint64_t at) {
    openedHere_ = nullptr;
    if (nameLength_ == 0) return;  // "< " or "<>": inside a tag with no name
    const bool end = name_[0] == '/';
    const char* name = name_ + (end ? 1 : 0);
    const size_t length = nameLength_ - (end ? 1 : 0);
    if (!end) ++startTags_;
    if (length > 0 && isAsciiLetter(static_cast<uint8_t>(name[0])))
        caseSeen_ = (name[0] >= 'A' && name[0] <= 'Z') ? 1 : -1;
    if (length == 0 || nameLength_ > kMaxName) return;
    const uint8_t* record = lookUp(name, length);
    if (record == nullptr) return;
    if (end)
        endTag(record, at);
    else
        startTag(record, at);
}

const uint8_t* ElementScanner::lookUp(const char* name, size_t length) {
    if (length >= sizeof(NameSlot::name)) return findElement(map_, name, length);
    char folded[sizeof(NameSlot::name)] = {};
    uint32_t hash = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = (name[i] >= 'A' && name[i] <= 'Z') ? static_cast<char>(name[i] + 32) : name[i];
        folded[i] = c;
        hash = hash * 31 + static_cast<uint8_t>(c);
    }
    NameSlot& slot = names_[hash % 128];
    if (slot.used && std::memcmp(slot.name, folded, sizeof folded) == 0) return slot.record;
    slot.record = findElement(map_, name, length);
    std::memcpy(slot.name, folded, sizeof folded);
    slot.used = true;
    return slot.record;
}

bool ElementScanner::allows(const uint8_t* model, const uint8_t* child) {
    const uintptr_t key = reinterpret_cast<uintptr_t>(model) * 31 + reinterpret_cast<uintptr_t>(child);
    PlaceSlot& slot = places_[(key >> 3) % 256];
    if (slot.model == model && slot.child == child) return slot.allowed;
    const char* name = elementName(child);
    slot = PlaceSlot{model, child, allowsChild(model, name, std::strlen(name))};
    return slot.allowed;
}

void ElementScanner::endTag(const uint8_t* record, uint64_t) {
    const bool bounded = (mode_ & kBounded) != 0;
    if (bounded && depth_ == 0) return;
    for (int i = depth_ - 1; i >= 0; --i) {
        if (stack_[i] == record) {
            depth_ = i;
            return;
        }
    }
    if (bounded) stop(tagStart_);
}

void ElementScanner::startTag(const uint8_t* record, uint64_t) {
    const bool bounded = (mode_ & kBounded) != 0;
    if (depth_ > 0) {
        bool placed = false;
        while (depth_ > 0) {
            const uint8_t* parent = stack_[depth_ - 1];
            const uint8_t* model = contentModel(map_, parent);
            if (allows(model, record)) {
                placed = true;
                break;
            }
            if ((nameFlags(parent) & mapfile::kNeverImplied) || !(modelFlags(model) & mapfile::kEndOptional)) {
                placed = true;
                break;
            }
            --depth_;
        }
        if (!placed && bounded) {
            stop(tagStart_);
            return;
        }
    }
    if (depth_ == kMaxDepth) {
        overflowed_ = true;
        return;
    }
    stack_[depth_++] = record;
    openedHere_ = record;
}

size_t ElementScanner::elementCandidates(char* out, size_t capacity, bool wantChildren,
                                         int casePreference, char placeholder) const {
    size_t used = 0;
    bool fits = true;
    const bool upper = !map_.xhtml() && (casePreference > 0 || (casePreference == 0 && caseSeen_ > 0));
    auto put = [&](const char* prefix, const char* name, bool fold, size_t length) {
        const size_t prefixLength = std::strlen(prefix);
        if (used + prefixLength + length + 2 > capacity) {
            fits = false;
            return;
        }
        std::memcpy(out + used, prefix, prefixLength);
        used += prefixLength;
        for (size_t i = 0; i < length; ++i) {
            char c = name[i];
            if (fold && upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (fold && !upper && !map_.xhtml() && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            out[used++] = c;
        }
        out[used++] = 0;
    };
    const char* templ = map_.templateText();
    if (wantChildren && startTags_ == 0 && declarations_ == 0 && map_.sectionSize(0) != 0 && templ[0] != 0) {
        // The template is never case-folded: its public identifier must stay as written.
        // Its first "@" becomes the placeholder, or ends it when the placeholder is 0.
        const char* at = std::strchr(templ, '@');
        size_t length = std::strlen(templ);
        if (at != nullptr && placeholder == 0) length = static_cast<size_t>(at - templ);
        put("", templ, false, length);
        if (fits && at != nullptr && placeholder != 0) out[used - 1 - (length - static_cast<size_t>(at - templ))] = placeholder;
    } else if (wantChildren) {
        int i = depth_ - 1;
        while (i >= 0 && isEmptyOpen(i)) --i;
        if (i >= 0) {
            const uint8_t* model = contentModel(map_, stack_[i]);
            for (const char* child = firstChild(model); *child != 0 && fits; child += std::strlen(child) + 1)
                put("", child, true, std::strlen(child));
        } else if (startTags_ == 0) {
            put("", "html", true, 4);
        }
    } else {
        for (int i = depth_ - 1; i >= 0 && fits; --i) {
            if (isEmptyOpen(i)) continue;
            const char* name = elementName(stack_[i]);
            put("/", name, true, std::strlen(name));
            if (!(modelFlags(contentModel(map_, stack_[i])) & mapfile::kEndOptional)) break;
        }
    }
    if (!fits || used + 1 > capacity) return 0;
    out[used++] = 0;
    return used;
}

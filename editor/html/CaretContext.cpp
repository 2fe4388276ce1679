// CaretContext: the lexer's HTML zones (text, comment, element name, tag, value, script block)
// followed byte by byte up to the caret, remembering the names being typed.
#include "CaretContext.h"

#include <cstring>

#include "DocumentMap.h"
#include "TextCodes.h"

namespace {

enum Zone : uint8_t { ZText = 1, ZComment = 2, ZName = 3, ZTag = 4, ZValue = 5, ZScript = 6 };

bool isEntityByte(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '#';
}
bool isScriptCharacter(uint8_t c) { return c == '%' || c == '$' || c == '?'; }

// A bounded name buffer: longer than 63 bytes marks it as too long.
struct Name {
    char bytes[64] = {};
    size_t length = 0;
    bool tooLong = false;
    void clear() { length = 0, tooLong = false, bytes[0] = 0; }
    void add(uint8_t c) {
        if (length >= caretcontext::kMaxName) {
            tooLong = true;
            return;
        }
        bytes[length++] = static_cast<char>(c);
        bytes[length] = 0;
    }
};

class ContextScanner {
public:
    ContextScanner(const uint8_t* t, uint32_t n) : t_(t), n_(n) {}

    CaretContext run(uint8_t start, uint32_t caret);

private:
    void step(uint32_t& i);
    void addPresent(const Name& name);
    void finishWord();

    const uint8_t* t_;
    uint32_t n_;
    uint8_t zone_ = ZText, outer_ = ZText, script_ = 0;
    bool inEntity_ = false;
    Name entity_, element_, word_, attribute_, value_;
    bool afterEquals_ = false;
    uint32_t tagStart_ = 0;
    CaretContext result_;
};

void ContextScanner::addPresent(const Name& name) {
    if (name.length == 0 || name.tooLong) return;
    if (result_.presentLength + name.length + 1 >= caretcontext::kPresentSize) return;
    std::memcpy(result_.present + result_.presentLength, name.bytes, name.length + 1);
    result_.presentLength += name.length + 1;
}

void ContextScanner::finishWord() {
    if (!afterEquals_) addPresent(word_);
    word_.clear();
}

void ContextScanner::step(uint32_t& i) {
    const uint8_t c = t_[i];
    const uint32_t next = i + (isSjisLead(c) ? 2 : 1);
    switch (zone_) {
    case ZText:
        if (inEntity_) {
            if (isEntityByte(c)) {
                entity_.add(c);
                i = next;
                return;
            }
            inEntity_ = false;
            if (c == ';') {
                i = next;
                return;
            }
        }
        if (c == '&') {
            inEntity_ = true;
            entity_.clear();
        } else if (c == '<') {
            tagStart_ = i;
            if (i + 3 < n_ && t_[i + 1] == '!' && t_[i + 2] == '-' && t_[i + 3] == '-') {
                zone_ = ZComment;
                i += 4;
                return;
            }
            if (i + 1 < n_ && isScriptCharacter(t_[i + 1])) {
                outer_ = ZText, script_ = t_[i + 1], zone_ = ZScript;
                i += 2;
                return;
            }
            zone_ = ZName;
            element_.clear();
            result_.presentLength = 0;
        }
        break;
    case ZComment:
        if (c == '-' && i + 2 < n_ && t_[i + 1] == '-' && t_[i + 2] == '>') {
            zone_ = ZText;
            i += 3;
            return;
        }
        if (c == '<' && i + 1 < n_ && isScriptCharacter(t_[i + 1])) {
            outer_ = ZComment, script_ = t_[i + 1], zone_ = ZScript;
            i += 2;
            return;
        }
        break;
    case ZName:
        if (c == ' ' || c == '\t' || c == '"' || c == '>') {
            zone_ = c == '"' ? ZValue : c == '>' ? ZText : ZTag;
            word_.clear(), attribute_.clear(), value_.clear();
            afterEquals_ = false;
        } else {
            for (uint32_t k = i; k < next && k < n_; ++k) element_.add(t_[k]);
        }
        break;
    case ZTag:
        if (c == '>') {
            finishWord();
            zone_ = ZText;
        } else if (c == '"') {
            zone_ = ZValue;
            value_.clear();
        } else if (c == '<' && i + 1 < n_ && isScriptCharacter(t_[i + 1])) {
            outer_ = ZTag, script_ = t_[i + 1], zone_ = ZScript;
            i += 2;
            return;
        } else if (c == ' ' || c == '\t') {
            finishWord();
            afterEquals_ = false;
        } else if (c == '=') {
            if (!afterEquals_) {
                attribute_ = word_;
                addPresent(word_);
            }
            word_.clear();
            afterEquals_ = true;
        } else {
            for (uint32_t k = i; k < next && k < n_; ++k) word_.add(t_[k]);
        }
        break;
    case ZValue:
        if (c == '"') {
            zone_ = ZTag;
            word_.clear();
            afterEquals_ = true;  // what follows the closing quote up to a blank is no name
        } else if (c == '<' && i + 1 < n_ && isScriptCharacter(t_[i + 1])) {
            outer_ = ZValue, script_ = t_[i + 1], zone_ = ZScript;
            i += 2;
            return;
        } else if (c == ';' && attribute_.length == 5 &&
                   compareNames(attribute_.bytes, 5, "style", 5) == 0) {
            value_.clear();
        } else if ((c == ' ' || c == '\t') && value_.length == 0 &&
                   compareNames(attribute_.bytes, attribute_.length, "style", 5) == 0) {
            // blanks before a style declaration are skipped
        } else {
            for (uint32_t k = i; k < next && k < n_; ++k) value_.add(t_[k]);
        }
        break;
    case ZScript:
        if (c == script_ && i + 1 < n_ && t_[i + 1] == '>') {
            zone_ = outer_;
            i += 2;
            return;
        }
        break;
    }
    i = next;
}

CaretContext ContextScanner::run(uint8_t start, uint32_t caret) {
    if (start >= 32) {
        script_ = " %$?"[(start >> 5) & 3];
        outer_ = start & 31;
        zone_ = ZScript;
    } else {
        zone_ = start == 2 ? ZComment : start == 4 ? ZTag : start == 5 ? ZValue : ZText;
    }
    if (caret > n_) caret = n_;
    uint32_t i = 0;
    while (i < caret) step(i);
    CaretContext& r = result_;
    using namespace caretcontext;
    auto copy = [](char* to, const Name& from) { std::memcpy(to, from.bytes, from.length + 1); };
    r.nameStart = tagStart_;
    switch (zone_) {
    case ZText:
        if (inEntity_ && !entity_.tooLong) {
            r.code = Entity;
            copy(r.typed, entity_);
        } else {
            r.code = inEntity_ ? None : Text;
        }
        break;
    case ZComment:
        r.code = Comment;
        r.contextCharacter = '!';
        break;
    case ZName:
        if (element_.tooLong) break;
        if (element_.length > 0 && element_.bytes[0] == '!') {
            r.code = Declaration;
            r.typed[0] = '<';
            std::memcpy(r.typed + 1, element_.bytes, element_.length < 62 ? element_.length + 1 : 62);
        } else {
            r.code = ElementName;
            copy(r.typed, element_);
        }
        break;
    case ZTag:
        if (element_.tooLong || word_.tooLong) break;
        r.code = Attribute;
        copy(r.element, element_);
        if (!afterEquals_) copy(r.attribute, word_);
        break;
    case ZValue:
        if (element_.tooLong || attribute_.tooLong || value_.tooLong) break;
        copy(r.element, element_);
        copy(r.attribute, attribute_);
        copy(r.typed, value_);
        r.code = (value_.length > 0 && value_.bytes[0] == '#' && value_.length <= 6) ? Colour : Value;
        break;
    case ZScript:
        r.contextCharacter = static_cast<char>(script_);
        r.code = 0x1000 | (outer_ == ZText ? 1 : outer_ == ZComment ? 2 : outer_ == ZTag ? 4 : 0xD);
        break;
    }
    // Attribute names after the caret, to the tag's end on this line, count as present too.
    if (r.code == Attribute || r.code == Value || r.code == Colour) {
        const size_t before = r.presentLength;
        word_.clear();
        bool skipTyped = zone_ == ZTag && !afterEquals_;
        while (i < n_ && (zone_ == ZTag || zone_ == ZValue || zone_ == ZScript)) {
            if (skipTyped) {  // the rest of the word under the caret belongs to the typed name
                const uint8_t c = t_[i];
                if (c == ' ' || c == '\t' || c == '=' || c == '>' || c == '"') {
                    skipTyped = false;
                    continue;
                }
                ++i;
                continue;
            }
            step(i);
        }
        if (zone_ == ZText) r.tagEndsOnLine = true;
        r.attributesAfterCaret = r.presentLength > before;
    }
    return r;
}

}  // namespace

CaretContext analyseCaretContext(uint8_t lineStartState, const uint8_t* line, uint32_t length,
                                 uint32_t caretOffset) {
    ContextScanner scanner(line, length);
    return scanner.run(lineStartState, caretOffset);
}

bool attributePresent(const CaretContext& context, const char* name, size_t length) {
    for (size_t p = 0; p < context.presentLength;) {
        const char* present = context.present + p;
        const size_t n = std::strlen(present);
        if (compareNames(present, n, name, length) == 0) return true;
        p += n + 1;
    }
    return false;
}

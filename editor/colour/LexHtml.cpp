// HTML mode: text with entities, comments, tags with double-quoted attribute values, and
// "<% %>", "<$ $>", "<? ?>" script blocks, each of which may span lines.
#include "LexModes.h"
#include "LexTextRun.h"

namespace {

// Scanner states within a line. The element-name zone (just after "<") never crosses a line
// end: a line that ends in it hands state 4 to the next line.
enum Zone : uint8_t { Text = 1, Comment = 2, ElementName = 3, Tag = 4, Value = 5, Script = 6 };

bool isScriptCharacter(uint8_t c) { return c == '%' || c == '$' || c == '?'; }

bool isEntityByte(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '#';
}

uint8_t scriptIndex(uint8_t c) { return c == '%' ? 1 : c == '$' ? 2 : 3; }

// The token kind that a script block's bytes belong to, by the state it was opened in.
TokenKind scriptKind(uint8_t outer) {
    if (outer == Comment) return TokenKind::HtmlComment;
    if (outer == Value) return TokenKind::HtmlAttributeValue;
    return TokenKind::HtmlAttributeName;
}

// For each zone, the bytes its handler acts on (bit 1 << zone); all others are stepped over in
// bulk. A script block stops only at its own character.
struct ZoneStops {
    uint8_t mask[256] = {};
    ZoneStops() {
        const auto stop = [this](uint8_t zone, const char* bytes) {
            for (; *bytes; ++bytes) mask[static_cast<uint8_t>(*bytes)] |= 1u << zone;
        };
        stop(Text, "&<");
        stop(ElementName, " \t\">");
        stop(Comment, "-<");
        stop(Tag, ">\"<");
        stop(Value, "\"<");
    }
};

const ZoneStops kStops;

class HtmlScanner {
public:
    HtmlScanner(const uint8_t* text, uint32_t length) : t_(text), n_(length) {}

    template <class Sink>
    uint8_t run(uint8_t start, Sink& sink) {
        enter(start);
        uint32_t i = 0;
        while ((i = skipQuiet(i)) < n_) i = stepIn(i, sink);
        return finish(sink);
    }

private:
    // The offset of the next byte the current zone acts on, stepping over double-byte
    // characters whole; `n_` or beyond when there is none.
    uint32_t skipQuiet(uint32_t i) const {
        if (zone_ == Script) {
            while (i < n_ && t_[i] != script_) i = lexStep(t_, i);
            return i;
        }
        const uint8_t bit = static_cast<uint8_t>(1u << zone_);
        while (i < n_) {
            const uint8_t c = t_[i];
            if (kStops.mask[c] & bit) return i;
            i += isSjisLead(c) ? 2 : 1;
        }
        return i;
    }

    void enter(uint8_t start) {
        if (start >= 32) {
            script_ = " %$?"[start >> 5];
            outer_ = start & 31;
            zone_ = Script;
        } else {
            zone_ = start;
        }
    }

    bool opensScript(uint32_t i) const {
        return t_[i] == '<' && i + 1 < n_ && isScriptCharacter(t_[i + 1]);
    }

    uint32_t openScript(uint32_t i) {
        script_ = t_[i + 1];
        outer_ = zone_;
        zone_ = Script;
        return i + 2;
    }

    template <class Sink>
    uint32_t stepIn(uint32_t i, Sink& sink) {
        switch (zone_) {
        case Text: return inText(i, sink);
        case ElementName: return inElementName(i, sink);
        case Comment: return inComment(i, sink);
        case Tag: return inTag(i, sink);
        case Value: return inValue(i, sink);
        default: return inScript(i, sink);
        }
    }

    template <class Sink>
    uint32_t inElementName(uint32_t i, Sink& sink) {
        const uint8_t c = t_[i];
        if (c != ' ' && c != '\t' && c != '"' && c != '>') return lexStep(t_, i);
        sink.token(TokenKind::HtmlElementName, i + 1);
        zone_ = c == '"' ? Value : c == '>' ? Text : Tag;
        return i + 1;
    }

    template <class Sink>
    uint32_t inComment(uint32_t i, Sink& sink) {
        if (t_[i] == '-' && i + 2 < n_ && t_[i + 1] == '-' && t_[i + 2] == '>') {
            sink.token(TokenKind::HtmlComment, i + 3);
            zone_ = Text;
            return i + 3;
        }
        return opensScript(i) ? openScript(i) : lexStep(t_, i);
    }

    template <class Sink>
    uint32_t inTag(uint32_t i, Sink& sink) {
        if (t_[i] == '>') {
            sink.token(TokenKind::HtmlAttributeName, i);
            sink.token(TokenKind::HtmlElementName, i + 1);
            zone_ = Text;
            return i + 1;
        }
        if (t_[i] == '"') {
            sink.token(TokenKind::HtmlAttributeName, i + 1);
            zone_ = Value;
            return i + 1;
        }
        return opensScript(i) ? openScript(i) : lexStep(t_, i);
    }

    template <class Sink>
    uint32_t inValue(uint32_t i, Sink& sink) {
        if (t_[i] == '"') {  // the closing quote begins the next attribute-name token
            sink.token(TokenKind::HtmlAttributeValue, i);
            zone_ = Tag;
            return i + 1;
        }
        return opensScript(i) ? openScript(i) : lexStep(t_, i);
    }

    template <class Sink>
    uint32_t inText(uint32_t i, Sink& sink) {
        const uint8_t c = t_[i];
        if (c == '&') {
            sink.text(i);
            uint32_t j = i + 1;
            while (j < n_ && isEntityByte(t_[j])) ++j;
            if (j < n_ && t_[j] == ';') ++j;
            sink.token(TokenKind::HtmlEntity, j);
            return j;
        }
        if (c != '<') return lexStep(t_, i);
        sink.text(i);
        if (i + 3 < n_ && t_[i + 1] == '!' && t_[i + 2] == '-' && t_[i + 3] == '-') {
            zone_ = Comment;  // the search for "-->" starts after "<!--"
            return i + 4;
        }
        if (opensScript(i)) return openScript(i);
        zone_ = ElementName;
        return i + 1;
    }

    template <class Sink>
    uint32_t inScript(uint32_t i, Sink& sink) {
        if (t_[i] == script_ && i + 1 < n_ && t_[i + 1] == '>') {
            zone_ = outer_;
            // A block opened in text is a token of its own; elsewhere it stays in the
            // comment, tag or value token around it.
            if (outer_ == Text) sink.token(TokenKind::HtmlAttributeName, i + 2);
            return i + 2;
        }
        return lexStep(t_, i);
    }

    template <class Sink>
    uint8_t finish(Sink& sink) {
        switch (zone_) {
        case Text: sink.text(n_); return 1;
        case Comment: sink.token(TokenKind::HtmlComment, n_); return 2;
        case ElementName: sink.token(TokenKind::HtmlElementName, n_); return 4;
        case Tag: sink.token(TokenKind::HtmlAttributeName, n_); return 4;
        case Value: sink.token(TokenKind::HtmlAttributeValue, n_); return 5;
        default:
            sink.token(scriptKind(outer_), n_);
            return static_cast<uint8_t>(32 * scriptIndex(script_) + outer_);
        }
    }

    const uint8_t* t_;
    uint32_t n_;
    uint8_t zone_ = Text;
    uint8_t script_ = '%';
    uint8_t outer_ = Text;
};

}  // namespace

uint8_t lexHtml(const uint8_t* text, uint32_t length, uint8_t state, LexTokenSink* sink) {
    HtmlScanner scanner(text, length);
    if (sink != nullptr) return scanner.run(state, *sink);
    LexStateOnly none;
    return scanner.run(state, none);
}

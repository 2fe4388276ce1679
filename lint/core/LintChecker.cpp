// LintChecker: a byte-at-a-time scanner over the fed pieces; a tag is collected whole and then
// checked against the map.
#include "LintChecker.h"

#include <cstdio>
#include <cstring>

#include "LintTexts.h"
#include "MarkupBytes.h"
#include "TextCodes.h"

namespace {

bool isLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameByte(uint8_t c) {
    return isLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == ':' || c == '.';
}
bool isBlank(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool hasUpper(const std::string& s) {
    for (char c : s)
        if (c >= 'A' && c <= 'Z') return true;
    return false;
}
std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

}  // namespace

bool LintChecker::initialize(const DocumentMap* map, LintCallback callback, void* context, uint32_t options) {
    *this = LintChecker();
    if (map == nullptr || map->block == nullptr || callback == nullptr) return false;
    map_ = map;
    callback_ = callback;
    context_ = context;
    options_ = options;
    const char* e = reinterpret_cast<const char*>(map->entities);
    for (const char* end = e + map->sectionSize(1); e < end; e += std::strlen(e) + 1) entities_.insert(e);
    for (const uint8_t* r = firstElement(*map); r != nullptr; r = nextElement(*map, r))
        elements_.emplace(lower(elementName(r)), r);
    ready_ = true;
    return true;
}

bool LintChecker::report(int32_t line, uint32_t kind, const char* format, const char* a, const char* b) {
    if (stopped_) return false;
    char text[1024];
    std::snprintf(text, sizeof text, format + lint_text::kMarkLength, a, b);
    if (!callback_(context_, line, text, kind)) stopped_ = true;
    return !stopped_;
}

namespace {

// The bytes that end a quiet stretch of text and of a tag outside its values.
const MarkupBytes kTextStops{'<', '&', '\n'};
const MarkupBytes kTagStops{'"', '\'', '>', '\n', '<'};

}  // namespace

bool LintChecker::execute(const uint8_t* text, size_t length) {
    if (!ready_ || stopped_) return false;
    size_t i = 0;
    while (i < length && !stopped_) {
        const uint8_t c = text[i];
        if (trail_) {
            trail_ = false;
            if (mode_ == Tag && !tagTooLong_) tag_ += static_cast<char>(c);
            ++i;
            continue;
        }
        // Text that needs no look (no entity, nothing to report) and the inside of a tag outside
        // its values go in bulk.
        if (mode_ == Text && !inEntity_ && (textReported_ || !textChecked())) {
            const size_t j = kTextStops.find(text, i, length);
            if (j == length) {
                trail_ = endsInLeadByte(text, i, length);
                break;
            }
            if (j > i) {
                i = j;
                continue;
            }
        } else if (mode_ == Tag && quote_ == 0 && !tagTooLong_) {
            const size_t j = kTagStops.find(text, i, length);
            if (j > i) {
                if (tag_.size() + (j - i) <= kMaxTag)
                    tag_.append(reinterpret_cast<const char*>(text + i), j - i);
                else
                    tagTooLong_ = true;
                if (j == length) {
                    // A lead byte that ended the piece is in the tag already; its trail byte
                    // comes first in the next piece.
                    trail_ = endsInLeadByte(text, i, length);
                    break;
                }
                i = j;
                continue;
            }
        }
        byte(c);
        if (isSjisLead(c)) trail_ = true;
        if (c == '\n') ++line_;
        ++i;
    }
    return !stopped_;
}

bool LintChecker::textChecked() const {
    return !stack_.empty() && (modelFlags(contentModel(*map_, stack_.back().record)) & mapfile::kTextIsError);
}

int32_t LintChecker::lineAt(size_t offset) const {
    int32_t line = tagLine_;
    for (size_t i = 0; i < offset && i < tag_.size(); ++i)
        if (tag_[i] == '\n') ++line;
    return line;
}

const uint8_t* LintChecker::element(const std::string& name) const {
    const auto found = elements_.find(lower(name));
    return found != elements_.end() ? found->second : nullptr;
}

const char* LintChecker::attribute(const uint8_t* record, const uint8_t* list, const std::string& key) {
    auto& names = attributes_[record];
    if (names.empty()) {
        names.emplace(std::string(), nullptr);  // marks the list as indexed
        for (const char* e = firstAttribute(list); e != nullptr; e = nextAttribute(e))
            names.emplace(lower(std::string(e + 1, attributeNameLength(e))), e);
    }
    const auto found = names.find(key);
    if (found != names.end()) return found->second;
    // An entry ending in "-" stands for a family of names ("data-", "aria-").
    for (size_t dash = key.find('-'); dash != std::string::npos; dash = key.find('-', dash + 1)) {
        const auto prefix = names.find(key.substr(0, dash + 1));
        if (prefix != names.end()) return prefix->second;
    }
    return nullptr;
}

bool LintChecker::isEntity(const std::string& name) const { return entities_.count(name) != 0; }

void LintChecker::endEntity() {
    inEntity_ = false;
    if (entity_.empty()) {
        if (map_->xhtml()) report(line_, 0, lint_text::kXhtmlBareAmpersand);
        return;
    }
    if (entity_[0] != '#' && !isEntity(entity_)) report(line_, 0, lint_text::kUnknownEntity, entity_.c_str());
}

void LintChecker::textByte(uint8_t c) {
    if (inEntity_) {
        if (isNameByte(c) || c == '#') {
            if (entity_.size() < 64) entity_ += static_cast<char>(c);
            return;
        }
        endEntity();
        if (c == ';') return;
    }
    if (c == '&') {
        inEntity_ = true;
        entity_.clear();
    }
    if (isBlank(c) || textReported_ || stack_.empty()) return;
    const uint8_t* model = contentModel(*map_, stack_.back().record);
    if (modelFlags(model) & mapfile::kTextIsError) {
        textReported_ = true;
        report(line_, 0, lint_text::kTextNotAllowed, elementName(stack_.back().record));
    }
}

void LintChecker::byte(uint8_t c) {
    switch (mode_) {
    case Text:
        if (c == '<') {
            if (inEntity_) endEntity();
            mode_ = AfterLt;
            tagLine_ = line_;
            return;
        }
        textByte(c);
        return;
    case AfterLt:
        if (c == '!') {
            mode_ = Markup;
            markup_.clear();
            return;
        }
        if (c == '%' || c == '$' || c == '?') {
            mode_ = Script;
            script_ = c;
            scriptEnd_ = false;
            markup_.clear();
            return;
        }
        mode_ = Tag;
        tag_.clear();
        tagTooLong_ = false;
        quote_ = 0;
        byte(c);
        return;
    case Markup:
        markup_ += static_cast<char>(c);
        if (markup_ == "--") {
            mode_ = Comment;
            dashes_ = 0;
        } else if (markup_ == "[CDATA[" && map_->xhtml()) {
            mode_ = Cdata;
            dashes_ = 0;
        } else if (!(std::string("--").compare(0, markup_.size(), markup_) == 0 ||
                     std::string("[CDATA[").compare(0, markup_.size(), markup_) == 0)) {
            // A declaration: skipped to its ">" like a tag with no name.
            mode_ = Tag;
            tag_ = "!" + markup_;
            tagTooLong_ = false;
            quote_ = 0;
            if (c == '>') {
                tag_.pop_back();
                processTag();
                mode_ = Text;
            }
        }
        return;
    case Comment:
        if (c == '-') {
            ++dashes_;
            return;
        }
        if (c == '>' && dashes_ >= 2) mode_ = Text, textReported_ = false;
        dashes_ = 0;
        return;
    case Cdata:
        if (c == ']') {
            ++dashes_;
            return;
        }
        if (c == '>' && dashes_ >= 2) mode_ = Text;
        dashes_ = 0;
        return;
    case Script:
        if (markup_.size() < 2) {
            markup_ += static_cast<char>(c);
            if (markup_ == "MT" && script_ == '$' && (options_ & lintoption::ReportTemplateTags))
                report(line_, 0, lint_text::kMovableType);
        }
        if (scriptEnd_ && c == '>') {
            mode_ = Text;
            return;
        }
        scriptEnd_ = c == script_;
        return;
    case Tag:
        if (quote_ != 0) {
            if (c == quote_) {
                quote_ = 0;
                if (quoteCrossed_ && (options_ & lintoption::ReportValueCrossingLine))
                    report(quoteLine_, lintkind::Information, lint_text::kValueCrossesLine);
            } else if (c == '\n') {
                quoteCrossed_ = true;
            }
        } else if (c == '"' || c == '\'') {
            // Only a quote that opens a value (after "=") starts a quoted stretch.
            size_t k = tag_.size();
            while (k > 0 && isBlank(static_cast<uint8_t>(tag_[k - 1]))) --k;
            if (k > 0 && tag_[k - 1] == '=') {
                quote_ = c;
                quoteLine_ = line_;
                quoteCrossed_ = false;
            }
        } else if (c == '>') {
            processTag();
            if (mode_ == Tag) mode_ = Text;
            textReported_ = false;
            return;
        }
        if (tag_.size() < kMaxTag)
            tag_ += static_cast<char>(c);
        else
            tagTooLong_ = true;
        return;
    case Raw: {
        rawTail_ += static_cast<char>(c);
        if (rawTail_.size() > rawName_.size() + 2) rawTail_.erase(0, rawTail_.size() - rawName_.size() - 2);
        const std::string want = "</" + rawName_;
        if (rawTail_.size() == want.size() && lower(rawTail_) == want) {
            mode_ = Tag;
            tagLine_ = line_;
            tag_ = "/" + rawName_;
            tagTooLong_ = false;
            quote_ = 0;
        }
        return;
    }
    }
}

bool LintChecker::allowedHere(const uint8_t* record, std::string* allowed) {
    // Implicit closing: elements whose end tag may be left out give way to what they do not
    // allow, as the map's models say.
    const char* name = elementName(record);
    const size_t length = std::strlen(name);
    size_t keep = stack_.size();
    while (keep > 0) {
        const uint8_t* parent = stack_[keep - 1].record;
        const uint8_t* model = contentModel(*map_, parent);
        if (allowsChild(model, name, length)) {
            stack_.resize(keep);
            return true;
        }
        if ((nameFlags(parent) & mapfile::kNeverImplied) || !(modelFlags(model) & mapfile::kEndOptional)) {
            for (const char* c = firstChild(model); *c && allowed->size() < 300; c += std::strlen(c) + 1)
                *allowed += (allowed->empty() ? "" : ", ") + std::string(c);
            stack_.resize(keep);
            return false;
        }
        --keep;
    }
    stack_.clear();
    return true;
}

void LintChecker::processTag() {
    if (tagTooLong_ || tag_.empty()) return;
    const uint8_t first = static_cast<uint8_t>(tag_[0]);
    if (first == '!') return;  // a declaration
    // Template tags of the blog tool are skipped (and reported when asked for).
    if (tag_.compare(0, 2, "MT") == 0 || tag_.compare(0, 3, "/MT") == 0) {
        if (options_ & lintoption::ReportTemplateTags) report(tagLine_, 0, lint_text::kMovableType);
        return;
    }
    // A tag holding a script block is not checked: its text is the script's.
    if (tag_.find('<') != std::string::npos &&
        (tag_.find("<%") != std::string::npos || tag_.find("<?") != std::string::npos ||
         tag_.find("<$") != std::string::npos))
        return;
    const bool end = first == '/';
    size_t i = end ? 1 : 0;
    const size_t nameStart = i;
    while (i < tag_.size() && isNameByte(static_cast<uint8_t>(tag_[i]))) ++i;
    const std::string name = tag_.substr(nameStart, i - nameStart);
    if (name.empty()) return;
    if (map_->xhtml() && hasUpper(name)) report(tagLine_, 0, lint_text::kXhtmlUpperCase, name.c_str());
    const uint8_t* record = element(name);
    if (record == nullptr) {
        // Reported at its start tag only; its end tag is passed over.
        if (!end && (options_ & lintoption::ReportUnknownElement))
            report(tagLine_, 0, lint_text::kNotInMap, name.c_str());
        return;
    }
    if (end) {
        endTag(name, record);
        return;
    }
    size_t last = tag_.size();
    while (last > i && isBlank(static_cast<uint8_t>(tag_[last - 1]))) --last;
    const bool selfClosed = map_->xhtml() && last > i && tag_[last - 1] == '/';
    startTag(name, record, i, selfClosed);
}

void LintChecker::endTag(const std::string& name, const uint8_t* record) {
    for (size_t k = stack_.size(); k > 0; --k) {
        if (stack_[k - 1].record != record) continue;
        for (size_t j = stack_.size(); j > k; --j) {
            const uint8_t* inner = stack_[j - 1].record;
            if (!(modelFlags(contentModel(*map_, inner)) & mapfile::kEndOptional))
                report(tagLine_, 0, lint_text::kMissingEndTag, elementName(inner));
        }
        stack_.resize(k - 1);
        return;
    }
    // An end tag of an element that is never open: html, head and body may be implied.
    if (nameFlags(record) & mapfile::kNeverImplied) return;
    const std::string shown = "/" + name;
    report(tagLine_, 0, lint_text::kStrayEndTag, shown.c_str());
}

void LintChecker::startTag(const std::string& name, const uint8_t* record, size_t attributesAt, bool selfClosed) {
    std::string allowed;
    if (!allowedHere(record, &allowed)) {
        report(tagLine_, 0, lint_text::kNotAllowedHere, name.c_str());
        report(tagLine_, lintkind::Continuation, lint_text::kAllowedHere, allowed.c_str());
    }
    checkAttributes(record, name, attributesAt);
    const uint8_t* model = contentModel(*map_, record);
    if (isEmptyModel(model)) {
        if (map_->xhtml() && !selfClosed) report(tagLine_, 0, lint_text::kXhtmlEmptyElement, name.c_str());
        return;
    }
    if (selfClosed) return;
    if (static_cast<int>(stack_.size()) >= kMaxDepth) {
        if (!tooDeepReported_) report(tagLine_, 0, lint_text::kTooDeep);
        tooDeepReported_ = true;
        return;
    }
    stack_.push_back(Open{record, tagLine_});
    textReported_ = false;
    if (modelFlags(model) & mapfile::kRawText) {
        mode_ = Raw;
        rawName_ = lower(name);
        rawTail_.clear();
    }
}

void LintChecker::checkAttributes(const uint8_t* record, const std::string& element, size_t i) {
    const uint8_t* list = attributeList(*map_, record);
    std::vector<std::string> seen;
    const bool xhtml = map_->xhtml();
    while (i < tag_.size() && !stopped_) {
        while (i < tag_.size() && (isBlank(static_cast<uint8_t>(tag_[i])) || tag_[i] == '/')) ++i;
        if (i >= tag_.size()) break;
        const size_t nameAt = i;
        while (i < tag_.size() && !isBlank(static_cast<uint8_t>(tag_[i])) && tag_[i] != '=' && tag_[i] != '>' &&
               !(tag_[i] == '/' && i + 1 == tag_.size()))
            i += isSjisLead(static_cast<uint8_t>(tag_[i])) ? 2 : 1;
        if (i > tag_.size()) i = tag_.size();
        const std::string name = tag_.substr(nameAt, i - nameAt);
        const int32_t line = lineAt(nameAt);
        size_t j = i;
        while (j < tag_.size() && isBlank(static_cast<uint8_t>(tag_[j]))) ++j;
        bool hasValue = false, quoted = false;
        std::string value;
        if (j < tag_.size() && tag_[j] == '=') {
            hasValue = true;
            ++j;
            while (j < tag_.size() && isBlank(static_cast<uint8_t>(tag_[j]))) ++j;
            if (j < tag_.size() && (tag_[j] == '"' || tag_[j] == '\'')) {
                quoted = true;
                const char q = tag_[j];
                const size_t close = tag_.find(q, j + 1);
                const size_t stop = close == std::string::npos ? tag_.size() : close;
                value = tag_.substr(j + 1, stop - j - 1);
                j = close == std::string::npos ? tag_.size() : close + 1;
            } else {
                const size_t start = j;
                while (j < tag_.size() && !isBlank(static_cast<uint8_t>(tag_[j]))) ++j;
                value = tag_.substr(start, j - start);
            }
            i = j;
        }
        if (name.empty()) {
            ++i;
            continue;
        }
        const std::string key = lower(name);
        bool duplicate = false;
        for (const std::string& s : seen) duplicate = duplicate || s == key;
        if (duplicate) report(line, 0, lint_text::kDuplicateAttribute, name.c_str());
        seen.push_back(key);
        if (xhtml && hasUpper(name)) report(line, 0, lint_text::kXhtmlUpperCase, name.c_str());
        if (xhtml && !hasValue) report(line, 0, lint_text::kXhtmlMinimised, name.c_str());
        if (xhtml && hasValue && !quoted) report(line, 0, lint_text::kXhtmlUnquoted, name.c_str());
        const char* entry = attribute(record, list, key);
        if (entry == nullptr) {
            if (options_ & lintoption::ReportUndefinedAttribute)
                report(line, 0, lint_text::kUndefinedAttribute, name.c_str());
            continue;
        }
        const bool enumerated = std::strchr(entry + 1, '%') != nullptr;
        if (!hasValue) {
            if (!xhtml && !isBooleanAttribute(*map_, entry) && !enumerated &&
                (options_ & lintoption::ReportBareAttribute))
                report(line, lintkind::Information, lint_text::kBareAttribute, name.c_str());
            // A bare enumerated value in HTML names one of the values (<td nowrap>).
            continue;
        }
        if (enumerated) {
            bool found = false;
            const std::string v = xhtml ? value : lower(value);
            // In HTML a boolean attribute may also be written with an empty value.
            if (!xhtml && v.empty() && isBooleanAttribute(*map_, entry)) found = true;
            for (const char* p = std::strchr(entry + 1, '%'); p != nullptr && !found;) {
                const char* next = std::strchr(p + 1, '%');
                const size_t n = next ? static_cast<size_t>(next - p - 1) : std::strlen(p + 1);
                found = (xhtml ? std::string(p + 1, n) : lower(std::string(p + 1, n))) == v;
                p = next;
            }
            if (!found) report(line, 0, lint_text::kValueNotInList, name.c_str(), value.c_str());
        }
        if ((static_cast<uint8_t>(entry[0]) & mapfile::kAttrTypeMask) == mapfile::kAttrId && !value.empty()) {
            if (!ids_.insert(value).second) report(line, 0, lint_text::kDuplicateId, value.c_str());
        }
    }
    if (!(options_ & lintoption::ReportMissingRequired)) return;
    for (const char* e = firstAttribute(list); e != nullptr && !stopped_; e = nextAttribute(e)) {
        if (!(static_cast<uint8_t>(e[0]) & mapfile::kRequired)) continue;
        const std::string want = lower(std::string(e + 1, attributeNameLength(e)));
        bool present = false;
        for (const std::string& s : seen) present = present || s == want;
        if (!present) report(tagLine_, 0, lint_text::kRequiredAttribute, element.c_str(), want.c_str());
    }
}

bool LintChecker::finish() {
    if (!ready_ || stopped_) return false;
    if (inEntity_) endEntity();
    if (mode_ == Comment || (mode_ == Markup && !markup_.empty())) report(line_, 0, lint_text::kUnclosedComment);
    if (mode_ == Tag && quote_ != 0) report(line_, 0, lint_text::kUnclosedValue);
    else if (mode_ == Tag || mode_ == AfterLt) report(line_, 0, lint_text::kUnclosedTag);
    for (size_t k = stack_.size(); k > 0 && !stopped_; --k) {
        const uint8_t* record = stack_[k - 1].record;
        if (!(modelFlags(contentModel(*map_, record)) & mapfile::kEndOptional))
            report(line_, 0, lint_text::kMissingEndTag, elementName(record));
    }
    const bool completed = !stopped_;
    ready_ = false;
    return completed;
}

// Filters 400 (delete HTML tags, comments and server-side blocks) and 401 (delete the attributes
// of tags). Both write over the selection; a construct left open runs to the selection's end.
#include <cstring>

#include "FilterSupport.h"
#include "Filters.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

class TagScanner {
public:
    TagScanner(char* text, size_t n) : text_(text), n_(n) {}

    bool startsWith(size_t i, const char* s) const {
        const size_t len = std::strlen(s);
        return i + len <= n_ && std::memcmp(text_ + i, s, len) == 0;
    }
    // A server-side block starts here: "<" and one of ? % $.
    bool serverBlockAt(size_t i) const {
        return text_[i] == '<' && i + 1 < n_ &&
               (text_[i + 1] == '?' || text_[i + 1] == '%' || text_[i + 1] == '$');
    }
    // After the block at i: after the next occurrence of its mark followed by ">", or the end.
    size_t skipServerBlock(size_t i) const { return find(i + 2, text_[i + 1], '>'); }
    // After the comment at i ("<!--"): after the next "-->", or the end.
    size_t skipComment(size_t i) const {
        for (size_t j = i + 4; j < n_; ++j) {
            if (startsWith(j, "-->")) return j + 3;
        }
        return n_;
    }
    // After the quoted value that opens at i, skipping server-side blocks inside it as a whole.
    size_t skipQuoted(size_t i) const {
        for (size_t j = i + 1; j < n_;) {
            if (text_[j] == '"') return j + 1;
            if (serverBlockAt(j)) {
                j = skipServerBlock(j);
                continue;
            }
            j += charLength(text_, j, n_);
        }
        return n_;
    }
    size_t size() const { return n_; }
    char* text() const { return text_; }

private:
    size_t find(size_t from, char a, char b) const {
        for (size_t j = from; j + 1 < n_; ++j) {
            if (text_[j] == a && text_[j + 1] == b) return j + 2;
        }
        return n_;
    }
    char* text_;
    size_t n_;
};

bool hasTagStart(const FilterRequest& r) { return std::memchr(r.input, '<', r.input_length) != nullptr; }

// 400: after the tag that opens at i (quoted values and server-side blocks skipped whole).
size_t skipTag(const TagScanner& s, size_t i) {
    const char* text = s.text();
    for (size_t j = i + 1; j < s.size();) {
        if (text[j] == '>') return j + 1;
        if (text[j] == '"') {
            j = s.skipQuoted(j);
        } else if (s.serverBlockAt(j)) {
            j = s.skipServerBlock(j);
        } else {
            j += charLength(text, j, s.size());
        }
    }
    return s.size();
}

// 401: copies the tag at i from "<" through its name and any attribute text that directly follows
// a closing quote, and its ">". Returns the index after the tag.
size_t copyTagName(const TagScanner& s, size_t i, size_t& out) {
    char* text = s.text();
    const size_t n = s.size();
    text[out++] = text[i];
    bool copying = true;
    for (size_t j = i + 1; j < n;) {
        const char c = text[j];
        if (c == '>') {
            text[out++] = c;
            return j + 1;
        }
        if (c == '"') {
            j = s.skipQuoted(j);
            copying = true;
        } else if (s.serverBlockAt(j)) {
            j = s.skipServerBlock(j);
            copying = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            copying = false;
            ++j;
        } else if (charLength(text, j, n) == 2) {
            copying = false;
            j += 2;
        } else {
            if (copying) text[out++] = c;
            ++j;
        }
    }
    return n;
}

// 401: copies the comment at i, dropping the server-side blocks inside it.
size_t copyComment(const TagScanner& s, size_t i, size_t& out) {
    char* text = s.text();
    const size_t n = s.size();
    for (size_t j = i; j < n;) {
        if (j >= i + 4 && s.startsWith(j, "-->")) {
            std::memmove(text + out, text + j, 3);
            out += 3;
            return j + 3;
        }
        if (j >= i + 4 && s.serverBlockAt(j)) {
            j = s.skipServerBlock(j);
            continue;
        }
        const size_t len = charLength(text, j, n);
        std::memmove(text + out, text + j, len);
        out += len;
        j += len;
    }
    return n;
}

}  // namespace

namespace {

// The common walk of both tag filters, in place: text outside tags is kept, server blocks are
// dropped, comments and tags go to the filter's own steps (each returns where to go on and may
// write from `out`).
template <typename CommentStep, typename TagStep>
bool walkTags(FilterRequest& r, CommentStep comment, TagStep tag) {
    if (!hasTagStart(r)) return false;
    TagScanner s(r.input, r.input_length);
    char* text = r.input;
    const size_t n = r.input_length;
    size_t out = 0;
    for (size_t i = 0; i < n;) {
        if (text[i] != '<') {
            const size_t len = charLength(text, i, n);
            std::memmove(text + out, text + i, len);
            out += len;
            i += len;
        } else if (s.startsWith(i, "<!--")) {
            i = comment(s, i, out);
        } else if (s.serverBlockAt(i)) {
            i = s.skipServerBlock(i);
        } else {
            i = tag(s, i, out);
        }
    }
    return finishInPlace(r, out);
}

}  // namespace

bool deleteTags(FilterRequest& r) {
    return walkTags(
        r, [](TagScanner& s, size_t i, size_t&) { return s.skipComment(i); },
        [](TagScanner& s, size_t i, size_t&) { return skipTag(s, i); });
}

bool deleteTagAttributes(FilterRequest& r) {
    return walkTags(
        r, [](TagScanner& s, size_t i, size_t& out) { return copyComment(s, i, out); },
        [](TagScanner& s, size_t i, size_t& out) { return copyTagName(s, i, out); });
}

}  // namespace ulo_filters

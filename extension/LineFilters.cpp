// Filters 300 (delete line breaks), 301 (delete blank lines) and 302 (delete trailing blanks).
// All three write over the selection and never ahead of the byte they read.
#include <cstring>

#include "FilterSupport.h"
#include "Filters.h"
#include "SjisBlocks.h"
#include "SjisBytes.h"

namespace ulo_filters {

namespace {

// A blank of 301 and 302: blank, TAB, CR or the full-width blank; its length, or 0.
size_t blankLength(const char* text, size_t i, size_t n) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r') return 1;
    return isFullWidthBlank(text, i, n) ? 2 : 0;
}

// End of the line at pos: the index of its LF, or n.
size_t lfEnd(const char* text, size_t pos, size_t n) {
    const void* lf = std::memchr(text + pos, '\n', n - pos);
    return lf ? static_cast<const char*>(lf) - text : n;
}

}  // namespace

bool deleteLineBreaks(FilterRequest& r) {
    char* text = r.input;
    const size_t n = r.input_length;
    size_t out = 0;
    for (size_t i = 0; i < n;) {
        // A run up to the next line break moves down as a whole; CR and LF are never trail bytes.
        const size_t end = findLineBreak(text, i, n);
        if (out != i) std::memmove(text + out, text + i, end - i);
        out += end - i;
        i = end;
        while (i < n && (text[i] == '\r' || text[i] == '\n')) ++i;
    }
    return out != n && finishInPlace(r, out);
}

bool deleteBlankLines(FilterRequest& r) {
    char* text = r.input;
    const size_t n = r.input_length;
    size_t out = 0;
    for (size_t pos = 0; pos < n;) {
        const size_t lf = lfEnd(text, pos, n);
        const size_t next = lf < n ? lf + 1 : n;
        bool blank = lf < n && !(pos == 0 && r.prefix_length != 0);
        for (size_t i = pos; blank && i < lf;) {
            const size_t len = blankLength(text, i, lf);
            if (len == 0) blank = false;
            i += len ? len : 1;
        }
        if (!blank) {
            std::memmove(text + out, text + pos, next - pos);
            out += next - pos;
        }
        pos = next;
    }
    return out != n && finishInPlace(r, out);
}

bool deleteTrailingBlanks(FilterRequest& r) {
    char* text = r.input;
    const size_t n = r.input_length;
    size_t out = 0;
    for (size_t pos = 0; pos < n;) {
        const size_t lf = lfEnd(text, pos, n);
        if (lf == n) {  // the unterminated rest keeps its blanks
            std::memmove(text + out, text + pos, n - pos);
            out += n - pos;
            break;
        }
        // Forward only: the end of the last character that is not a blank.
        size_t keep = pos;
        bool droppedCr = false;
        for (size_t i = pos; i < lf;) {
            const size_t blank = blankLength(text, i, lf);
            if (blank == 0) {
                i += charLength(text, i, lf);
                keep = i;
                droppedCr = false;
            } else {
                droppedCr = droppedCr || text[i] == '\r';
                i += blank;
            }
        }
        std::memmove(text + out, text + pos, keep - pos);
        out += keep - pos;
        // The line ends with CR LF; a bare LF (which had no CR to drop) stays a bare LF.
        if (droppedCr) text[out++] = '\r';
        text[out++] = '\n';
        pos = lf + 1;
    }
    return out != n && finishInPlace(r, out);
}

}  // namespace ulo_filters

// HtmlModeLogic: the popup's filtering and the result lines.
#include "HtmlModeLogic.h"

#include <cstdio>
#include <cstring>

#include "CaretContext.h"
#include "HtmlTexts.h"

PopupEntries filterCandidates(const char* candidates, size_t bytes, const char* typed, size_t typedLength,
                              int32_t kind, int32_t caseField, bool xhtmlMap) {
    std::string word(typed, typedLength);
    if (!xhtmlMap && kind != caretcontext::Word) {
        for (char& c : word) {
            if (caseField < 1 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            if (caseField >= 1 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
    }
    PopupEntries out;
    for (size_t p = 0; p < bytes && candidates[p] != 0;) {
        const size_t n = strnlen(candidates + p, bytes - p);
        if (n >= word.size() && std::memcmp(candidates + p, word.data(), word.size()) == 0) {
            out.entries.emplace_back(candidates + p, n);
            if (n > out.longest) out.longest = n;
        }
        p += n + 1;
    }
    out.selectFirst = out.entries.size() == 1 || (!word.empty() && word[0] == '/');
    return out;
}

GrammarReport::Step GrammarReport::add(int32_t lineNumber, const char* text, uint32_t kind) {
    Step step;
    if (lines_ >= kMaxLines) {
        step.goOn = false;
        return step;
    }
    char buffer[2048];
    if (kind & kContinuation) {
        std::snprintf(buffer, sizeof buffer, html_text::kContinuationLine, text);
    } else if (kind & kInformation) {
        std::snprintf(buffer, sizeof buffer, html_text::kInformationLine, lineNumber, text);
        ++informations_;
    } else if (kind & kPlain) {
        std::snprintf(buffer, sizeof buffer, html_text::kPlainLine, lineNumber, text);
    } else {
        std::snprintf(buffer, sizeof buffer, html_text::kErrorLine, lineNumber, text);
        ++errors_;
    }
    step.line = buffer;
    if (++lines_ == kMaxLines) {
        aborted_ = true;
        step.stopLine = html_text::kTooManyMessages;
        step.goOn = false;
    }
    return step;
}

std::string GrammarReport::summary() const {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, html_text::kCheckSummary, errors_, informations_);
    return buffer;
}

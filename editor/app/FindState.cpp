// FindState: histories, unescaping, cutting, the go-to-line number and the listing bookkeeping.
#include "FindState.h"

#include <climits>
#include <cstdio>

#include "FindTexts.h"

namespace find_state {

namespace {

bool isLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

void SearchHistory::add(const std::string& text) {
    if (text.empty()) return;
    size_t at = kHistorySlots - 1;
    for (size_t i = 0; i < kHistorySlots; ++i) {
        if (slots_[i] == text || slots_[i].empty()) {
            at = i;
            break;
        }
    }
    // Everything before the chosen slot moves down by one; the text goes to the front.
    for (size_t i = at; i > 0; --i) slots_[i] = std::move(slots_[i - 1]);
    slots_[0] = text;
}

std::vector<std::string> SearchHistory::entries() const {
    std::vector<std::string> list;
    for (const std::string& s : slots_) {
        if (s.empty()) break;
        list.push_back(s);
    }
    return list;
}

std::string cutText(const char* text, size_t length, size_t limit) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    if (length > limit) length = limit;
    size_t end = 0;
    while (end < length) {
        size_t step = isLead(bytes[end]) ? 2 : 1;
        if (end + step > length) break;   // a lead byte without its trail
        end += step;
    }
    return std::string(text, end);
}

std::string unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (isLead(b) && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
        } else if (b == '\\' && i + 1 < text.size() && text[i + 1] == 't') {
            out += '\t';
            ++i;
        } else if (b == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

int32_t parseLineNumber(const char* text, size_t length) {
    const auto* b = reinterpret_cast<const uint8_t*>(text);
    int64_t number = 0;
    for (size_t i = 0; i < length && b[i] != 0;) {
        int digit = -1;
        size_t step = 1;
        if (b[i] >= '0' && b[i] <= '9') {
            digit = b[i] - '0';
        } else if (b[i] == ' ' || b[i] == '\t') {
            // blank: skipped
        } else if (i + 1 < length && b[i] == 0x82 && b[i + 1] >= 0x4F && b[i + 1] <= 0x58) {
            digit = b[i + 1] - 0x4F;   // full-width digit
            step = 2;
        } else if (i + 1 < length && b[i] == 0x81 && b[i + 1] == 0x40) {
            step = 2;                  // full-width blank
        } else {
            break;
        }
        if (digit >= 0) {
            number = number * 10 + digit;
            if (number > INT32_MAX) number = INT32_MAX;
        }
        i += step;
    }
    return static_cast<int32_t>(number);
}

const char* matchMessage(const MatchState& s, bool forToolbar) {
    if (s.up && s.down) return nullptr;
    if (s.up) return forToolbar ? find_text::kOnlyUpToolbar : find_text::kOnlyUp;
    if (s.down) return forToolbar ? find_text::kOnlyDownToolbar : find_text::kOnlyDown;
    return s.here ? find_text::kOnlyHere : find_text::kNoMatchAtAll;
}

std::string wordMenuText(const std::string& word) {
    std::string text = "\"";
    for (char c : word) {
        text += c;
        if (c == '&') text += '&';
    }
    return text + "\"" + find_text::kSearchWordSuffix;
}

std::string replaceAllMessage(int32_t count) {
    if (count <= 0) return find_text::kNoMatch;
    char text[64];
    std::snprintf(text, sizeof text, find_text::kReplacedCount, static_cast<int>(count));
    return text;
}

void ResultTable::clear() {
    lines_.clear();
    count_ = 0;
}

ResultTable::Step ResultTable::add(int32_t lineNumber) {
    lines_.push_back(lineNumber > 0 ? lineNumber : 0);
    Step step;
    if (lineNumber < 0) return step;
    ++count_;
    step.showProgress = count_ % kProgressStep == 0;
    step.stop = count_ >= kMaxMatches;
    return step;
}

}  // namespace find_state

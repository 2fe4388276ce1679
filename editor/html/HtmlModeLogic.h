// The frame's HTML mode without windows: filtering a completion list for the popup and
// formatting the grammar check's result lines.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The popup's entries for one completion request: the candidates that begin with the typed word
// (folded to the request's case unless the map is XHTML or the kind is a plain word).
struct PopupEntries {
    std::vector<std::string> entries;
    size_t longest = 0;         // bytes of the longest entry
    bool selectFirst = false;   // exactly one entry, or the word begins with "/"
};
PopupEntries filterCandidates(const char* candidates, size_t bytes, const char* typed, size_t typedLength,
                              int32_t kind, int32_t caseField, bool xhtmlMap);

// The grammar check's result pane text: one line per message (the frame appends each), a stop
// after 500 lines, and the summary.
class GrammarReport {
public:
    static constexpr int kMaxLines = 500;
    static constexpr uint32_t kInformation = 0x1, kContinuation = 0x2, kPlain = 0x100000;

    // The line for a message and whether the checker should go on. The line is empty when the
    // limit was already reached.
    struct Step {
        std::string line;          // to append to the pane (with `lineNumber` in the jump table)
        std::string stopLine;      // the "too many messages" line when this message reached the limit
        bool goOn = true;
    };
    Step add(int32_t lineNumber, const char* text, uint32_t kind);
    std::string summary() const;   // "【 文法チェック結果： ◆エラー n, ◇情報 m 】"
    int errors() const { return errors_; }
    int informations() const { return informations_; }
    int lines() const { return lines_; }
    bool aborted() const { return aborted_; }

private:
    int errors_ = 0, informations_ = 0, lines_ = 0;
    bool aborted_ = false;
};

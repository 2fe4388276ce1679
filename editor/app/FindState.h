// FindState: the window-free rules of find, replace and go-to line: the two search histories,
// the "\t" / "\\" unescaping, cutting a text read from a control on a character boundary, the
// go-to-line number, the match-state message and the bookkeeping of a search-all listing.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace find_state {

// Longest search or replacement text, in bytes (without the terminator).
constexpr size_t kTextBytes = 544;
// Longest text read from the go-to-line field.
constexpr size_t kLineFieldBytes = 100;
constexpr size_t kHistorySlots = 6;

// A most-recent-first list of six texts. Adding a text that is already there (byte comparison)
// moves it to the front; a new text takes the first empty slot or, when all are used, the last
// one, and moves to the front. An empty text is not added.
class SearchHistory {
public:
    void add(const std::string& text);
    // Slot i (0 = newest); "" when empty.
    const std::string& entry(size_t i) const { return slots_[i]; }
    const std::string& front() const { return slots_[0]; }
    // The entries in order up to the first empty one.
    std::vector<std::string> entries() const;

private:
    std::array<std::string, kHistorySlots> slots_;
};

// The first `length` bytes of text cut to at most `limit` bytes on a character boundary: a lead
// byte whose trail is missing (at the end, or cut off) is dropped.
std::string cutText(const char* text, size_t length, size_t limit);

// "\t" becomes a tab, "\\" one backslash; a backslash before any other byte stays and the next
// byte is read normally; a Shift_JIS lead byte and the byte after it are copied as a pair, so a
// trail byte 0x5C (as in "ソ") is never read as a backslash.
std::string unescape(const std::string& text);

// The go-to-line field: ASCII and full-width digits accumulate a decimal number, ASCII blanks and
// the full-width blank are skipped, any other character ends it. 0 when there is no digit; the
// number saturates at INT32_MAX instead of overflowing.
int32_t parseLineNumber(const char* text, size_t length);

// What a match-state test found: downward, upward, and whether the current selection itself
// is a whole match.
struct MatchState {
    bool down = false;
    bool up = false;
    bool here = false;
};
// The match-state message, or nullptr for none (matches both ways). The toolbar's variants name
// the key that finds the match.
const char* matchMessage(const MatchState& state, bool forToolbar);
// The dialog's find button finds something in the chosen direction; the list / replace-all
// button is enabled when any match exists.
inline bool matchInDirection(const MatchState& s, bool up) { return up ? s.up : s.down; }
inline bool anyMatch(const MatchState& s) { return s.up || s.down || s.here; }

// The first item of the editor's context menu for a word: the word in double quotes followed by
// "を検索", every "&" doubled so that it shows literally (0x26 is never a trail byte).
std::string wordMenuText(const std::string& word);

// The status text after replace-all: "%d個、置換されました" for n > 0, else "マッチしません".
std::string replaceAllMessage(int32_t count);

// The line numbers of the result pane's lines, parallel to its items, during and after a
// search-all listing.
class ResultTable {
public:
    // Matching lines listed before the listing stops.
    static constexpr int32_t kMaxMatches = 1000;
    // Every this many numbered lines the dialog's status shows the count.
    static constexpr int32_t kProgressStep = 64;

    void clear();
    // What the frame does after appending a line to the pane.
    struct Step {
        bool showProgress = false;   // put the count into the dialog's status
        bool stop = false;           // append the stop line and end the listing
    };
    // Records a line the control listed: a 1-based line number, or a negative number for a line
    // without one (the closing line).
    Step add(int32_t lineNumber);
    // Records a line of the frame's own (the stop line): no number.
    void addUnnumbered() { lines_.push_back(0); }
    size_t size() const { return lines_.size(); }
    // Numbered lines so far.
    int32_t count() const { return count_; }
    // The 1-based line number of item i, or 0 when it has none.
    int32_t lineAt(size_t i) const { return i < lines_.size() && lines_[i] > 0 ? lines_[i] : 0; }

private:
    std::vector<int32_t> lines_;
    int32_t count_ = 0;
};

}  // namespace find_state

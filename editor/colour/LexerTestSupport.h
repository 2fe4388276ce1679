// Helpers of the lexer tests: token marks, invariant checks, small keyword tables and an
// in-memory document of linked line records.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KeywordTable.h"
#include "LexLinkedLines.h"
#include "LexerTypes.h"

namespace lextest {

// The short mark of a token kind ("T", "HE", "KW", ...); "?n" for unknown kinds.
std::string kindMark(int32_t kind);

// A line's tokens as "{mark:bytes}..." with "{", "}" and "\" of single-byte characters escaped
// by a backslash (the trail byte of a double-byte character is never escaped).
std::string markTokens(const uint8_t* text, uint32_t length, const Token* tokens, uint32_t count);

// Empty when the tokens are sound: known kinds, no negative length, lengths adding up to the
// line's length, no boundary between the two bytes of a double-byte character. Otherwise a
// description of the first fault.
std::string checkTokens(const uint8_t* text, uint32_t length, const Token* tokens, uint32_t count);

// A keyword table holding `words`, built in the keyword file format and loaded from memory.
std::unique_ptr<KeywordTable> makeKeywordTable(const std::vector<std::string>& words);

// Lines of a file image, split at CR LF, CR and LF (the line ends dropped).
std::vector<std::string> splitLines(const std::string& image);

// A line record as the line store keeps it (only the fields the lexer uses).
struct TestLine {
    TestLine* next = nullptr;
    TestLine* previous = nullptr;
    std::string bytes;
    const char* text = nullptr;
    uint32_t length = 0;
    uint8_t urlFlags = 0;
    uint8_t LineStartState = 0;
};

// A document of linked lines with the edits the lexer must follow.
class TestDocument {
public:
    explicit TestDocument(const std::vector<std::string>& lines);
    TestDocument(const TestDocument&) = delete;
    TestDocument& operator=(const TestDocument&) = delete;

    TestLine* line(size_t index) { return lines_[index].get(); }
    size_t size() const { return lines_.size(); }
    LexLinkedLines<TestLine>& lines() { return view_; }

    // Replaces a line's text (its URL flags become 0, as the line store does).
    void setText(size_t index, const std::string& bytes);
    // Inserts a new line before `index` (== size() appends) with start state `state`.
    TestLine* insert(size_t index, const std::string& bytes, uint8_t state);
    // Removes a line (never the last remaining one).
    void erase(size_t index);

private:
    void relink();

    std::vector<std::unique_ptr<TestLine>> lines_;
    LexLinkedLines<TestLine> view_;
};

}  // namespace lextest

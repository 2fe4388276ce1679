// Completion: the candidate lists of the markup contexts (attributes, values, CSS properties,
// entities), the word and colour collector, and what inserting a chosen candidate types.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CaretContext.h"
#include "DocumentMap.h"

// A list being written: NUL-terminated names closed by an empty name. Fails (and later puts
// do nothing) once the buffer would overflow; finish() then returns 0.
class CandidateWriter {
public:
    CandidateWriter(char* out, size_t capacity) : out_(out), capacity_(capacity) {}
    void put(const char* name, size_t length, int fold);  // fold > 0 upper, < 0 lower, 0 as is
    size_t finish();

private:
    char* out_;
    size_t capacity_, used_ = 0;
    bool fits_ = true;
};

// The CSS property names offered in CSS mode and in style values (115, ascending).
extern const char* const kCssProperties[];
extern const size_t kCssPropertyCount;

// Candidate lists for the markup contexts: 12 attribute names not yet in the tag, 13 the
// enumerated values (or the CSS list for style), 20 the map's entities, 30 the CSS list.
// Return the bytes written (0: nothing, or it did not fit).
size_t markupCandidates(const DocumentMap* map, const CaretContext& context, char* out,
                        size_t capacity, int casePreference);
size_t cssPropertyCandidates(char* out, size_t capacity);

// The sign of (upper-case - lower-case ASCII letters) of the typed text, a tie counting as
// lower case when there is any lower-case letter.
int casePreferenceOf(const char* typed, size_t length);

// Words and colour values collected from the document's lines. In HTML mode only regions of
// the caret's kind give words (text, comment, or script blocks of one character) and only tags
// and values give colours; in other modes every byte counts.
class WordCollector {
public:
    static constexpr uint32_t kMaxLines = 10000;
    enum Region : uint8_t { AnyRegion, TextRegion, CommentRegion, ScriptRegion };

    WordCollector(const char* prefix, size_t prefixLength, bool html, Region region, char scriptCharacter);
    // One line after another (at most kMaxLines are looked at).
    void addLine(const uint8_t* text, size_t length);
    // Words longer than the prefix that begin with it, ascending in byte order, the one
    // standing whole at the caret (`atCaret`) left out.
    size_t words(char* out, size_t capacity, const char* atCaret, size_t atCaretLength) const;
    // Colour values "#abc" / "#aabbcc": lower case, or upper when `upper` (or, with
    // preference 0, when the document's hex letters are mostly upper case).
    size_t colours(char* out, size_t capacity, int casePreference) const;
    int hexCaseBalance() const { return hexBalance_; }

private:
    struct Entry {
        uint32_t count;
        std::string bytes;
    };
    void addWord(const uint8_t* w, size_t n);
    void addColour(const uint8_t* w, size_t n);
    std::vector<Entry> buckets_[256];
    std::vector<std::string> colours_;
    std::string prefix_;
    bool html_;
    Region region_;
    char script_;
    uint8_t state_ = 1;   // the collector's own HTML line state
    uint32_t lines_ = 0;
    int hexBalance_ = 0;
};

// What inserting a chosen candidate does: the text to type at the caret (the typed part is not
// repeated), how many bytes the caret then moves back, and whether a follow-up list is asked.
struct InsertPlan {
    std::string text;
    uint32_t caretBack = 0;
    bool reopen = false;
    bool stepOverQuote = false;
};
namespace ecflags {
constexpr uint32_t templatePlaceholder = 0x2000000;
constexpr uint32_t noWordCompletion = 0x1000000;
constexpr uint32_t cssColonNoBlank = 0x4000000;
}  // namespace ecflags
InsertPlan planInsertion(const DocumentMap* map, const CaretContext& context, int32_t kind,
                         const char* candidate, const char* typed, uint8_t byteAtCaret,
                         uint32_t controlFlags);

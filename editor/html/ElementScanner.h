// ElementScanner: which elements are open after a stretch of HTML, found by scanning it from
// the document's start with a document-type map. Text is fed in pieces (a line, then "\n");
// every state carries over from one piece to the next.
#pragma once
#include <cstddef>
#include <cstdint>

#include "DocumentMap.h"

class MarkupBytes;

class ElementScanner {
public:
    static constexpr int kMaxDepth = 512;
    static constexpr size_t kMaxName = 256;
    // Bounded mode: stops where the first element opened in the scan has ended.
    static constexpr uint32_t kBounded = 0x10000000;

    explicit ElementScanner(const DocumentMap& map, uint32_t mode = 0) : map_(map), mode_(mode) {}

    // Scans more text. False once the scan stopped (bounded mode) or the stack overflowed.
    bool feed(const uint8_t* text, size_t length);

    // Candidate names, NUL-terminated one after another and closed by an empty name. Returns
    // the bytes written, or 0 when they do not fit. wantChildren: the names allowed inside the
    // innermost open element (or the template before anything); otherwise the end tags up to
    // the first one that is required. casePreference > 0 upper case, < 0 lower case, 0 the
    // case seen in the document; `placeholder` replaces the template's "@" (0 ends it there).
    size_t elementCandidates(char* out, size_t capacity, bool wantChildren, int casePreference,
                             char placeholder) const;

    int depth() const { return depth_; }
    const uint8_t* openElement(int i) const { return stack_[i]; }
    int caseSeen() const { return caseSeen_; }
    uint32_t startTags() const { return startTags_; }
    uint32_t declarations() const { return declarations_; }
    bool overflowed() const { return overflowed_; }
    // Bounded mode: whether and where (bytes from the first fed byte) the scan stopped.
    bool stopped() const { return stopped_; }
    uint64_t stopOffset() const { return stopOffset_; }

private:
    enum State : uint8_t {
        Text, AfterLt, Bang, BangDash, Comment, TagName, InTag, InTagLt, InTagSlash, Value,
        ValueLt, Script, ScriptEnd
    };

    void byte(uint8_t c, uint64_t at);
    const MarkupBytes* quietStops() const;
    void endName(uint64_t at);
    void startTag(const uint8_t* record, uint64_t at);
    void endTag(const uint8_t* record, uint64_t at);
    void stop(uint64_t at);
    void openScript(uint8_t character, State back);
    bool isEmptyOpen(int i) const;

    // Lookups repeat for every tag of a document: a small direct-mapped cache of names (folded,
    // up to 15 bytes) to records, and of (model, child) placements.
    const uint8_t* lookUp(const char* name, size_t length);
    bool allows(const uint8_t* model, const uint8_t* child);
    struct NameSlot {
        char name[16];
        const uint8_t* record;
        bool used;
    };
    struct PlaceSlot {
        const uint8_t* model;
        const uint8_t* child;
        bool allowed;
    };
    NameSlot names_[128] = {};
    PlaceSlot places_[256] = {};

    const DocumentMap& map_;
    uint32_t mode_;
    State state_ = Text;
    bool textRun_ = false;       // a text run has begun since the last tag or comment
    bool trail_ = false;         // the next byte is the trail byte of a double-byte character
    uint8_t quote_ = 0, script_ = 0;
    State scriptBack_ = Text, ltBack_ = InTag;
    int dashes_ = 0;
    char name_[kMaxName + 2] = {};
    size_t nameLength_ = 0;
    uint64_t tagStart_ = 0, fed_ = 0;
    const uint8_t* openedHere_ = nullptr;  // the element this start tag pushed, for "/>"
    int caseSeen_ = 0;
    uint32_t startTags_ = 0, declarations_ = 0;
    const uint8_t* stack_[kMaxDepth] = {};
    int depth_ = 0;
    bool overflowed_ = false, stopped_ = false;
    uint64_t stopOffset_ = 0;
};

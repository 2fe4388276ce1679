// LintChecker: the HTML grammar checker behind lint.dll, driven only by a document-type map.
// Text comes in pieces (the editor feeds each line and then "\n"); tags, values and comments
// may span pieces, and the result is the same however the text is cut. Line numbers start at 1
// and grow with each "\n" byte fed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "DocumentMap.h"

namespace lintoption {
constexpr uint32_t ReportUndefinedAttribute = 0x1;
constexpr uint32_t ReportValueCrossingLine = 0x2;
constexpr uint32_t ReportMissingRequired = 0x8;
constexpr uint32_t ReportBareAttribute = 0x10;
constexpr uint32_t ReportUnknownElement = 0x20;
constexpr uint32_t ReportTemplateTags = 0x10000000;
}  // namespace lintoption

namespace lintkind {
constexpr uint32_t Information = 0x1;
constexpr uint32_t Continuation = 0x2;
}  // namespace lintkind

using LintCallback = bool (*)(void* context, int32_t line, const char* text, uint32_t kind);

class LintChecker {
public:
    static constexpr int kMaxDepth = 512;
    static constexpr size_t kMaxTag = 65536;   // longer tags are skipped, not checked

    // Resets everything. False when the map is null or not loaded.
    bool initialize(const DocumentMap* map, LintCallback callback, void* context, uint32_t options);
    // False once a callback answered false (the check stops) or before initialize.
    bool execute(const uint8_t* text, size_t length);
    // The end of the document: what is still open is reported. True when the check completed.
    bool finish();

private:
    enum Mode : uint8_t { Text, AfterLt, Markup, Comment, Cdata, Script, Tag, Raw };
    struct Open {
        const uint8_t* record;
        int32_t line;
    };

    void byte(uint8_t c);
    void textByte(uint8_t c);
    void endEntity();
    void processTag();
    void startTag(const std::string& name, const uint8_t* record, size_t attributesAt, bool selfClosed);
    void endTag(const std::string& name, const uint8_t* record);
    void checkAttributes(const uint8_t* record, const std::string& element, size_t from);
    bool report(int32_t line, uint32_t kind, const char* format, const char* a = "", const char* b = "");
    bool allowedHere(const uint8_t* record, std::string* allowed);
    int32_t lineAt(size_t offset) const;
    bool isEntity(const std::string& name) const;
    // Element records by folded name, and each element's attribute entries (indexed on first use).
    const uint8_t* element(const std::string& name) const;
    const char* attribute(const uint8_t* record, const uint8_t* list, const std::string& key);
    bool textChecked() const;  // non-blank text here is an error

    const DocumentMap* map_ = nullptr;
    LintCallback callback_ = nullptr;
    void* context_ = nullptr;
    uint32_t options_ = 0;
    bool ready_ = false, stopped_ = false;
    int32_t line_ = 1;
    Mode mode_ = Text;
    bool trail_ = false;
    std::string tag_;          // bytes between "<" and ">"
    bool tagTooLong_ = false;
    int32_t tagLine_ = 1;
    uint8_t quote_ = 0;
    int32_t quoteLine_ = 0;
    bool quoteCrossed_ = false;
    int dashes_ = 0;
    uint8_t script_ = 0;
    bool scriptEnd_ = false;
    std::string markup_;       // bytes after "<!" while deciding between comment and declaration
    std::string rawName_;      // the element whose raw text runs (script, style)
    std::string rawTail_;
    bool inEntity_ = false;
    std::string entity_;
    bool textReported_ = false;
    std::vector<Open> stack_;
    bool tooDeepReported_ = false;
    std::set<std::string> ids_;
    std::unordered_set<std::string> entities_;
    std::unordered_map<std::string, const uint8_t*> elements_;
    std::unordered_map<const uint8_t*, std::unordered_map<std::string, const char*>> attributes_;
};

// CaretContext: what the caret stands in on its own line in HTML mode (text, a tag name, an
// attribute, a value, an entity, a comment, a script block), with the names typed there.
#pragma once
#include <cstddef>
#include <cstdint>

namespace caretcontext {
constexpr int32_t None = 0;
constexpr int32_t Text = 1;
constexpr int32_t Comment = 2;
constexpr int32_t ScriptInText = 0x1001;
constexpr int32_t ScriptInComment = 0x1002;
constexpr int32_t ScriptInTag = 0x1004;
constexpr int32_t ScriptInValue = 0x100D;
constexpr int32_t Declaration = 10;
constexpr int32_t ElementName = 11;
constexpr int32_t Attribute = 12;
constexpr int32_t Value = 13;
constexpr int32_t Entity = 20;
constexpr int32_t CssProperty = 30;
constexpr int32_t Colour = 40;
constexpr int32_t Word = 90;
constexpr size_t kMaxName = 63;
constexpr size_t kPresentSize = 1024;
}  // namespace caretcontext

struct CaretContext {
    int32_t code = caretcontext::None;
    char contextCharacter = 0;   // "!" in a comment, the block's character in a script block
    char element[64] = {};       // the tag's element name
    char attribute[64] = {};     // the attribute being typed (12) or whose value it is (13)
    char typed[64] = {};         // the typed name, value or entity name
    // Names of the attributes already in the tag, before and after the caret, NUL-terminated.
    char present[caretcontext::kPresentSize] = {};
    size_t presentLength = 0;
    uint32_t nameStart = 0;      // offset of the "<" that began the tag (codes 10-13)
    bool tagEndsOnLine = false;  // a ">" closes the tag after the caret on this line
    bool attributesAfterCaret = false;
};

// Scans the caret's line from its start state (the lexer's HTML line states) to the caret.
CaretContext analyseCaretContext(uint8_t lineStartState, const uint8_t* line, uint32_t length,
                                 uint32_t caretOffset);

// True when `name` is among the context's present attribute names (ASCII case folded).
bool attributePresent(const CaretContext& context, const char* name, size_t length);

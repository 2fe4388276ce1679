// PhraseExpansion: a fixed phrase (or an anchor-tag template) with its placeholder, the marker
// byte followed by "selected_text" and the marker again, replaced by the selection's text, and a
// doubled marker written as one marker.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

class PhraseExpansion {
public:
    // marker: '$' in fixed phrases, '*' in anchor tags.
    explicit PhraseExpansion(char marker) : marker_(marker) {}

    // First pass: how many placeholders the text holds.
    uint64_t countPlaceholders(const std::string& text) const;

    // Second pass: the expanded text. selectionSize is the selection's size as text (0 without a
    // selection); writeSelection writes exactly that many bytes at the pointer it is given. False
    // when the result cannot be allocated (the caller then inserts nothing).
    bool expand(const std::string& text, uint64_t selectionSize,
                const std::function<void(char*)>& writeSelection, std::string& result) const;

    static constexpr uint64_t kPlaceholderLength = 15;

private:
    bool placeholderAt(const std::string& text, uint64_t i) const;
    char marker_;
};

// The texts the path tools hand back: an img tag with optional size and alt attributes and an
// anchor tag around a placeholder for the selection. Each fits the caller's buffer of `length`
// bytes with its NUL, or is not made.
#pragma once
#include <cstddef>
#include <string>

#include "ImageSize.h"

namespace pagetool {

// The anchor's content: the editor puts the selected text in its place.
inline constexpr char kSelectedTextMark[] = "*selected_text*";

// Sizes from this value on are taken for unreadable and left out of the tag.
inline constexpr unsigned kLargestImageSide = 99999;

struct ImageTagOptions {
    bool xhtml = false;      // close with " />"; names in lower case
    bool upperCase = false;  // upper-case names (without xhtml)
    bool alwaysAlt = false;  // write alt="" even when no alt text was typed
};

// <img src="relative" width="W" height="H" alt="..."> with the size when `size` is given and both
// sides are at most kLargestImageSide. False when the buffer is too small: under 11 bytes, or
// without room for the src part and a closing (15 bytes beyond the path), the size attributes
// (45 beyond the path), or the alt attribute and the closing.
bool imageTag(const std::string& relative, const ImageSize* size, const std::string& alt,
              const ImageTagOptions& options, size_t length, std::string* tag);

// The room the relative path of an anchor may take in a buffer of `length` bytes.
inline size_t anchorPathRoom(size_t length) { return length >= 40 ? length - 40 : 0; }

// <a href="relative">*selected_text*</a>; false when the buffer is under 40 bytes or the tag
// and its NUL would not fit.
bool anchorTag(const std::string& relative, bool upperCase, size_t length, std::string* tag);

// Copies text and its NUL into buffer[0..length); writes nothing and answers false when they do
// not fit.
bool copyToBuffer(const std::string& text, char* buffer, size_t length);

}  // namespace pagetool

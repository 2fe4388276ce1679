// The img and anchor tag texts (see TagText.h).
#include "TagText.h"

#include <algorithm>
#include <cstring>

namespace pagetool {

namespace {

std::string attribute(const char* name, bool upper, const std::string& value) {
    std::string text = " ";
    for (const char* p = name; *p; ++p) text += upper ? static_cast<char>(*p - 32) : *p;
    return text + "=\"" + value + "\"";
}

}  // namespace

bool imageTag(const std::string& relative, const ImageSize* size, const std::string& alt,
              const ImageTagOptions& options, size_t length, std::string* tag) {
    const size_t pathLength = relative.size();
    if (length <= 10 || length < pathLength + 15) return false;
    const bool upper = options.upperCase && !options.xhtml;
    const std::string close = options.xhtml ? " />" : ">";
    std::string text = (upper ? "<IMG SRC=\"" : "<img src=\"") + relative + "\"";
    if (size && size->width <= kLargestImageSide && size->height <= kLargestImageSide) {
        if (length < pathLength + 45) return false;
        text += attribute("width", upper, std::to_string(size->width));
        text += attribute("height", upper, std::to_string(size->height));
    }
    if (options.alwaysAlt || !alt.empty()) {
        // Room for the attribute, the closing and the NUL; never less than ten bytes beyond.
        const std::string altText = attribute("alt", upper, alt);
        if (length < text.size() + std::max<size_t>(alt.size() + 10, altText.size() + close.size() + 1))
            return false;
        text += altText;
    }
    text += close;
    if (text.size() + 1 > length) return false;
    *tag = text;
    return true;
}

bool anchorTag(const std::string& relative, bool upperCase, size_t length, std::string* tag) {
    if (length < 40) return false;
    std::string text = (upperCase ? "<A HREF=\"" : "<a href=\"") + relative + "\">" +
                       kSelectedTextMark + (upperCase ? "</A>" : "</a>");
    if (text.size() + 1 > length) return false;
    *tag = text;
    return true;
}

bool copyToBuffer(const std::string& text, char* buffer, size_t length) {
    if (!buffer || text.size() + 1 > length) return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace pagetool

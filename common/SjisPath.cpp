// Shift_JIS paths taken apart the way the file system sees them (see SjisPath.h).
#include "SjisPath.h"

#include "TextCodes.h"

namespace sjis_path {

namespace {
uint8_t foldAscii(uint8_t b) { return (b >= 'A' && b <= 'Z') ? static_cast<uint8_t>(b + 32) : b; }
}  // namespace

size_t charLength(const std::string& text, size_t at) {
    return isSjisLead(static_cast<uint8_t>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

size_t fileNameOffset(const std::string& path) {
    size_t name = 0;
    for (size_t i = 0; i < path.size(); i += charLength(path, i))
        if (path[i] == '\\') name = i + 1;
    return name;
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const uint8_t x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[i]);
        if (isSjisLead(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (foldAscii(x) != foldAscii(y)) {
            return false;
        }
    }
    return true;
}

}  // namespace sjis_path

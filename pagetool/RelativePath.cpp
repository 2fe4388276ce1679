// The path of one file relative to an HTML document (see RelativePath.h).
#include "RelativePath.h"

#include "SjisPath.h"

namespace pagetool {

namespace {

uint8_t byteAt(const std::string& s, size_t i) { return static_cast<uint8_t>(s[i]); }

using sjis_path::charLength;

// Offset of the first "\" at or after `from` that is a character of its own; npos when none.
size_t nextSeparator(const std::string& path, size_t from) {
    for (size_t i = from; i < path.size(); i += charLength(path, i))
        if (path[i] == '\\') return i;
    return std::string::npos;
}

uint8_t foldAscii(uint8_t b) { return (b >= 'A' && b <= 'Z') ? static_cast<uint8_t>(b + 32) : b; }

// Length of the common beginning of a and b up to and including its last separator, comparing
// character by character: ASCII letters ignoring case, double-byte characters exactly.
size_t commonFolderLength(const std::string& a, const std::string& b) {
    size_t common = 0;
    for (size_t i = 0; i < a.size() && i < b.size();) {
        const size_t n = charLength(a, i);
        if (n != charLength(b, i)) break;
        if (n == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) break;
        } else {
            if (foldAscii(byteAt(a, i)) != foldAscii(byteAt(b, i))) break;
            if (a[i] == '\\') common = i + 1;
        }
        i += n;
    }
    return common;
}

}  // namespace

std::string pathRoot(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
        return path.substr(0, 3);
    if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
        // "\\server\share\": both names non-empty.
        const size_t server = nextSeparator(path, 2);
        if (server == std::string::npos || server == 2) return std::string();
        const size_t share = nextSeparator(path, server + 1);
        if (share == std::string::npos || share == server + 1) return std::string();
        return path.substr(0, share + 1);
    }
    return std::string();
}

RelativeResult relativePath(const std::string& document, const std::string& target,
                            size_t bufferLength, std::string* result) {
    const std::string root = pathRoot(document);
    if (root.empty() || !sjis_path::sameNameIgnoringCase(root, pathRoot(target)))
        return RelativeResult::OtherRoot;
    const size_t common = commonFolderLength(document, target);
    if (common == 0) return RelativeResult::NoCommonFolder;

    size_t up = 0;
    for (size_t i = common; i < document.size(); i += charLength(document, i))
        if (document[i] == '\\') ++up;
    std::string text;
    for (size_t k = 0; k < up; ++k) text += "../";
    for (size_t i = common; i < target.size();) {
        const size_t n = charLength(target, i);
        text += (n == 1 && target[i] == '\\') ? std::string("/") : target.substr(i, n);
        i += n;
    }
    if (bufferLength < 5 * up || bufferLength < text.size() + 1) return RelativeResult::NoRoom;
    *result = text;
    return RelativeResult::Ok;
}

}  // namespace pagetool

// Fuzz target: relative paths, file URL encodings and tag texts over any Shift_JIS bytes. The input
// is the document path, a NUL, the target path; the first byte also sets the buffer length.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FileUrl.h"
#include "RelativePath.h"
#include "TagText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t length = data[0] * 4u;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t nul = text.find('\0');
    const std::string document = text.substr(0, nul);
    const std::string target = nul == std::string::npos ? std::string() : text.substr(nul + 1);
    pagetool::pathRoot(target);
    pagetool::sjisPercentEncoded(target);
    pagetool::utf8PercentEncoded(target);
    std::string relative;
    if (pagetool::relativePath(document, target, length, &relative) != pagetool::RelativeResult::Ok) return 0;
    std::string tag;
    pagetool::ImageTagOptions options;
    options.xhtml = data[0] & 1;
    options.alwaysAlt = data[0] & 2;
    const pagetool::ImageSize sides{70, 46};
    if (pagetool::imageTag(relative, (data[0] & 4) ? &sides : nullptr, document, options, length, &tag) &&
        tag.size() + 1 > length)
        __builtin_trap();
    if (pagetool::anchorTag(relative, data[0] & 8, length, &tag) && tag.size() + 1 > length) __builtin_trap();
    return 0;
}

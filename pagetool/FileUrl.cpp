// The path part of a "file://" URL (see FileUrl.h).
#include "FileUrl.h"

#include <cstdint>
#include <vector>

#include "Cp932.h"
#include "TextCodes.h"
#include "Utf8.h"

namespace pagetool {

namespace {

void appendEscape(std::string& out, uint8_t b) {
    static const char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

// One single-byte character: "\" as "/", the bytes a URL cannot carry escaped.
void appendSingle(std::string& out, uint8_t b) {
    if (b == '\\')
        out += '/';
    else if (b >= 0x80 || b == '%' || b == '#')
        appendEscape(out, b);
    else
        out += static_cast<char>(b);
}

}  // namespace

std::string sjisPercentEncoded(const std::string& path) {
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(path[i]);
        if (isSjisLead(b) && i + 1 < path.size()) {
            appendEscape(out, b);
            appendEscape(out, static_cast<uint8_t>(path[++i]));
        } else {
            appendSingle(out, b);
        }
    }
    return out;
}

std::string utf8PercentEncoded(const std::string& path) {
    if (path.empty()) return std::string();
    std::vector<uint16_t> units(path.size());
    const uint32_t count = cp932::toUtf16(reinterpret_cast<const uint8_t*>(path.data()),
                                          static_cast<uint32_t>(path.size()), units.data(),
                                          static_cast<uint32_t>(units.size()));
    std::vector<uint8_t> bytes(count * 3 + 1);
    const uint32_t length = utf8::fromUtf16(units.data(), count, bytes.data());
    std::string out;
    for (uint32_t i = 0; i < length; ++i) appendSingle(out, bytes[i]);
    return out;
}

}  // namespace pagetool

// BrowserList: the byte codec of "browser" and the installer's preparation of the record.
#include "BrowserList.h"

#include <cstring>

#include "RecordBytes.h"

using namespace record_bytes;

const char* const BrowserList::kSlotNames[kSlotCount] = {
    "Internet Explorer", "Netscape (no use)", "Google Chrome", "Mozilla FireFox", "Opera"};

BrowserList BrowserList::empty() {
    BrowserList list;
    std::memset(&list, 0, sizeof list);
    list.version = kVersion;
    return list;
}

bool BrowserList::setPath(size_t slot, const std::string& path) {
    if (slot >= kSlotCount || path.size() >= kPathSize) return false;
    std::memset(paths[slot], 0, kPathSize);
    std::memcpy(paths[slot], path.data(), path.size());
    return true;
}

void BrowserList::encode(uint8_t* out) const {
    putU32(out, 0, version);
    putU32(out, 4, 0);
    std::memcpy(out + 8, paths, sizeof paths);
}

bool BrowserList::decode(const uint8_t* bytes, size_t size, BrowserList* record) {
    if (size != kSize || getU32(bytes, 0) != kVersion) return false;
    for (size_t slot = 0; slot < kSlotCount; ++slot) {
        if (!hasTerminator(bytes + 8 + slot * kPathSize, kPathSize)) return false;
    }
    record->version = kVersion;
    record->reserved = 0;
    std::memcpy(record->paths, bytes + 8, sizeof record->paths);
    return true;
}

namespace {

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// True when byte `at` of the Shift_JIS text starts a character (is not a trail byte).
bool isCharacterStart(const char* text, size_t at) {
    size_t i = 0;
    while (i < at) i += isLeadByte(uint8_t(text[i])) && text[i + 1] != 0 ? 2 : 1;
    return i == at;
}

// Ends with `suffix` on a character boundary, ASCII letters compared without case.
bool endsWithIgnoringCase(const char* text, const char* suffix) {
    const size_t n = std::strlen(text), m = std::strlen(suffix);
    if (m > n || !isCharacterStart(text, n - m)) return false;
    for (size_t i = 0; i < m; ++i) {
        char a = text[n - m + i], b = suffix[i];
        if (a >= 'A' && a <= 'Z') a = char(a + 32);
        if (b >= 'A' && b <= 'Z') b = char(b + 32);
        if (a != b) return false;
    }
    return true;
}

// The longest system browser path accepted from App Paths.
constexpr size_t kMaxSystemBrowserPath = 510;

}  // namespace

void prepareBrowserListForInstall(BrowserList* list, const BrowserInstallProbe& probe) {
    std::string path;
    if (!list->isRegistered(BrowserList::kInternetExplorer) && probe.systemBrowserPath &&
        probe.systemBrowserPath(&path) && path.size() <= kMaxSystemBrowserPath) {
        list->setPath(BrowserList::kInternetExplorer, path);
    }
    if (endsWithIgnoringCase(list->paths[BrowserList::kFirefox], "\\mozilla.exe")) {
        list->setPath(BrowserList::kFirefox, "");
    }
    const char* const firefox = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";
    if (!list->isRegistered(BrowserList::kFirefox) && probe.fileExists &&
        probe.fileExists(firefox)) {
        list->setPath(BrowserList::kFirefox, firefox);
    }
    const char* const opera = "C:\\Program Files\\Opera\\Opera.exe";
    if (!list->isRegistered(BrowserList::kOpera) && probe.fileExists && probe.fileExists(opera)) {
        list->setPath(BrowserList::kOpera, opera);
    }
}

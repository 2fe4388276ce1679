// FileHistory: parsing, writing and the update rules of the recently used file list.
#include "FileHistory.h"

#include <algorithm>

namespace {

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

uint8_t foldAscii(uint8_t b) { return (b >= 'A' && b <= 'Z') ? uint8_t(b + ('a' - 'A')) : b; }

}  // namespace

bool FileHistory::samePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    size_t i = 0;
    while (i < a.size()) {
        const uint8_t x = uint8_t(a[i]), y = uint8_t(b[i]);
        if (isLeadByte(x)) {
            // A double-byte character compares exactly, lead and trail alike.
            if (x != y) return false;
            if (i + 1 < a.size() && a[i + 1] != b[i + 1]) return false;
            i += 2;
            continue;
        }
        if (foldAscii(x) != foldAscii(y)) return false;
        ++i;
    }
    return true;
}

bool FileHistory::decode(const uint8_t* bytes, size_t size) {
    entries_.clear();
    std::vector<std::string> parsed;
    size_t start = 0;
    while (start < size) {
        const uint8_t* end = std::find(bytes + start, bytes + size, uint8_t(0));
        if (end == bytes + size) return false;  // the last entry lost its NUL
        const size_t length = size_t(end - (bytes + start));
        if (length == 0 || length > kMaxPathLength || parsed.size() == kMaxEntries) return false;
        std::string path(reinterpret_cast<const char*>(bytes + start), length);
        for (const std::string& earlier : parsed) {
            if (samePath(earlier, path)) return false;
        }
        parsed.push_back(std::move(path));
        start += length + 1;
    }
    entries_ = std::move(parsed);
    return true;
}

std::vector<uint8_t> FileHistory::encode() const {
    std::vector<uint8_t> bytes;
    for (const std::string& path : entries_) {
        bytes.insert(bytes.end(), path.begin(), path.end());
        bytes.push_back(0);
    }
    return bytes;
}

bool FileHistory::remove(const std::string& path) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const std::string& entry) { return samePath(entry, path); });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

bool FileHistory::add(const std::string& path) {
    if (path.empty() || path.size() > kMaxPathLength || path.find('\0') != std::string::npos) {
        return false;
    }
    if (!remove(path) && entries_.size() >= kMaxEntries) {
        entries_.resize(kMaxEntries - 1);
    }
    entries_.insert(entries_.begin(), path);
    return true;
}

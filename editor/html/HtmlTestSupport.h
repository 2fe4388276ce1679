// Helpers shared by the HTML tests: loading a shipped map, feeding text whole or line by line.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentMap.h"
#include "ElementScanner.h"

struct LoadedMap {
    DocumentMap map;
    explicit LoadedMap(const std::string& name) {
        const std::string path = std::string(ULO_MAP_DIR) + "/" + name;
        EXPECT_EQ(loadMap(map, path.c_str()), mapfile::kLoaded) << path;
    }
    ~LoadedMap() { unloadMap(map); }
};

// Feeds `text` the way the editor does: each line, then "\n" after each line that ended with a
// line break (CR LF and LF both end a line; the CR stays out). `whole` feeds it in one piece.
inline void feedDocument(ElementScanner& scanner, const std::string& text, bool whole) {
    if (whole) {
        scanner.feed(reinterpret_cast<const uint8_t*>(text.data()), text.size());
        return;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        const bool broken = end != std::string::npos;
        if (!broken) end = text.size();
        size_t lineEnd = end;
        if (broken && lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        scanner.feed(reinterpret_cast<const uint8_t*>(text.data() + start), lineEnd - start);
        if (!broken) break;
        scanner.feed(reinterpret_cast<const uint8_t*>("\n"), 1);
        start = end + 1;
    }
}

// The candidates of a list as a vector.
inline std::vector<std::string> splitCandidates(const char* list, size_t bytes) {
    std::vector<std::string> out;
    for (size_t p = 0; p < bytes && list[p] != 0; p += std::strlen(list + p) + 1) out.emplace_back(list + p);
    return out;
}

// Helpers of the text store tests: byte strings, loading an image into a store, reading lines.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "TextStore.h"

namespace storetest {

using Bytes = std::vector<uint8_t>;

inline Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

inline std::string textOf(const LineRecord& line) {
    return std::string(reinterpret_cast<const char*>(line.text), line.length);
}

// Every line's text, in order.
inline std::vector<std::string> linesOf(const TextStore& store) {
    std::vector<std::string> lines;
    for (const LineRecord* line = store.firstLine(); line; line = line->next) lines.push_back(textOf(*line));
    return lines;
}

inline std::vector<uint8_t> lineEndsOf(const TextStore& store) {
    std::vector<uint8_t> ends;
    for (const LineRecord* line = store.firstLine(); line; line = line->next) ends.push_back(line->lineEnd);
    return ends;
}

// Resets the store to `encoding`, loads `image` as one borrowed chunk and converts it. The image
// must stay alive (and is decoded in place).
inline bool loadImage(TextStore& store, Bytes& image, TextEncoding encoding) {
    store.reset(encoding);
    if (!store.loadChunk(static_cast<uint32_t>(image.size()), image.data(), true)) return false;
    return store.convertLoaded();
}

inline Bytes readFile(const std::string& path) {
    Bytes bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

}  // namespace storetest

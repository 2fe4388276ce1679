// Helpers shared by the Kanji tests: the sample texts and writing through a temporary stream.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "PrivateTempFile.h"

using Bytes = std::vector<uint8_t>;

inline Bytes bytesOf(const char* s) {
    Bytes b;
    for (; *s; ++s) b.push_back(static_cast<uint8_t>(*s));
    return b;
}

// A file of testdata/ in whole (empty when it cannot be read).
inline Bytes readTestData(const char* name) {
    std::string path = std::string(ULO_CODES_TESTDATA) + "/" + name;
    Bytes data;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.insert(data.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return data;
}

// The lines of a text split at LF, without their line ends.
inline std::vector<Bytes> splitLines(const Bytes& text) {
    std::vector<Bytes> lines(1);
    for (uint8_t b : text) {
        if (b == '\n') lines.emplace_back();
        else lines.back().push_back(b);
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// Runs a writer on a temporary stream and returns what it wrote; *ok gets the writer's result.
template <typename Writer>
Bytes writeWith(Writer writer, const Bytes& line, bool* ok = nullptr) {
    Bytes out;
    std::FILE* f = openPrivateTempFile();
    if (!f) return out;
    bool result = writer(f, line.data(), static_cast<uint32_t>(line.size()));
    if (ok) *ok = result;
    std::fflush(f);
    std::rewind(f);
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.insert(out.end(), buffer, buffer + n);
    std::fclose(f);
    return out;
}

// Runs a decoder in place on a copy of `input`; the result is empty with *ok false on failure.
template <typename Decoder>
Bytes decodeWith(Decoder decoder, const Bytes& input, bool* ok = nullptr) {
    Bytes buffer = input;
    uint32_t length = static_cast<uint32_t>(buffer.size());
    bool result = decoder(buffer.data(), buffer.data(), &length);
    if (ok) *ok = result;
    if (!result) return Bytes();
    buffer.resize(length);
    return buffer;
}

// What both HTML benchmarks time: the element scanner and the grammar checker over a whole
// Shift_JIS document, fed line by line as the editor hands lines over (the line, then "\n").
#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "DocumentMap.h"
#include "ElementScanner.h"
#include "LintChecker.h"

namespace html_bench {

using Clock = std::chrono::steady_clock;
inline double since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Calls f with each line (without its LF or CR LF) and whether a line end followed.
template <typename F>
void forEachLine(const std::string& text, F f) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool broken = end != std::string::npos;
        if (!broken) end = text.size();
        const size_t length = end - start - (broken && end > start && text[end - 1] == '\r' ? 1 : 0);
        f(reinterpret_cast<const uint8_t*>(text.data() + start), length, broken);
        start = end + 1;
    }
}

// Seconds for the scanner from the document's start to its end.
inline double timeScanner(const DocumentMap& map, const std::string& text) {
    const auto t = Clock::now();
    ElementScanner scanner(map);
    forEachLine(text, [&](const uint8_t* p, size_t n, bool broken) {
        scanner.feed(p, n);
        if (broken) scanner.feed(reinterpret_cast<const uint8_t*>("\n"), 1);
    });
    return since(t);
}

// Seconds for the checker over the whole document, every check on, its messages dropped.
inline double timeChecker(DocumentMap& map, const std::string& text) {
    const auto t = Clock::now();
    LintChecker checker;
    checker.initialize(&map, [](void*, int32_t, const char*, uint32_t) { return true; }, nullptr, 0x3B);
    forEachLine(text, [&](const uint8_t* p, size_t n, bool broken) {
        checker.execute(p, n);
        if (broken) checker.execute(reinterpret_cast<const uint8_t*>("\n"), 1);
    });
    checker.finish();
    return since(t);
}

}  // namespace html_bench

// lintcheck MAP DOC [OPTIONS]: checks a Shift_JIS document with a map, fed line by line as the
// editor feeds it, and prints "LINE: kind text" for each message (kind E error, I information,
// C continuation, P plain). Exit status: 0 no errors, 1 errors, 2 the map or document failed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DocumentMap.h"
#include "LintChecker.h"

namespace {

int errors = 0;

bool print(void*, int32_t line, const char* text, uint32_t kind) {
    const char k = (kind & lintkind::Continuation) ? 'C' : (kind & lintkind::Information) ? 'I'
                   : (kind & 0x100000) ? 'P' : 'E';
    if (k == 'E') ++errors;
    std::printf("%d: %c %s\n", line, k, text);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: lintcheck MAP DOC [OPTIONS]\n");
        return 2;
    }
    const uint32_t options = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 0)) : 0x3B;
    DocumentMap map;
    if (loadMap(map, argv[1]) != mapfile::kLoaded) {
        std::fprintf(stderr, "%s: cannot load the map\n", argv[1]);
        return 2;
    }
    FILE* file = std::fopen(argv[2], "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open\n", argv[2]);
        return 2;
    }
    std::string text;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    LintChecker checker;
    checker.initialize(&map, print, nullptr, options);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool broken = end != std::string::npos;
        if (!broken) end = text.size();
        size_t lineEnd = end;
        if (broken && lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        checker.execute(reinterpret_cast<const uint8_t*>(text.data() + start), lineEnd - start);
        if (broken) checker.execute(reinterpret_cast<const uint8_t*>("\n"), 1);
        start = end + 1;
    }
    checker.finish();
    unloadMap(map);
    return errors > 0 ? 1 : 0;
}

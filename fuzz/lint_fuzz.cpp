// Fuzz target: the grammar checker over arbitrary document bytes with the HTML 4.01
// Transitional and XHTML 1.0 maps (the first input byte picks the map and the piece size).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DocumentMap.h"
#include "LintChecker.h"

namespace {
bool ignore(void*, int32_t, const char*, uint32_t) { return true; }

const DocumentMap* mapNamed(const char* name) {
    static DocumentMap maps[2];
    static bool loaded[2];
    const int i = name[0] == 'x' ? 1 : 0;
    if (!loaded[i]) {
        const char* dir = std::getenv("ULO_MAP_DIR");
        loadMap(maps[i], (std::string(dir ? dir : "dtd") + "/" + name).c_str());
        loaded[i] = true;
    }
    return &maps[i];
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const DocumentMap* map = mapNamed((data[0] & 1) ? "xhtml1-transitional.map" : "html401-loose.map");
    if (map->block == nullptr) return 0;
    const size_t piece = 1 + (data[0] >> 1);
    LintChecker checker;
    checker.initialize(map, ignore, nullptr, 0x1000003B);
    for (size_t i = 1; i < size; i += piece) checker.execute(data + i, std::min(piece, size - i));
    checker.finish();
    return 0;
}

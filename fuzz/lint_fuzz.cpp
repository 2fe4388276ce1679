// Fuzz target: the grammar checker over arbitrary document bytes with the HTML 4.01
// Transitional and XHTML 1.0 maps (the first input byte picks the map and the piece size).
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DocumentMap.h"
#include "FuzzMaps.h"
#include "LintChecker.h"

namespace {
bool ignore(void*, int32_t, const char*, uint32_t) { return true; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const DocumentMap* map = &fuzzMap((data[0] & 1) ? "xhtml1-transitional.map" : "html401-loose.map");
    if (map->block == nullptr) return 0;
    const size_t piece = 1 + (data[0] >> 1);
    LintChecker checker;
    checker.initialize(map, ignore, nullptr, 0x1000003B);
    for (size_t i = 1; i < size; i += piece) checker.execute(data + i, std::min(piece, size - i));
    checker.finish();
    return 0;
}

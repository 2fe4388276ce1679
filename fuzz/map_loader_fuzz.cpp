// Fuzz target: a document-type map image loaded from memory; a map that loads is walked with
// every lookup the editor and the checker make.
#include <cstddef>
#include <cstdint>

#include "DocumentMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DocumentMap map;
    if (loadMapFromMemory(map, data, size) == mapfile::kLoaded) {
        for (const uint8_t* r = firstElement(map); r != nullptr; r = nextElement(map, r)) {
            const uint8_t* model = contentModel(map, r);
            allowsChild(model, "p", 1);
            isEmptyModel(model);
            for (const char* a = firstAttribute(attributeList(map, r)); a != nullptr; a = nextAttribute(a))
                isBooleanAttribute(map, a);
        }
        findElement(map, "table", 5);
    }
    unloadMap(map);
    return 0;
}

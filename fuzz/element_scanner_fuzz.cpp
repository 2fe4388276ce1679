// Fuzz target: the element scanner and the caret context over arbitrary document bytes, the way
// the editor asks them while typing: the scanner fed in pieces (bounded or not) and asked for its
// candidates, the caret context of a line from any start state at any caret offset.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CaretContext.h"
#include "DocumentMap.h"
#include "ElementScanner.h"
#include "FuzzInput.h"
#include "FuzzMaps.h"

namespace {
const DocumentMap* mapNamed(int which) {
    static const char* const kNames[2] = {"html401-loose.map", "xhtml1-transitional.map"};
    return &fuzzMap(kNames[which]);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t choice = in.byte();
    const DocumentMap* map = mapNamed(choice & 1);
    const size_t piece = 1 + in.byte();
    const uint8_t lineState = in.byte();
    const uint32_t caret = in.u16();
    size_t length = 0;
    const uint8_t* text = in.rest(&length);

    if (map->block != nullptr) {
        ElementScanner scanner(*map, (choice & 2) ? ElementScanner::kBounded : 0);
        for (size_t i = 0; i < length; i += piece)
            if (!scanner.feed(text + i, piece < length - i ? piece : length - i)) break;
        char candidates[2048];
        scanner.elementCandidates(candidates, sizeof candidates, (choice & 4) != 0, (choice >> 3) % 3 - 1,
                                  (choice & 0x20) ? '@' : 0);
        scanner.elementCandidates(candidates, 8, true, 0, 0);  // too small: must write within 8
    }
    const uint32_t lineLength = static_cast<uint32_t>(length);
    const CaretContext context =
        analyseCaretContext(lineState, text, lineLength, lineLength ? caret % (lineLength + 1) : 0);
    attributePresent(context, "href", 4);
    return 0;
}

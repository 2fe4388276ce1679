// A keyword file (anyone can edit or replace one) loaded from memory, then looked up: a file
// that fails validation must leave no table; one that passes must answer every look-up without
// reading outside itself.
//
// Input: a two-byte length of the file image, the image, then text to look up.
#include "FuzzInput.h"
#include "KeywordTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    size_t imageLength = 0;
    const uint8_t* image = in.take(in.u16(), &imageLength);
    KeywordTable table;
    if (!table.loadFromMemory(image, imageLength)) return 0;
    size_t textLength = 0;
    const uint8_t* text = in.rest(&textLength);
    // Every word of the text, then every suffix of it, as the lexer asks.
    for (size_t from = 0; from < textLength && from < 64; ++from) {
        uint32_t start = 0, length = 0;
        table.findKeyword(text + from, static_cast<uint32_t>(textLength - from), &start, &length);
        table.isKeyword(text + from, static_cast<uint32_t>(textLength - from > 40 ? 40 : textLength - from));
    }
    return 0;
}

// QuorvaleListing: numbered result lines and the closing line of a listing search.
#include "QuorvaleListing.h"

#include <cstdio>

#include "TextCodes.h"

namespace quorvale {

uint32_t listingKeptBytes(const uint8_t* text, uint32_t length) {
    if (length <= listingLineLimit) return length;
    uint32_t i = 0;
    while (i < listingCutAt) i += (isSjisLead(text[i]) && i + 1 < length) ? 2 : 1;
    return i;   // the character that reached byte 510 is kept whole
}

std::string listingLine(int32_t lineNumber, const uint8_t* text, uint32_t length) {
    char head[32];
    std::snprintf(head, sizeof head, "%7d\x8d\x73: ", static_cast<int>(lineNumber));  // "%7d行: "
    std::string line(head);
    line.append(reinterpret_cast<const char*>(text), listingKeptBytes(text, length));
    return line;
}

std::string listingSummary(int32_t matches) {
    char text[64];
    // "【 %d行マッチしました】"
    std::snprintf(text, sizeof text,
                  "\x81\x79 %d\x8d\x73\x83\x7d\x83\x62\x83\x60\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x7a",
                  static_cast<int>(matches));
    return text;
}

}  // namespace quorvale

// LineSplitter: the mask loading of one block; the rest is inline in the header.
#include "LineSplitter.h"

void LineSplitter::loadBlock() {
    mask_ = utf16_ ? bytescan::lineEndUnitMask(bytes_, uint32_t(blockStart_), count_, &tabMask_)
                   : bytescan::lineEndByteMask(bytes_, uint32_t(blockStart_), count_, &tabMask_);
    blockLoaded_ = true;
}

uint32_t LineSplitter::endOfLastLine(const uint8_t* bytes, uint32_t from, uint32_t count, bool utf16) {
    if (utf16) {
        for (uint32_t at = from + (count - from) / 2 * 2; at > from; at -= 2) {
            uint8_t b = bytes[at - 2];
            if (bytes[at - 1] == 0 && (b == 0x0A || b == 0x0D)) return at;
        }
        return from;
    }
    for (uint32_t at = count; at > from; --at)
        if (bytes[at - 1] == 0x0A || bytes[at - 1] == 0x0D) return at;
    return from;
}

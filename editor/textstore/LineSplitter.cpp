// LineSplitter: line ends found 64 bytes at a time, the state kept in locals while a batch of
// segments is collected.
#include "LineSplitter.h"

namespace {

// Bits of a block from `from` (an offset into it, or past it) on.
inline uint64_t bitsFrom(uint64_t from) { return from >= 64 ? 0 : ~uint64_t(0) << from; }

}  // namespace

uint32_t LineSplitter::collect(Segment* out, uint32_t room) {
    const uint8_t* bytes = bytes_;
    const uint32_t count = count_, unit = utf16_ ? 2 : 1;
    uint32_t position = position_;
    uint64_t blockStart = blockStart_, mask = mask_, tabs = tabMask_;
    bool tabSeen = tabSeen_;
    auto load = [&] {
        mask = utf16_ ? bytescan::lineEndUnitMask(bytes, uint32_t(blockStart), count, &tabs)
                      : bytescan::lineEndByteMask(bytes, uint32_t(blockStart), count, &tabs);
        // Drop what lies before the position (a LF consumed with the CR of the block before).
        uint64_t keep = bitsFrom(position > blockStart ? position - blockStart : 0);
        mask &= keep;
        tabs &= keep;
    };
    if (!blockLoaded_) {
        blockStart = position & ~63u;
        load();
        blockLoaded_ = true;
    }
    uint32_t n = 0;
    while (n < room) {
        if (!mask) {
            tabSeen |= tabs != 0;
            if (blockStart + 64 >= count) {
                tabs = 0;
                break;
            }
            blockStart += 64;
            load();
            continue;
        }
        uint32_t bit = uint32_t(__builtin_ctzll(mask));
        uint32_t at = uint32_t(blockStart) + bit;
        if (uint64_t(at) + unit > count) {
            mask = 0;
            break;
        }
        Segment& segment = out[n++];
        segment.start = position;
        segment.length = at - position;
        segment.hasTab = tabSeen | ((tabs & ((mask & (0 - mask)) - 1)) != 0);
        tabSeen = false;
        if (bytes[at] == 0x0A) {
            segment.lineEnd = LineEnd::Lf;
            segment.endBytes = unit;
        } else if (uint64_t(at) + 2 * unit <= count && bytes[at + unit] == 0x0A && (!utf16_ || bytes[at + 3] == 0)) {
            segment.lineEnd = LineEnd::CrLf;
            segment.endBytes = 2 * unit;
        } else {
            // Also a CR that is the chunk's last byte.
            segment.lineEnd = LineEnd::Cr;
            segment.endBytes = unit;
        }
        position = at + segment.endBytes;
        uint64_t keep = bitsFrom(bit + segment.endBytes);
        mask &= keep;
        tabs &= keep;
    }
    position_ = position;
    blockStart_ = blockStart;
    mask_ = mask;
    tabMask_ = tabs;
    tabSeen_ = tabSeen;
    return n;
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

// LineSplitter: line ends and TABs are found 64 bytes at a time and kept as a list of offsets
// ahead of the position, which segments are then cut from.
#include "LineSplitter.h"

namespace {

// Set bits of a mask, counted without a processor instruction for it.
inline uint32_t bitCount(uint64_t m) {
    m = m - ((m >> 1) & 0x5555555555555555ull);
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return uint32_t((m * 0x0101010101010101ull) >> 56);
}

}  // namespace

// The offsets of a block's set bits are written four at a time whatever their number, so that
// how many a block holds steers no branch in the common case.
bool LineSplitter::refill() {
    markCount_ = markIndex_ = 0;
    while (markCount_ < kMarks && nextBlock_ < count_) {
        uint64_t tabs = 0;
        uint64_t m = utf16_ ? bytescan::lineEndUnitMask(bytes_, uint32_t(nextBlock_), count_, &tabs)
                            : bytescan::lineEndByteMask(bytes_, uint32_t(nextBlock_), count_, &tabs);
        m |= tabs;
        uint32_t* out = marks_ + markCount_;
        const uint32_t base = uint32_t(nextBlock_), found = bitCount(m);
        for (uint32_t j = 0; j < 4; ++j) {
            out[j] = base + uint32_t(__builtin_ctzll(m | (uint64_t(1) << 63)));
            m &= m - 1;
        }
        for (uint32_t j = 4; j < found; ++j) {
            out[j] = base + uint32_t(__builtin_ctzll(m));
            m &= m - 1;
        }
        markCount_ += found;
        nextBlock_ += 64;
    }
    return markCount_ > 0;
}

uint32_t LineSplitter::collect(Segment* out, uint32_t room) {
    const uint32_t unit = utf16_ ? 2 : 1;
    uint32_t position = position_, n = 0;
    bool tabSeen = tabSeen_;
    while (n < room) {
        if (markIndex_ == markCount_ && !refill()) break;
        uint32_t at = marks_[markIndex_++];
        if (at < position) continue;
        if (bytes_[at] == 0x09) {
            tabSeen = true;
            continue;
        }
        Segment& segment = out[n++];
        segment.start = position;
        segment.length = at - position;
        segment.hasTab = tabSeen;
        tabSeen = false;
        if (bytes_[at] == 0x0A) {
            segment.lineEnd = LineEnd::Lf;
            segment.endBytes = unit;
        } else if (uint64_t(at) + 2 * unit <= count_ && bytes_[at + unit] == 0x0A && (!utf16_ || bytes_[at + 3] == 0)) {
            segment.lineEnd = LineEnd::CrLf;
            segment.endBytes = 2 * unit;
        } else {
            // Also a CR that is the chunk's last byte.
            segment.lineEnd = LineEnd::Cr;
            segment.endBytes = unit;
        }
        position = at + segment.endBytes;
    }
    position_ = position;
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

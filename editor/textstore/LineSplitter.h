// LineSplitter: cuts a chunk of a file image at its line ends (bytes CR/LF, or 16-bit units
// 000D/000A at even offsets for UTF-16LE) and tells the kind of each line end.
#pragma once
#include <cstdint>

#include "ByteScan.h"
#include "TextCodes.h"

class LineSplitter {
public:
    struct Segment {
        uint32_t start = 0;       // offset of the segment in the chunk
        uint32_t length = 0;      // bytes before the line end
        LineEnd lineEnd = LineEnd::None;
        uint32_t endBytes = 0;    // bytes the line end takes in the chunk
        bool hasTab = true;       // false when the segment has no TAB (byte, or unit for UTF-16LE)
    };

    LineSplitter(const uint8_t* bytes, uint32_t count, bool utf16)
        : bytes_(bytes), count_(count), utf16_(utf16) {}

    // The next segment that ends in a line end; false when the rest of the chunk has none (the
    // rest then starts at `position()`).
    bool next(Segment& segment);
    uint32_t position() const { return position_; }
    // Goes on at `offset` (a unit start, at or after the position), as if the bytes before it had
    // been split already.
    void skipTo(uint32_t offset) {
        position_ = offset;
        blockLoaded_ = false;
        tabSeen_ = false;
    }

    // Offset just past the last line end in bytes[from, count), or `from` when there is none.
    // `from` is a unit start for UTF-16LE.
    static uint32_t endOfLastLine(const uint8_t* bytes, uint32_t from, uint32_t count, bool utf16);

private:
    // Offset of the next CR or LF (byte or unit) at or after position_, or count_ when none.
    uint32_t nextLineEndByte();
    void loadBlock();

    const uint8_t* bytes_;
    uint32_t count_;
    bool utf16_;
    uint32_t position_ = 0;
    // One 64-byte block of the chunk at a time: a bit for every line-end byte (or unit start) in
    // it that lies at or after position_.
    uint64_t blockStart_ = 0;
    uint64_t mask_ = 0;
    uint64_t tabMask_ = 0;     // TAB bytes (or units) of the block
    bool tabSeen_ = false;     // a TAB between position_ and the block
    bool blockLoaded_ = false;
};

// Line ends found 64 bytes at a time.
inline uint32_t LineSplitter::nextLineEndByte() {
    if (!blockLoaded_) {
        blockStart_ = position_ & ~63u;
        loadBlock();
    }
    for (;;) {
        // Drop what lies before the position (also a LF consumed from the previous block).
        uint64_t skip = position_ > blockStart_ ? position_ - blockStart_ : 0;
        uint64_t from = skip >= 64 ? 0 : ~uint64_t(0) << skip;
        mask_ &= from;
        if (mask_) {
            // TABs from the position up to the line end.
            uint64_t before = (mask_ & (0 - mask_)) - 1;
            tabSeen_ |= (tabMask_ & from & before) != 0;
            return uint32_t(blockStart_ + uint64_t(__builtin_ctzll(mask_)));
        }
        tabSeen_ |= (tabMask_ & from) != 0;
        blockStart_ += 64;
        if (blockStart_ >= count_) return count_;
        loadBlock();
    }
}

inline bool LineSplitter::next(Segment& segment) {
    uint32_t at = nextLineEndByte();
    uint32_t unit = utf16_ ? 2 : 1;
    if (at >= count_ || uint64_t(at) + unit > count_) return false;
    segment.start = position_;
    segment.length = at - position_;
    segment.hasTab = tabSeen_;
    tabSeen_ = false;
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
    position_ = at + segment.endBytes;
    return true;
}

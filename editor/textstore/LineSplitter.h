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

    // Fills `out` with up to `room` further segments that end in a line end and returns how many;
    // fewer than `room` when the rest of the chunk has no more (the rest then starts at
    // `position()`).
    uint32_t collect(Segment* out, uint32_t room);
    // The next segment that ends in a line end; false when the rest of the chunk has none.
    bool next(Segment& segment) { return collect(&segment, 1) == 1; }
    uint32_t position() const { return position_; }
    // Goes on at `offset` (a unit start, at or after the position), as if the bytes before it had
    // been split already.
    void skipTo(uint32_t offset) {
        position_ = offset;
        nextBlock_ = offset & ~63u;
        markCount_ = markIndex_ = 0;
        tabSeen_ = false;
    }

    // Offset just past the last line end in bytes[from, count), or `from` when there is none.
    // `from` is a unit start for UTF-16LE.
    static uint32_t endOfLastLine(const uint8_t* bytes, uint32_t from, uint32_t count, bool utf16);

private:
    // Scans further 64-byte blocks until kMarks marks or more are found; false when the chunk is
    // done.
    bool refill();

    const uint8_t* bytes_;
    uint32_t count_;
    bool utf16_;
    uint32_t position_ = 0;
    uint64_t nextBlock_ = 0;   // the first block not scanned yet
    // Offsets of the line-end and TAB bytes (or units) found ahead, in order. Marks before the
    // position (a LF taken with its CR) are passed over.
    static const uint32_t kMarks = 128;
    uint32_t marks_[kMarks + 64 + 4];
    uint32_t markCount_ = 0;
    uint32_t markIndex_ = 0;
    bool tabSeen_ = false;     // a TAB between the position and the next mark
};

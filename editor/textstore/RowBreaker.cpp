// RowBreaker: rebreaking one line into its row array, and finding rows by offset.
#include "RowBreaker.h"

#include <algorithm>

namespace {

// Collects row starts for the line's row array, which has a power-of-two capacity from 2 entries
// and always one entry more than the starts, for the final `length`. Starts are gathered a few at
// a time so that the array is grown once to its final size rather than doubled step by step.
class RowArraySink {
public:
    RowArraySink(LineRecord& line, uint32_t kept, StoreAllocator& allocator)
        : line_(line), count_(kept), allocator_(allocator) {}

    void operator()(uint32_t start) {
        pending_[pendingCount_++] = start;
        if (pendingCount_ == batch) flush();
    }
    // Moves the gathered starts into the array. When it cannot grow it keeps its size, takes what
    // fits and ignores every later start.
    void flush() {
        if (full_) pendingCount_ = 0;
        if (pendingCount_ == 0) return;
        uint32_t capacity = uint32_t(line_.rowStartsCapacity);
        uint32_t take = pendingCount_;
        if (count_ + take + 1 > capacity && !grow(count_ + take + 1)) {
            take = capacity > count_ + 1 ? capacity - count_ - 1 : 0;
            full_ = true;
        }
        for (uint32_t i = 0; i < take; ++i) line_.rowStarts[count_++] = pending_[i];
        pendingCount_ = 0;
    }
    uint32_t count() const { return count_; }
    bool full() const { return full_; }

private:
    static constexpr uint32_t batch = 16;

    bool grow(uint32_t need) {
        uint32_t old = uint32_t(line_.rowStartsCapacity);
        uint64_t wanted = old ? old : 2;
        while (wanted < need) wanted *= 2;
        void* grown = allocator_.reallocate(line_.rowStarts, sizeof(uint32_t) * old, size_t(sizeof(uint32_t) * wanted));
        if (!grown) return false;
        line_.rowStarts = static_cast<uint32_t*>(grown);
        line_.rowStartsCapacity = int32_t(wanted);
        return true;
    }

    LineRecord& line_;
    uint32_t count_;
    StoreAllocator& allocator_;
    uint32_t pending_[batch];
    uint32_t pendingCount_ = 0;
    bool full_ = false;
};

}  // namespace

// Row starts rise strictly, so both lookups are binary searches: a caret on a line of many rows
// is found in a few steps on every keystroke.
int32_t RowBreaker::restartRow(const LineRecord& line, uint32_t from) {
    if (line.rowCount <= 1 || !line.rowStarts) return 0;
    const uint32_t* starts = line.rowStarts;
    return int32_t(std::lower_bound(starts, starts + (line.rowCount - 1), from) - starts);
}

int32_t RowBreaker::rowOfOffset(const LineRecord& line, uint32_t offset) {
    if (line.rowCount <= 1 || !line.rowStarts) return 0;
    const uint32_t* starts = line.rowStarts;
    return int32_t(std::upper_bound(starts, starts + (line.rowCount - 1), offset) - starts);
}

int32_t RowBreaker::width(const uint8_t* text, uint32_t length) const {
    int32_t col = 0;
    for (uint32_t i = 0; i < length;) {
        if (text[i] == 0x09) {
            col = (col / tab_ + 1) * tab_;
            ++i;
        } else if (isSjisLead(text[i])) {
            col += 2;
            i += 2;
        } else {
            ++col;
            ++i;
        }
    }
    return col;
}

int32_t RowBreaker::breakLoaded(LineRecord& line, bool hasTab, StoreAllocator& allocator, bool urlHighlighting) const {
    return rebreakFrom(line, 0, allocator, urlHighlighting, hasTab);
}

int32_t RowBreaker::rebreakFrom(LineRecord& line, uint32_t from, StoreAllocator& allocator, bool urlHighlighting,
                                bool hasTab) const {
    int32_t restart = restartRow(line, from);
    uint32_t start = restart > 0 ? line.rowStarts[restart - 1] : 0;
    RowArraySink sink(line, uint32_t(restart), allocator);
    int32_t column = walk(line.text, line.length, start, sink, hasTab);
    sink.flush();
    uint32_t starts = sink.count();
    if (starts > 0) {
        line.rowStarts[starts] = line.length;
        line.rowCount = int32_t(starts) + 1;
        line.singleRowWidth = -1;
    } else {
        if (line.rowStarts)
            allocator.release(line.rowStarts, sizeof(uint32_t) * uint32_t(line.rowStartsCapacity));
        line.rowStarts = nullptr;
        line.rowStartsCapacity = 0;
        line.rowCount = 1;
        // Without a row array the line keeps one row even when it should have several.
        line.singleRowWidth = sink.full() ? width(line.text, line.length) : column;
    }
    line.urlFlags = urlHighlighting ? 0 : LineRecord::urlScanned;
    return line.rowCount - restart;
}

// UndoJournal: the document's undo history in one growable block addressed by offsets, which
// becomes a ring once it reaches its size limit; groups, edit identifiers and the undo/redo walks.
#pragma once
#include <cstdint>
#include <vector>

#include "UndoRecord.h"

class UndoJournal {
public:
    static constexpr uint32_t baseSize = 65536;
    static constexpr uint32_t noLimit = 0xFFFFFFFFu;

    enum class Step { nothing, done, stoppedAtLimit };

    explicit UndoJournal(uint32_t limit = noLimit);
    ~UndoJournal();
    UndoJournal(const UndoJournal&) = delete;
    UndoJournal& operator=(const UndoJournal&) = delete;
    UndoJournal(UndoJournal&&) = delete;
    UndoJournal& operator=(UndoJournal&&) = delete;

    void setLimit(uint32_t limit) { limit_ = limit; }
    uint32_t limit() const { return limit_; }

    // Forgets every record; the buffer stays allocated.
    void empty();
    // Frees the buffer as well (destruction of the store).
    void release();
    // The identifiers after a reset of the document: lastEditId 0, nextEditId 1.
    void resetEditIds();

    // Space for a new record of `payloadSize` bytes, linked as the newest; null when it cannot be
    // stored. The caller fills the whole payload.
    uint8_t* reserve(uint32_t payloadSize);

    // A record of `type` with its common part filled in: the identifiers advance (type 30 only
    // shows the next one) whether or not the record could be stored. Returns the type-specific
    // area after the common part, or null.
    uint8_t* append(uint16_t type, int32_t line, int32_t offset, uint32_t payloadSize);

    // The newest applied record (the one before `current`), or null.
    const uint8_t* newestPayload() const;
    // Replaces the newest record, a type-2 record, by one that also holds the n further typed
    // bytes: same offset and previous identifier, a new identifier. False when it could not be
    // stored (the journal is then empty); the identifiers advance either way.
    bool extendTyped(const uint8_t* bytes, uint32_t n);

    void beginGroup();
    void endGroup();
    int32_t groupDepth() const { return groupDepth_; }

    bool canUndo() const { return current_ != oldest_; }
    bool canRedo() const { return current_ != end_; }

    // Undo one step: `apply(view, sequence)` performs the inverse of each record, newest first.
    template <class Apply> Step undo(Apply&& apply);
    // Redo one step: `apply(view, lastOfStep)` performs each record again, oldest first.
    template <class Apply> Step redo(Apply&& apply);

    int32_t lastEditId() const { return lastEditId_; }
    int32_t nextEditId() const { return nextEditId_; }

    // Inspection for tests and benchmarks.
    int32_t endOffset() const { return end_; }
    int32_t oldestOffset() const { return oldest_; }
    int32_t currentOffset() const { return current_; }
    uint32_t allocated() const { return allocated_; }
    uint32_t recordCount() const;   // records from oldest to end
    // Links and offsets consistent: oldest reaches current and end along next links, previous
    // links agree, everything inside the buffer.
    bool check() const;

private:
    int32_t headerField(int32_t at, uint32_t field) const;
    void setHeaderField(int32_t at, uint32_t field, int32_t value);
    bool grow(uint64_t need);
    uint8_t* restart(uint32_t payloadSize, int32_t sequence);
    uint8_t* place(uint32_t payloadSize, int32_t sequence);
    uint8_t* link(int32_t at, int32_t previous, uint32_t payloadSize, int32_t sequence);
    bool takeSequence(int32_t* sequence);
    uint8_t* reserveWithSequence(uint32_t payloadSize, int32_t sequence);
    void advanceOldestPast(int32_t from, int32_t to);
    static void stamp(uint8_t* payload, uint16_t type, int32_t previousId, int32_t id,
                      int32_t line, int32_t offset);

    uint8_t* buffer_ = nullptr;
    uint32_t allocated_ = 0;
    uint32_t limit_;
    int32_t end_ = -1;
    int32_t oldest_ = -1;
    int32_t current_ = -1;
    int32_t groupDepth_ = 0;
    int32_t groupSeq_ = 0;
    bool groupRecording_ = true;
    int32_t lastEditId_ = 0;
    int32_t nextEditId_ = 1;
    std::vector<uint8_t> scratch_;   // typed bytes while a merged record moves
};

// Keeps a group open for its lifetime.
class UndoGroup {
public:
    explicit UndoGroup(UndoJournal& journal) : journal_(journal) { journal_.beginGroup(); }
    ~UndoGroup() { journal_.endGroup(); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    UndoJournal& journal_;
};

template <class Apply> UndoJournal::Step UndoJournal::undo(Apply&& apply)
{
    if (current_ == oldest_)
        return Step::nothing;
    for (;;) {
        current_ = headerField(current_, undo::headerPrevious);
        int32_t sequence = headerField(current_, undo::headerSequence);
        UndoRecordView record(buffer_ + current_ + undo::headerSize);
        apply(record, sequence);
        lastEditId_ = record.previousId();
        if (sequence < 1)
            return Step::done;
        if (current_ == oldest_)
            return Step::stoppedAtLimit;
    }
}

template <class Apply> UndoJournal::Step UndoJournal::redo(Apply&& apply)
{
    if (current_ == end_)
        return Step::nothing;
    for (;;) {
        int32_t at = current_;
        current_ = headerField(at, undo::headerNext);
        bool last = current_ == end_ || headerField(current_, undo::headerSequence) < 1;
        UndoRecordView record(buffer_ + at + undo::headerSize);
        apply(record, last);
        // A selection record only shows the next identifier; redoing it changes no text, so the
        // identifier stays that of the edit before it.
        lastEditId_ = record.type() == undo::typeRecordSelection ? record.previousId() : record.id();
        if (last)
            return Step::done;
    }
}

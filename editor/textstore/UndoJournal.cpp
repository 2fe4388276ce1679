// UndoJournal: record placement in the growable block and the ring, groups and edit identifiers.
#include "UndoJournal.h"

#include <cstdlib>
#include <cstring>
#include <new>

using namespace undo;

UndoJournal::UndoJournal(uint32_t limit) : limit_(limit) {}

UndoJournal::~UndoJournal()
{
    release();
}

void UndoJournal::empty()
{
    end_ = oldest_ = current_ = -1;
}

void UndoJournal::release()
{
    std::free(buffer_);
    buffer_ = nullptr;
    allocated_ = 0;
    empty();
}

void UndoJournal::resetEditIds()
{
    lastEditId_ = 0;
    nextEditId_ = 1;
}

int32_t UndoJournal::headerField(int32_t at, uint32_t field) const
{
    return readI32(buffer_ + at + field);
}

void UndoJournal::setHeaderField(int32_t at, uint32_t field, int32_t value)
{
    writeI32(buffer_ + at + field, value);
}

// The size is the base size doubled as often as `need` requires; a doubling past the limit fails.
bool UndoJournal::grow(uint64_t need)
{
    uint64_t size = baseSize;
    while (size < need) {
        if (size * 2 > limit_)
            return false;
        size *= 2;
    }
    if (size <= allocated_)
        return true;
    void* block = std::realloc(buffer_, static_cast<size_t>(size));
    if (!block)
        return false;
    buffer_ = static_cast<uint8_t*>(block);
    allocated_ = static_cast<uint32_t>(size);
    return true;
}

// Writes the header of a record at `at` and the end marker after its payload, and links it as
// the newest record after `previous` (-1 for none).
uint8_t* UndoJournal::link(int32_t at, int32_t previous, uint32_t payloadSize, int32_t sequence)
{
    int32_t marker = at + static_cast<int32_t>(headerSize + payloadSize);
    setHeaderField(at, headerPrevious, previous);
    setHeaderField(at, headerNext, marker);
    setHeaderField(at, headerSequence, sequence);
    setHeaderField(marker, headerPrevious, at);
    setHeaderField(marker, headerNext, -1);
    setHeaderField(marker, headerSequence, 0);
    if (previous >= 0)
        setHeaderField(previous, headerNext, at);
    current_ = end_ = marker;
    return buffer_ + at + headerSize;
}

// Starts the journal over with one record at offset 0; whatever it held is gone.
uint8_t* UndoJournal::restart(uint32_t payloadSize, int32_t sequence)
{
    if (!grow(uint64_t(payloadSize) + 2 * headerSize))
        return nullptr;
    oldest_ = 0;
    return link(0, -1, payloadSize, sequence);
}

// Drops the oldest records while they start inside [from, to).
void UndoJournal::advanceOldestPast(int32_t from, int32_t to)
{
    while (oldest_ > from && oldest_ < to && oldest_ != current_)
        oldest_ = headerField(oldest_, headerNext);
}

// Places a record behind the applied history, or at offset 0 once the limit is reached.
uint8_t* UndoJournal::place(uint32_t payloadSize, int32_t sequence)
{
    uint64_t c = uint64_t(payloadSize) + 2 * headerSize;
    if (end_ < 0 || current_ == oldest_)
        return restart(payloadSize, sequence);
    int32_t previous = headerField(current_, headerPrevious);
    if (uint64_t(current_) + c <= 0x7FFFFFFFu && grow(uint64_t(current_) + c)) {
        int32_t to = static_cast<int32_t>(current_ + c);
        advanceOldestPast(current_, to);
        if (oldest_ == current_)
            return restart(payloadSize, sequence);
        return link(current_, previous, payloadSize, sequence);
    }
    if (!grow(c))
        return nullptr;
    if (current_ < oldest_) {
        if (current_ == 0)
            return restart(payloadSize, sequence);
        oldest_ = 0;
    }
    while (uint64_t(oldest_) < c && oldest_ != current_)
        oldest_ = headerField(oldest_, headerNext);
    if (oldest_ == current_)
        return restart(payloadSize, sequence);
    return link(0, previous, payloadSize, sequence);
}

// The sequence number of a new record; false while an open group has stopped recording.
bool UndoJournal::takeSequence(int32_t* sequence)
{
    *sequence = 0;
    if (groupDepth_ == 0)
        return true;
    if (!groupRecording_)
        return false;
    *sequence = groupSeq_++;
    return true;
}

// A record that cannot be stored empties the journal: the edit still happens, and the older
// records no longer describe the text, so undoing them would corrupt it.
uint8_t* UndoJournal::reserveWithSequence(uint32_t payloadSize, int32_t sequence)
{
    uint8_t* payload = place(payloadSize, sequence);
    if (!payload) {
        empty();
        if (groupDepth_ > 0)
            groupRecording_ = false;
    }
    return payload;
}

uint8_t* UndoJournal::reserve(uint32_t payloadSize)
{
    int32_t sequence;
    if (!takeSequence(&sequence))
        return nullptr;
    return reserveWithSequence(payloadSize, sequence);
}

void UndoJournal::stamp(uint8_t* payload, uint16_t type, int32_t previousId, int32_t id,
                        int32_t line, int32_t offset)
{
    writeU16(payload + fieldType, type);
    writeU16(payload + fieldType + 2, 0);
    writeI32(payload + fieldPreviousId, previousId);
    writeI32(payload + fieldId, id);
    writeI32(payload + fieldLine, line);
    writeI32(payload + fieldOffset, offset);
}

uint8_t* UndoJournal::append(uint16_t type, int32_t line, int32_t offset, uint32_t payloadSize)
{
    int32_t previousId = lastEditId_;
    int32_t id = nextEditId_;
    if (type != typeRecordSelection) {
        lastEditId_ = nextEditId_;
        ++nextEditId_;
    }
    uint8_t* payload = reserve(payloadSize);
    if (!payload)
        return nullptr;
    stamp(payload, type, previousId, id, line, offset);
    return payload + commonSize;
}

const uint8_t* UndoJournal::newestPayload() const
{
    if (current_ == oldest_)
        return nullptr;
    return buffer_ + headerField(current_, headerPrevious) + headerSize;
}

bool UndoJournal::extendTyped(const uint8_t* bytes, uint32_t n)
{
    int32_t id = nextEditId_;
    lastEditId_ = nextEditId_;
    ++nextEditId_;
    if (current_ == oldest_ || (groupDepth_ > 0 && !groupRecording_))
        return false;
    int32_t at = headerField(current_, headerPrevious);
    int32_t sequence = headerField(at, headerSequence);
    if (groupDepth_ > 0 && groupSeq_ == 0)
        groupSeq_ = 1;   // the merged record opens the group
    uint8_t* payload = buffer_ + at + headerSize;
    uint32_t had = static_cast<uint32_t>(readI32(payload + commonSize));
    uint32_t size = bytesPayloadSize(had + n);
    uint64_t need = uint64_t(at) + size + 2 * headerSize;
    if (need <= 0x7FFFFFFFu && grow(need)) {
        payload = buffer_ + at + headerSize;
        current_ = at;   // the old record's marker and any redo records are overwritten
        advanceOldestPast(at, static_cast<int32_t>(need));
        std::memcpy(payload + 24 + had, bytes, n);
        writeI32(payload + commonSize, static_cast<int32_t>(had + n));
        writeI32(payload + fieldId, id);
        // The oldest record's previous link is stale and must not be followed.
        int32_t previous = oldest_ == at ? -1 : headerField(at, headerPrevious);
        link(at, previous, size, sequence);
        return true;
    }
    // The record must move to offset 0: keep its fields aside while it is dropped and placed again.
    try {
        scratch_.assign(payload, payload + 24 + had);
        scratch_.insert(scratch_.end(), bytes, bytes + n);
    } catch (const std::bad_alloc&) {
        empty();
        return false;
    }
    current_ = at;
    payload = reserveWithSequence(size, sequence);
    if (!payload)
        return false;
    std::memcpy(payload, scratch_.data(), scratch_.size());
    writeI32(payload + commonSize, static_cast<int32_t>(had + n));
    writeI32(payload + fieldId, id);
    return true;
}

void UndoJournal::beginGroup()
{
    if (groupDepth_ == 0) {
        groupSeq_ = 0;
        groupRecording_ = true;
    }
    ++groupDepth_;
}

void UndoJournal::endGroup()
{
    if (groupDepth_ > 0)
        --groupDepth_;
}

uint32_t UndoJournal::recordCount() const
{
    uint32_t count = 0;
    for (int32_t at = oldest_; at >= 0 && at != end_; at = headerField(at, headerNext))
        ++count;
    return count;
}

bool UndoJournal::check() const
{
    if (end_ < 0)
        return oldest_ < 0 && current_ < 0;
    if (oldest_ < 0 || current_ < 0 || !buffer_)
        return false;
    auto inside = [this](int32_t at) {
        return at >= 0 && uint64_t(at) + headerSize <= allocated_;
    };
    bool seenCurrent = false;
    uint32_t steps = 0;
    int32_t at = oldest_;
    for (;;) {
        if (!inside(at) || ++steps > allocated_ / headerSize + 1)
            return false;
        if (at == current_)
            seenCurrent = true;
        if (at == end_)
            break;
        int32_t next = headerField(at, headerNext);
        if (!inside(next) || headerField(next, headerPrevious) != at)
            return false;
        if (next > at && uint64_t(next) - at < headerSize + commonSize)
            return false;
        if (headerField(at, headerSequence) < 0)
            return false;
        at = next;
    }
    return seenCurrent && headerField(end_, headerNext) == -1;
}

// Undo record layout: the link header, the common payload part, the record types and their
// sizes, read and written little endian whatever the host.
#pragma once
#include <cstdint>

namespace undo {

// Link header in front of every record and of the end marker.
constexpr uint32_t headerSize = 12;     // i32 previous, i32 next, i32 sequence
constexpr uint32_t headerPrevious = 0;
constexpr uint32_t headerNext = 4;
constexpr uint32_t headerSequence = 8;

// Common part of every payload.
constexpr uint32_t fieldType = 0;       // u16 type, u16 0
constexpr uint32_t fieldPreviousId = 4;
constexpr uint32_t fieldId = 8;
constexpr uint32_t fieldLine = 12;
constexpr uint32_t fieldOffset = 16;
constexpr uint32_t commonSize = 20;

enum RecordType : uint16_t {
    typeInsertBytes = 1,
    typeTypeBytes = 2,
    typeOverwriteBytes = 3,
    typeDeleteBytes = 4,        // never written: only undo deletes bytes this way
    typeDeleteChar = 5,
    typeSplitLine = 6,
    typeJoinWithNext = 7,
    typeInsertText = 8,
    typeDeleteForward = 9,
    typeCopyRange = 10,
    typeMoveRange = 11,
    typeIndentLines = 12,
    typeUnindentLines = 13,
    typeRecordSelection = 30,
};

// Payload sizes by type.
inline uint32_t bytesPayloadSize(uint32_t n) { return n + 24; }             // 1, 2, 8, 9
inline uint32_t overwritePayloadSize(uint32_t n, uint32_t m) { return n + m + 28; }
constexpr uint32_t deleteCharPayloadSize = 24;
constexpr uint32_t lineEndPayloadSize = 24;                                  // 6, 7
constexpr uint32_t rangePayloadSize = 48;                                    // 10, 11
constexpr uint32_t indentPayloadSize = 24;
inline uint32_t unindentBitmapSize(uint32_t k) { return k / 8 + 1; }
inline uint32_t unindentPayloadSize(uint32_t k) { return k / 8 + 25; }
constexpr uint32_t selectionPayloadSize = 28;

inline int32_t readI32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}

inline void writeI32(uint8_t* p, int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline uint16_t readU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline void writeU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace undo

// Read access to one stored record's payload.
class UndoRecordView {
public:
    explicit UndoRecordView(const uint8_t* payload) : payload_(payload) {}

    uint16_t type() const { return undo::readU16(payload_ + undo::fieldType); }
    int32_t previousId() const { return undo::readI32(payload_ + undo::fieldPreviousId); }
    int32_t id() const { return undo::readI32(payload_ + undo::fieldId); }
    int32_t line() const { return undo::readI32(payload_ + undo::fieldLine); }
    int32_t offset() const { return undo::readI32(payload_ + undo::fieldOffset); }
    // The type-specific fields after the common part.
    const uint8_t* fields() const { return payload_ + undo::commonSize; }
    int32_t field(uint32_t index) const { return undo::readI32(fields() + 4 * index); }
    const uint8_t* payload() const { return payload_; }

private:
    const uint8_t* payload_;
};

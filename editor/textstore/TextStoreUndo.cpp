// TextStore: undo and redo, replaying the editing primitives with recording off.
#include "TextStore.h"

using namespace undo;

namespace {

// Units (one per byte, one per line end) of a text that insertText cut at its line ends.
uint32_t textUnits(const uint8_t* bytes, uint32_t n) {
    uint32_t units = n;
    for (uint32_t i = 0; i + 1 < n; ++i)
        if (bytes[i] == 0x0D && bytes[i + 1] == 0x0A) --units;
    return units;
}

}  // namespace

bool TextStore::undo(bool* stoppedAtLimit) {
    if (stoppedAtLimit) *stoppedAtLimit = false;
    UndoJournal::Step step =
        undo_.undo([this](const UndoRecordView& record, int32_t sequence) { applyUndo(record, sequence); });
    if (step == UndoJournal::Step::nothing) return false;
    if (stoppedAtLimit) *stoppedAtLimit = step == UndoJournal::Step::stoppedAtLimit;
    return true;
}

bool TextStore::redo() {
    UndoJournal::Step step = undo_.redo([this](const UndoRecordView& record, bool last) { applyRedo(record, last); });
    return step != UndoJournal::Step::nothing;
}

// The inverse of one record, at its place.
void TextStore::applyUndo(const UndoRecordView& record, int32_t sequence) {
    dropSelection();
    moveTo(record.line(), static_cast<uint32_t>(record.offset()));
    const uint8_t* f = record.fields();
    uint32_t n = static_cast<uint32_t>(record.field(0));
    switch (record.type()) {
    case typeInsertBytes:
    case typeTypeBytes:
        deleteBytes(n);
        break;
    case typeOverwriteBytes: {
        uint32_t m = static_cast<uint32_t>(record.field(1));
        overwriteBytes(f + 8 + n, m, n, false);
        break;
    }
    case typeDeleteChar:
        insertBytes(f + 2, f[0], f[1] != 0, false);
        break;
    case typeSplitLine:
        joinWithNext(false);
        break;
    case typeJoinWithNext:
        splitAt(static_cast<uint8_t>(n), false);
        break;
    case typeInsertText:
        // Exactly what went in: deleteForward would also take a character that a lone lead
        // byte at the text's end forms with the byte after it.
        removeRange(endAfterUnits(caret_, textUnits(f + 4, n)));
        break;
    case typeDeleteForward:
        if (readU16(record.payload() + fieldType + 2) == 1)
            insertExactText(f + 4, n, f + 8 + n, static_cast<uint32_t>(readI32(f + 4 + n)), false);
        else
            insertText(f + 4, n, false);
        break;
    case typeCopyRange:
        moveTo(record.field(5), static_cast<uint32_t>(record.field(6)));
        removeRange(endAfterUnits(caret_, static_cast<uint32_t>(record.field(2))));
        break;
    case typeMoveRange:
        moveTo(record.field(3), static_cast<uint32_t>(record.field(4)));
        transferRange(record.field(5), static_cast<uint32_t>(record.field(6)), static_cast<uint32_t>(record.field(2)),
                      true, false, typeMoveRange);
        break;
    case typeIndentLines:
        indentRange(record.line(), static_cast<int32_t>(n), nullptr, false, nullptr);
        break;
    case typeUnindentLines:
        indentRange(record.line(), static_cast<int32_t>(n), f + 4, true, nullptr);
        break;
    case typeRecordSelection:
        if (sequence == 0)
            selectRange(record.line(), static_cast<uint32_t>(record.offset()), record.field(0),
                        static_cast<uint32_t>(record.field(1)));
        break;
    default:
        break;
    }
}

// One record again, at its place.
void TextStore::applyRedo(const UndoRecordView& record, bool last) {
    dropSelection();
    moveTo(record.line(), static_cast<uint32_t>(record.offset()));
    const uint8_t* f = record.fields();
    uint32_t n = static_cast<uint32_t>(record.field(0));
    switch (record.type()) {
    case typeInsertBytes:
    case typeTypeBytes:
        insertBytes(f + 4, n, true, false);
        break;
    case typeOverwriteBytes:
        overwriteBytes(f + 8, n, static_cast<uint32_t>(record.field(1)), false);
        break;
    case typeDeleteChar:
        deleteChar(false, false);
        break;
    case typeSplitLine:
        splitAt(static_cast<uint8_t>(n), false);
        break;
    case typeJoinWithNext:
        joinWithNext(false);
        break;
    case typeInsertText:
        insertText(f + 4, n, false);
        break;
    case typeDeleteForward:
        deleteForward(n, false);
        break;
    case typeCopyRange:
    case typeMoveRange:
        transferRange(record.field(0), static_cast<uint32_t>(record.field(1)), static_cast<uint32_t>(record.field(2)),
                      record.type() == typeMoveRange, false, record.type());
        break;
    case typeIndentLines:
        indentRange(record.line(), static_cast<int32_t>(n), nullptr, true, nullptr);
        break;
    case typeUnindentLines:
        indentRange(record.line(), static_cast<int32_t>(n), f + 4, false, nullptr);
        break;
    case typeRecordSelection:
        if (last)
            selectRange(record.line(), static_cast<uint32_t>(record.offset()), record.field(0),
                        static_cast<uint32_t>(record.field(1)));
        break;
    default:
        break;
    }
}

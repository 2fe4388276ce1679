// Tests of UndoJournal on its own: placement, growth, the ring, groups, identifiers, merging.
#include "UndoJournal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <random>
#include <vector>

using namespace undo;

namespace {

// Appends a type-1 record of n bytes, each byte `fill`; true when stored.
bool addBytes(UndoJournal& journal, uint32_t n, uint8_t fill, int32_t line = 0, int32_t offset = 0)
{
    uint8_t* fields = journal.append(typeInsertBytes, line, offset, bytesPayloadSize(n));
    if (!fields)
        return false;
    writeI32(fields, static_cast<int32_t>(n));
    std::memset(fields + 4, fill, n);
    return true;
}

struct Seen {
    uint16_t type;
    int32_t id;
    int32_t line;
    int32_t sequenceOrLast;
};

std::vector<Seen> undoStep(UndoJournal& journal, UndoJournal::Step* step = nullptr)
{
    std::vector<Seen> seen;
    UndoJournal::Step s = journal.undo([&](const UndoRecordView& r, int32_t sequence) {
        seen.push_back({r.type(), r.id(), r.line(), sequence});
    });
    if (step)
        *step = s;
    return seen;
}

std::vector<Seen> redoStep(UndoJournal& journal, UndoJournal::Step* step = nullptr)
{
    std::vector<Seen> seen;
    UndoJournal::Step s = journal.redo([&](const UndoRecordView& r, bool last) {
        seen.push_back({r.type(), r.id(), r.line(), last ? 1 : 0});
    });
    if (step)
        *step = s;
    return seen;
}

}  // namespace

TEST(UndoJournal, EmptyJournalHasNothingToUndoOrRedo)
{
    UndoJournal journal;
    EXPECT_FALSE(journal.canUndo());
    EXPECT_FALSE(journal.canRedo());
    UndoJournal::Step step;
    EXPECT_TRUE(undoStep(journal, &step).empty());
    EXPECT_EQ(step, UndoJournal::Step::nothing);
    EXPECT_TRUE(redoStep(journal, &step).empty());
    EXPECT_EQ(step, UndoJournal::Step::nothing);
    EXPECT_TRUE(journal.check());
    EXPECT_EQ(journal.allocated(), 0u);
}

TEST(UndoJournal, RecordLayoutIsHeaderThenPayloadThenMarker)
{
    UndoJournal journal;
    ASSERT_TRUE(addBytes(journal, 5, 'x', 3, 7));
    EXPECT_EQ(journal.oldestOffset(), 0);
    // 12-byte header, 29-byte payload (5 + 24), then the marker.
    EXPECT_EQ(journal.endOffset(), 12 + 29);
    EXPECT_EQ(journal.currentOffset(), journal.endOffset());
    EXPECT_EQ(journal.allocated(), 65536u);
    const uint8_t* p = journal.newestPayload();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(readU16(p), typeInsertBytes);
    EXPECT_EQ(readU16(p + 2), 0);
    EXPECT_EQ(readI32(p + 4), 0);   // previous identifier
    EXPECT_EQ(readI32(p + 8), 1);   // this edit's identifier
    EXPECT_EQ(readI32(p + 12), 3);
    EXPECT_EQ(readI32(p + 16), 7);
    EXPECT_EQ(readI32(p + 20), 5);
    EXPECT_EQ(p[24], 'x');
    const uint8_t* header = p - headerSize;
    EXPECT_EQ(readI32(header), -1);
    EXPECT_EQ(readI32(header + 4), 41);
    EXPECT_EQ(readI32(header + 8), 0);
    EXPECT_EQ(readI32(header + 41), 0);    // marker's previous
    EXPECT_EQ(readI32(header + 45), -1);   // marker's next
    EXPECT_TRUE(journal.check());
}

TEST(UndoJournal, EditIdentifiersAdvanceExceptForSelectionRecords)
{
    UndoJournal journal;
    ASSERT_TRUE(addBytes(journal, 1, 'a'));
    EXPECT_EQ(journal.lastEditId(), 1);
    EXPECT_EQ(journal.nextEditId(), 2);
    uint8_t* fields = journal.append(typeRecordSelection, 4, 5, selectionPayloadSize);
    ASSERT_NE(fields, nullptr);
    EXPECT_EQ(journal.lastEditId(), 1);
    EXPECT_EQ(journal.nextEditId(), 2);
    EXPECT_EQ(readI32(journal.newestPayload() + fieldId), 2);
    EXPECT_EQ(readI32(journal.newestPayload() + fieldPreviousId), 1);
    ASSERT_TRUE(addBytes(journal, 1, 'b'));
    EXPECT_EQ(journal.lastEditId(), 2);

    // Save here (the frame keeps 2), undo, redo: the identifier comes back.
    int32_t saved = journal.lastEditId();
    undoStep(journal);
    EXPECT_EQ(journal.lastEditId(), 1);
    EXPECT_NE(journal.lastEditId(), saved);
    redoStep(journal);
    EXPECT_EQ(journal.lastEditId(), saved);
    // A new edit after an undo gets a fresh identifier, never the saved one.
    undoStep(journal);
    ASSERT_TRUE(addBytes(journal, 1, 'c'));
    EXPECT_EQ(journal.lastEditId(), 3);

    journal.empty();
    journal.resetEditIds();
    EXPECT_EQ(journal.lastEditId(), 0);
    EXPECT_EQ(journal.nextEditId(), 1);
    EXPECT_FALSE(journal.canUndo());
}

TEST(UndoJournal, GrowsByDoublingAndKeepsRecords)
{
    UndoJournal journal;
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(addBytes(journal, 20000, static_cast<uint8_t>('a' + i), i));
    EXPECT_EQ(journal.allocated(), 262144u);
    EXPECT_EQ(journal.oldestOffset(), 0);
    EXPECT_EQ(journal.recordCount(), 10u);
    EXPECT_TRUE(journal.check());
    for (int i = 9; i >= 0; --i) {
        const uint8_t* p = journal.newestPayload();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p[24 + 19999], 'a' + i);
        std::vector<Seen> seen = undoStep(journal);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].line, i);
    }
    EXPECT_FALSE(journal.canUndo());
    EXPECT_TRUE(journal.canRedo());
}

TEST(UndoJournal, SecondLargeRecordWrapsAndDropsTheFirst)
{
    UndoJournal journal(65536);
    ASSERT_TRUE(addBytes(journal, 40000, 'a', 1));
    ASSERT_TRUE(addBytes(journal, 40000, 'b', 2));
    EXPECT_EQ(journal.allocated(), 65536u);
    EXPECT_EQ(journal.oldestOffset(), 0);
    EXPECT_EQ(journal.recordCount(), 1u);
    EXPECT_EQ(journal.newestPayload()[24], 'b');
    EXPECT_TRUE(journal.check());
    std::vector<Seen> seen = undoStep(journal);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].line, 2);
    EXPECT_TRUE(undoStep(journal).empty());
    EXPECT_EQ(journal.lastEditId(), 1);   // the dropped first edit stays applied
}

TEST(UndoJournal, RingKeepsTheNewestRecordsInOrder)
{
    UndoJournal journal(65536);
    // 1000-byte records: about 63 fit; after 500 the ring has turned several times.
    for (int i = 0; i < 500; ++i) {
        ASSERT_TRUE(addBytes(journal, 1000, static_cast<uint8_t>(i), i));
        ASSERT_TRUE(journal.check()) << i;
    }
    uint32_t kept = journal.recordCount();
    EXPECT_GT(kept, 30u);
    EXPECT_LT(kept, 66u);
    for (uint32_t k = 0; k < kept; ++k) {
        std::vector<Seen> seen = undoStep(journal);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].line, static_cast<int32_t>(499 - k));
    }
    EXPECT_FALSE(journal.canUndo());
    for (uint32_t k = 0; k < kept; ++k) {
        std::vector<Seen> seen = redoStep(journal);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].line, static_cast<int32_t>(500 - kept + k));
    }
    EXPECT_FALSE(journal.canRedo());
    EXPECT_EQ(journal.lastEditId(), 500);
}

TEST(UndoJournal, NewRecordAfterUndoDiscardsRedo)
{
    UndoJournal journal;
    addBytes(journal, 3, 'a', 1);
    addBytes(journal, 3, 'b', 2);
    undoStep(journal);
    EXPECT_TRUE(journal.canRedo());
    addBytes(journal, 3, 'c', 3);
    EXPECT_FALSE(journal.canRedo());
    EXPECT_EQ(journal.recordCount(), 2u);
    EXPECT_EQ(undoStep(journal)[0].line, 3);
    EXPECT_EQ(undoStep(journal)[0].line, 1);

    // Everything undone: the next record starts the journal over at offset 0.
    addBytes(journal, 3, 'd', 4);
    EXPECT_EQ(journal.oldestOffset(), 0);
    EXPECT_EQ(journal.recordCount(), 1u);
    EXPECT_FALSE(journal.canRedo());
    EXPECT_TRUE(journal.check());
}

TEST(UndoJournal, GroupsUndoAndRedoAsOneStep)
{
    UndoJournal journal;
    addBytes(journal, 1, 'x', 0);
    {
        UndoGroup outer(journal);
        addBytes(journal, 1, 'a', 1);
        {
            UndoGroup inner(journal);   // nesting only counts
            addBytes(journal, 1, 'b', 2);
        }
        EXPECT_EQ(journal.groupDepth(), 1);
        journal.append(typeRecordSelection, 3, 0, selectionPayloadSize);
    }
    EXPECT_EQ(journal.groupDepth(), 0);
    addBytes(journal, 1, 'y', 4);

    EXPECT_EQ(undoStep(journal).size(), 1u);
    std::vector<Seen> seen = undoStep(journal);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].line, 3);
    EXPECT_EQ(seen[0].sequenceOrLast, 2);
    EXPECT_EQ(seen[2].line, 1);
    EXPECT_EQ(seen[2].sequenceOrLast, 0);
    EXPECT_EQ(journal.lastEditId(), 1);

    seen = redoStep(journal);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].line, 1);
    EXPECT_EQ(seen[0].sequenceOrLast, 0);
    EXPECT_EQ(seen[2].sequenceOrLast, 1);   // the last record of the step
    EXPECT_EQ(journal.lastEditId(), 3);
    EXPECT_EQ(redoStep(journal).size(), 1u);
}

TEST(UndoJournal, UndoStopsWhereTheGroupStartWasOverwritten)
{
    UndoJournal journal(65536);
    {
        UndoGroup group(journal);
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(addBytes(journal, 1000, 'g', i));
    }
    UndoJournal::Step step;
    std::vector<Seen> seen = undoStep(journal, &step);
    EXPECT_EQ(step, UndoJournal::Step::stoppedAtLimit);
    EXPECT_EQ(seen.size(), journal.recordCount());
    EXPECT_EQ(seen.back().line, 200 - static_cast<int32_t>(seen.size()));
    EXPECT_FALSE(journal.canUndo());
}

TEST(UndoJournal, UnstorableRecordEmptiesTheJournalButIdentifiersAdvance)
{
    UndoJournal journal(65536);
    addBytes(journal, 10, 'a');
    EXPECT_FALSE(addBytes(journal, 70000, 'b'));
    EXPECT_EQ(journal.lastEditId(), 2);
    EXPECT_FALSE(journal.canUndo());
    EXPECT_TRUE(journal.check());
    EXPECT_TRUE(addBytes(journal, 10, 'c'));
    EXPECT_EQ(journal.lastEditId(), 3);

    // Inside a group the rest of the group is not recorded; the next group records again.
    {
        UndoGroup group(journal);
        addBytes(journal, 10, 'd');
        EXPECT_FALSE(addBytes(journal, 70000, 'e'));
        EXPECT_FALSE(addBytes(journal, 10, 'f'));
        EXPECT_EQ(journal.lastEditId(), 6);
    }
    EXPECT_FALSE(journal.canUndo());
    {
        UndoGroup group(journal);
        EXPECT_TRUE(addBytes(journal, 10, 'g'));
    }
    EXPECT_TRUE(journal.canUndo());
}

TEST(UndoJournal, ExtendTypedGrowsTheNewestRecordInPlace)
{
    UndoJournal journal;
    addBytes(journal, 1, 'z');
    uint8_t* fields = journal.append(typeTypeBytes, 2, 4, bytesPayloadSize(1));
    writeI32(fields, 1);
    fields[4] = 'a';
    int32_t at = journal.oldestOffset();
    ASSERT_TRUE(journal.extendTyped(reinterpret_cast<const uint8_t*>("bc"), 2));
    EXPECT_EQ(journal.oldestOffset(), at);
    EXPECT_EQ(journal.recordCount(), 2u);
    const uint8_t* p = journal.newestPayload();
    EXPECT_EQ(readI32(p + fieldPreviousId), 1);
    EXPECT_EQ(readI32(p + fieldId), 3);
    EXPECT_EQ(readI32(p + fieldOffset), 4);
    EXPECT_EQ(readI32(p + 20), 3);
    EXPECT_EQ(std::memcmp(p + 24, "abc", 3), 0);
    EXPECT_EQ(journal.lastEditId(), 3);
    EXPECT_TRUE(journal.check());
    undoStep(journal);
    EXPECT_EQ(journal.lastEditId(), 1);
}

TEST(UndoJournal, ExtendTypedMovesToTheStartWhenTheLimitIsReached)
{
    UndoJournal journal(65536);
    addBytes(journal, 30000, 'a', 1);
    addBytes(journal, 35400, 'b', 2);
    uint8_t* fields = journal.append(typeTypeBytes, 3, 0, bytesPayloadSize(1));
    ASSERT_NE(fields, nullptr);
    writeI32(fields, 1);
    fields[4] = 'q';
    std::vector<uint8_t> more(100, 'r');
    ASSERT_TRUE(journal.extendTyped(more.data(), 100));
    EXPECT_TRUE(journal.check());
    const uint8_t* p = journal.newestPayload();
    EXPECT_EQ(readI32(p + 20), 101);
    EXPECT_EQ(p[24], 'q');
    EXPECT_EQ(p[24 + 100], 'r');
    // The merged record went to offset 0 over the first record; the second is kept.
    EXPECT_EQ(journal.oldestOffset(), 30036);
    EXPECT_EQ(journal.recordCount(), 2u);
    EXPECT_EQ(undoStep(journal)[0].line, 3);
    EXPECT_EQ(undoStep(journal)[0].line, 2);
    EXPECT_FALSE(journal.canUndo());
}

// Random appends, undos and redos against a list of the records that should be kept: undo and redo
// return exactly the newest records in order, and what the ring drops is always the oldest.
TEST(UndoJournal, RandomisedAgainstAModelHistory)
{
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        UndoJournal journal(65536);
        std::deque<int32_t> applied;   // identifiers that can be undone, oldest first
        std::vector<int32_t> undone;   // identifiers that can be redone, next first at the back
        for (int step = 0; step < 20000; ++step) {
            uint32_t pick = random() % 10;
            if (pick < 6) {
                uint32_t n = random() % 3 == 0 ? random() % 6000 : random() % 40;
                addBytes(journal, n, static_cast<uint8_t>(n), step);
                applied.push_back(journal.lastEditId());
                undone.clear();
            } else if (pick < 8) {
                std::vector<Seen> seen = undoStep(journal);
                if (applied.empty()) {
                    ASSERT_TRUE(seen.empty());
                } else {
                    ASSERT_EQ(seen.size(), 1u);
                    ASSERT_EQ(seen[0].id, applied.back());
                    undone.push_back(applied.back());
                    applied.pop_back();
                }
            } else {
                std::vector<Seen> seen = redoStep(journal);
                if (undone.empty()) {
                    ASSERT_TRUE(seen.empty());
                } else {
                    ASSERT_EQ(seen.size(), 1u);
                    ASSERT_EQ(seen[0].id, undone.back());
                    applied.push_back(undone.back());
                    undone.pop_back();
                }
            }
            ASSERT_TRUE(journal.check()) << seed << " " << step;
            // The ring may have dropped the oldest applied records, never redo records.
            uint32_t total = journal.recordCount();
            ASSERT_GE(total, undone.size());
            uint32_t kept = total - static_cast<uint32_t>(undone.size());
            ASSERT_LE(kept, applied.size());
            while (applied.size() > kept)
                applied.pop_front();
            ASSERT_EQ(journal.canUndo(), !applied.empty());
            ASSERT_EQ(journal.canRedo(), !undone.empty());
        }
    }
}

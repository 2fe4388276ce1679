// Tests of the command table: lookup of single ids and ranges, refusal of overlapping rows, and
// the enabling rules.
#include "CommandTable.h"

#include <gtest/gtest.h>

TEST(CommandTable, RunsTheRowOfAnIdOrRangeWithTheCallsArguments) {
    CommandTable t;
    CommandCall seen;
    ASSERT_TRUE(t.add(100, [&](const CommandCall& c) -> intptr_t { seen = c; return 7; }));
    ASSERT_TRUE(t.add(200, 209, [](const CommandCall& c) -> intptr_t { return c.id - 200; }));

    EXPECT_EQ(t.run({100, 3, 42}), 7);
    EXPECT_EQ(seen.id, 100u);
    EXPECT_EQ(seen.notification, 3u);
    EXPECT_EQ(seen.parameter, 42);
    EXPECT_EQ(t.run({200, 0, 0}), 0);
    EXPECT_EQ(t.run({209, 0, 0}), 9);
    // Ids around the rows have none.
    for (uint32_t id : {0u, 99u, 101u, 199u, 210u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(t.contains(id)) << id;
        EXPECT_EQ(t.run({id, 0, 0}), 0) << id;
    }
    // A row may carry only a rule: it runs nothing.
    ASSERT_TRUE(t.add(300, CommandHandler(), [](uint32_t) { return false; }));
    EXPECT_EQ(t.run({300, 0, 0}), 0);
    EXPECT_EQ(t.run({100, 0, 0}), 7);

    EXPECT_EQ(t.run({50, 0, 0}), 0);
    EXPECT_EQ(plainCommand([&] { seen.id = 1; })({5, 0, 0}), 0);
    EXPECT_EQ(seen.id, 1u);
}

TEST(CommandTable, AnIdClaimedTwiceIsRefusedAndCounted) {
    CommandTable t;
    auto one = [](const CommandCall&) -> intptr_t { return 1; };
    auto two = [](const CommandCall&) -> intptr_t { return 2; };
    ASSERT_TRUE(t.add(10, 19, one));
    EXPECT_FALSE(t.add(10, two));      // the first id
    EXPECT_FALSE(t.add(19, two));      // the last id
    EXPECT_EQ(t.firstRefused(), 10u);
    EXPECT_FALSE(t.add(5, 10, two));   // reaching in from below
    EXPECT_FALSE(t.add(19, 30, two));  // reaching in from above
    EXPECT_FALSE(t.add(0, 100, two));  // spanning it
    EXPECT_FALSE(t.add(12, 14, two));  // inside it
    EXPECT_FALSE(t.add(9, 8, two));    // an empty range
    EXPECT_EQ(t.refused(), 7);
    for (uint32_t id = 10; id <= 19; ++id) EXPECT_EQ(t.run({id, 0, 0}), 1);

    // Neighbours on both sides fit.
    EXPECT_TRUE(t.add(9, two));
    EXPECT_TRUE(t.add(20, 25, two));
    EXPECT_EQ(t.run({9, 0, 0}), 2);
    EXPECT_EQ(t.run({20, 0, 0}), 2);
    EXPECT_EQ(t.refused(), 7);
}

TEST(CommandTable, RulesTellTheStateOfTheirIds) {
    CommandTable t;
    bool selection = false;
    t.add(1, [](const CommandCall&) -> intptr_t { return 0; });
    t.add(2, [](const CommandCall&) -> intptr_t { return 0; }, [&](uint32_t) { return selection; });
    t.add(10, 19, CommandHandler(), [](uint32_t id) { return id % 2 == 0; });

    EXPECT_FALSE(t.hasRule(1));
    EXPECT_TRUE(t.enabled(1));
    EXPECT_TRUE(t.enabled(500));  // ids without a row are left alone
    EXPECT_TRUE(t.hasRule(2));
    EXPECT_FALSE(t.enabled(2));
    selection = true;
    EXPECT_TRUE(t.enabled(2));
    // A range's rule is asked with the id itself.
    EXPECT_TRUE(t.enabled(12));
    EXPECT_FALSE(t.enabled(13));
}

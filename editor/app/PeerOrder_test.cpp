// Tests of the announcing window's sequence number and the start order of its peers.
#include "PeerOrder.h"

#include <gtest/gtest.h>

TEST(PeerOrder, SequenceIsOneMoreThanTheHighestAnswer) {
    EXPECT_EQ(nextSequence({}), 1);
    EXPECT_EQ(nextSequence({1, 3}), 4);
    EXPECT_EQ(nextSequence({3, 1}), 4);
    // A peer still starting answers 0.
    EXPECT_EQ(nextSequence({0, 0}), 1);
}

TEST(PeerOrder, SortsByAnswerFirstEntryWinningTies) {
    std::vector<char> entries = {'c', 'a', 'x', 'b', 'y'};
    std::vector<int32_t> answers = {3, 1, 0, 2, 0};
    sortByAnswers(entries, answers);
    EXPECT_EQ(std::string(entries.begin(), entries.end()), "xyabc");
    EXPECT_EQ(answers, (std::vector<int32_t>{0, 0, 1, 2, 3}));
}

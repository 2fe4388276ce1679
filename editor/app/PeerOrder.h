// PeerOrder: the start order of the editor windows a starting window found, from the sequence
// numbers they answered to its arrival (a selection sort, the first entry winning ties).
#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The sequence number a window takes: one more than the highest answer, and 1 without answers.
int32_t nextSequence(const std::vector<int32_t>& answers);

// Sorts `entries` by `answers` ascending in place (both the same size) with a selection sort.
template <typename Entry>
void sortByAnswers(std::vector<Entry>& entries, std::vector<int32_t>& answers) {
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t least = i;
        for (size_t j = i + 1; j < entries.size(); ++j)
            if (answers[j] < answers[least]) least = j;
        if (least != i) {
            std::swap(entries[i], entries[least]);
            std::swap(answers[i], answers[least]);
        }
    }
}

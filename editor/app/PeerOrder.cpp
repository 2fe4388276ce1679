// PeerOrder: the sequence number of an announcing window.
#include "PeerOrder.h"

int32_t nextSequence(const std::vector<int32_t>& answers) {
    int32_t own = 1;
    for (int32_t r : answers)
        if (r >= own) own = r + 1;
    return own;
}

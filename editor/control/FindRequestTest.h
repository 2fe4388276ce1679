// For the find tests of the document requests and of EC_FIND: a request over a search engine
// set to a pattern.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>

#include "QuorvaleMessages.h"
#include "SearchIF_Simple.h"

namespace find_test {

// Sets `search` to `pattern` (which must be accepted) and returns a request with `flags` using it.
inline FindRequest findRequest(SearchIF_Simple& search, const char* pattern, uint32_t flags = 0) {
    EXPECT_TRUE(search.setPattern(pattern));
    FindRequest r{};
    r.flags = flags;
    r.search = &search;
    return r;
}

}  // namespace find_test

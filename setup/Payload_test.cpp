// The copy list in code and the build's payload.list name the same files in the same order.
#include "Payload.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(Payload, ListFileMatchesTheCode) {
    std::ifstream in(ULO_PAYLOAD_LIST);
    ASSERT_TRUE(in) << ULO_PAYLOAD_LIST;
    std::string line;
    std::vector<std::string> listed;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        listed.push_back(line);
    }
    ASSERT_EQ(listed.size(), payload::copyList().size());
    for (size_t i = 0; i < listed.size(); ++i) {
        const payload::File& file = payload::copyList()[i];
        const char* where = file.folder == payload::Subfolder::Dtd ? "dtd"
                            : file.folder == payload::Subfolder::Keyword ? "keyword" : "top";
        EXPECT_EQ(listed[i], std::string(file.name) + " " + where);
    }
}

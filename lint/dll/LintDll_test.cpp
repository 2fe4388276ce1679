// lint.dll bound by name the way the editor control binds it: a check through all five exports,
// a false callback that stops it, and a missing library that fails and is tried again.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DocumentMap.h"
#include "LintBinding.h"

namespace {

struct Messages {
    std::vector<std::pair<int, std::string>> list;
    size_t limit = 1000;
};

bool collect(void* context, int32_t line, const char* text, uint32_t) {
    auto* m = static_cast<Messages*>(context);
    m->list.emplace_back(line, text);
    return m->list.size() < m->limit;
}

class Lines : public LintLineSource {
public:
    explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    bool next(const char** text, uint32_t* length, bool* lineBreak) override {
        if (i_ == lines_.size()) return false;
        *text = lines_[i_].data();
        *length = static_cast<uint32_t>(lines_[i_].size());
        *lineBreak = i_ + 1 < lines_.size();
        ++i_;
        return true;
    }

private:
    std::vector<std::string> lines_;
    size_t i_ = 0;
};

TEST(LintDllTest, ChecksThroughTheFiveExports) {
    DocumentMap map;
    ASSERT_EQ(loadMap(map, ULO_MAP_DIR "/html401-loose.map"), mapfile::kLoaded);
    LintBinding binding;
    Messages m;
    Lines doc({"<html><body>", "<p onclik=\"x\">a", "<blink>b</blink>", "</body></html>"});
    ASSERT_TRUE(binding.check(&map, 0x3B, collect, &m, doc));
    ASSERT_GE(m.list.size(), 2u);
    EXPECT_EQ(m.list[0].first, 2);
    EXPECT_EQ(m.list[1].first, 3);
    // A callback that answers false stops the check, which then fails; the next check binds again.
    Messages stop;
    stop.limit = 1;
    Lines again({"<blink>", "<blink>"});
    EXPECT_FALSE(binding.check(&map, 0x3B, collect, &stop, again));
    EXPECT_EQ(stop.list.size(), 1u);
    Messages clean;
    Lines good({"<p>fine</p>"});
    EXPECT_TRUE(binding.check(&map, 0x3B, collect, &clean, good));
    EXPECT_TRUE(clean.list.empty());
    unloadMap(map);
}

TEST(LintDllTest, MissingLibraryFailsAndIsTriedAgain) {
    // Without lint.dll on the search path the check fails; once it is back it works.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe);
    dir.resize(dir.find_last_of('\\') + 1);
    const std::string dll = dir + "lint.dll", moved = dir + "lint.dll.away";
    ASSERT_TRUE(MoveFileA(dll.c_str(), moved.c_str()));
    DocumentMap map;
    ASSERT_EQ(loadMap(map, ULO_MAP_DIR "/html401-loose.map"), mapfile::kLoaded);
    LintBinding binding;
    Messages m;
    Lines doc({"<p>"});
    const bool missing = binding.check(&map, 0, collect, &m, doc);
    ASSERT_TRUE(MoveFileA(moved.c_str(), dll.c_str()));
    EXPECT_FALSE(missing);
    Lines doc2({"<p>"});
    EXPECT_TRUE(binding.check(&map, 0, collect, &m, doc2));
    unloadMap(map);
}

}  // namespace

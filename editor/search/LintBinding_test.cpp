// LintSession: the calls reach the checker in the order it relies on, and any false result
// releases it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LintBinding.h"

namespace {

std::string calls;
int failAt = -1;   // the call number that answers false
int callCount = 0;
int handle = 7;

bool answer() { return callCount++ != failAt; }
void* LINT_CALL create(uint32_t) { calls += "C"; return answer() ? &handle : nullptr; }
int LINT_CALL init(void*, const void* map, LintMessageCallback, void*, uint32_t options) {
    calls += "I" + std::to_string(options) + (map ? "m" : "-");
    return answer();
}
int LINT_CALL exec(void*, const char* text, uint32_t length) { calls += "[" + std::string(text, length) + "]"; return answer(); }
int LINT_CALL finish(void*) { calls += "F"; return answer(); }
void LINT_CALL release(void*) { calls += "R"; }

class Lines : public LintLineSource {
public:
    bool next(const char** text, uint32_t* length, bool* lineBreak) override {
        static const char* lines[] = {"<p>", "a", "b"};
        if (i_ == 3) return false;
        *text = lines[i_];
        *length = static_cast<uint32_t>(std::strlen(lines[i_]));
        *lineBreak = i_ < 2;
        ++i_;
        return true;
    }
    int i_ = 0;
};

LintFunctions all() {
    LintFunctions f;
    f.createObject = create, f.initialize = init, f.execute = exec, f.executeFinish = finish, f.releaseObject = release;
    return f;
}

TEST(LintSessionTest, OrderOfCalls) {
    calls.clear(), callCount = 0, failAt = -1;
    LintSession session;
    ASSERT_TRUE(session.start(all()));
    Lines lines;
    int map = 0;
    EXPECT_TRUE(session.check(&map, 59, nullptr, nullptr, lines));
    EXPECT_EQ(calls, "CI59m[<p>][\n][a][\n][b]F");
    session.release();
    EXPECT_EQ(calls.back(), 'R');
}

TEST(LintSessionTest, FalseResultsRelease) {
    for (int fail = 1; fail <= 7; ++fail) {
        calls.clear(), callCount = 0, failAt = fail;
        LintSession session;
        ASSERT_TRUE(session.start(all()));
        Lines lines;
        EXPECT_FALSE(session.check(nullptr, 0, nullptr, nullptr, lines)) << fail;
        EXPECT_FALSE(session.started());
        EXPECT_EQ(calls.back(), 'R') << calls;
    }
    calls.clear(), callCount = 0, failAt = 0;
    LintSession session;
    EXPECT_FALSE(session.start(all()));  // a zero handle
    LintFunctions missing = all();
    missing.executeFinish = nullptr;
    EXPECT_FALSE(session.start(missing));
}

}  // namespace

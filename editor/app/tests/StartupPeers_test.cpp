// End to end: editors started one after another share one tab order; a file already open brings
// its window to the front and the new process ends with -1; closing a window removes its tab.
#include "SessionFixture.h"

using namespace ulo_e2e;

TEST_F(Session, ThreeEditorsShowTheSameTabOrderEverywhere) {
    Editor first = start("");
    ASSERT_TRUE(first.window);
    Editor second = start(quoted(file("second.txt", "two\r\n")));
    ASSERT_TRUE(second.window);
    Editor third = start(quoted(file("third.txt", "three\r\n")));
    ASSERT_TRUE(third.window);
    pause(500);
    std::vector<HWND> expected = {first.window, second.window, third.window};
    EXPECT_EQ(tabOrder(first.window), expected);
    EXPECT_EQ(tabOrder(second.window), expected);
    EXPECT_EQ(tabOrder(third.window), expected);

    PostMessageA(second.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitExit(second), 0u);
    pause(500);
    std::vector<HWND> rest = {first.window, third.window};
    EXPECT_EQ(tabOrder(first.window), rest);
    EXPECT_EQ(tabOrder(third.window), rest);

    // A fourth editor takes its place at the end, after the survivors, in every window.
    Editor fourth = start("");
    ASSERT_TRUE(fourth.window);
    pause(500);
    rest.push_back(fourth.window);
    EXPECT_EQ(tabOrder(first.window), rest);
    EXPECT_EQ(tabOrder(fourth.window), rest);
}

TEST_F(Session, OpeningAnOpenFileActivatesItsWindowAndEndsTheNewProcess) {
    std::string path = file("open-once.txt", "once\r\n");
    Editor owner = start(quoted(path));
    ASSERT_TRUE(owner.window);
    Editor other = start("");
    ASSERT_TRUE(other.window);
    Editor again = start(":0" + quoted(path), 8000);
    EXPECT_EQ(again.window, nullptr);
    EXPECT_EQ(waitExit(again), static_cast<DWORD>(-1));
    EXPECT_EQ(mainWindows().size(), 2u);
    EXPECT_EQ(GetForegroundWindow(), owner.window);
}

TEST_F(Session, NextAndPreviousWindowCycleThroughTheTable) {
    Editor a = start("");
    Editor b = start("");
    ASSERT_TRUE(a.window && b.window);
    SendMessageA(b.window, WM_COMMAND, 21512, 0);  // next from the last: the first
    pause(300);
    EXPECT_EQ(GetForegroundWindow(), a.window);
    SendMessageA(a.window, WM_COMMAND, 21511, 0);  // previous from the first: the last
    pause(300);
    EXPECT_EQ(GetForegroundWindow(), b.window);
}

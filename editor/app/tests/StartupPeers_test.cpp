// End to end: editors started one after another share one tab order; a file already open brings
// its window to the front and the new process ends with -1; closing a window removes its tab;
// quoted files open in a chain of windows; closing all editors spares a window that cancels.
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

    // Reloading a file that has gone empties the window, and its tab says so in every window.
    std::vector<std::string> names = {path, sjis(L"新規テキスト")};
    EXPECT_EQ(tabNames(other.window), names);
    DeleteFileA(path.c_str());
    PostMessageA(owner.window, WM_COMMAND, 21009, 0);
    EXPECT_EQ(answer(owner.pid, IDOK), sjis(L"ファイル ") + path + sjis(L" が開けません。"));
    names[0] = names[1];
    for (int i = 0; i < 10 && tabNames(other.window) != names; ++i) pause(200);
    EXPECT_EQ(windowTitle(owner.window), sjis(L"新規テキスト - Quorvale Ulo"));
    EXPECT_EQ(tabNames(other.window), names);
    EXPECT_EQ(tabNames(owner.window), names);
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

// Quoted files after the first open in a chain of processes, one window each; closing all
// editors asks every window, and one whose user cancels stays while the others close.
TEST_F(Session, QuotedFilesOpenInAChainAndClosingAllSparesACancelledWindow) {
    std::string a = file("chain-a.txt", "a\r\n"), b = file("chain-b.txt", "b\r\n"), c = file("chain-c.txt", "c\r\n");
    Editor first = start(":1" + quoted(a) + " " + quoted(b) + " " + quoted(c));
    ASSERT_TRUE(first.window);
    auto windowShowing = [](const std::string& path) -> HWND {
        std::string tail = path.substr(path.rfind('\\') + 1) + " - Quorvale Ulo";
        for (HWND w : mainWindows()) {
            std::string title = windowTitle(w);
            if (title.size() >= tail.size() && title.compare(title.size() - tail.size(), tail.size(), tail) == 0)
                return w;
        }
        return nullptr;
    };
    std::vector<HWND> order;
    for (int i = 0; i < 100 && order.size() != 3; ++i) {
        pause(200);
        if (mainWindows().size() == 3) order = tabOrder(first.window);
    }
    ASSERT_EQ(mainWindows().size(), 3u);
    HWND wa = windowShowing(a), wb = windowShowing(b), wc = windowShowing(c);
    ASSERT_TRUE(wa && wb && wc);
    EXPECT_EQ(wa, first.window);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(tabOrder(wb), order);
    EXPECT_EQ(tabOrder(wc), order);

    SendMessageA(wb, 0x0400 + 2, 1, 7);  // the control's report of an edit: b is modified
    PostMessageA(wa, WM_COMMAND, 29006, 0);
    DWORD bPid = 0;
    GetWindowThreadProcessId(wb, &bPid);
    EXPECT_FALSE(answer(bPid, IDCANCEL).empty());
    EXPECT_EQ(waitExit(first), 0u);
    for (int i = 0; i < 50 && IsWindow(wc); ++i) pause(200);
    EXPECT_FALSE(IsWindow(wc));
    EXPECT_TRUE(IsWindow(wb) && IsWindowVisible(wb));
    EXPECT_EQ(mainWindows(), std::vector<HWND>{wb});

    // b's process was started by a, not by this program: it is closed here.
    PostMessageA(wb, WM_CLOSE, 0, 0);
    EXPECT_FALSE(answer(bPid, IDNO).empty());
    for (int i = 0; i < 50 && IsWindow(wb); ++i) pause(200);
    EXPECT_FALSE(IsWindow(wb));
}

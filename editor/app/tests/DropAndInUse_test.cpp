// End to end: files dropped on a main window or on its editor control (which window takes which
// file), and the boxes for files another program holds open or that cannot be opened at all.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>

#include "FrameMessages.h"
#include "SessionFixture.h"

using namespace ulo_e2e;

namespace {

const char kTitleTail[] = " - Quorvale Ulo";

// What the editor control reports after an edit (ECN_CHANGED, 1, with a new edit identifier):
// the document now differs from the saved one.
void markModified(HWND mainWindow) { SendMessageA(mainWindow, frame_msg::WM_FRAME_EDITOR, 1, 7); }

HWND editorControl(HWND mainWindow) { return FindWindowExA(mainWindow, nullptr, "QuorvaleEditer", nullptr); }

// Drops the files on the window as the shell does: a DROPFILES block with the ANSI names, each
// ended by a NUL, the list ended by a second NUL, whose handle comes with WM_DROPFILES. Wine does
// not carry such a block across processes, so it is written into the editor's own memory; the
// editor reads it with DragQueryFileA and lets it go with DragFinish as it would the shell's.
bool drop(HWND target, const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& f : files) names += f + '\0';
    names += '\0';
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = {40, 40};
    header.fNC = FALSE;
    header.fWide = FALSE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block += names;
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT, PAGE_READWRITE);
    SIZE_T written = 0;
    bool ok = remote && WriteProcessMemory(process, remote, block.data(), block.size(), &written) &&
              written == block.size() && PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    CloseHandle(process);
    return ok;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    DWORD end = GetTickCount() + timeoutMs;
    do {
        if (condition()) return true;
        pause(50);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return condition();
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// The window shows the file's document, unmodified (the title holds the full path while the
// window is active, the file name otherwise).
bool shows(HWND window, const std::string& path) {
    return endsWith(windowTitle(window), nameOf(path) + kTitleTail);
}

bool untitled(HWND window) { return windowTitle(window) == sjis(L"新規テキスト") + kTitleTail; }

// The main windows other than the given ones.
std::vector<HWND> otherWindows(const std::vector<HWND>& known) {
    std::vector<HWND> others;
    for (HWND w : mainWindows())
        if (std::find(known.begin(), known.end(), w) == known.end()) others.push_back(w);
    return others;
}

// Waits for `count` further windows that have loaded their file, until the first of them lists
// every window in its tab bar.
std::vector<HWND> waitForNewWindows(const std::vector<HWND>& known, size_t count) {
    std::vector<HWND> others;
    waitUntil([&] {
        others = otherWindows(known);
        if (others.size() != count) return false;
        for (HWND w : others)
            if (windowTitle(w).find(kTitleTail) == std::string::npos || untitled(w)) return false;
        return tabOrder(others[0]).size() == known.size() + count;
    }, 20000);
    return others;
}

std::set<std::string> titlesOf(const std::vector<HWND>& windows) {
    std::set<std::string> names;
    for (HWND w : windows) {
        std::string title = windowTitle(w);
        title.resize(title.size() - std::min(title.size(), std::strlen(kTitleTail)));
        names.insert(nameOf(title));
    }
    return names;
}

// A file handle of this program, closed at the end of the test.
struct Held {
    explicit Held(HANDLE h) : handle(h) {}
    ~Held() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    HANDLE handle;
};

}  // namespace

TEST_F(Session, AnEmptyWindowTakesTheDroppedFileAFilledOneStartsNewWindows) {
    std::string own = file("drop-own.txt", "own\r\n");
    std::string a = file("drop-new-a.txt", "a\r\n"), b = file("drop-new-b.txt", "b\r\n");
    Editor editor = start("");
    ASSERT_TRUE(editor.window);
    ASSERT_TRUE(untitled(editor.window));
    ASSERT_TRUE(drop(editor.window, {own}));
    ASSERT_TRUE(waitUntil([&] { return shows(editor.window, own); })) << windowTitle(editor.window);
    EXPECT_EQ(windowTitle(editor.window), own + kTitleTail);  // active: the full path
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == editor.window; }));
    // No other process took the file.
    EXPECT_FALSE(waitUntil([] { return mainWindows().size() > 1; }, 800));
    EXPECT_EQ(tabOrder(editor.window), std::vector<HWND>{editor.window});

    // Now the window holds a modified document: each dropped file gets a window of its own,
    // without a question, and the document stays.
    markModified(editor.window);
    ASSERT_TRUE(drop(editor.window, {a, b}));
    std::vector<HWND> added = waitForNewWindows({editor.window}, 2);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(titlesOf(added), (std::set<std::string>{"drop-new-a.txt", "drop-new-b.txt"}));
    EXPECT_EQ(waitMessageBox(editor.pid, 0), nullptr);
    EXPECT_TRUE(endsWith(windowTitle(editor.window), "drop-own.txt *" + std::string(kTitleTail)))
        << windowTitle(editor.window);
}

TEST_F(Session, SeveralFilesDroppedOnAnEmptyEditorControlFillItAndThenNewWindows) {
    std::string a = file("drop-a.txt", "a\r\n"), b = file("drop-b.txt", "b\r\n"), c = file("drop-c.txt", "c\r\n");
    Editor editor = start("");
    ASSERT_TRUE(editor.window);
    HWND control = editorControl(editor.window);
    ASSERT_TRUE(control);
    ASSERT_TRUE(drop(control, {a, b, c}));
    std::vector<HWND> added = waitForNewWindows({editor.window}, 2);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_TRUE(shows(editor.window, a)) << windowTitle(editor.window);
    EXPECT_EQ(titlesOf(added), (std::set<std::string>{"drop-b.txt", "drop-c.txt"}));
    // The new windows were started after the drop target; every tab bar shows the same order.
    std::vector<HWND> order = tabOrder(editor.window);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], editor.window);
    for (HWND w : added) EXPECT_EQ(tabOrder(w), order);
}

TEST_F(Session, ADroppedFileOpenElsewhereIsLeftToThatWindow) {
    std::string shared = file("drop-shared.txt", "shared\r\n"), fresh = file("drop-fresh.txt", "fresh\r\n");
    Editor owner = start(quoted(shared));
    ASSERT_TRUE(owner.window);
    Editor editor = start("");
    ASSERT_TRUE(editor.window);

    ASSERT_TRUE(drop(editor.window, {shared}));
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == owner.window; }));
    EXPECT_TRUE(untitled(editor.window)) << windowTitle(editor.window);

    // The window stays free for the next file of the same drop.
    ASSERT_TRUE(drop(editor.window, {shared, fresh}));
    ASSERT_TRUE(waitUntil([&] { return shows(editor.window, fresh); })) << windowTitle(editor.window);
    EXPECT_TRUE(shows(owner.window, shared));
    EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == editor.window; }));
    EXPECT_FALSE(waitUntil([] { return mainWindows().size() > 2; }, 800));
}

TEST_F(Session, WithTheSameWindowOptionADropReplacesTheDocumentAfterAsking) {
    MainSettings settings = MainSettings::defaults();
    settings.option_flags |= OptionFlag::kReuseWindow;
    ASSERT_TRUE(settings_store::saveMainSettings(settings));
    std::string own = file("drop-replaced.txt", "old\r\n");
    std::string a = file("drop-here.txt", "here\r\n"), b = file("drop-there.txt", "there\r\n");
    Editor editor = start(quoted(own));
    ASSERT_TRUE(editor.window);
    markModified(editor.window);

    ASSERT_TRUE(drop(editor.window, {a, b}));
    EXPECT_EQ(answer(editor.pid, IDCANCEL), sjis(L"ファイル ") + own + sjis(L" は更新されています。保存しますか？"));
    pause(300);
    EXPECT_TRUE(endsWith(windowTitle(editor.window), "drop-replaced.txt *" + std::string(kTitleTail)));
    EXPECT_EQ(mainWindows().size(), 1u);

    ASSERT_TRUE(drop(editor.window, {a, b}));
    EXPECT_FALSE(answer(editor.pid, IDNO).empty());
    std::vector<HWND> added = waitForNewWindows({editor.window}, 1);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(shows(editor.window, a)) << windowTitle(editor.window);
    EXPECT_TRUE(shows(added[0], b)) << windowTitle(added[0]);
    EXPECT_EQ(readFile(own), "old\r\n");
    FileHistory history;
    ASSERT_TRUE(settings_store::readFileHistory(&history));
    ASSERT_FALSE(history.entries().empty());
    EXPECT_TRUE(FileHistory::samePath(history.entries()[0], own));
}

TEST_F(Session, AFileHeldWithoutSharingCannotBeOpened) {
    std::string path = file("in-use-locked.txt", "locked\r\n");
    Held lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(lock.handle, INVALID_HANDLE_VALUE);
    Editor editor = start(quoted(path));
    // "ファイル %s は使用中の為、開けません。\n"; the process then ends without leaving a window.
    EXPECT_EQ(answer(editor.pid, IDOK), sjis(L"ファイル ") + path + sjis(L" は使用中の為、開けません。\n"));
    EXPECT_EQ(waitExit(editor), static_cast<DWORD>(-1));
    EXPECT_TRUE(mainWindows().empty());
}

TEST_F(Session, AFileAnotherProgramWritesOpensAfterAWarning) {
    std::string path = file("in-use-written.txt", "written\r\n");
    // A writer that lets others read: opening it sharing read only fails, sharing write too works.
    Held writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(writer.handle, INVALID_HANDLE_VALUE);
    Editor editor = start("");
    ASSERT_TRUE(editor.window);
    ASSERT_TRUE(drop(editor.window, {path}));
    // "ファイル %s は使用中です。\n保存できない可能性がありますのでご注意ください。\n"
    EXPECT_EQ(answer(editor.pid, IDOK),
              sjis(L"ファイル ") + path + sjis(L" は使用中です。\n保存できない可能性がありますのでご注意ください。\n"));
    ASSERT_TRUE(waitUntil([&] { return shows(editor.window, path); })) << windowTitle(editor.window);
    EXPECT_EQ(windowTitle(editor.window), path + kTitleTail);
}

TEST_F(Session, DroppedFilesThatCannotBeOpenedAreReported) {
    std::string locked = file("drop-locked.txt", "locked\r\n");
    Held lock(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(lock.handle, INVALID_HANDLE_VALUE);
    std::string missing = folder + "drop-missing.txt", good = file("drop-after-missing.txt", "good\r\n");
    DeleteFileA(missing.c_str());
    Editor editor = start("");
    ASSERT_TRUE(editor.window);
    ASSERT_TRUE(drop(editor.window, {locked}));
    EXPECT_EQ(answer(editor.pid, IDOK), sjis(L"ファイル ") + locked + sjis(L" は使用中の為、開けません。\n"));
    EXPECT_TRUE(untitled(editor.window)) << windowTitle(editor.window);

    // "ファイル %s が開けません。"; the failed file still uses up the empty window, so the next
    // file of the drop goes to a new one.
    ASSERT_TRUE(drop(editor.window, {missing, good}));
    EXPECT_EQ(answer(editor.pid, IDOK), sjis(L"ファイル ") + missing + sjis(L" が開けません。"));
    std::vector<HWND> added = waitForNewWindows({editor.window}, 1);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(shows(added[0], good)) << windowTitle(added[0]);
    EXPECT_TRUE(untitled(editor.window)) << windowTitle(editor.window);
}

// End to end: the unsaved-changes question, the report of a file changed by another program, the
// file history across close and open, and saves that must leave the original file intact.
#include "SessionFixture.h"

using namespace ulo_e2e;

namespace {

// What the editor control reports after an edit: the document differs from the saved one.
void markModified(HWND mainWindow) { SendMessageA(mainWindow, 0x0400 + 2, 1, 7); }

void activate(HWND mainWindow) {
    // Posted: the question the activation may ask must not block this program.
    PostMessageA(mainWindow, WM_ACTIVATE, WA_INACTIVE, 0);
    PostMessageA(mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
}

// The file's last-write time moved one day on, as another program's save would leave it.
void touchLater(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME t;
    GetFileTime(h, nullptr, nullptr, &t);
    ULARGE_INTEGER v{{t.dwLowDateTime, t.dwHighDateTime}};
    v.QuadPart += 864000000000ULL;
    t = {v.LowPart, v.HighPart};
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

}  // namespace

TEST_F(Session, ClosingAModifiedDocumentAsksYesNoCancel) {
    std::string path = file("modified.txt", sampleFile(1, 3));
    Editor editor = start(quoted(path));
    ASSERT_TRUE(editor.window);
    markModified(editor.window);
    EXPECT_NE(windowTitle(editor.window).find(" * - Quorvale Ulo"), std::string::npos);

    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    std::string question = answer(editor.pid, IDCANCEL);
    // "ファイル %s は更新されています。保存しますか？"
    EXPECT_EQ(question, sjis(L"ファイル ") + path + sjis(L" は更新されています。保存しますか？"));
    EXPECT_EQ(waitExit(editor, 500), STILL_ACTIVE);
    EXPECT_TRUE(IsWindowVisible(editor.window));

    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(answer(editor.pid, IDNO).empty());
    EXPECT_EQ(waitExit(editor), 0u);
    EXPECT_EQ(readFile(path), sampleFile(1, 3));
}

// A session end that another program cancels still finishes the close the editor agreed to.
TEST_F(Session, AgreeingToEndTheSessionClosesTheWindowEvenWhenTheEndIsCancelled) {
    std::string path = file("session-end.txt", sampleFile(1, 2));
    Editor editor = start(quoted(path));
    ASSERT_TRUE(editor.window);
    EXPECT_EQ(SendMessageA(editor.window, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_FALSE(IsWindowVisible(editor.window));
    PostMessageA(editor.window, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(waitExit(editor), 0u);
    EXPECT_EQ(readFile(path), sampleFile(1, 2));
}

TEST_F(Session, AnsweringYesSavesBeforeClosing) {
    std::string path = file("saved-on-close.txt", sampleFile(1, 2));
    Editor editor = start(":1" + quoted(path));
    ASSERT_TRUE(editor.window);
    markModified(editor.window);
    DeleteFileA(path.c_str());  // the save must write the file again
    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(answer(editor.pid, IDYES).empty());
    EXPECT_EQ(waitExit(editor), 0u);
    EXPECT_EQ(readFile(path), sampleFile(1, 2));
}

TEST_F(Session, AFileChangedByAnotherProgramIsReportedOnce) {
    std::string path = file("changing.txt", "first\r\n");
    Editor editor = start(quoted(path));
    ASSERT_TRUE(editor.window);
    activate(editor.window);
    EXPECT_EQ(waitMessageBox(editor.pid, 800), nullptr);

    touchLater(path);
    activate(editor.window);
    // "このファイルは、他のエディタにより変更されています。\n再読込を行いますか？"
    EXPECT_EQ(answer(editor.pid, IDNO), sjis(L"このファイルは、他のエディタにより変更されています。\n再読込を行いますか？"));
    activate(editor.window);
    EXPECT_EQ(waitMessageBox(editor.pid, 800), nullptr);

    writeFile(path, "second\r\n");
    touchLater(path);
    activate(editor.window);
    EXPECT_FALSE(answer(editor.pid, IDYES).empty());  // reloads
    std::string copy = folder + "changing-copy.txt";
    DeleteFileA(copy.c_str());
    ASSERT_TRUE(saveAsWith(editor, 0, 0, copy));
    EXPECT_EQ(readFile(copy), "second\r\n");
}

TEST_F(Session, ClosingPutsThePathInFrontOfTheHistoryAndOpeningTakesItOut) {
    std::string a = file("history-a.txt", "a\r\n"), b = file("history-b.txt", "b\r\n");
    for (const std::string& path : {a, b}) {
        Editor editor = start(quoted(path));
        ASSERT_TRUE(editor.window);
        PostMessageA(editor.window, WM_CLOSE, 0, 0);
        ASSERT_EQ(waitExit(editor), 0u);
    }
    FileHistory history;
    ASSERT_TRUE(settings_store::readFileHistory(&history));
    ASSERT_EQ(history.size(), 2u);
    EXPECT_TRUE(FileHistory::samePath(history.entries()[0], b));
    EXPECT_TRUE(FileHistory::samePath(history.entries()[1], a));

    Editor editor = start(quoted(a));
    ASSERT_TRUE(editor.window);
    ASSERT_TRUE(settings_store::readFileHistory(&history));
    ASSERT_EQ(history.size(), 1u);
    EXPECT_TRUE(FileHistory::samePath(history.entries()[0], b));
}

TEST_F(Session, SavingIntoAReadOnlyFileLeavesItIntact) {
    std::string path = file("read-only.txt", "keep me\r\n");
    Editor editor = start(quoted(path));
    ASSERT_TRUE(editor.window);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    markModified(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 21003, 0);
    // "ファイル %s は読み取り専用です。"
    EXPECT_EQ(answer(editor.pid, IDOK), sjis(L"ファイル ") + path + sjis(L" は読み取り専用です。"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(path), "keep me\r\n");
    EXPECT_NE(windowTitle(editor.window).find(" * - "), std::string::npos);  // still modified
}

TEST_F(Session, SavingIntoALockedFileLeavesItIntact) {
    std::string path = file("locked.txt", "keep me too\r\n");
    Editor editor = start(quoted(path));
    ASSERT_TRUE(editor.window);
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    markModified(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 21003, 0);
    // "ファイル %s を書き込みモードで開けません。"
    EXPECT_EQ(answer(editor.pid, IDOK), sjis(L"ファイル ") + path + sjis(L" を書き込みモードで開けません。"));
    CloseHandle(lock);
    EXPECT_EQ(readFile(path), "keep me too\r\n");
    // No temporary file is left beside it.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "~ul*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

// End to end with real ulo.exe processes: the filter submenu driven from the keyboard, a copy of
// the editor without the plug-in, the companion programs, fixed phrases and Ctrl+P printing.
#include "SessionFixture.h"
#include "TestPrinter.h"
#include "UloNames.h"

using namespace ulo_e2e;

namespace {

// "ulo_extension.dll が見つかりません。"
const char kMissingLibrary[] =
    "ulo_extension.dll \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";
// " が見つかりません。"
const char kNotFoundTail[] =
    " \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";
// "印刷"
const char kPrintCaption[] = "\x88\xf3\x8d\xfc";

void key(WORD vk, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// Presses vk with the modifier held until the program had time to read it.
void press(WORD vk, WORD modifier = 0) {
    if (modifier) key(modifier, true);
    key(vk, true);
    pause(60);
    key(vk, false);
    if (modifier) key(modifier, false);
    pause(100);
}

bool bringForward(HWND window) {
    for (int i = 0; i < 100; ++i) {
        SetForegroundWindow(window);
        if (GetForegroundWindow() == window) return true;
        pause(30);
    }
    return false;
}

// Opens Edit > "選択範囲を変換(&X)" from the keyboard.
void openFilterSubmenu(HWND window) {
    ASSERT_TRUE(bringForward(window));
    press('E', VK_MENU);
    press('X');
}

// Ends the menu mode (the box took the foreground while the menu was open).
void closeMenus(HWND window) {
    PostMessageA(window, WM_CANCELMODE, 0, 0);
    pause(200);
}

std::string waitFileContent(const std::string& path, const std::string& expected) {
    std::string bytes = readFile(path);
    for (int i = 0; i < 100 && bytes != expected; ++i) {
        pause(50);
        bytes = readFile(path);
    }
    return bytes;
}

// A copy of ulo.exe alone in a folder of its own, with the given companions beside it.
std::string lonelyCopy(const char* folderName) {
    const std::string folder = workFolder(folderName);
    CopyFileA(programPath().c_str(), (folder + "ulo.exe").c_str(), FALSE);
    return folder;
}

}  // namespace

TEST_F(Session, FilterFromTheMenuReplacesTheSelectionAndUndoes) {
    const std::string path = file("filter.txt",
                                  "abc\r\n\x83\x41"
                                  "def\r\n");
    Editor editor = start(":1" + quoted(path));
    ASSERT_TRUE(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 21210, 0);  // select all
    openFilterSubmenu(editor.window);
    press(VK_RETURN);                                   // the first item, "a → A"
    PostMessageA(editor.window, WM_COMMAND, 21003, 0);  // save
    EXPECT_EQ(waitFileContent(path,
                              "ABC\r\n\x83\x41"
                              "DEF\r\n"),
              "ABC\r\n\x83\x41"
              "DEF\r\n");
    PostMessageA(editor.window, WM_COMMAND, 21200, 0);  // undo: one step
    PostMessageA(editor.window, WM_COMMAND, 21003, 0);
    EXPECT_EQ(waitFileContent(path,
                              "abc\r\n\x83\x41"
                              "def\r\n"),
              "abc\r\n\x83\x41"
              "def\r\n");
}

TEST_F(Session, CopyWithoutThePlugInReportsItAndRetries) {
    const std::string folder = lonelyCopy("ulo_no_extension");
    Editor editor =
        startProgram(folder + "ulo.exe", quoted(file("plain.txt", "text")), ulo_names::kMainWindowClass);
    ASSERT_TRUE(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 21210, 0);
    openFilterSubmenu(editor.window);
    EXPECT_EQ(answer(editor.pid, IDOK), kMissingLibrary);
    closeMenus(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 21210, 0);
    openFilterSubmenu(editor.window);
    EXPECT_EQ(answer(editor.pid, IDOK), kMissingLibrary);  // tried again
    closeMenus(editor.window);
}

TEST_F(Session, CompanionStartedFromTheProgramFolderWhileTheEditorAnswers) {
    const std::string folder = lonelyCopy("ulo_with_companion");
    DeleteFileA((folder + "recorded.txt").c_str());
    ASSERT_TRUE(
        CopyFileA(pathBeside("companion_recorder.exe").c_str(), (folder + "ulo_conf.exe").c_str(), FALSE));
    // A decoy phrase editor in the current folder, none beside the editor.
    const std::string decoys = workFolder("ulo_decoys");
    DeleteFileA((decoys + "recorded.txt").c_str());
    ASSERT_TRUE(
        CopyFileA(pathBeside("companion_recorder.exe").c_str(), (decoys + "phrasedit.exe").c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(decoys.c_str());
    Editor editor =
        startProgram(folder + "ulo.exe", quoted(file("doc.txt", "x")), ulo_names::kMainWindowClass);
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 29007, 0);
    EXPECT_EQ(waitFileContent(folder + "recorded.txt", "ulo_conf.exe"), "ulo_conf.exe");
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(editor.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    PostMessageA(editor.window, WM_COMMAND, 21480, 0);
    EXPECT_EQ(answer(editor.pid, IDOK), std::string("phrasedit.exe") + kNotFoundTail);
    pause(300);
    EXPECT_EQ(readFile(decoys + "recorded.txt"), "<missing>");
}

TEST_F(Session, FixedPhraseWrapsTheSelection) {
    ASSERT_TRUE(settings_store::savePhrase(0, "<p>$selected_text$</p>"));
    const std::string path = file("phrase.txt", "abc");
    Editor editor = start(":1" + quoted(path));
    ASSERT_TRUE(editor.window);
    PostMessageA(editor.window, WM_COMMAND, 21210, 0);
    PostMessageA(editor.window, WM_COMMAND, 21461, 0);
    PostMessageA(editor.window, WM_COMMAND, 21003, 0);
    EXPECT_EQ(waitFileContent(path, "<p>abc</p>"), "<p>abc</p>");
}

class PrintSession : public Session {
protected:
    static void SetUpTestSuite() { ready = printer.install(); }
    static void TearDownTestSuite() { printer.remove(); }
    static TestPrinter printer;
    static bool ready;
};
TestPrinter PrintSession::printer;
bool PrintSession::ready = false;

TEST_F(PrintSession, CtrlPAndOkPrintsTheDocumentCancelPrintsNothing) {
    ASSERT_TRUE(ready);
    std::string text;
    for (int i = 0; i < 150; ++i) text += "line " + std::to_string(i) + "\r\n";
    Editor editor = start(":1" + quoted(file("printed.txt", text)));
    ASSERT_TRUE(editor.window);
    DeleteFileA(printer.output().c_str());
    ASSERT_TRUE(bringForward(editor.window));
    press('P', VK_CONTROL);
    HWND dialog = waitDialog(editor.pid, kPrintCaption);
    ASSERT_NE(dialog, nullptr);
    ulo_e2e::press(dialog, IDCANCEL);
    pause(500);
    EXPECT_EQ(readFile(printer.output()), "<missing>");
    ASSERT_TRUE(bringForward(editor.window));
    press('P', VK_CONTROL);
    dialog = waitDialog(editor.pid, kPrintCaption);
    ASSERT_NE(dialog, nullptr);
    ulo_e2e::press(dialog, IDOK);
    std::string ps = readFile(printer.output());
    for (int i = 0; i < 200 && ps.find("%%EOF") == std::string::npos; ++i) {
        pause(50);
        ps = readFile(printer.output());
    }
    EXPECT_NE(ps.find("%%Title: printed.txt"), std::string::npos);
    int pages = 0;
    for (size_t at = ps.find("%%Page: "); at != std::string::npos; at = ps.find("%%Page: ", at + 1)) ++pages;
    EXPECT_GE(pages, 2);
}

// The preview and insertion features end to end on real ulo.exe processes: the embedded preview
// where Wine has no HTML engine, the external browsers through fakebrowser.exe, the preview's
// temporary file, the browser record's cache, and the four insertions driven through their
// dialogs and the colour picker.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrowserList.h"
#include "HuePick.h"
#include "PagetoolResource.h"
#include "SessionFixture.h"
#include "UloNames.h"
#include "UloResource.h"

using namespace ulo_e2e;

namespace {

const int kFileNameCombo = 0x47C;  // the open dialog's file-name field (cmb13, or edt1 below)
const int kFileNameEdit = 0x480;

void command(const Editor& e, UINT id) { PostMessageA(e.window, WM_COMMAND, id, 0); }

// Children of the main window of a class, at any depth.
std::vector<HWND> childrenOfClass(HWND parent, const char* windowClass) {
    struct Context {
        const char* cls;
        std::vector<HWND> found;
    } context{windowClass, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Context*>(l);
            if (className(w) == c->cls) c->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND fileNameField(HWND dialog) {
    HWND field = findChildById(dialog, kFileNameCombo);
    return field ? field : findChildById(dialog, kFileNameEdit);
}

HWND waitOpenDialog(DWORD pid) {
    return waitWindow(pid, [](HWND w) { return className(w) == "#32770" && fileNameField(w) != nullptr; }, 10000);
}

// Types the path into the process's open dialog and presses OK; false when no dialog came.
bool choose(DWORD pid, const std::string& path, const std::string& alt = std::string()) {
    HWND dialog = waitOpenDialog(pid);
    if (!dialog) return false;
    if (HWND altEdit = findChildById(dialog, IDC_IMAGE_ALT)) SetWindowTextA(altEdit, alt.c_str());
    SetWindowTextA(fileNameField(dialog), path.c_str());
    press(dialog, IDOK);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) pause(50);
    return true;
}

// The files of a folder that match a pattern.
std::vector<std::string> filesLike(const std::string& folder, const char* pattern) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + pattern).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return found;
    do found.push_back(folder + data.cFileName);
    while (FindNextFileA(h, &data));
    FindClose(h);
    return found;
}

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        pause(50);
    }
    return true;
}

// Whether files in the folder keep the temporary attribute (Wine's file systems drop it).
bool fileSystemKeepsTemporary(const std::string& folder) {
    const std::string probe = folder + "attribute-probe.tmp";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    const bool kept = (GetFileAttributesA(probe.c_str()) & FILE_ATTRIBUTE_TEMPORARY) != 0;
    DeleteFileA(probe.c_str());
    return kept;
}

std::string temporaryFolder() {
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof path, path);
    char longPath[MAX_PATH] = "";
    GetLongPathNameA(path, longPath, sizeof longPath);
    return longPath;
}

class PreviewSession : public Session {
protected:
    void SetUp() override {
        Session::SetUp();
        ASSERT_TRUE(settings_store::saveMainSettings(withoutChecks()));
        settings_store::saveBrowserList(BrowserList::empty());
        // The stand-in browser in a folder of its own; started by the launcher, it writes its
        // command line into fakebrowser.exe.log beside itself.
        CreateDirectoryA((folder + "browser").c_str(), nullptr);
        browser = folder + "browser\\fakebrowser.exe";
        CopyFileA(pathBeside("fakebrowser.exe").c_str(), browser.c_str(), FALSE);
        DeleteFileA((browser + ".log").c_str());
        for (const std::string& f : filesLike(folder, "~*.html")) {
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f.c_str());
        }
    }
    void TearDown() override {
        Session::TearDown();
        settings_store::saveBrowserList(BrowserList::empty());
    }
    // The default settings without the grammar checks before previews and after saves: those are
    // HTML mode's subject, and the editor copies of these tests have no maps beside them.
    static MainSettings withoutChecks() {
        MainSettings settings = MainSettings::defaults();
        settings.option_flags &= ~(OptionFlag::kCheckOnPreview | OptionFlag::kCheckOnSave);
        return settings;
    }
    void registerFireFox() {
        BrowserList list = BrowserList::empty();
        list.setPath(BrowserList::kFirefox, browser);
        ASSERT_TRUE(settings_store::saveBrowserList(list));
    }
    // The command line the stand-in browser was started with ("" when it never started).
    std::string browserCommandLine() {
        std::string line;
        waitFor([&] {
            line = readFile(browser + ".log");
            return line != "<missing>" && line.find('\n') != std::string::npos;
        });
        return line == "<missing>" ? std::string() : line;
    }
    // Saves and reads the document back, waiting (up to ten seconds) for the text expected.
    std::string saveAndRead(const Editor& e, const std::string& path, const std::string& expected) {
        command(e, CMD_SAVE);
        std::string text;
        waitFor([&] { return (text = readFile(path)) == expected; });
        return text;
    }

    std::string browser;
};

TEST_F(PreviewSession, EmbeddedPreviewWithoutHtmlEngineIsReportedAndLeavesNothing) {
    Editor e = start(quoted(file("index.html", "<html></html>")));
    ASSERT_NE(e.window, nullptr);
    for (int i = 0; i < 2; ++i) {
        command(e, CMD_PREVIEW);
        EXPECT_EQ(answer(e.pid, IDOK), sjis(L"Internet Explorerコンポーネントの初期化に失敗しました。"));
    }
    EXPECT_TRUE(childrenOfClass(e.window, "AtlAxWin80").empty());
    EXPECT_TRUE(filesLike(folder, "~*.html").empty());
}

TEST_F(PreviewSession, FireFoxShowsAHiddenTemporaryCopyBesideTheDocument) {
    registerFireFox();
    const std::string original = sampleFile(4, 3);  // UTF-8, CR LF: the copy keeps the file's code
    const std::string doc = file("index.html", original);
    Editor e = start(quoted(doc));
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_BROWSER_FIREFOX);
    const std::string line = browserCommandLine();
    const std::vector<std::string> copies = filesLike(folder, "~index.*.html");
    ASSERT_EQ(copies.size(), 1u);
    const std::string copy = copies[0];
    const DWORD attributes = GetFileAttributesA(copy.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    if (fileSystemKeepsTemporary(folder)) {
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_TEMPORARY);
    }
    EXPECT_EQ(readFile(copy), original);
    // The browser got the copy's URL, "\" as "/", the program's path quoted.
    std::string url = copy;
    for (char& c : url)
        if (c == '\\') c = '/';
    EXPECT_EQ(line, "\"" + browser + "\" \"file://" + url + "\"\n");

    // Without a change the copy is not written again.
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    writeFile(copy, "untouched");
    DeleteFileA((browser + ".log").c_str());
    command(e, CMD_BROWSER_FIREFOX);
    EXPECT_NE(browserCommandLine(), "");
    EXPECT_EQ(readFile(copy), "untouched");

    // Saving under a new name removes it before the document takes the new path.
    const std::string renamed = folder + "renamed.html";
    DeleteFileA(renamed.c_str());
    ASSERT_TRUE(saveAsWith(e, 0, 0, renamed));
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesA(copy.c_str()) == INVALID_FILE_ATTRIBUTES; }));

    // So does closing the document.
    DeleteFileA((browser + ".log").c_str());
    command(e, CMD_BROWSER_FIREFOX);
    EXPECT_NE(browserCommandLine(), "");
    const std::vector<std::string> renamedCopies = filesLike(folder, "~renamed.*.html");
    ASSERT_EQ(renamedCopies.size(), 1u);
    command(e, CMD_CLOSE);
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesA(renamedCopies[0].c_str()) == INVALID_FILE_ATTRIBUTES; }));
}

TEST_F(PreviewSession, UntitledDocumentsPreviewFromTheTemporaryFolder) {
    registerFireFox();
    const std::string temp = temporaryFolder();
    for (const std::string& f : filesLike(temp, "~tmp.*.html")) {
        SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(f.c_str());
    }
    Editor e = start("");
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_BROWSER_FIREFOX);
    EXPECT_NE(browserCommandLine(), "");
    EXPECT_EQ(filesLike(temp, "~tmp.*.html").size(), 1u);
    command(e, CMD_CLOSE);
    EXPECT_TRUE(waitFor([&] { return filesLike(temp, "~tmp.*.html").empty(); }));
}

TEST_F(PreviewSession, UnregisteredBrowserAsksForRegistrationAndNewRecordsCountAtOnce) {
    Editor e = start(quoted(file("index.html", "<html></html>")));
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_BROWSER_OPERA);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"プレビューを行うにはブラウザの登録が必要です。"));
    // The registration program's own box when it is missing, if the command starts it.
    answer(e.pid, IDOK, 2000);
    // FireFox registered while the editor runs: the record it read stays until it is told.
    command(e, CMD_BROWSER_FIREFOX);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"プレビューを行うにはブラウザの登録が必要です。"));
    answer(e.pid, IDOK, 2000);
    registerFireFox();
    SendMessageA(e.window, 0x0400 + 6, 0, 0);
    command(e, CMD_BROWSER_FIREFOX);
    EXPECT_NE(browserCommandLine(), "");
}

TEST_F(PreviewSession, ImageLinkAndColourInsertions) {
    CreateDirectoryA((folder + "img").c_str(), nullptr);
    CopyFileA(pathBeside("rose.png").c_str(), (folder + "img\\rose.png").c_str(), FALSE);
    const std::string doc = file("index.html", "");
    Editor e = start(quoted(doc));
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_IMAGE);
    // An empty document has no body for the image: the editor asks first.
    EXPECT_EQ(answer(e.pid, IDYES), sjis(L"現在の位置に画像を挿入すると、文法エラーとなります。\n続行しますか？"));
    ASSERT_TRUE(choose(e.pid, folder + "img\\rose.png", "rose"));
    const std::string tag = "<img src=\"img/rose.png\" width=\"70\" height=\"46\" alt=\"rose\">";
    EXPECT_EQ(saveAndRead(e, doc, tag), tag);
    closeEverything();

    // A link around the selected word.
    const std::string linked = file("links.html", "Home");
    file("top.html", "");
    e = start(quoted(linked));
    command(e, CMD_SELECTALL);
    command(e, CMD_LINK);
    EXPECT_EQ(answer(e.pid, IDYES), sjis(L"現在の位置にリンクを挿入すると、文法エラーとなります。\n続行しますか？"));
    ASSERT_TRUE(choose(e.pid, folder + "top.html"));
    EXPECT_EQ(saveAndRead(e, linked, "<a href=\"top.html\">Home</a>"), "<a href=\"top.html\">Home</a>");
    closeEverything();

    // The selected colour opens the picker; OK inserts it back in lower case.
    const std::string coloured = file("colour.html", "#A0B0C0");
    e = start(quoted(coloured));
    command(e, CMD_SELECTALL);
    command(e, CMD_COLOUR);
    HWND picker = waitWindow(e.pid, [](HWND w) { return className(w) == huepick_exports::kWindowClass; });
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(windowTitle(picker), sjis(L"色の選択"));
    char hex[16] = "";
    GetDlgItemTextA(picker, huepick_exports::IDC_HUEPICK_HEX, hex, sizeof hex);
    EXPECT_STREQ(hex, "#A0B0C0");
    press(picker, IDOK);
    EXPECT_EQ(saveAndRead(e, coloured, "#a0b0c0"), "#a0b0c0");
    closeEverything();

    // With option 0x40 the code comes back in upper case.
    MainSettings settings = withoutChecks();
    settings.option_flags |= OptionFlag::kUpperCaseColourCode;
    ASSERT_TRUE(settings_store::saveMainSettings(settings));
    const std::string upper = file("upper.html", "#a0b0c0");
    e = start(quoted(upper));
    command(e, CMD_SELECTALL);
    command(e, CMD_COLOUR);
    picker = waitWindow(e.pid, [](HWND w) { return className(w) == huepick_exports::kWindowClass; });
    ASSERT_NE(picker, nullptr);
    press(picker, IDOK);
    EXPECT_EQ(saveAndRead(e, upper, "#A0B0C0"), "#A0B0C0");
}

TEST_F(PreviewSession, InsertionsNeedASavedDocumentAndNoToTheQuestionInsertsNothing) {
    // An untitled document: each insertion asks for a save first and opens no dialog.
    Editor e = start("");
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_RELPATH);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"相対パスを挿入するには、ファイルを保存する必要があります。"));
    command(e, CMD_IMAGE);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"画像を挿入するには、ファイルを保存する必要があります。"));
    command(e, CMD_LINK);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"リンクを挿入するには、ファイルを保存する必要があります。"));
    closeEverything();

    // No to the grammar-error question: no dialog, nothing inserted.
    CreateDirectoryA((folder + "img").c_str(), nullptr);
    CopyFileA(pathBeside("rose.png").c_str(), (folder + "img\\rose.png").c_str(), FALSE);
    const std::string doc = file("declined.html", "");
    e = start(quoted(doc));
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_IMAGE);
    EXPECT_EQ(answer(e.pid, IDNO), sjis(L"現在の位置に画像を挿入すると、文法エラーとなります。\n続行しますか？"));
    EXPECT_EQ(waitWindow(e.pid, [](HWND w) { return className(w) == "#32770" && fileNameField(w) != nullptr; }, 1500),
              nullptr);

    // The relative path of a chosen file is inserted as it is, with "/" between folders.
    command(e, CMD_RELPATH);
    ASSERT_TRUE(choose(e.pid, folder + "img\\rose.png"));
    EXPECT_EQ(saveAndRead(e, doc, "img/rose.png"), "img/rose.png");
}

TEST_F(PreviewSession, ImageTagsFollowTheDocumentsMapAndCase) {
    CreateDirectoryA((folder + "img").c_str(), nullptr);
    CopyFileA(pathBeside("rose.png").c_str(), (folder + "img\\rose.png").c_str(), FALSE);
    const auto insertOnSecondLine = [&](const std::string& name, const std::string& first, const std::string& second) {
        const std::string doc = file(name, first + "\r\n" + second);
        Editor e = start(quoted(doc));
        EXPECT_NE(e.window, nullptr);
        // The caret to the start of the second line, inside the body.
        SendMessageA(FindWindowExA(e.window, nullptr, "QuorvaleEditer", nullptr), 0x0400 + 1, 12500, 1);
        command(e, CMD_IMAGE);
        EXPECT_TRUE(choose(e.pid, folder + "img\\rose.png", "rose"));
        command(e, CMD_SAVE);
        pause(500);
        const std::string saved = readFile(doc);
        closeEverything();
        const size_t start = first.size() + 2;
        return saved.size() > start + second.size() ? saved.substr(start, saved.size() - start - second.size()) : saved;
    };
    // An XHTML document: lower-case names and " />".
    EXPECT_EQ(insertOnSecondLine("page.html",
                                 "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                                 "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"><html><body>",
                                 "<p>x</p></body></html>"),
              "<img src=\"img/rose.png\" width=\"70\" height=\"46\" alt=\"rose\" />");
    // A document written in upper case: the tag follows it.
    EXPECT_EQ(insertOnSecondLine("upper.html", "<HTML><BODY>", "<P>x</P></BODY></HTML>"),
              "<IMG SRC=\"img/rose.png\" WIDTH=\"70\" HEIGHT=\"46\" ALT=\"rose\">");
}

// The editor copied into a folder of its own, beside the libraries the test puts there.
std::string editorCopy(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "ulo.exe";
    CopyFileA(pathBeside("ulo.exe").c_str(), program.c_str(), FALSE);
    return program;
}

TEST_F(PreviewSession, MissingOrIncompleteLibrariesAreReportedAndTriedAgain) {
    const std::string own = folder + "alone\\";
    const std::string program = editorCopy(own);
    DeleteFileA((own + "pagetool.dll").c_str());
    DeleteFileA((own + "HuePick.dll").c_str());
    Editor e = startProgram(program, quoted(file("index.html", "<html></html>")), ulo_names::kMainWindowClass);
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_PREVIEW);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"pagetool.dll が見つかりません。"));
    CopyFileA(pathBeside("partial\\pagetool.dll").c_str(), (own + "pagetool.dll").c_str(), FALSE);
    command(e, CMD_PREVIEW);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"pagetool.dll を正常にロード出来ません。"));
    // The incomplete library was unloaded: it can be replaced, and the next use takes the new one.
    EXPECT_TRUE(CopyFileA(pathBeside("pagetool.dll").c_str(), (own + "pagetool.dll").c_str(), FALSE));
    command(e, CMD_PREVIEW);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"Internet Explorerコンポーネントの初期化に失敗しました。"));

    command(e, CMD_COLOUR);
    EXPECT_EQ(answer(e.pid, IDOK), sjis(L"HuePick.dll が見つかりません。"));
    CopyFileA(pathBeside("HuePick.dll").c_str(), (own + "HuePick.dll").c_str(), FALSE);
    command(e, CMD_COLOUR);
    HWND picker = waitWindow(e.pid, [](HWND w) { return className(w) == huepick_exports::kWindowClass; });
    ASSERT_NE(picker, nullptr);
    press(picker, IDCANCEL);
}

// The editor beside the test-only pagetool.dll without the engine check runs the pane on Wine's
// real web-browser control.
class PaneSession : public PreviewSession {
protected:
    Editor startBesideTestPagetool(const std::string& doc) {
        return startProgram(pathBeside("noengine\\ulo.exe"), quoted(doc), ulo_names::kMainWindowClass);
    }
    static HWND editorControl(HWND main) {
        std::vector<HWND> found = childrenOfClass(main, "QuorvaleEditer");
        return found.empty() ? nullptr : found[0];
    }
    static HWND viewerHost(HWND main) {
        std::vector<HWND> found = childrenOfClass(main, "AtlAxWin80");
        return found.empty() ? nullptr : found[0];
    }
    std::string copyOf(const char* base) {
        std::vector<std::string> copies = filesLike(folder, base);
        return copies.size() == 1 ? copies[0] : std::string();
    }
};

TEST_F(PaneSession, PaneFollowsTheTypingAndEscapeHidesIt) {
    const std::string doc = file("index.html", "<p>a</p>");
    Editor e = startBesideTestPagetool(doc);
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_PREVIEW);
    HWND host = nullptr;
    ASSERT_TRUE(waitFor([&] { return (host = viewerHost(e.window)) != nullptr && IsWindowVisible(host); }));
    // On the left, 40 % of the client width.
    RECT client, pane;
    GetClientRect(e.window, &client);
    GetWindowRect(host, &pane);
    EXPECT_EQ(pane.right - pane.left, client.right * 40 / 100);
    const std::string copy = copyOf("~index.*.html");
    ASSERT_NE(copy, "");
    EXPECT_EQ(readFile(copy), "<p>a</p>");

    // Typing: the copy follows 300 ms after the last change.
    HWND control = editorControl(e.window);
    ASSERT_NE(control, nullptr);
    PostMessageA(control, WM_CHAR, 'x', 0);
    EXPECT_TRUE(waitFor([&] { return readFile(copy).find('x') != std::string::npos; }, 5000)) << readFile(copy);

    // Escape in the editor hides the pane; the viewer stays for the next preview.
    PostMessageA(control, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(host); }));
    EXPECT_EQ(viewerHost(e.window), host);
}

TEST_F(PaneSession, WithoutLiveRefreshOnlyF8WritesTheCopy) {
    MainSettings settings = withoutChecks();
    settings.option_flags |= OptionFlag::kNoAutoPreview;
    ASSERT_TRUE(settings_store::saveMainSettings(settings));
    const std::string doc = file("index.html", "<p>a</p>");
    Editor e = startBesideTestPagetool(doc);
    ASSERT_NE(e.window, nullptr);
    command(e, CMD_PREVIEW);
    ASSERT_TRUE(waitFor([&] { return viewerHost(e.window) != nullptr; }));
    const std::string copy = copyOf("~index.*.html");
    ASSERT_NE(copy, "");
    // F8 itself starts the refresh timer once: typing comes after it has run.
    pause(700);
    PostMessageA(editorControl(e.window), WM_CHAR, 'x', 0);
    pause(1000);
    EXPECT_EQ(readFile(copy), "<p>a</p>");
    command(e, CMD_PREVIEW);
    EXPECT_TRUE(waitFor([&] { return readFile(copy).find('x') != std::string::npos; }));
}

}  // namespace

// End to end on the real ulo.exe: the default keys with the editor in front, the search box, the
// find, replace and go-to-line dialogs, search-all into the result pane, the update check and the
// help files.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "FindTexts.h"
#include "QuorvaleMessages.h"
#include "SessionFixture.h"
#include "UloResource.h"

using namespace ulo_e2e;

namespace {

constexpr unsigned kRequest = 0x0400 + 1;   // EC_REQUEST of the editor control

HWND controlOf(HWND main) { return FindWindowExA(main, nullptr, "QuorvaleEditer", nullptr); }
HWND searchEditOf(HWND main) {
    HWND box = findChildById(main, CMD_SEARCHBOX);
    return box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
}
LRESULT ask(HWND main, unsigned code, LPARAM lParam = 0) {
    return SendMessageA(controlOf(main), kRequest, code, lParam);
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    DWORD end = GetTickCount() + timeoutMs;
    while (!condition()) {
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
        pause(30);
    }
    return true;
}

void keyEvent(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Presses the key with the modifiers held until `seen` answers true (or the time-out), so that
// the editor reads the modifiers while it handles the key.
bool chord(std::initializer_list<WORD> modifiers, WORD key, const std::function<bool()>& seen) {
    for (WORD m : modifiers) keyEvent(m, false);
    keyEvent(key, false);
    keyEvent(key, true);
    bool ok = waitUntil(seen);
    for (WORD m : modifiers) keyEvent(m, true);
    pause(100);
    return ok;
}

void toFront(HWND main) {
    SetForegroundWindow(main);
    waitUntil([main] { return GetForegroundWindow() == main; }, 3000);
    pause(200);
}

HWND dialogOf(const Editor& e, const wchar_t* caption, DWORD timeoutMs = 10000) {
    return waitDialog(e.pid, sjis(caption).c_str(), timeoutMs);
}

void closeDialog(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    waitUntil([dialog] { return !IsWindow(dialog); });
}

void typeInto(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void tick(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string floatText(const Editor& e) {
    HWND w = windowOf(e.pid, "QuorvaleFloatText");
    return w && IsWindowVisible(w) ? windowTitle(w) : std::string();
}

// A list-box item of another process: the W form, converted to code page 932 (the A form
// answers UTF-16 across processes under Wine).
std::string listItem(HWND list, int i) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n < 0) return std::string();
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&w[0]));
    w.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return sjis(w.c_str());
}

// Types a character at the caret and saves: the file then shows where the caret was.
void markAndSave(const Editor& e, char mark) {
    PostMessageA(controlOf(e.window), WM_CHAR, static_cast<WPARAM>(mark), 0);
    pause(100);
    PostMessageA(e.window, WM_COMMAND, CMD_SAVE, 0);
    pause(400);
}

std::string lines(int count, const char* text) {
    std::string all;
    for (int i = 0; i < count; ++i) all += text + std::string(i + 1 < count ? "\r\n" : "");
    return all;
}

}  // namespace

TEST_F(Session, DefaultKeysReachTheirCommandsWithTheEditorInFront) {
    std::string path = file("keys.txt", "abc1\r\nabc2\r\nabc3");
    Editor e = start(":1" + quoted(path));
    ASSERT_TRUE(e.window);
    toFront(e.window);
    PostMessageA(controlOf(e.window), WM_CHAR, 'X', 0);
    EXPECT_TRUE(chord({VK_CONTROL}, 'S', [&] { return readFile(path) == "Xabc1\r\nabc2\r\nabc3"; }));
    // Ctrl+Shift+S is save-as, not save: the modifiers must match exactly.
    HWND saveAs = nullptr;
    EXPECT_TRUE(chord({VK_CONTROL, VK_SHIFT}, 'S', [&] {
        for (HWND w : topWindows([&](HWND w) { return processOf(w) == e.pid && className(w) == "#32770"; }))
            if (findChildById(w, 10001)) saveAs = w;
        return saveAs != nullptr;
    }));
    if (saveAs) closeDialog(saveAs);
    struct DialogKey {
        WORD key;
        const wchar_t* caption;
    };
    for (DialogKey k : {DialogKey{'G', L"指定行へ移動"}, DialogKey{'F', L"検索"}, DialogKey{'H', L"置換"}}) {
        toFront(e.window);
        HWND dialog = nullptr;
        EXPECT_TRUE(chord({VK_CONTROL}, k.key, [&] { return (dialog = dialogOf(e, k.caption, 100)) != nullptr; }))
            << static_cast<char>(k.key);
        if (dialog) closeDialog(dialog);
    }
    // F3 and Shift+F3 with the search box's text.
    toFront(e.window);
    typeInto(searchEditOf(e.window), "abc");
    ask(e.window, EC_GOTOLINE, 0);
    toFront(e.window);
    SetFocus(nullptr);
    for (int i = 0; i < 3; ++i) {
        keyEvent(VK_F3, false);
        keyEvent(VK_F3, true);
        pause(300);
    }
    EXPECT_TRUE(chord({VK_SHIFT}, VK_F3, [&] { pause(300); return true; }));
    markAndSave(e, 'Q');
    EXPECT_EQ(readFile(path), "Xabc1\r\nQ2\r\nabc3");
}

TEST_F(Session, TheSearchBoxShowsWhereTheTextIsAndItsKeysSearch) {
    Editor e = start(":1" + quoted(file("box.txt", "first\r\nmiddle\r\nlast")));
    ASSERT_TRUE(e.window);
    ask(e.window, EC_GOTOLINE, 2);
    HWND edit = searchEditOf(e.window);
    ASSERT_TRUE(edit);
    typeInto(edit, "first");
    EXPECT_TRUE(waitUntil([&] { return floatText(e) == find_text::kOnlyUpToolbar; })) << floatText(e);
    // Shift+Enter in the box finds it upward.
    toFront(e.window);
    keyEvent(VK_SHIFT, false);
    pause(200);
    PostMessageA(edit, WM_CHAR, '\r', 0);
    EXPECT_TRUE(waitUntil([&] { return ask(e.window, EC_GETSELECTIONSIZE) == 5; }));
    keyEvent(VK_SHIFT, true);
    EXPECT_TRUE(waitUntil([&] { return floatText(e) == find_text::kOnlyHere; })) << floatText(e);
    typeInto(edit, "nowhere");
    EXPECT_TRUE(waitUntil([&] { return floatText(e) == find_text::kNoMatchAtAll; })) << floatText(e);
    // Escape gives the focus back to the editor.
    PostMessageA(edit, WM_CHAR, VK_ESCAPE, 0);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(waitUntil([&] {
        return GetGUIThreadInfo(GetWindowThreadProcessId(e.window, nullptr), &info) && info.hwndFocus == controlOf(e.window);
    }));
}

TEST_F(Session, TheFindDialogFindsATabAndSaysWhenItIsDone) {
    Editor e = start(":1" + quoted(file("tab.txt", "a\tb\r\nend")));
    ASSERT_TRUE(e.window);
    PostMessageA(e.window, WM_COMMAND, CMD_FIND, 0);
    HWND d = dialogOf(e, L"検索");
    ASSERT_TRUE(d);
    tick(d, IDC_FIND_TABESCAPE);
    typeInto(FindWindowExA(GetDlgItem(d, IDC_FIND_TEXT), nullptr, "Edit", nullptr), "a\\tb");
    press(d, IDC_FIND_NEXT);
    EXPECT_TRUE(waitUntil([&] { return ask(e.window, EC_GETSELECTIONSIZE) == 3; }));
    press(d, IDC_FIND_NEXT);
    EXPECT_EQ(answer(e.pid, IDOK), find_text::kSearchFinished);
    tick(d, IDC_FIND_CASE);
    press(d, IDC_FIND_CLOSE);
    waitUntil([d] { return !IsWindow(d); });
    // From the menu or a key, the case option names itself.
    PostMessageA(e.window, WM_COMMAND, CMD_FINDDOWN, 0);
    EXPECT_EQ(answer(e.pid, IDOK), find_text::kSearchFinishedCase);
}

TEST_F(Session, SearchAllListsAThousandLinesAndAClickGoesToOne) {
    std::string text;
    for (int i = 1; i <= 1200; ++i) text += "x line " + std::to_string(i) + "\r\n";
    std::string path = file("many.txt", text);
    Editor e = start(":1" + quoted(path));
    ASSERT_TRUE(e.window);
    PostMessageA(e.window, WM_COMMAND, CMD_FIND, 0);
    HWND d = dialogOf(e, L"検索");
    ASSERT_TRUE(d);
    typeInto(FindWindowExA(GetDlgItem(d, IDC_FIND_TEXT), nullptr, "Edit", nullptr), "x line");
    press(d, IDC_FIND_LIST);
    HWND list = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        list = findChildById(e.window, CMD_RESULTLIST);
        return list && SendMessageA(list, LB_GETCOUNT, 0, 0) >= 1002;
    }));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1002);
    EXPECT_EQ(listItem(list, 0), "      1" + sjis(L"行: ") + "x line 1");
    EXPECT_EQ(listItem(list, 999), "   1000" + sjis(L"行: ") + "x line 1000");
    EXPECT_EQ(listItem(list, 1000), find_text::kTooManyLines);
    EXPECT_FALSE(IsWindow(d));
    // A click on a result moves the caret to its line.
    SendMessageA(list, LB_SETCURSEL, 499, 0);
    SendMessageA(e.window, WM_COMMAND, MAKEWPARAM(CMD_RESULTLIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    markAndSave(e, 'Z');
    std::string saved = readFile(path);
    EXPECT_NE(saved.find("\r\nZx line 500\r\n"), std::string::npos);
}

TEST_F(Session, ReplaceOneThenAllIsUndoneByOneCtrlZAndASelectionWithoutMatchSaysSo) {
    const std::string original = "cat cat\r\ncat dog";
    std::string path = file("cats.txt", original);
    Editor e = start(":1" + quoted(path));
    ASSERT_TRUE(e.window);
    PostMessageA(e.window, WM_COMMAND, CMD_REPLACE, 0);
    HWND d = dialogOf(e, L"置換");
    ASSERT_TRUE(d);
    typeInto(FindWindowExA(GetDlgItem(d, IDC_FIND_TEXT), nullptr, "Edit", nullptr), "cat");
    typeInto(FindWindowExA(GetDlgItem(d, IDC_REPLACE_TEXT), nullptr, "Edit", nullptr), "cow");
    // Replace one: the found "cat" becomes "cow" and the next one is selected.
    press(d, IDC_FIND_NEXT);
    ASSERT_TRUE(waitUntil([&] { return ask(e.window, EC_GETSELECTIONSIZE) == 3; }));
    press(d, IDC_REPLACE_ONE);
    // Replace all: the two that are left.
    press(d, IDC_REPLACE_ALL);
    EXPECT_EQ(answer(e.pid, IDOK), "2" + sjis(L"個、置換されました"));
    char status[128] = {};
    GetDlgItemTextA(d, IDC_FIND_STATUS, status, sizeof status);
    EXPECT_EQ(status, "2" + sjis(L"個、置換されました"));
    press(d, IDC_FIND_CLOSE);
    waitUntil([d] { return !IsWindow(d); });
    PostMessageA(e.window, WM_COMMAND, CMD_SAVE, 0);
    EXPECT_TRUE(waitUntil([&] { return readFile(path) == "cow cow\r\ncow dog"; }));
    // One Ctrl+Z takes back the whole replace-all, and only it.
    toFront(e.window);
    EXPECT_TRUE(chord({VK_CONTROL}, 'Z', [&] { return ask(e.window, EC_CANREDO) != 0; }));
    PostMessageA(e.window, WM_COMMAND, CMD_SAVE, 0);
    EXPECT_TRUE(waitUntil([&] { return readFile(path) == "cow cat\r\ncat dog"; })) << readFile(path);
    PostMessageA(e.window, WM_COMMAND, CMD_UNDO, 0);
    PostMessageA(e.window, WM_COMMAND, CMD_SAVE, 0);
    EXPECT_TRUE(waitUntil([&] { return readFile(path) == original; }));

    // "dog" selected, then replace-all of "cat" inside the selection.
    typeInto(searchEditOf(e.window), "dog");
    PostMessageA(e.window, WM_COMMAND, CMD_FINDDOWN, 0);
    ASSERT_TRUE(waitUntil([&] { return ask(e.window, EC_GETSELECTIONSIZE) == 3; }));
    PostMessageA(e.window, WM_COMMAND, CMD_REPLACE, 0);
    d = dialogOf(e, L"置換");
    ASSERT_TRUE(d);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_REPLACE_INSELECTION), BST_CHECKED);
    typeInto(FindWindowExA(GetDlgItem(d, IDC_FIND_TEXT), nullptr, "Edit", nullptr), "cat");
    press(d, IDC_REPLACE_ALL);
    EXPECT_EQ(answer(e.pid, IDOK), find_text::kNoMatch);
    GetDlgItemTextA(d, IDC_FIND_STATUS, status, sizeof status);
    EXPECT_STREQ(status, find_text::kNoMatch);
    press(d, IDC_FIND_CLOSE);
}

TEST_F(Session, GoToLineTakesBothDigitWidthsAndIgnoresText) {
    std::string path = file("lines.txt", lines(200, "l"));
    Editor e = start(":1" + quoted(path));
    ASSERT_TRUE(e.window);
    for (const std::string& field : {sjis(L"１２３"), std::string("12a"), std::string("abc")}) {
        PostMessageA(e.window, WM_COMMAND, CMD_GOTOLINE, 0);
        HWND d = dialogOf(e, L"指定行へ移動");
        ASSERT_TRUE(d) << field;
        SetDlgItemTextA(d, IDC_LINE_NUMBER, field.c_str());
        press(d, IDC_LINE_OK);
        waitUntil([d] { return !IsWindow(d); });
        markAndSave(e, 'Z');
    }
    std::string expected;
    for (int i = 0; i < 200; ++i)
        expected += std::string(i == 122 ? "Z" : i == 11 ? "ZZ" : "") + "l" + (i < 199 ? "\r\n" : "");
    EXPECT_EQ(readFile(path), expected);
}

TEST_F(Session, HelpFilesOpenInWindowsOfTheirOwnAndOpenNeverReadsAStrangePointer) {
    Editor e = start("");
    ASSERT_TRUE(e.window);
    for (const char* name : {"ulo_hint.txt", "ulo.txt"}) {
        PostMessageA(e.window, WM_COMMAND, std::string(name) == "ulo.txt" ? CMD_RELEASENOTES : CMD_HINTS, 0);
        EXPECT_TRUE(waitUntil([&] {
            for (HWND w : mainWindows())
                if (windowTitle(w).find(name) != std::string::npos) return true;
            return false;
        })) << name;
    }
    // 21001 from outside with a parameter that is no pointer of this process: the open dialog.
    PostMessageA(e.window, WM_COMMAND, CMD_OPEN, 0x1234);
    HWND open = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        for (HWND w : topWindows([&](HWND w) { return processOf(w) == e.pid && className(w) == "#32770"; }))
            if (findChildById(w, 10000)) open = w;
        return open != nullptr;
    }));
    if (open) closeDialog(open);
    EXPECT_TRUE(IsWindow(e.window));
}

namespace {

constexpr char kHttpsClass[] = "Software\\Classes\\https";
constexpr char kHttpsCommand[] = "Software\\Classes\\https\\shell\\open\\command";

// The default value of an HKLM key; false when the key or the value is missing.
bool readDefault(const char* key, std::string* value) {
    char buffer[1024] = {};
    LONG size = sizeof buffer;
    if (RegQueryValueA(HKEY_LOCAL_MACHINE, key, buffer, &size) != ERROR_SUCCESS) return false;
    *value = buffer;
    return true;
}

void writeDefault(const char* key, const std::string& value) {
    RegSetValueA(HKEY_LOCAL_MACHINE, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

// Puts the prefix's https handler back as it was when the test began.
class HttpsHandlerGuard {
public:
    HttpsHandlerGuard() {
        hadClass_ = readDefault(kHttpsClass, &classValue_);
        hadCommand_ = readDefault(kHttpsCommand, &command_);
    }
    ~HttpsHandlerGuard() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kHttpsClass);
        if (hadClass_) {
            writeDefault(kHttpsClass, classValue_);
            HKEY key;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kHttpsClass, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegSetValueExA(key, "URL Protocol", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
                RegCloseKey(key);
            }
        }
        if (hadCommand_) writeDefault(kHttpsCommand, command_);
    }

private:
    bool hadClass_ = false, hadCommand_ = false;
    std::string classValue_, command_;
};

}  // namespace

TEST_F(Session, TheUpdateCheckOpensTheReleasePageOrSaysItCannot) {
    HttpsHandlerGuard guard;
    std::string record = folder + "opened-address.txt";
    DeleteFileA(record.c_str());
    writeDefault(kHttpsCommand, "\"" + pathBeside("url_recorder.exe") + "\" \"" + record + "\" \"%1\"");
    Editor e = start("");
    ASSERT_TRUE(e.window);
    PostMessageA(e.window, WM_COMMAND, CMD_UPDATECHECK, 0);
    EXPECT_TRUE(waitUntil([&] { return readFile(record) != "<missing>"; }));
    EXPECT_NE(readFile(record).find(ULO_UPDATE_URL), std::string::npos) << readFile(record);
    // With no handler for https at all, the shell refuses and the editor says so.
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kHttpsClass);
    PostMessageA(e.window, WM_COMMAND, CMD_UPDATECHECK, 0);
    EXPECT_EQ(answerDialog(e.pid, "Error", IDOK), "ShellExecute() Error");
}

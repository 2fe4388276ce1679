// Menus, context menus, the document-type popup and the toolbar's commands of a real MainFrame run
// on its own thread inside this test program (menus belong to their process): item texts with the
// key labels of the default and of stored key tables, greying, and the browser record's cache.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "BrowserList.h"
#include "FindTexts.h"
#include "MainFrame.h"
#include "QuorvaleMessages.h"
#include "SettingsNames.h"
#include "SettingsStore.h"
#include "TestDriver.h"
#include "ToolBarItems.h"
#include "UloNames.h"
#include "UloResource.h"

using ulo_e2e::sjis;

namespace {

// A MainFrame started and run on a thread of its own; closed by the destructor.
class FrameThread {
public:
    FrameThread() {
        thread_ = std::thread([this] {
            MainFrame frame;
            if (frame.startUp(GetModuleHandleA(nullptr), "", SW_SHOWNORMAL)) {
                window_ = ulo_e2e::windowOf(GetCurrentProcessId(), ulo_names::kMainWindowClass);
                threadId_ = GetCurrentThreadId();
                ready_ = true;
                frame.run();
            }
            ready_ = true;
        });
        while (!ready_) Sleep(10);
    }
    ~FrameThread() {
        // An edited document asks whether to save it: the answer is No.
        std::thread answer;
        if (edited_) answer = std::thread([] { ulo_e2e::answerDialog(GetCurrentProcessId(), "Quorvale Ulo", IDNO, 5000); });
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
        if (answer.joinable()) answer.join();
    }
    HWND window() const { return window_; }
    DWORD threadId() const { return threadId_; }
    HWND control() const { return FindWindowExA(window_, nullptr, "QuorvaleEditer", nullptr); }
    LRESULT ask(uint32_t code, LPARAM lParam = 0) const { return SendMessageA(control(), EC_REQUEST, code, lParam); }
    // Inserts text at the caret; the window then asks before it closes.
    void type(const char* text) {
        edited_ = true;
        ask(EC_INSERTTEXT, reinterpret_cast<LPARAM>(text));
    }
    // The popup at `position` of the menu bar (or of a popup of it), prepared as it opens.
    HMENU open(int position, int sub = -1) const {
        HMENU menu = GetSubMenu(GetMenu(window_), position);
        if (sub >= 0) {
            SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, 0));
            menu = GetSubMenu(menu, sub);
            position = sub;
        }
        SendMessageA(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, 0));
        return menu;
    }

private:
    std::thread thread_;
    std::atomic<bool> ready_{false};
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    bool edited_ = false;
};

std::string text(HMENU menu, UINT id) {
    char buffer[256] = {};
    GetMenuStringA(menu, id, buffer, sizeof buffer, MF_BYCOMMAND);
    return buffer;
}
bool greyed(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

struct Item {
    UINT id;
    const wchar_t* text;
    const char* label;   // the default key; "" for none
};

void expectItems(HMENU menu, std::initializer_list<Item> items) {
    for (const Item& i : items) {
        std::string expected = sjis(i.text) + (*i.label ? std::string("\t") + i.label : "");
        EXPECT_EQ(text(menu, i.id), expected) << i.id;
    }
}

// Stored key tables: raw values, so that a malformed pair can be written too.
void writeRaw(const char* name, const void* bytes, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), size);
    RegCloseKey(key);
}
void removeKeyTable() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, settings_names::kKeyBindSize);
    RegDeleteValueA(key, settings_names::kKeyBind);
    RegCloseKey(key);
}

// What a popup shown by TrackPopupMenu on the frame's thread held when it opened.
struct SeenPopup {
    std::vector<UINT> ids;           // 0 for separators
    std::vector<std::string> texts;
    std::vector<bool> checked;
};
SeenPopup seen;
HHOOK hook = nullptr;

LRESULT CALLBACK watchPopups(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP) {
        HMENU menu = reinterpret_cast<HMENU>(m->wParam);
        seen = SeenPopup();
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char buffer[256] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
            UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            seen.ids.push_back(state & MF_SEPARATOR ? 0 : GetMenuItemID(menu, i));
            seen.texts.push_back(buffer);
            seen.checked.push_back((state & MF_CHECKED) != 0);
        }
        EndMenu();
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// Posts a message that makes the frame show a popup and waits until the hook has read it.
SeenPopup popupAfter(const FrameThread& f, UINT message, WPARAM wParam, LPARAM lParam) {
    seen = SeenPopup();
    hook = SetWindowsHookExA(WH_CALLWNDPROC, watchPopups, nullptr, f.threadId());
    PostMessageA(f.window(), message, wParam, lParam);
    for (int i = 0; i < 300 && seen.ids.empty(); ++i) Sleep(10);
    SendMessageA(f.window(), WM_NULL, 0, 0);   // the menu loop has ended
    UnhookWindowsHookEx(hook);
    return seen;
}

// Records the main window's commands instead of running them.
std::vector<UINT> recorded;
WNDPROC original = nullptr;
LRESULT CALLBACK recordCommands(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        recorded.push_back(LOWORD(wParam));
        return 0;
    }
    return CallWindowProcA(original, w, message, wParam, lParam);
}

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings_store::saveMainSettings(MainSettings::defaults()));
        removeKeyTable();
        settings_store::saveBrowserList(BrowserList::empty());
    }
    void TearDown() override { removeKeyTable(); }
};

}  // namespace

TEST_F(MenuCommands, DefaultTextsLabelsAndGreying) {
    BrowserList browsers = BrowserList::empty();
    browsers.setPath(BrowserList::kInternetExplorer, "C:\\ie.exe");
    settings_store::saveBrowserList(browsers);
    FrameThread f;
    ASSERT_TRUE(f.window());
    HMENU file = f.open(0);
    expectItems(file, {{CMD_NEW, L"新規作成(&N)", "Ctrl+N"},
                       {CMD_OPEN, L"開く(&O)...", "Ctrl+O"},
                       {CMD_CLOSE, L"閉じる(&C)", ""},
                       {CMD_RELOAD, L"再読み込み(&R)", "F5"},
                       {CMD_SAVE, L"上書き保存(&S)", "Ctrl+S"},
                       {CMD_SAVEAS, L"名前をつけて保存(&A)...", "Ctrl+Shift+S"},
                       {CMD_PRINT, L"印刷(&P)...", "Ctrl+P"},
                       {CMD_EXIT, L"終了(&X)", ""},
                       {CMD_CLOSEALL, L"すべてのエディタを終了(&Q)", "Ctrl+F4"}});
    EXPECT_TRUE(greyed(file, CMD_SAVE));   // untitled
    EXPECT_TRUE(greyed(file, CMD_RELOAD));
    HMENU view = f.open(1);
    expectItems(view, {{CMD_TOOLBAR, L"ツール バー(&T)", ""},
                       {CMD_FILEBAR, L"ファイル バー(&F)", ""},
                       {CMD_LINENUMBERS, L"行番号(&L)", "F4"},
                       {CMD_RESULTPANE, L"検索/文法チェック結果を隠す(&W)\tESC", ""},
                       {CMD_HIDEPREVIEW, L"HTMLプレビューを隠す(&P)\tESC", ""}});
    EXPECT_TRUE(greyed(view, CMD_RESULTPANE));   // never created
    HMENU edit = f.open(2);
    expectItems(edit, {{CMD_UNDO, L"元に戻す(&U)", "Ctrl+Z"},
                       {CMD_REDO, L"やり直し(&R)", "Ctrl+Y"},
                       {CMD_CUT, L"切り取り(&T)", "Ctrl+X"},
                       {CMD_COPY, L"コピー(&C)", "Ctrl+C"},
                       {CMD_PASTE, L"貼り付け(&P)", "Ctrl+V"},
                       {CMD_DELETE, L"削除(&D)", "Del"},
                       {CMD_SELECTALL, L"すべて選択(&L)", "Ctrl+A"},
                       {CMD_FIND, L"検索(&F)...", "Ctrl+F"},
                       {CMD_FINDUP, L"上へ検索(&P)", "Shift+F3"},
                       {CMD_FINDDOWN, L"下へ検索(&N)", "F3"},
                       {CMD_REPLACE, L"置換(&E)...", "Ctrl+H"},
                       {CMD_GOTOLINE, L"指定行へ移動(&G)...", "Ctrl+G"}});
    EXPECT_TRUE(greyed(edit, CMD_FINDDOWN));   // nothing to search for yet
    EXPECT_TRUE(greyed(edit, CMD_FINDUP));
    EXPECT_TRUE(greyed(edit, CMD_CUT));
    HMENU tools = f.open(3);
    expectItems(tools, {{CMD_CLOSETAG, L"閉じタグの入力", "Ctrl+Enter"},
                        {CMD_LINEBREAKTAG, L"改行タグの入力", "Shift+Enter"},
                        {CMD_COLOUR, L"色の挿入(&C)...", ""},
                        {CMD_RELPATH, L"相対パスの挿入(&P)...", ""},
                        {CMD_LINK, L"リンクの挿入(&J)...", "Ctrl+J"},
                        {CMD_IMAGE, L"画像の挿入(&I)...", "Ctrl+I"},
                        {CMD_GRAMMAR, L"文法チェック", "F7"},
                        {CMD_PREVIEW, L"HTMLプレビューを表示/更新(&P)", "F8"},
                        {CMD_COUNTCHARS, L"文字数をカウント", ""},
                        {CMD_SETTINGS, L"Quorvale Ulo 起動時の設定(&O)...", ""}});
    EXPECT_FALSE(greyed(tools, CMD_COUNTCHARS));
    HMENU phrases = f.open(3, 7);
    expectItems(phrases, {{21461, L"定型句１の挿入(&1)", "Ctrl+1"},
                          {21469, L"定型句９の挿入(&9)", "Ctrl+9"},
                          {21470, L"定型句１０の挿入(&0)", "Ctrl+0"},
                          {CMD_PHRASE_EDIT, L"定型句の編集(&T)...", ""}});
    HMENU help = GetSubMenu(GetMenu(f.window()), 4);
    expectItems(help, {{CMD_HINTS, L"Quorvale Uloを１０倍活用する方法(&E)", ""},
                       {CMD_RELEASENOTES, L"リリースノート(&N)", ""},
                       {CMD_UPDATECHECK, L"最新版のチェック(&C)", ""},
                       {CMD_ABOUT, L"バージョン情報(&A)...", ""}});

    // Browsers: greyed from the cached record until a new one is announced.
    HMENU browserMenu = f.open(3, 12);
    expectItems(browserMenu, {{CMD_BROWSER_IE, L"Internet Explorer", "F9"},
                              {CMD_BROWSER_CHROME, L"Google Chrome", "F11"},
                              {CMD_BROWSER_FIREFOX, L"Mozilla FireFox", "F10"},
                              {CMD_BROWSER_OPERA, L"Opera", "F12"},
                              {CMD_BROWSER_REGISTER, L"ブラウザの登録...", ""}});
    EXPECT_FALSE(greyed(browserMenu, CMD_BROWSER_IE));
    EXPECT_TRUE(greyed(browserMenu, CMD_BROWSER_CHROME));
    EXPECT_TRUE(greyed(browserMenu, CMD_BROWSER_OPERA));
    browsers = BrowserList::empty();
    browsers.setPath(BrowserList::kOpera, "C:\\opera.exe");
    settings_store::saveBrowserList(browsers);
    browserMenu = f.open(3, 12);
    EXPECT_FALSE(greyed(browserMenu, CMD_BROWSER_IE)) << "the record is kept until it is announced";
    SendMessageA(f.window(), ulo_names::WM_FRAME_BROWSERS_CHANGED, 0, 0);
    browserMenu = f.open(3, 12);
    EXPECT_TRUE(greyed(browserMenu, CMD_BROWSER_IE));
    EXPECT_FALSE(greyed(browserMenu, CMD_BROWSER_OPERA));
    // An unreadable record counts as empty.
    writeRaw(settings_names::kBrowser, "x", 1);
    SendMessageA(f.window(), ulo_names::WM_FRAME_BROWSERS_CHANGED, 0, 0);
    browserMenu = f.open(3, 12);
    EXPECT_TRUE(greyed(browserMenu, CMD_BROWSER_OPERA));

    // Delete: greyed only with no selection at the very end of the text.
    f.type("one\r\ntwo");
    EXPECT_TRUE(greyed(f.open(2), CMD_DELETE));
    f.ask(EC_GOTOLINE, 1);
    EXPECT_FALSE(greyed(f.open(2), CMD_DELETE));
    f.ask(EC_SELECTALL);
    EXPECT_FALSE(greyed(f.open(2), CMD_DELETE));
    EXPECT_FALSE(greyed(f.open(2), CMD_CUT));
}

TEST_F(MenuCommands, TheContextMenuOffersTheWordWithItsAmpersandsDoubled) {
    FrameThread f;
    ASSERT_TRUE(f.window());
    f.type("alpha\r\nR&D team");
    f.ask(EC_GOTOLINE, 1);
    f.ask(EC_FOCUS);
    const std::string wordItem = "\"R&&D\"" + std::string(find_text::kSearchWordSuffix);
    // From the keyboard (lParam -1): the word at the caret.
    SeenPopup popup = popupAfter(f, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.control()), -1);
    ASSERT_GE(popup.ids.size(), 3u);
    EXPECT_EQ(popup.ids[0], static_cast<UINT>(CMD_FINDWORD));
    EXPECT_EQ(popup.texts[0], wordItem);
    EXPECT_EQ(popup.ids[1], 0u);
    EXPECT_EQ(popup.ids[2], static_cast<UINT>(CMD_UNDO));
    EXPECT_EQ(popup.texts[2], sjis(L"元に戻す(&U)\tCtrl+Z"));
    // From the mouse: the word under the screen point, wherever the caret is.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(f.threadId(), &info) && info.hwndCaret);
    POINT over = {info.rcCaret.left + 3, (info.rcCaret.top + info.rcCaret.bottom) / 2};
    ClientToScreen(info.hwndCaret, &over);
    f.ask(EC_GOTOLINE, 0);
    popup = popupAfter(f, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.control()), MAKELPARAM(over.x, over.y));
    ASSERT_GE(popup.ids.size(), 1u);
    EXPECT_EQ(popup.texts[0], wordItem);
    // Elsewhere: the about item alone.
    popup = popupAfter(f, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.window()), MAKELPARAM(10, 10));
    ASSERT_EQ(popup.ids.size(), 1u);
    EXPECT_EQ(popup.ids[0], static_cast<UINT>(CMD_ABOUT));
}

TEST_F(MenuCommands, TheDocumentTypePopupListsEveryTypeWithTheCurrentChecked) {
    FrameThread f;
    ASSERT_TRUE(f.window());
    SeenPopup popup = popupAfter(f, WM_COMMAND, CMD_DOCTYPE_MENU, 400);
    ASSERT_EQ(popup.ids.size(), 29u);   // 22 types and 7 separators
    EXPECT_EQ(popup.ids[0], 28001u);
    EXPECT_EQ(popup.texts[0], sjis(L"標準テキスト"));
    EXPECT_TRUE(popup.checked[0]);
    EXPECT_EQ(popup.ids[1], 0u);
    EXPECT_EQ(popup.ids[2], 28105u);
    EXPECT_EQ(popup.ids.back(), 28202u);
    EXPECT_EQ(popup.texts.back(), "C/C++");
    int checkedCount = 0;
    for (bool c : popup.checked) checkedCount += c;
    EXPECT_EQ(checkedCount, 1);
    // Choosing a type from it: the next popup checks that one.
    SendMessageA(f.window(), WM_COMMAND, 28114, 0);
    popup = popupAfter(f, WM_COMMAND, CMD_DOCTYPE_MENU, 400);
    for (size_t i = 0; i < popup.ids.size(); ++i) EXPECT_EQ(popup.checked[i], popup.ids[i] == 28114u) << popup.ids[i];
}

TEST_F(MenuCommands, EachToolbarButtonSendsItsCommand) {
    FrameThread f;
    ASSERT_TRUE(f.window());
    HWND toolbar = FindWindowExA(f.window(), nullptr, "QuorvaleToolBar", nullptr);
    ASSERT_TRUE(toolbar);
    // Text in the search box enables the arrows; a selection enables cut and copy.
    HWND box = FindWindowExA(FindWindowExA(toolbar, nullptr, "ComboBox", nullptr), nullptr, "Edit", nullptr);
    ASSERT_TRUE(box);
    SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    f.type("abc");
    f.ask(EC_SELECTALL);
    recorded.clear();
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(f.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordCommands)));
    std::vector<UINT> expected;
    for (const bars::PlacedToolBarItem& placed : bars::placeToolBarItems(MainSettings::defaults().toolbar_mask)) {
        if (placed.item->kind != bars::ToolBarItemKind::Button) continue;
        UINT command = placed.item->command;
        if (command == CMD_REDO) continue;   // nothing to redo: disabled
        expected.push_back(command);
        LPARAM at = MAKELPARAM(placed.x + 8, 15);
        SendMessageA(toolbar, WM_MOUSEMOVE, 0, at);
        SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(toolbar, WM_LBUTTONUP, 0, at);
        SendMessageA(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    }
    // Posted commands arrive while the frame's thread keeps answering.
    for (int i = 0; i < 20; ++i) {
        Sleep(10);
        SendMessageA(f.window(), WM_NULL, 0, 0);
    }
    SetWindowLongPtrA(f.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    std::vector<UINT> commands;
    for (UINT id : recorded)
        if (id != CMD_SEARCHBOX && id != CMD_TOOLTIPS) commands.push_back(id);
    EXPECT_EQ(commands, expected);
}

TEST_F(MenuCommands, StoredKeyTablesGiveTheLabels) {
    {
        // A custom key and a cursor key, which works but has no label.
        std::vector<KeyBinding> table = {{'K', KeyModifier::kCtrl, CMD_FIND, 0},
                                         {VK_LEFT, KeyModifier::kCtrl, CMD_FINDDOWN, 0}};
        ASSERT_TRUE(settings_store::saveKeyBindings(table));
        FrameThread f;
        HMENU edit = f.open(2);
        EXPECT_EQ(text(edit, CMD_FIND), sjis(L"検索(&F)...\tCtrl+K"));
        EXPECT_EQ(text(edit, CMD_FINDDOWN), sjis(L"下へ検索(&N)"));
        EXPECT_EQ(text(edit, CMD_REPLACE), sjis(L"置換(&E)..."));
    }
    {
        // "keybind" of the wrong size: the default table.
        uint32_t count = 2;
        writeRaw(settings_names::kKeyBindSize, &count, 4);
        writeRaw(settings_names::kKeyBind, "0123456789abcdefX", 17);
        FrameThread f;
        HMENU edit = f.open(2);
        EXPECT_EQ(text(edit, CMD_FIND), sjis(L"検索(&F)...\tCtrl+F"));
    }
    {
        // An empty table: no key at all.
        uint32_t count = 0;
        writeRaw(settings_names::kKeyBindSize, &count, 4);
        writeRaw(settings_names::kKeyBind, "", 0);
        FrameThread f;
        EXPECT_EQ(text(f.open(2), CMD_FIND), sjis(L"検索(&F)..."));
        EXPECT_EQ(text(f.open(0), CMD_SAVE), sjis(L"上書き保存(&S)"));
    }
}

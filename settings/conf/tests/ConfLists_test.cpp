// ulo_conf end to end under Wine: the list pages (toolbar items, key assignment with its command
// choice, colours with their schemes and the picker library).
#include <windows.h>

#include <gtest/gtest.h>

#include "ConfDriver.h"
#include "ConfRules.h"
#include "HuePick.h"
#include "KeyBinding.h"
#include "TestDriver.h"

using namespace companion_e2e;
using namespace conf_e2e;
using ulo_e2e::sjis;

namespace {

constexpr int kToolbarList = 1401, kKeyList = 1501, kCommandList = 1510, kCommandNone = 1511, kColourList = 1601;

std::string keyBindBytes(const std::vector<KeyBinding>& list) {
    const auto bytes = key_bindings::encode(list);
    return std::string(bytes.begin(), bytes.end());
}

std::string countBytes(uint32_t count) {
    uint8_t out[4];
    key_bindings::encodeCount(count, out);
    return std::string(reinterpret_cast<char*>(out), 4);
}

class ConfLists : public ::testing::Test {
protected:
    void SetUp() override {
        deleteSettingsKey();
        storeMain(MainSettings::defaults());
    }
    void TearDown() override {
        ulo_e2e::endStartedProcesses(500);
        deleteSettingsKey();
    }

    // Activates a key row and waits for "コマンドの選択".
    HWND chooseFor(const Program& conf, HWND list, int row) {
        activateRow(list, row);
        return waitDialogWith(conf.pid, sjis(L"コマンドの選択"), kCommandList);
    }
};

TEST_F(ConfLists, ToolbarRowsTickTheMaskAndRestoreTheDefault) {
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kToolbar);
    HWND list = GetDlgItem(page, kToolbarList);
    ASSERT_EQ(listCount(list), 18);
    EXPECT_EQ(listText(list, 0, 0), sjis(L"新規作成"));
    EXPECT_EQ(listText(list, 4, 0), sjis(L"──────"));
    EXPECT_EQ(listText(list, 17, 0), sjis(L"ドキュメントタイプの確認と変更"));
    EXPECT_TRUE(rowChecked(list, 0));
    EXPECT_FALSE(rowChecked(list, 3));
    setRowChecked(list, 0, false);
    setRowChecked(list, 3, true);
    setRowChecked(list, 17, false);
    EXPECT_EQ(finish(conf, true), 1u);
    MainSettings stored{};
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(stored.toolbar_mask, 0x8001F1F7u ^ 0x1 ^ 0x8 ^ 0x80000000u);

    conf = startConf();
    ASSERT_TRUE(conf.window);
    page = showPage(conf.window, kToolbar);
    list = GetDlgItem(page, kToolbarList);
    EXPECT_FALSE(rowChecked(list, 0));
    click(childWithText(page, sjis(L"標準に戻す")));
    EXPECT_TRUE(rowChecked(list, 0));
    EXPECT_FALSE(rowChecked(list, 3));
    EXPECT_EQ(finish(conf, true), 1u);
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(stored.toolbar_mask, 0x8001F1F7u);
}

TEST_F(ConfLists, KeyRowsCommandChoiceAndStoredBindings) {
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND list = GetDlgItem(showPage(conf.window, kKeys), kKeyList);
    const auto rows = conf_rules::keyRows();
    ASSERT_EQ(listCount(list), 132);
    for (int row = 0; row < 132; ++row)
        EXPECT_EQ(listText(list, row, 0), key_bindings::displayName(rows[row].virtual_key, rows[row].modifiers)) << row;
    EXPECT_EQ(listText(list, 4, 1), "");                      // F5: not bound by this program's table
    EXPECT_EQ(listText(list, 12, 1), sjis(L"すべて選択"));    // Ctrl+A
    EXPECT_EQ(listText(list, 52, 1), sjis(L"再読み込み"));    // Ctrl+F5

    // F1 gets "新規作成" (added at the end).
    HWND choice = chooseFor(conf, list, 0);
    ASSERT_TRUE(choice);
    HWND commands = GetDlgItem(choice, kCommandList);
    const auto items = listBoxItems(commands);
    ASSERT_EQ(items.size(), 84u);
    EXPECT_EQ(items[0], sjis(L"新規作成"));
    EXPECT_EQ(items[9], sjis(L"───────────────────"));
    EXPECT_EQ(items[83], sjis(L"ドキュメントタイプ CSS"));
    EXPECT_EQ(SendMessageA(commands, LB_GETCURSEL, 0, 0), LB_ERR);
    selectListBox(commands, 0);
    ulo_e2e::press(choice, IDOK);
    ASSERT_TRUE(waitGone(choice));
    EXPECT_EQ(listText(list, 0, 1), sjis(L"新規作成"));

    // Ctrl+A: "割り当てない"; Ctrl+C: OK on a separator row; Ctrl+V: "キャンセル".
    choice = chooseFor(conf, list, 12);
    ASSERT_TRUE(choice);
    EXPECT_EQ(static_cast<int>(SendMessageA(GetDlgItem(choice, kCommandList), LB_GETCURSEL, 0, 0)), 23);  // すべて選択
    ulo_e2e::press(choice, kCommandNone);
    ASSERT_TRUE(waitGone(choice));
    choice = chooseFor(conf, list, 14);
    ASSERT_TRUE(choice);
    selectListBox(GetDlgItem(choice, kCommandList), 9);
    ulo_e2e::press(choice, IDOK);
    ASSERT_TRUE(waitGone(choice));
    choice = chooseFor(conf, list, 33);
    ASSERT_TRUE(choice);
    selectListBox(GetDlgItem(choice, kCommandList), 1);
    ulo_e2e::press(choice, IDCANCEL);
    ASSERT_TRUE(waitGone(choice));
    EXPECT_EQ(listText(list, 12, 1), "");
    EXPECT_EQ(listText(list, 14, 1), "");
    EXPECT_EQ(listText(list, 33, 1), sjis(L"貼り付け"));
    EXPECT_EQ(finish(conf, true), 1u);

    auto expected = key_bindings::defaults(key_bindings::DefaultTable::SettingsProgram);
    conf_rules::assign(&expected, rows[0], 21000);
    conf_rules::assign(&expected, rows[12], 0);
    conf_rules::assign(&expected, rows[14], 0);
    EXPECT_EQ(readValue("keybindsize"), countBytes(static_cast<uint32_t>(expected.size())));
    EXPECT_EQ(readValue("keybind"), keyBindBytes(expected));

    // "標準に戻す" brings back this program's table.
    conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kKeys);
    EXPECT_EQ(listText(GetDlgItem(page, kKeyList), 0, 1), sjis(L"新規作成"));
    click(childWithText(page, sjis(L"標準に戻す")));
    EXPECT_EQ(listText(GetDlgItem(page, kKeyList), 0, 1), "");
    EXPECT_EQ(finish(conf, true), 1u);
    const auto defaults = key_bindings::defaults(key_bindings::DefaultTable::SettingsProgram);
    EXPECT_EQ(readValue("keybindsize"), countBytes(static_cast<uint32_t>(defaults.size())));
    EXPECT_EQ(readValue("keybind"), keyBindBytes(defaults));
}

TEST_F(ConfLists, KeyBindingsOfTheWrongSizeGiveTheDefaultTable) {
    writeValue("keybindsize", REG_BINARY, countBytes(2));
    writeValue("keybind", REG_BINARY, std::string(16, '\x41'));
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND list = GetDlgItem(showPage(conf.window, kKeys), kKeyList);
    EXPECT_EQ(listText(list, 12, 1), sjis(L"すべて選択"));
    EXPECT_EQ(finish(conf, false), 0u);
    EXPECT_EQ(readValue("keybind"), std::string(16, '\x41'));
}

TEST_F(ConfLists, ColourRowsAndTheThreeSchemes) {
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kColours);
    HWND list = GetDlgItem(page, kColourList);
    ASSERT_EQ(listCount(list), 20);
    EXPECT_EQ(listText(list, 0, 0), sjis(L"背景"));
    EXPECT_EQ(listText(list, 0, 1), "#fafafa");
    EXPECT_EQ(listText(list, 5, 0), sjis(L"行番号"));
    EXPECT_EQ(listText(list, 5, 1), "#96828c");
    EXPECT_EQ(listText(list, 19, 0), "C/C++, Java, Perl Comment");
    click(childWithText(page, sjis(L"藍 (indigo)")));
    EXPECT_EQ(listText(list, 0, 1), "#3c007f");
    EXPECT_EQ(finish(conf, true), 1u);

    MainSettings expected = MainSettings::defaults();
    conf_rules::applyScheme(&expected, conf_rules::Scheme::Indigo);
    MainSettings stored{};
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(encoded(stored).substr(84), encoded(expected).substr(84));

    conf = startConf();
    ASSERT_TRUE(conf.window);
    click(control(conf.window, kColours, sjis(L"黒（black)")));
    EXPECT_EQ(finish(conf, true), 1u);
    conf_rules::applyScheme(&expected, conf_rules::Scheme::Black);
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(encoded(stored).substr(84), encoded(expected).substr(84));

    conf = startConf();
    ASSERT_TRUE(conf.window);
    click(control(conf.window, kColours, sjis(L"標準に戻す")));
    EXPECT_EQ(finish(conf, true), 1u);
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(encoded(stored), encoded(MainSettings::defaults()));
}

TEST_F(ConfLists, MissingPickerLibraryIsReportedAndTheColourStays) {
    // A copy of the program in a folder of its own, where no HuePick.dll lies beside it.
    const std::string folder = ulo_e2e::workFolder("ulo_conf_no_picker");
    const std::string copy = folder + "ulo_conf.exe";
    ASSERT_TRUE(CopyFileA(ulo_e2e::pathBeside("ulo_conf.exe").c_str(), copy.c_str(), FALSE));
    DeleteFileA((folder + "HuePick.dll").c_str());
    Program conf = startConf(copy);
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kColours);
    HWND list = GetDlgItem(page, kColourList);
    activateRow(list, 3);
    EXPECT_EQ(answerMessageBox(conf.pid, caption(), IDOK), sjis(L"HuePick.dll が見つかりません。"));
    EXPECT_TRUE(IsWindowEnabled(page));
    EXPECT_EQ(listText(list, 3, 1), "#000000");
    // Tried again at the next use.
    activateRow(list, 3);
    EXPECT_EQ(answerMessageBox(conf.pid, caption(), IDOK), sjis(L"HuePick.dll が見つかりません。"));
    EXPECT_EQ(finish(conf, false), 0u);
    DeleteFileA(copy.c_str());
}

}  // namespace

namespace {

constexpr UINT kPickerAnswer = WM_APP + 1;

// ulo_conf.exe with the stand-in picker as HuePick.dll beside it, in a folder of their own.
std::string confWithPicker() {
    const std::string folder = ulo_e2e::workFolder("ulo_conf_with_picker");
    CopyFileA(ulo_e2e::pathBeside("ulo_conf.exe").c_str(), (folder + "ulo_conf.exe").c_str(), FALSE);
    CopyFileA(ulo_e2e::pathBeside("conf_test_picker.dll").c_str(), (folder + "HuePick.dll").c_str(), FALSE);
    return folder + "ulo_conf.exe";
}

HWND waitPicker(const Program& conf) {
    return ulo_e2e::waitWindow(conf.pid, [](HWND w) { return ulo_e2e::className(w) == "ConfTestPicker"; });
}

// The stored "main" record is the defaults with the line-number colour (slot 9) changed.
void expectLineNumberColourStored(COLORREF colour) {
    MainSettings expected = MainSettings::defaults();
    expected.colours[9] = colour;
    EXPECT_EQ(readValue("main"), encoded(expected));
}

TEST_F(ConfLists, PickerOkChangesTheSelectedRowAndCancelDoesNot) {
    Program conf = startConf(confWithPicker());
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kColours);
    HWND list = GetDlgItem(page, kColourList);

    activateRow(list, 5);  // "行番号", slot 9
    HWND picker = waitPicker(conf);
    ASSERT_TRUE(picker);
    EXPECT_EQ(ulo_e2e::windowTitle(picker), sjis(L"色の選択"));
    EXPECT_EQ(static_cast<COLORREF>(GetWindowLongPtrA(picker, GWLP_USERDATA)), RGB(150, 130, 140));
    EXPECT_FALSE(IsWindowEnabled(page));
    PostMessageA(picker, kPickerAnswer, 1, RGB(0x12, 0x34, 0x56));
    ASSERT_TRUE(waitGone(picker));
    EXPECT_TRUE(IsWindowEnabled(page));
    EXPECT_EQ(listText(list, 5, 1), "#123456");

    activateRow(list, 0);
    picker = waitPicker(conf);
    ASSERT_TRUE(picker);
    PostMessageA(picker, kPickerAnswer, 0, RGB(1, 2, 3));
    ASSERT_TRUE(waitGone(picker));
    EXPECT_TRUE(IsWindowEnabled(page));
    EXPECT_EQ(listText(list, 0, 1), "#fafafa");
    EXPECT_EQ(finish(conf, true), 1u);
    expectLineNumberColourStored(RGB(0x12, 0x34, 0x56));
}

TEST_F(ConfLists, TheRealPickerLibraryTakesATypedColour) {
    // ulo_conf.exe beside the HuePick.dll the build makes, as they are installed.
    const std::string folder = ulo_e2e::workFolder("ulo_conf_real_picker");
    CopyFileA(ulo_e2e::pathBeside("ulo_conf.exe").c_str(), (folder + "ulo_conf.exe").c_str(), FALSE);
    const char* library = huepick_exports::kLibraryName;
    CopyFileA(ulo_e2e::pathBeside(library).c_str(), (folder + library).c_str(), FALSE);
    Program conf = startConf(folder + "ulo_conf.exe");
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kColours);
    HWND list = GetDlgItem(page, kColourList);
    activateRow(list, 5);  // "行番号", slot 9
    HWND picker = ulo_e2e::waitWindow(
        conf.pid, [](HWND w) { return ulo_e2e::className(w) == huepick_exports::kWindowClass; });
    ASSERT_TRUE(picker);
    char hex[32] = {};
    GetDlgItemTextA(picker, huepick_exports::IDC_HUEPICK_HEX, hex, sizeof hex);
    EXPECT_STREQ(hex, "#96828C");  // the row's colour, RGB(150, 130, 140)
    SetDlgItemTextA(picker, huepick_exports::IDC_HUEPICK_HEX, "#123456");
    SendMessageA(picker, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitGone(picker));
    EXPECT_TRUE(IsWindowEnabled(page));
    EXPECT_EQ(listText(list, 5, 1), "#123456");
    EXPECT_EQ(finish(conf, true), 1u);
    expectLineNumberColourStored(RGB(0x12, 0x34, 0x56));
}

TEST_F(ConfLists, CancellingTheSheetWithThePickerOpenEndsCleanly) {
    Program conf = startConf(confWithPicker());
    ASSERT_TRUE(conf.window);
    activateRow(GetDlgItem(showPage(conf.window, kColours), kColourList), 2);
    HWND picker = waitPicker(conf);
    ASSERT_TRUE(picker);
    EXPECT_EQ(finish(conf, false), 0u);  // not a crash code
    EXPECT_FALSE(IsWindow(picker));
    EXPECT_EQ(readValue("main"), encoded(MainSettings::defaults()));
}

}  // namespace

// browserpick end to end under Wine: the real program, its sheet, slot dialog and file dialog,
// the stored "browser" bytes and the message every editor window receives.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "BrowserList.h"
#include "CompanionDriver.h"
#include "TestDriver.h"

using namespace companion_e2e;
using ulo_e2e::pause;
using ulo_e2e::sjis;

namespace {

const std::string kCaption = sjis(L"ブラウザ情報の設定");
const std::string kNotSet = sjis(L"<未設定>");
constexpr int kList = 1001, kChange = 1002, kSlotPath = 2001, kBrowse = 2002, kReset = 2003;

std::string encoded(const BrowserList& list) {
    std::string bytes(BrowserList::kSize, '\0');
    list.encode(reinterpret_cast<uint8_t*>(&bytes[0]));
    return bytes;
}

class BrowserPick : public ::testing::Test {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override {
        ulo_e2e::endStartedProcesses(500);
        deleteSettingsKey();
    }

    // Opens the slot dialog of the row through "変更(&C)...".
    HWND openSlot(const Program& program, int row) {
        HWND page = showPage(program.window, 0);
        selectRow(GetDlgItem(page, kList), row);
        postClick(GetDlgItem(page, kChange));
        return waitDialogWith(program.pid, kCaption, kSlotPath);
    }
};

TEST_F(BrowserPick, RegistersThroughTheFileDialogAndTellsEveryEditor) {
    FakeEditor editor;
    Program program = startWithWindow("browserpick.exe", kCaption);
    ASSERT_TRUE(program.window);
    EXPECT_EQ(GetWindow(program.window, GW_OWNER), editor.window());
    EXPECT_FALSE(IsWindowEnabled(editor.window()));

    HWND list = GetDlgItem(showPage(program.window, 0), kList);
    ASSERT_EQ(listCount(list), 5);
    const char* names[] = {"Internet Explorer", "Netscape (no use)", "Google Chrome", "Mozilla FireFox", "Opera"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(listText(list, row, 0), names[row]);
        EXPECT_EQ(listText(list, row, 1), kNotSet);
    }

    // Slot 2 through "参照": the file dialog's choice goes into the read-only field.
    HWND slot = openSlot(program, 2);
    ASSERT_TRUE(slot);
    EXPECT_EQ(controlText(GetDlgItem(slot, kSlotPath)), kNotSet);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(slot, kSlotPath), GWL_STYLE) & ES_READONLY);
    postClick(GetDlgItem(slot, kBrowse));
    HWND files = ulo_e2e::waitWindow(program.pid, [slot](HWND w) {
        return w != slot && ulo_e2e::className(w) == "#32770" &&
               (ulo_e2e::findChildById(w, 0x47c) || ulo_e2e::findChildById(w, 0x480));
    });
    ASSERT_TRUE(files);
    pause(300);
    const std::string chosen = ulo_e2e::pathBeside("browserpick.exe");
    HWND name = ulo_e2e::findChildById(files, 0x47c);
    if (!name) name = ulo_e2e::findChildById(files, 0x480);
    setText(name, chosen);
    ulo_e2e::press(files, IDOK);
    ASSERT_TRUE(waitGone(files));
    EXPECT_EQ(controlText(GetDlgItem(slot, kSlotPath)), chosen);
    ulo_e2e::press(slot, IDOK);
    ASSERT_TRUE(waitGone(slot));
    EXPECT_EQ(listText(list, 2, 1), chosen);

    // Slot 4: "リセット" then OK keeps it empty; slot 0 changed and cancelled stays as it was.
    slot = openSlot(program, 4);
    ASSERT_TRUE(slot);
    click(GetDlgItem(slot, kReset));
    EXPECT_EQ(controlText(GetDlgItem(slot, kSlotPath)), kNotSet);
    ulo_e2e::press(slot, IDOK);
    ASSERT_TRUE(waitGone(slot));
    EXPECT_EQ(listText(list, 4, 1), kNotSet);

    pressSheet(program.window, PSBTN_OK);
    EXPECT_EQ(waitExitPumping(program), 1u);

    BrowserList expected = BrowserList::empty();
    ASSERT_TRUE(expected.setPath(2, chosen));
    EXPECT_EQ(readValue("browser"), encoded(expected));
    EXPECT_EQ(editor.browserMessages(), 1);
    EXPECT_TRUE(editor.parametersWereZero());
    EXPECT_EQ(editor.browserAtMessage(), encoded(expected));  // stored before the message
    EXPECT_TRUE(IsWindowEnabled(editor.window()));
}

TEST_F(BrowserPick, ResetSlotIsStoredEmptyAndCancelWritesNothing) {
    BrowserList stored = BrowserList::empty();
    stored.setPath(0, "C:\\b\\one.exe");
    stored.setPath(3, "C:\\b\\three.exe");
    writeValue("browser", REG_BINARY, encoded(stored));

    Program program = startWithWindow("browserpick.exe", kCaption);
    ASSERT_TRUE(program.window);
    HWND list = GetDlgItem(showPage(program.window, 0), kList);
    EXPECT_EQ(listText(list, 0, 1), "C:\\b\\one.exe");
    HWND slot = openSlot(program, 0);
    ASSERT_TRUE(slot);
    EXPECT_EQ(controlText(GetDlgItem(slot, kSlotPath)), "C:\\b\\one.exe");
    click(GetDlgItem(slot, kReset));
    ulo_e2e::press(slot, IDOK);
    ASSERT_TRUE(waitGone(slot));
    EXPECT_EQ(listText(list, 0, 1), kNotSet);

    // Cancel: nothing written, exit 0.
    pressSheet(program.window, PSBTN_CANCEL);
    EXPECT_EQ(waitExitPumping(program), 0u);
    EXPECT_EQ(readValue("browser"), encoded(stored));

    // Again with OK, the row activated by a double click: slot 0 is stored empty, slot 3 kept.
    program = startWithWindow("browserpick.exe", kCaption);
    ASSERT_TRUE(program.window);
    activateRow(GetDlgItem(showPage(program.window, 0), kList), 0);
    slot = waitDialogWith(program.pid, kCaption, kSlotPath);
    ASSERT_TRUE(slot);
    click(GetDlgItem(slot, kReset));
    ulo_e2e::press(slot, IDOK);
    ASSERT_TRUE(waitGone(slot));
    pressSheet(program.window, PSBTN_OK);
    EXPECT_EQ(waitExitPumping(program), 1u);
    stored.setPath(0, "");
    EXPECT_EQ(readValue("browser"), encoded(stored));
}

TEST_F(BrowserPick, BadRecordShowsEmptySlotsAndChangeWithoutRowWarns) {
    const std::string bad(2587, 'x');
    writeValue("browser", REG_BINARY, bad);
    Program program = startWithWindow("browserpick.exe", kCaption);
    ASSERT_TRUE(program.window);
    EXPECT_EQ(GetWindow(program.window, GW_OWNER), nullptr);  // no editor in front
    EXPECT_EQ(sheetTabs(program.window), std::vector<std::string>{sjis(L"登録リスト")});
    EXPECT_FALSE(sheetShowsButton(program.window, 0x3021));  // Apply
    EXPECT_FALSE(GetWindowLongA(program.window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    HWND page = showPage(program.window, 0);
    EXPECT_EQ(listText(GetDlgItem(page, kList), 1, 1), kNotSet);
    postClick(GetDlgItem(page, kChange));
    EXPECT_EQ(answerMessageBox(program.pid, kCaption, IDOK), sjis(L"項目が選択されていません。"));
    pressSheet(program.window, PSBTN_CANCEL);
    EXPECT_EQ(waitExitPumping(program), 0u);
    EXPECT_EQ(readValue("browser"), bad);
}

TEST_F(BrowserPick, SecondStartBringsTheFirstToFrontAndExits) {
    Program first = startWithWindow("browserpick.exe", kCaption);
    ASSERT_TRUE(first.window);
    Program second = ulo_e2e::startProgram(ulo_e2e::pathBeside("browserpick.exe"), "", nullptr);
    EXPECT_EQ(waitExitPumping(second), 0u);
    EXPECT_TRUE(IsWindow(first.window));
    EXPECT_EQ(GetForegroundWindow(), first.window);
    pressSheet(first.window, PSBTN_CANCEL);
    EXPECT_EQ(waitExitPumping(first), 0u);
}

TEST_F(BrowserPick, WriteFailureIsReportedAndNoEditorIsTold) {
    FakeEditor editor;
    ASSERT_TRUE(lockSettingsKey());
    Program program = startWithWindow("browserpick.exe", kCaption);
    ASSERT_TRUE(program.window);
    pressSheet(program.window, PSBTN_OK);
    EXPECT_EQ(answerMessageBox(program.pid, kCaption, IDOK), sjis(L"レジストリへの保存に失敗しました。"));
    EXPECT_EQ(waitExitPumping(program), 0u);
    EXPECT_EQ(editor.browserMessages(), 0);
    EXPECT_TRUE(IsWindowEnabled(editor.window()));
    unlockSettingsKey();
    EXPECT_EQ(readValue("browser"), "<missing>");
}

}  // namespace

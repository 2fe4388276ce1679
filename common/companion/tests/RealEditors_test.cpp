// The companion programs beside real editor processes under Wine: the editor in front owns their
// sheet or dialog and is enabled again afterwards, and a new browser list reaches every editor.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "CompanionDriver.h"
#include "TestDriver.h"
#include "UloNames.h"

using namespace companion_e2e;
using ulo_e2e::sjis;

namespace {

class RealEditors : public ::testing::Test {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override {
        for (HWND editor : ulo_e2e::windowsOfClass(ulo_names::kMainWindowClass))
            if (ulo_e2e::startedHere(ulo_e2e::processOf(editor))) PostMessageA(editor, WM_CLOSE, 0, 0);
        ulo_e2e::endStartedProcesses(3000);
        deleteSettingsKey();
    }

    Program startEditor() {
        Program editor = ulo_e2e::startProgram(ulo_e2e::pathBeside("ulo.exe"), "", ulo_names::kMainWindowClass);
        ulo_e2e::pause(500);  // start-up exchange and first paint
        return editor;
    }

    static bool responds(HWND window) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }
};

TEST_F(RealEditors, EachCompanionIsModalOverTheEditorInFront) {
    Program editor = startEditor();
    ASSERT_TRUE(editor.window);
    struct Companion {
        const char* exe;
        const wchar_t* caption;
    } companions[] = {{"ulo_conf.exe", L"Quorvale Ulo 起動時の設定"},
                      {"browserpick.exe", L"ブラウザ情報の設定"},
                      {"phrasedit.exe", L"Quorvale Ulo 定型句の編集"}};
    for (const Companion& c : companions) {
        SetForegroundWindow(editor.window);
        ulo_e2e::pause(200);
        Program program = startWithWindow(c.exe, sjis(c.caption));
        ASSERT_TRUE(program.window) << c.exe;
        EXPECT_EQ(GetWindow(program.window, GW_OWNER), editor.window) << c.exe;
        EXPECT_FALSE(IsWindowEnabled(editor.window)) << c.exe;
        if (std::string(c.exe) == "phrasedit.exe") ulo_e2e::press(program.window, IDCANCEL);
        else pressSheet(program.window, PSBTN_CANCEL);
        EXPECT_EQ(waitExitPumping(program), 0u) << c.exe;
        EXPECT_TRUE(IsWindowEnabled(editor.window)) << c.exe;
    }

    // Saved settings: the program says they apply from the next start, over the editor.
    SetForegroundWindow(editor.window);
    ulo_e2e::pause(200);
    Program conf = startWithWindow("ulo_conf.exe", sjis(L"Quorvale Ulo 起動時の設定"));
    ASSERT_TRUE(conf.window);
    pressSheet(conf.window, PSBTN_OK);
    HWND box = waitDialogWith(conf.pid, sjis(L"Quorvale Ulo 起動時の設定"), 0xFFFF);
    ASSERT_TRUE(box);
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor.window);
    EXPECT_EQ(controlText(GetDlgItem(box, 0xFFFF)), sjis(L"設定は、次回起動時から有効になります。"));
    ulo_e2e::press(box, IDOK);
    EXPECT_EQ(waitExitPumping(conf), 1u);
    EXPECT_TRUE(IsWindowEnabled(editor.window));
    EXPECT_TRUE(responds(editor.window));
}

TEST_F(RealEditors, NewBrowserListReachesEveryRunningEditor) {
    Program first = startEditor();
    Program second = startEditor();
    ASSERT_TRUE(first.window);
    ASSERT_TRUE(second.window);
    Program pick = startWithWindow("browserpick.exe", sjis(L"ブラウザ情報の設定"));
    ASSERT_TRUE(pick.window);
    pressSheet(pick.window, PSBTN_OK);
    // The message is sent to each editor in turn; both answer at once, so the program ends soon.
    EXPECT_EQ(waitExitPumping(pick, 10000), 1u);
    EXPECT_EQ(readValue("browser").size(), 2588u);
    EXPECT_TRUE(responds(first.window));
    EXPECT_TRUE(responds(second.window));
    EXPECT_TRUE(IsWindowEnabled(first.window));
    EXPECT_TRUE(IsWindowEnabled(second.window));
}

}  // namespace

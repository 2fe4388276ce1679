// phrasedit end to end under Wine: the real dialog's ten fields against the stored values.
#include <windows.h>

#include <gtest/gtest.h>

#include "CompanionDriver.h"
#include "TestDriver.h"

using namespace companion_e2e;
using ulo_e2e::sjis;

namespace {

const std::string kCaption = sjis(L"Quorvale Ulo 定型句の編集");

HWND field(const Program& program, int number) { return GetDlgItem(program.window, 1000 + number); }

std::string valueName(int number) { return "template" + std::to_string(number - 1); }

class PhrasEdit : public ::testing::Test {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override {
        ulo_e2e::endStartedProcesses(500);
        deleteSettingsKey();
    }
    Program start() { return startWithWindow("phrasedit.exe", kCaption); }
};

TEST_F(PhrasEdit, TenPhrasesRoundTripWithShiftJisTrapsAndLineBreaks) {
    ulo_e2e::Program program;
    {
        FakeEditor editor;
        program = start();
        ASSERT_TRUE(program.window);
        EXPECT_EQ(GetWindow(program.window, GW_OWNER), editor.window());
        EXPECT_FALSE(IsWindowEnabled(editor.window()));
        EXPECT_TRUE(GetWindowLongA(field(program, 1), GWL_STYLE) & ES_WANTRETURN);
        std::vector<std::string> texts;
        for (int n = 1; n <= 10; ++n) {
            // 表 and ソ end in the byte 0x5C; ｱｲｳ are single-byte katakana.
            std::string text = n == 4 ? std::string() : sjis(L"表ソ") + "\xb1\xb2\xb3" + "\r\n<p>$selected_text$</p> " + std::to_string(n);
            setText(field(program, n), text);
            texts.push_back(text);
        }
        ulo_e2e::press(program.window, IDOK);
        EXPECT_EQ(waitExitPumping(program), 0u);
        EXPECT_TRUE(IsWindowEnabled(editor.window()));
        for (int n = 1; n <= 10; ++n) {
            EXPECT_EQ(readValue(valueName(n).c_str()), texts[n - 1] + std::string(1, '\0')) << n;
            EXPECT_EQ(valueType(valueName(n).c_str()), static_cast<DWORD>(REG_BINARY));
        }
        EXPECT_EQ(readValue("template3").size(), 1u);  // an empty field is its NUL alone
    }

    // The next start shows them again.
    program = start();
    ASSERT_TRUE(program.window);
    EXPECT_EQ(GetWindow(program.window, GW_OWNER), nullptr);  // no editor in front now
    EXPECT_EQ(controlText(field(program, 2)), sjis(L"表ソ") + "\xb1\xb2\xb3" + "\r\n<p>$selected_text$</p> 2");
    ulo_e2e::press(program.window, IDCANCEL);
    EXPECT_EQ(waitExitPumping(program), 0u);
}

TEST_F(PhrasEdit, FieldsShowRawBytesUpToTheNulAndCancelWritesNothing) {
    writeValue("template0", REG_SZ, std::string("as text\0", 8));
    writeValue("template1", REG_BINARY, "no terminator");
    writeValue("template2", REG_BINARY, std::string("cut\0hidden", 10));
    Program program = start();
    ASSERT_TRUE(program.window);
    EXPECT_EQ(controlText(field(program, 1)), "as text");
    EXPECT_EQ(controlText(field(program, 2)), "no terminator");
    EXPECT_EQ(controlText(field(program, 3)), "cut");
    EXPECT_EQ(controlText(field(program, 4)), "");
    // Typing is not stopped below the size rule.
    EXPECT_GT(static_cast<size_t>(SendMessageA(field(program, 4), EM_GETLIMITTEXT, 0, 0)), 65537u);
    // Enter makes a new line in a field (the dialog loop turns the key into its character); it
    // does not press OK.
    PostMessageA(field(program, 4), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(field(program, 4), WM_KEYUP, VK_RETURN, 0xC01C0001);
    ulo_e2e::pause(300);
    EXPECT_EQ(controlText(field(program, 4)), "\r\n");
    EXPECT_TRUE(IsWindowVisible(program.window));
    setText(field(program, 1), "changed");
    ulo_e2e::press(program.window, IDCANCEL);
    EXPECT_EQ(waitExitPumping(program), 0u);
    EXPECT_EQ(readValue("template0"), std::string("as text\0", 8));
    EXPECT_EQ(valueType("template0"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(readValue("template1"), "no terminator");
    EXPECT_EQ(readValue("template3"), "<missing>");
}

TEST_F(PhrasEdit, TooLargeFieldStopsTheSaveAtThatField) {
    for (int n = 1; n <= 10; ++n) writeValue(valueName(n).c_str(), REG_BINARY, std::string("old\0", 4));
    Program program = start();
    ASSERT_TRUE(program.window);
    // Bytes, not characters: 32768 double-byte characters are 65536 bytes.
    std::string full;
    for (int i = 0; i < 32768; ++i) full += sjis(L"表");
    setText(field(program, 1), "one");
    setText(field(program, 3), full);
    setText(field(program, 5), full + "a");
    setText(field(program, 7), "seven");
    ulo_e2e::press(program.window, IDOK);
    EXPECT_EQ(answerMessageBox(program.pid, kCaption, IDOK), sjis(L"定型句5が保存できませんでした。（サイズが大きすぎます）"));
    EXPECT_TRUE(IsWindowVisible(program.window));  // the dialog stays open
    EXPECT_EQ(readValue("template0"), std::string("one\0", 4));
    EXPECT_EQ(readValue("template2"), full + std::string(1, '\0'));
    EXPECT_EQ(readValue("template3"), std::string("old\0", 4));  // field 4 saved as shown
    EXPECT_EQ(readValue("template4"), std::string("old\0", 4));
    EXPECT_EQ(readValue("template6"), std::string("old\0", 4));
    ulo_e2e::press(program.window, IDCANCEL);
    EXPECT_EQ(waitExitPumping(program), 0u);
}

TEST_F(PhrasEdit, WriteFailureNamesTheFieldAndKeepsTheDialogOpen) {
    FakeEditor editor;
    ASSERT_TRUE(lockSettingsKey());
    Program program = start();
    ASSERT_TRUE(program.window);
    ulo_e2e::press(program.window, IDOK);
    EXPECT_EQ(answerMessageBox(program.pid, kCaption, IDOK), sjis(L"定型句1が保存できませんでした。"));
    EXPECT_TRUE(IsWindowVisible(program.window));
    ulo_e2e::press(program.window, IDCANCEL);
    EXPECT_EQ(waitExitPumping(program), 0u);
    EXPECT_TRUE(IsWindowEnabled(editor.window()));
    unlockSettingsKey();
    EXPECT_EQ(readValue("template0"), "<missing>");
}

TEST_F(PhrasEdit, SecondStartBringsTheFirstToFrontAndExits) {
    Program first = start();
    ASSERT_TRUE(first.window);
    Program second = ulo_e2e::startProgram(ulo_e2e::pathBeside("phrasedit.exe"), "", nullptr);
    EXPECT_EQ(waitExitPumping(second), 0u);
    EXPECT_EQ(GetForegroundWindow(), first.window);
    ulo_e2e::press(first.window, IDCANCEL);
    EXPECT_EQ(waitExitPumping(first), 0u);
}

}  // namespace

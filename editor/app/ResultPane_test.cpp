// Tests of the result pane inside this process: items with their lines, emptying, and copying
// every item to the clipboard.
#include "ResultPane.h"

#include <gtest/gtest.h>

#include <string>

#include "UloResource.h"

namespace {

std::string clipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return "(clipboard not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

class ResultPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        pane_.destroy();
        if (parent_) DestroyWindow(parent_);
    }

    HWND parent_ = nullptr;
    EditorChannel editor_;  // no control: requests answer 0
    ResultPane pane_{editor_};
};

}  // namespace

TEST_F(ResultPaneTest, ItemsAreKeptInOrderAndCopiedWithLineEnds) {
    pane_.add("ignored before the pane exists", 1);
    ASSERT_TRUE(pane_.create(GetModuleHandleA(nullptr), parent_, nullptr));
    ASSERT_TRUE(pane_.create(GetModuleHandleA(nullptr), parent_, nullptr));  // once only
    EXPECT_EQ(GetDlgCtrlID(pane_.window()), CMD_RESULTLIST);
    // "表示" ends in the byte 0x5C: copied byte for byte.
    pane_.add("a.txt(3): \x95\x5c\x8e\xa6", 3);
    pane_.add("no line", -1);
    EXPECT_EQ(SendMessageA(pane_.window(), LB_GETCOUNT, 0, 0), 2);

    pane_.copyAll();
    EXPECT_EQ(clipboardText(parent_), "a.txt(3): \x95\x5c\x8e\xa6\r\nno line\r\n");

    CommandTable commands;
    pane_.addCommands(commands);
    SendMessageA(pane_.window(), LB_SETCURSEL, 1, 0);
    // Choosing an item without a line, or with no control to move, changes nothing and fails nothing.
    EXPECT_EQ(commands.run({CMD_RESULTLIST, LBN_SELCHANGE, 0}), 0);

    pane_.clear();
    EXPECT_EQ(SendMessageA(pane_.window(), LB_GETCOUNT, 0, 0), 0);
    pane_.copyAll();
    EXPECT_EQ(clipboardText(parent_), "");
}

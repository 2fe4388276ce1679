// FindReplace in one process: the real editor control, a search box and the modal dialogs, driven
// from a second thread as a user would drive them.
#include <gtest/gtest.h>

#include <algorithm>

#include "FindReplaceHost.h"
#include "FindTexts.h"
#include "MainSettings.h"
#include "UloResource.h"

using namespace find_test;

namespace {

const std::string kFindCaption = sjis(L"検索");
const std::string kReplaceCaption = sjis(L"置換");
const std::string kLineCaption = sjis(L"指定行へ移動");

// One host for all tests: destroying a top-level window costs Wine about two seconds.
class FindReplaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared = new Host(); }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    void SetUp() override {
        host.commands.clear();
        host.results.clear();
        host.revealed = false;
    }
    void openFind() { SendMessageA(host.window(), WM_COMMAND, CMD_FIND, 0); }
    void openReplace() { SendMessageA(host.window(), WM_COMMAND, CMD_REPLACE, 0); }
    static Host* shared;
    Host& host = *shared;
};
Host* FindReplaceTest::shared = nullptr;

}  // namespace

TEST_F(FindReplaceTest, SearchBoxShowsTheMatchStateAndItsKeysSearch) {
    host.setText("foo\r\nbar\r\nbaz");
    host.ask(EC_GOTOLINE, 2);
    host.typeIntoBox("foo");
    EXPECT_EQ(host.floatText(), find_text::kOnlyUpToolbar);
    EXPECT_TRUE(host.findButtonsEnabled());
    host.typeIntoBox("az");
    EXPECT_EQ(host.floatText(), find_text::kOnlyDownToolbar);   // the caret is at the start of "baz"
    host.typeIntoBox("ba");
    EXPECT_EQ(host.floatText(), "");                             // both ways: nothing to say
    host.typeIntoBox("qqq");
    EXPECT_EQ(host.floatText(), find_text::kNoMatchAtAll);
    host.typeIntoBox("");
    EXPECT_EQ(host.floatText(), "");
    EXPECT_FALSE(host.findButtonsEnabled());   // the arrows follow the box's text

    // Enter searches down; Shift+Enter (as the key-down F3 with Shift) searches up.
    host.typeIntoBox("ba");
    SendMessageA(host.searchEdit(), WM_CHAR, '\r', 0);
    EXPECT_EQ(host.selection(), "ba");
    EXPECT_EQ(host.caret().line, 2);
    host.typeIntoBox("foo");
    SendMessageA(host.window(), WM_COMMAND, CMD_FINDUP, 1);
    EXPECT_EQ(host.selection(), "foo");
    EXPECT_EQ(host.floatText(), find_text::kOnlyHere);
    // F3 in the box searches down and Ctrl+F would open the dialog: both arrive as commands.
    host.commands.clear();
    host.typeIntoBox("bar");
    SendMessageA(host.searchEdit(), WM_KEYDOWN, VK_F3, 0);
    EXPECT_EQ(host.selection(), "bar");
    // Escape and Tab give the focus to the editor.
    SetFocus(host.searchEdit());
    SendMessageA(host.searchEdit(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(GetFocus(), host.control());
    SetFocus(host.searchEdit());
    SendMessageA(host.searchEdit(), WM_CHAR, '\t', 0);
    EXPECT_EQ(GetFocus(), host.control());
    auto count = [&](UINT id) { return std::count(host.commands.begin(), host.commands.end(), id); };
    EXPECT_EQ(count(CMD_FINDDOWN), 1);
    EXPECT_EQ(count(CMD_SEARCHFOCUS), 2);
    // An emptied box: find again has nothing to search for, and its menu items say so.
    EXPECT_TRUE(host.find().canFindAgain());
    host.typeIntoBox("");
    EXPECT_FALSE(host.find().canFindAgain());
    EXPECT_EQ(SendMessageA(host.window(), WM_COMMAND, CMD_FINDDOWN, 0), 0);
}

TEST_F(FindReplaceTest, NotFoundFromTheToolbarSaysSoWithTheCaseVariant) {
    host.setText("Alpha\r\nbeta");
    host.typeIntoBox("gamma");
    std::string text;
    runModal([&] { SendMessageA(host.window(), WM_COMMAND, CMD_FINDDOWN, 1); }, [&] { text = answerBox(); });
    EXPECT_EQ(text, find_text::kSearchFinished);
    // After a failure from the box, the box has the focus.
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == host.searchEdit() || focus == host.searchBox());

    // The case option comes from the find dialog.
    runModal([&] { openFind(); }, [&] {
        HWND d = waitDialog(kFindCaption);
        ASSERT_TRUE(d);
        setCheck(d, IDC_FIND_CASE, true);
        click(d, IDC_FIND_CLOSE);
    });
    host.typeIntoBox("alpha");
    runModal([&] { SendMessageA(host.window(), WM_COMMAND, CMD_FINDDOWN, 0); }, [&] { text = answerBox(); });
    EXPECT_EQ(text, find_text::kSearchFinishedCase);
    runModal([&] { openFind(); }, [&] {
        HWND d = waitDialog(kFindCaption);
        ASSERT_TRUE(d);
        EXPECT_TRUE(IsDlgButtonChecked(d, IDC_FIND_CASE));   // the option is kept
        setCheck(d, IDC_FIND_CASE, false);
        click(d, IDC_FIND_CLOSE);
    });
}

TEST_F(FindReplaceTest, TheTabOptionTurnsBackslashTIntoATab) {
    host.setText("a\tb\r\na\\tb\r\nend");
    std::string firstFind, secondFind, notFound, status;
    runModal([&] { openFind(); }, [&] {
        HWND d = waitDialog(kFindCaption);
        ASSERT_TRUE(d);
        setCheck(d, IDC_FIND_TABESCAPE, true);
        typeInto(d, IDC_FIND_TEXT, "a\\tb");
        click(d, IDC_FIND_NEXT);
        waitFor([&] { return !host.selection().empty(); });
        firstFind = host.selection();
        // "\\" is one backslash: a, backslash, t, b.
        typeInto(d, IDC_FIND_TEXT, "a\\\\tb");
        click(d, IDC_FIND_NEXT);
        waitFor([&] { return host.selection() != firstFind; });
        secondFind = host.selection();
        status = itemText(d, IDC_FIND_STATUS);
        click(d, IDC_FIND_NEXT);
        notFound = answerBox();
        click(d, IDC_FIND_CLOSE);
    });
    EXPECT_EQ(firstFind, "a\tb");
    EXPECT_EQ(secondFind, "a\\tb");
    EXPECT_EQ(status, find_text::kOnlyHere);
    EXPECT_EQ(notFound, find_text::kSearchFinished);
    // The dialog's text went into the box and the history.
    EXPECT_EQ(host.find().searchText(), "a\\\\tb");
    char box[64] = {};
    GetWindowTextA(host.searchBox(), box, sizeof box);
    EXPECT_STREQ(box, "a\\\\tb");
}

TEST_F(FindReplaceTest, SearchAllStopsAfterAThousandLines) {
    std::string text;
    for (int i = 1; i <= 1200; ++i) text += "line " + std::to_string(i) + " x\r\n";
    host.setText(text);
    runModal([&] { openFind(); }, [&] {
        HWND d = waitDialog(kFindCaption);
        ASSERT_TRUE(d);
        typeInto(d, IDC_FIND_TEXT, " x");
        click(d, IDC_FIND_LIST);
        waitFor([d] { return !IsWindow(d); });
    });
    ASSERT_EQ(host.results.size(), 1002u);
    EXPECT_TRUE(host.revealed);
    EXPECT_EQ(host.results[0].first, 1);
    EXPECT_EQ(host.results[0].second, "      1" + sjis(L"行: ") + "line 1 x");
    EXPECT_EQ(host.results[999].first, 1000);
    EXPECT_EQ(host.results[1000], std::make_pair(0, std::string(find_text::kTooManyLines)));
    EXPECT_EQ(host.results[1001].first, 0);   // the control's closing line
}

TEST_F(FindReplaceTest, TheContextMenuWordIsListed) {
    host.setText("one R&D two\r\nR&D\r\nnone");
    SetFocus(host.control());
    host.ask(EC_GOTOLINE, 1);
    EXPECT_EQ(host.find().contextWord(-1), "R&D");
    SendMessageA(host.window(), WM_COMMAND, CMD_FINDWORD, 0);
    ASSERT_EQ(host.results.size(), 3u);
    EXPECT_EQ(host.results[0].first, 1);
    EXPECT_EQ(host.results[1].first, 2);
    EXPECT_EQ(host.find().searchText(), "R&D");
}

TEST_F(FindReplaceTest, ReplaceOneReplacesOnlyAWholeMatch) {
    host.setText("cat dog cat\r\ncat");
    std::string early, finished, late;
    runModal([&] { openReplace(); }, [&] {
        HWND d = waitDialog(kReplaceCaption);
        ASSERT_TRUE(d);
        EXPECT_TRUE(IsDlgButtonChecked(d, IDC_REPLACE_WHOLEFILE));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_REPLACE_INSELECTION)));
        typeInto(d, IDC_FIND_TEXT, "cat");
        typeInto(d, IDC_REPLACE_TEXT, "cow");
        click(d, IDC_REPLACE_ONE);   // nothing selected yet
        early = answerBox();
        click(d, IDC_FIND_NEXT);
        waitFor([&] { return host.selection() == "cat"; });
        click(d, IDC_REPLACE_ONE);
        waitFor([&] { return host.text() == "cow dog cat\r\ncat"; });
        click(d, IDC_REPLACE_ONE);
        waitFor([&] { return host.text() == "cow dog cow\r\ncat"; });
        click(d, IDC_REPLACE_ONE);
        finished = answerBox();      // the last one replaced, no further match
        click(d, IDC_REPLACE_ONE);   // a second press replaces nothing
        late = answerBox();
        click(d, IDC_FIND_CLOSE);
    });
    EXPECT_EQ(early, find_text::kReplaceFailed);
    EXPECT_EQ(finished, find_text::kReplaceFinished);
    EXPECT_EQ(late, find_text::kReplaceFailed);
    EXPECT_EQ(host.text(), "cow dog cow\r\ncow");
}

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStep) {
    const std::string original = "a-a-\x83\x5c" "a\r\na";
    host.setText(original);
    std::string status, box;
    runModal([&] { openReplace(); }, [&] {
        HWND d = waitDialog(kReplaceCaption);
        ASSERT_TRUE(d);
        typeInto(d, IDC_FIND_TEXT, "a");
        typeInto(d, IDC_REPLACE_TEXT, "bb");
        click(d, IDC_REPLACE_ALL);
        box = answerBox();
        status = itemText(d, IDC_FIND_STATUS);
        click(d, IDC_FIND_CLOSE);
    });
    EXPECT_EQ(box, "4" + sjis(L"個、置換されました"));
    EXPECT_EQ(status, box);
    EXPECT_EQ(host.text(), "bb-bb-\x83\x5c" "bb\r\nbb");
    host.ask(EC_UNDO);
    EXPECT_EQ(host.text(), original);
}

TEST_F(FindReplaceTest, ReplaceInASelectionWithoutAMatchAndTheScopeSwitch) {
    host.setText("abc\r\nxyz");
    host.typeIntoBox("xyz");
    SendMessageA(host.window(), WM_COMMAND, CMD_FINDDOWN, 0);
    ASSERT_EQ(host.selection(), "xyz");
    std::string status, box;
    bool wholeFileAfterFind = false, selectionDisabled = false;
    runModal([&] { openReplace(); }, [&] {
        HWND d = waitDialog(kReplaceCaption);
        ASSERT_TRUE(d);
        EXPECT_TRUE(IsDlgButtonChecked(d, IDC_REPLACE_INSELECTION));
        typeInto(d, IDC_FIND_TEXT, "abc");
        typeInto(d, IDC_REPLACE_TEXT, "q");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_REPLACE_ALL)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_FIND_NEXT)));
        click(d, IDC_REPLACE_ALL);
        box = answerBox();
        status = itemText(d, IDC_FIND_STATUS);
        // Find next goes back to the whole file.
        click(d, IDC_FIND_NEXT);
        waitFor([d] { return IsDlgButtonChecked(d, IDC_REPLACE_WHOLEFILE) == BST_CHECKED; });
        wholeFileAfterFind = IsDlgButtonChecked(d, IDC_REPLACE_WHOLEFILE) == BST_CHECKED;
        selectionDisabled = !IsWindowEnabled(GetDlgItem(d, IDC_REPLACE_INSELECTION));
        answerBox(1000);   // "abc" lies above: the replace dialog searches down only
        click(d, IDC_FIND_CLOSE);
    });
    EXPECT_EQ(box, find_text::kNoMatch);
    EXPECT_EQ(status, find_text::kNoMatch);
    EXPECT_TRUE(wholeFileAfterFind);
    EXPECT_TRUE(selectionDisabled);
    EXPECT_EQ(host.text(), "abc\r\nxyz");
}

TEST_F(FindReplaceTest, GoToLineReadsBothDigitWidths) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "l\r\n";
    host.setText(text);
    auto goTo = [&](const std::string& field, bool cancel) {
        runModal([&] { SendMessageA(host.window(), WM_COMMAND, CMD_GOTOLINE, 0); }, [&] {
            HWND d = waitDialog(kLineCaption);
            ASSERT_TRUE(d);
            SetDlgItemTextA(d, IDC_LINE_NUMBER, field.c_str());
            click(d, cancel ? IDC_LINE_CANCEL : IDC_LINE_OK);
            waitFor([d] { return !IsWindow(d); });
        });
        return host.caret().line;
    };
    EXPECT_EQ(goTo(sjis(L"１２３"), false), 122);
    EXPECT_EQ(goTo("12 3", false), 122);
    EXPECT_EQ(goTo("12a", false), 11);
    EXPECT_EQ(goTo("abc", false), 11);   // nothing happens
    EXPECT_EQ(goTo("0", false), 11);
    EXPECT_EQ(goTo("50", true), 11);
    EXPECT_EQ(goTo(std::string(100, '9'), false), 200);   // beyond the end: the last line
}

TEST_F(FindReplaceTest, DialogRequestsWithoutADialogDoNothing) {
    host.setText("abc");
    for (WPARAM code = 100; code <= 108; ++code)
        EXPECT_EQ(SendMessageA(host.window(), 0x0403, code, 1), 0) << code;
    EXPECT_EQ(host.text(), "abc");
}


// Without a search box on the toolbar, find up and down search for the remembered text again.
TEST(FindReplaceWithoutSearchBox, FindAgainUsesTheRememberedText) {
    Host host(MainSettings::defaults().toolbar_mask & ~0x1000u);
    ASSERT_EQ(host.searchBox(), nullptr);
    host.setText("pear\r\napple\r\npear");
    EXPECT_EQ(SendMessageA(host.window(), WM_COMMAND, CMD_FINDDOWN, 0), 0);   // nothing remembered yet
    runModal([&] { SendMessageA(host.window(), WM_COMMAND, CMD_FIND, 0); }, [&] {
        HWND d = waitDialog(kFindCaption);
        ASSERT_TRUE(d);
        typeInto(d, IDC_FIND_TEXT, "pear");
        click(d, IDC_FIND_NEXT);
        waitFor([&] { return host.selection() == "pear"; });
        click(d, IDC_FIND_CLOSE);
    });
    ASSERT_EQ(host.caret().line, 0);
    EXPECT_EQ(SendMessageA(host.window(), WM_COMMAND, CMD_FINDDOWN, 0), 1);
    EXPECT_EQ(host.selection(), "pear");
    EXPECT_EQ(host.caret().line, 2);
    EXPECT_EQ(SendMessageA(host.window(), WM_COMMAND, CMD_FINDUP, 0), 1);
    EXPECT_EQ(host.caret().line, 0);
}

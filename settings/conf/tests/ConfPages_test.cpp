// ulo_conf end to end under Wine: every check box, the other controls of the pages, bad stored
// records, write failures, the owner and the single instance.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "ConfDriver.h"
#include "TestDriver.h"

using namespace companion_e2e;
using namespace conf_e2e;
using ulo_e2e::sjis;

namespace {

struct Box {
    int page;
    const wchar_t* label;
    bool display;  // display_flags, else option_flags
    uint32_t mask;
};

// Every check box of the sheet, numbered from 1 in this order.
const Box kBoxes[] = {
    {kDisplay, L"ツールバーを表示", false, 0x1},
    {kDisplay, L"ファイルバーを表示", false, 0x4},
    {kDisplay, L"行番号を表示", true, 0x1},
    {kDisplay, L"全角スペースを表示", true, 0x2},
    {kDisplay, L"半角スペースを表示", true, 0x20},
    {kDisplay, L"タブ文字を表示", true, 0x4},
    {kDisplay, L"改行とEOFを表示", true, 0x8},
    {kDisplay, L"E-Mail, URLのカラー表示", true, 0x10},
    {kDisplay, L"フォントを滑らかにする", true, 0x40},
    {kDisplay, L"透明効果", false, 0x2},
    {kDisplay, L"前回のウィンドウ位置を再現", false, 0x8},
    {kDisplay, L"ウィンドウを再利用する", false, 0x80},
    {kDisplay, L"HTMLプレビューを自動更新", false, 0x10},
    {kFunctions, L"通常テキスト部分の入力支援を行う", true, 0x1000000},
    {kFunctions, L"ＣＳＳプロパティ名のコロンの後にスペースを入れる", true, 0x4000000},
    {kFunctions, L"ドキュメントタイプ宣言にＵＲＬを入れる", true, 0x2000000},
    {kFunctions, L"「画像の挿入」でalt欄が空でもalt属性を挿入する", false, 0x20},
    {kFunctions, L"「色の挿入」で大文字のカラーコードを挿入する", false, 0x40},
    {kFunctions, L"Shift+半角スペースで全角スペースを入力", true, 0x80},
    {kHtml, L"HTMLファイルを開いた時", false, 0x100},
    {kHtml, L"HTMLファイルを保存した時", false, 0x200},
    {kHtml, L"HTMLファイルをプレビューした時", false, 0x400},
    {kHtml, L"■現在のドキュメントタイプでは利用できない要素です", false, 0x20000},
    {kHtml, L"■未定義の属性です", false, 0x2000},
    {kHtml, L"■要素ｘには属性ｙが必須です", false, 0x4000},
    {kHtml, L"■MovableType専用タグが使用されています", false, 0x8000},
    {kHtml, L"□属性ｙの値がありません", false, 0x10000},
    {kHtml, L"□定数が次の行に続いています", false, 0x1000},
    {kCodes, L"変換時に警告する", false, 0x10000000},
};

// A valid record whose every page shows it unchanged, with bits of no meaning set.
MainSettings startRecord() {
    MainSettings s = MainSettings::defaults();
    s.default_html_type = 28101;
    s.default_encoding = 1;
    s.option_flags |= 0x800 | 0x400000 | 0x80000000u;
    s.display_flags |= 0x100 | 0x20000000;
    return s;
}

class ConfPages : public ::testing::Test {
protected:
    void SetUp() override { deleteSettingsKey(); }
    void TearDown() override {
        ulo_e2e::endStartedProcesses(500);
        deleteSettingsKey();
    }
};

TEST_F(ConfPages, EveryCheckBoxDrivesItsOwnBit) {
    const int count = static_cast<int>(sizeof kBoxes / sizeof kBoxes[0]);
    for (int session = 0; session < 5; ++session) {
        storeMain(startRecord());
        Program conf = startConf();
        ASSERT_TRUE(conf.window);
        MainSettings expected = startRecord();
        for (int i = 0; i < count; ++i) {
            const Box& box = kBoxes[i];
            HWND button = control(conf.window, box.page, sjis(box.label));
            ASSERT_TRUE(button) << i + 1;
            if (!(((i + 1) >> session) & 1)) continue;
            click(button);
            (box.display ? expected.display_flags : expected.option_flags) ^= box.mask;
        }
        EXPECT_EQ(finish(conf, true), 1u) << session;
        EXPECT_EQ(readValue("main"), encoded(expected)) << "session " << session;
    }
}

TEST_F(ConfPages, FixedWrapWidthIsCheckedOnOk) {
    storeMain(startRecord());
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kDisplay);
    click(childWithText(page, sjis(L"固定")));
    HWND width = GetDlgItem(page, 1205);
    setText(width, "5");
    pressSheet(conf.window, 3 /* PSBTN_OK */);
    EXPECT_EQ(answerMessageBox(conf.pid, caption(), IDOK), sjis(L"折り返し文字数の設定可能範囲は、10～500文字です。"));
    EXPECT_TRUE(IsWindowVisible(conf.window));
    EXPECT_EQ(controlText(width), "10");

    setText(width, "300");
    pressSheet(conf.window, 3);
    EXPECT_EQ(answerMessageBox(conf.pid, caption(), IDNO),
              sjis(L"折り返し文字数を200以上に設定すると、メモリを大量に消費するためお勧めできません。続行しますか？"));
    EXPECT_TRUE(IsWindowVisible(conf.window));
    pressSheet(conf.window, 3);
    EXPECT_FALSE(answerMessageBox(conf.pid, caption(), IDYES).empty());
    EXPECT_EQ(waitExitPumping(conf), 1u);
    MainSettings stored{};
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(stored.wrap_columns, 300u);
    EXPECT_TRUE(stored.display_flags & DisplayFlag::kFixedWrap);
}

TEST_F(ConfPages, WindowWidthWrapStoresOnlyAWidthTheRecordCanHold) {
    MainSettings start = startRecord();
    start.display_flags |= DisplayFlag::kFixedWrap;
    for (const char* typed : {"9999", "5", "120"}) {
        storeMain(start);
        Program conf = startConf();
        ASSERT_TRUE(conf.window);
        HWND page = showPage(conf.window, kDisplay);
        setText(GetDlgItem(page, 1205), typed);
        click(childWithText(page, sjis(L"ウィンドウに合わせる")));
        EXPECT_EQ(finish(conf, true), 1u);
        MainSettings stored{};
        ASSERT_TRUE(storedMain(&stored)) << typed;  // always a valid record
        EXPECT_FALSE(stored.display_flags & DisplayFlag::kFixedWrap);
        EXPECT_EQ(stored.wrap_columns, std::string(typed) == "120" ? 120u : 76u) << typed;
    }
}

TEST_F(ConfPages, TabWidthPreviewSideUndoAndCodes) {
    MainSettings start = startRecord();
    start.default_html_type = 0;
    start.default_encoding = 0;
    storeMain(start);
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    click(control(conf.window, kDisplay, sjis(L"８")));
    chooseCombo(GetDlgItem(showPage(conf.window, kDisplay), 1209), 1);  // "下"
    HWND functions = showPage(conf.window, kFunctions);
    click(childWithText(functions, sjis(L"値を指定")));
    setText(GetDlgItem(functions, 1303), "0");
    HWND html = showPage(conf.window, kHtml);
    EXPECT_EQ(comboText(GetDlgItem(html, 1701)), "HTML 4.01 Strict");
    HWND codes = showPage(conf.window, kCodes);
    EXPECT_EQ(comboItems(GetDlgItem(codes, 1801)), (std::vector<std::string>{"Shift_JIS", "ISO-2022-JP", "EUC", "UTF8", "UTF16"}));
    chooseCombo(GetDlgItem(codes, 1801), 3);
    chooseCombo(GetDlgItem(codes, 1802), 4);
    chooseCombo(GetDlgItem(codes, 1803), 2);
    EXPECT_EQ(finish(conf, true), 1u);

    MainSettings expected = start;
    expected.tab_width = 8;
    expected.option_flags &= ~OptionFlag::kPreviewLeft;
    expected.undo_limit = MainSettings::kMiB;
    expected.default_html_type = 28101;
    expected.default_encoding = 4;
    expected.convert_encoding = 4;
    expected.convert_line_end = 2;
    EXPECT_EQ(readValue("main"), encoded(expected));

    // 5000 MiB is held to 1024; "無制限" shows 4 in a disabled field and stores all ones.
    storeMain(expected);
    conf = startConf();
    ASSERT_TRUE(conf.window);
    functions = showPage(conf.window, kFunctions);
    EXPECT_EQ(controlText(GetDlgItem(functions, 1303)), "1");
    setText(GetDlgItem(functions, 1303), "5000");
    EXPECT_EQ(finish(conf, true), 1u);
    MainSettings stored{};
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(stored.undo_limit, 1024u * MainSettings::kMiB);

    conf = startConf();
    ASSERT_TRUE(conf.window);
    functions = showPage(conf.window, kFunctions);
    click(childWithText(functions, sjis(L"無制限")));
    EXPECT_EQ(controlText(GetDlgItem(functions, 1303)), "4");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(functions, 1303)));
    EXPECT_EQ(finish(conf, true), 1u);
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(stored.undo_limit, 0xFFFFFFFFu);
}

TEST_F(ConfPages, FontListAndAFaceGdiDoesNotList) {
    MainSettings start = startRecord();
    std::memset(start.font_face, 0, sizeof start.font_face);
    std::strcpy(start.font_face, "NoSuchFaceHere");
    storeMain(start);
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    HWND page = showPage(conf.window, kDisplay);
    const auto faces = comboItems(GetDlgItem(page, 1201));
    const std::string standard = sjis(L"ＭＳ ゴシック");
    int standardIndex = -1;
    for (size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NE(faces[i][0], '@');
        if (faces[i] == standard) standardIndex = static_cast<int>(i);
    }
    ASSERT_GE(standardIndex, 0);
    EXPECT_EQ(comboSelection(GetDlgItem(page, 1201)), -1);
    EXPECT_EQ(comboText(GetDlgItem(page, 1202)), "11");

    // Refused from another page: the sheet stays open and shows the page to correct.
    showPage(conf.window, kCodes);
    pressSheet(conf.window, 3);
    EXPECT_EQ(answerMessageBox(conf.pid, caption(), IDOK), sjis(L"フォントを選択してください。"));
    EXPECT_TRUE(IsWindowVisible(conf.window));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(conf.window, PSM_GETCURRENTPAGEHWND, 0, 0)), page);
    chooseCombo(GetDlgItem(page, 1201), standardIndex);
    EXPECT_EQ(finish(conf, true), 1u);
    MainSettings stored{};
    ASSERT_TRUE(storedMain(&stored));
    EXPECT_EQ(std::string(stored.font_face), standard);
}

TEST_F(ConfPages, BadStoredRecordShowsDefaultsCancelKeepsItOkWritesAValidOne) {
    for (const std::string& bad : {std::string(163, '\x01'), std::string(165, '\x01')}) {
        writeValue("main", REG_BINARY, bad);
        Program conf = startConf();
        ASSERT_TRUE(conf.window);
        EXPECT_TRUE(isChecked(control(conf.window, kDisplay, sjis(L"行番号を表示"))));
        EXPECT_EQ(finish(conf, false), 0u);
        EXPECT_EQ(readValue("main"), bad);
    }
    MainSettings version8 = MainSettings::defaults();
    std::string bytes = encoded(version8);
    bytes[0] = 8;
    writeValue("main", REG_BINARY, bytes);
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    EXPECT_EQ(finish(conf, true), 1u);
    MainSettings expected = MainSettings::defaults();
    // Only the first page was shown: the other pages' fields keep the defaults.
    EXPECT_EQ(readValue("main"), encoded(expected));
}

TEST_F(ConfPages, WriteFailureIsReportedWithAnEmptyCaption) {
    storeMain(startRecord());
    FakeEditor editor;
    ASSERT_TRUE(lockSettingsKey());
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    pressSheet(conf.window, 3);
    EXPECT_EQ(answerMessageBox(conf.pid, "", IDOK), sjis(L"レジストリへの保存に失敗しました。"));
    EXPECT_EQ(waitExitPumping(conf), 0u);
    EXPECT_TRUE(IsWindowEnabled(editor.window()));
    unlockSettingsKey();
    EXPECT_EQ(readValue("main"), encoded(startRecord()));
}

TEST_F(ConfPages, WithAnEditorInFrontItOwnsTheSheetAndHearsOfTheNextStart) {
    storeMain(startRecord());
    {
        FakeEditor editor;
        Program conf = startConf();
        ASSERT_TRUE(conf.window);
        EXPECT_EQ(GetWindow(conf.window, GW_OWNER), editor.window());
        EXPECT_FALSE(IsWindowEnabled(editor.window()));
        pressSheet(conf.window, 3);
        EXPECT_EQ(answerMessageBox(conf.pid, caption(), IDOK), sjis(L"設定は、次回起動時から有効になります。"));
        EXPECT_EQ(waitExitPumping(conf), 1u);
        EXPECT_TRUE(IsWindowEnabled(editor.window()));

        conf = startConf();
        ASSERT_TRUE(conf.window);
        EXPECT_EQ(finish(conf, false), 0u);
        EXPECT_TRUE(IsWindowEnabled(editor.window()));
    }
    // No editor: no owner and no message.
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    EXPECT_EQ(GetWindow(conf.window, GW_OWNER), nullptr);
    EXPECT_EQ(finish(conf, true), 1u);
}

TEST_F(ConfPages, SevenPagesInOrderWithoutApplyOrHelp) {
    Program conf = startConf();
    ASSERT_TRUE(conf.window);
    EXPECT_EQ(sheetTabs(conf.window),
              (std::vector<std::string>{sjis(L"表示"), sjis(L"機能"), sjis(L"ツールバー"), sjis(L"キー割り当て"),
                                        sjis(L"配色"), "HTML", sjis(L"文字コード")}));
    EXPECT_FALSE(sheetShowsButton(conf.window, 0x3021));  // Apply
    EXPECT_FALSE(sheetShowsButton(conf.window, 9));       // Help
    EXPECT_FALSE(GetWindowLongA(conf.window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    // Centred on the work area.
    RECT area{}, box{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(conf.window, &box);
    EXPECT_LE(std::abs((box.left + box.right) - (area.left + area.right)), 2);
    EXPECT_LE(std::abs((box.top + box.bottom) - (area.top + area.bottom)), 2);
    EXPECT_EQ(finish(conf, false), 0u);
}

TEST_F(ConfPages, SecondStartBringsTheFirstToFrontAndExits) {
    Program first = startConf();
    ASSERT_TRUE(first.window);
    Program second = ulo_e2e::startProgram(ulo_e2e::pathBeside("ulo_conf.exe"), "", nullptr);
    EXPECT_EQ(waitExitPumping(second), 0u);
    EXPECT_EQ(GetForegroundWindow(), first.window);
    EXPECT_EQ(finish(first, false), 0u);
    EXPECT_EQ(readValue("main"), "<missing>");
}

}  // namespace

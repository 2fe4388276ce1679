// End to end: loading and saving through the save-as choices in every encoding and line end,
// the FF FE rule and the line end each encoding gets when none is chosen.
#include "SessionFixture.h"

using namespace ulo_e2e;

namespace {
const char* const kEncodingNames[] = {"", "sjis", "jis", "euc", "utf8", "utf16"};
}

TEST_F(Session, SaveAsWritesEveryEncodingAndLineEnd) {
    Editor editor = start(":1" + quoted(file("source.txt", sampleFile(1, 3))));
    ASSERT_TRUE(editor.window);
    for (int e = 1; e <= 5; ++e) {
        for (int l = 1; l <= 3; ++l) {
            // Line-end choices: 1 CR+LF, 2 CR, 3 LF.
            static const int lineEndOfChoice[4] = {0, 3, 1, 2};
            std::string out = folder + "out-" + kEncodingNames[e] + "-" + std::to_string(l) + ".txt";
            DeleteFileA(out.c_str());
            ASSERT_TRUE(saveAsWith(editor, e, l, out)) << out;
            EXPECT_EQ(readFile(out), sampleFile(e, lineEndOfChoice[l])) << out;
        }
    }
    // The title follows the new path.
    EXPECT_NE(windowTitle(editor.window).find("out-utf16-3.txt"), std::string::npos);
}

TEST_F(Session, EveryEncodingAndLineEndLoadsAndSavesUnchanged) {
    for (int e = 1; e <= 5; ++e) {
        for (int l = 1; l <= 3; ++l) {
            std::string name = std::string(kEncodingNames[e]) + "-" + std::to_string(l);
            std::string source = file("in-" + name + ".txt", sampleFile(e, l));
            // UTF-16 is found by its byte-order mark; the others are named on the command line.
            std::string prefix = e == 5 ? "" : ":" + std::to_string(e);
            Editor editor = start(prefix + quoted(source));
            ASSERT_TRUE(editor.window) << name;
            std::string copy = folder + "copy-" + name + ".txt";
            DeleteFileA(copy.c_str());
            ASSERT_TRUE(saveAsWith(editor, 0, 0, copy)) << name;
            EXPECT_EQ(readFile(copy), sampleFile(e, l)) << name;
            // An explicit save writes the same bytes over the copy again.
            PostMessageA(editor.window, WM_COMMAND, 21003, 0);
            pause(500);
            EXPECT_EQ(readFile(copy), sampleFile(e, l)) << name;
            PostMessageA(editor.window, WM_CLOSE, 0, 0);
            EXPECT_EQ(waitExit(editor), 0u) << name;
        }
    }
}

TEST_F(Session, AByteOrderMarkMeansUtf16WhateverWasChosen) {
    std::string source = file("marked.txt", sampleFile(5, 3));
    Editor editor = start(":1" + quoted(source));
    ASSERT_TRUE(editor.window);
    std::string copy = folder + "marked-copy.txt";
    DeleteFileA(copy.c_str());
    ASSERT_TRUE(saveAsWith(editor, 0, 0, copy));
    EXPECT_EQ(readFile(copy), sampleFile(5, 3));
}

TEST_F(Session, EucJpDefaultsToLfAndUtf8ToCrLf) {
    Editor editor = start(":1" + quoted(file("plain.txt", sampleFile(1, 1))));
    ASSERT_TRUE(editor.window);
    std::string euc = folder + "auto-euc.txt", utf8 = folder + "auto-utf8.txt";
    DeleteFileA(euc.c_str());
    DeleteFileA(utf8.c_str());
    ASSERT_TRUE(saveAsWith(editor, 3, 0, euc));
    EXPECT_EQ(readFile(euc), sampleFile(3, 2));
    ASSERT_TRUE(saveAsWith(editor, 4, 0, utf8));
    EXPECT_EQ(readFile(utf8), sampleFile(4, 3));
}

TEST_F(Session, TheOpenDialogRefusesUtf16AndKeepsTheByteOrderMarkRule) {
    Editor editor = start("");
    ASSERT_TRUE(editor.window);
    std::string marked = file("dialog-marked.txt", sampleFile(5, 1));
    ASSERT_TRUE(openWith(editor, 5, marked));
    EXPECT_EQ(answer(editor.pid, IDOK),
              sjis(L"UTF-16は自動認識のみ対応しています。文字コードにて「自動」を選択して開いてください。\n"
                   L"(自動認識できない場合には対応していないファイル形式です)"));
    EXPECT_EQ(windowTitle(editor.window).find("dialog-marked"), std::string::npos);

    // Shift JIS chosen, but the file starts with FF FE: it is read as UTF-16 into this empty window.
    ASSERT_TRUE(openWith(editor, 1, marked));
    pause(500);
    EXPECT_NE(windowTitle(editor.window).find("dialog-marked.txt"), std::string::npos);
    std::string copy = folder + "dialog-marked-copy.txt";
    DeleteFileA(copy.c_str());
    ASSERT_TRUE(saveAsWith(editor, 0, 0, copy));
    EXPECT_EQ(readFile(copy), sampleFile(5, 1));
}

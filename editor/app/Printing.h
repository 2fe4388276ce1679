// Printing: command 21005. The print dialog, then the editor's text in "ＭＳ ゴシック" at the
// settings' point size, laid out by PrintLayout and drawn page by page.
#pragma once
#include <windows.h>

#include <vector>

#include "CommandTable.h"
#include "DocumentState.h"
#include "EditorChannel.h"
#include "MainSettings.h"
#include "PrintLayout.h"

class Printing {
public:
    // Shows the print dialog owned by owner and prints the text of the editor control. name: the
    // document's file name, or null when untitled. Returns 1 when a document was printed.
    int print(HWND owner, HWND editor, int fontPoints, const char* name);

    // The pieces, usable on any device context (the tests draw into metafiles).
    static HFONT createFont(HDC dc, int fontPoints);
    static PrintDevice deviceOf(HDC dc);
    // Size of "W" in the selected font: the cell width and the line height.
    static SIZE cellSize(HDC dc);
    // The editor's lines laid out for dc with its font selected.
    static std::vector<PrintPage> layout(HDC dc, HWND editor);
    static void drawPage(HDC dc, const PrintPage& page);
    // StartDoc, every page, EndDoc; false (document ended as far as it got) on a failure.
    static bool printPages(HDC dc, const char* name, const std::vector<PrintPage>& pages);

    // In the frame: command 21005 prints the document of `state` from the editor control.
    void attach(HWND main, const EditorChannel& editor, const MainSettings& settings,
                const DocumentState& state) {
        main_ = main;
        editor_ = &editor;
        settings_ = &settings;
        state_ = &state;
    }
    void addCommands(CommandTable& table);

private:
    HWND main_ = nullptr;
    const EditorChannel* editor_ = nullptr;
    const MainSettings* settings_ = nullptr;
    const DocumentState* state_ = nullptr;
};

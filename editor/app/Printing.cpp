// Printing: the dialog, the font and the pages on the printer's device context. Every object is
// released on every path, also when the document cannot be started.
#include "Printing.h"

#include <commdlg.h>

#include "QuorvaleMessages.h"
#include "UloNames.h"
#include "UloResource.h"

namespace {

// "ＭＳ ゴシック"
constexpr char kFontFace[] =
    "\x82l\x82r \x83S\x83V\x83"
    "b\x83N";
// "新規テキスト"
constexpr char kUntitled[] =
    "\x90V\x8bK\x83"
    "e\x83L\x83X\x83g";
// "デフォルトプリンタがありません"
constexpr char kNoDefaultPrinter[] =
    "\x83"
    "f\x83t\x83H\x83\x8b\x83g\x83v\x83\x8a\x83\x93\x83^\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";

// The dialog's device-mode and device-name blocks, freed when the print request ends.
struct DialogBlocks {
    PRINTDLGA& pd;
    ~DialogBlocks() {
        if (pd.hDevMode) GlobalFree(pd.hDevMode);
        if (pd.hDevNames) GlobalFree(pd.hDevNames);
    }
};

struct DcGuard {
    HDC dc;
    ~DcGuard() {
        if (dc) DeleteDC(dc);
    }
};

// A font selected into a device context for the guard's life.
struct SelectedFont {
    HDC dc;
    HFONT font;
    HGDIOBJ previous;
    SelectedFont(HDC d, HFONT f) : dc(d), font(f), previous(f ? SelectObject(d, f) : nullptr) {}
    ~SelectedFont() {
        if (previous) SelectObject(dc, previous);
        if (font) DeleteObject(font);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
};

}  // namespace

HFONT Printing::createFont(HDC dc, int fontPoints) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(fontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
    lstrcpynA(lf.lfFaceName, kFontFace, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

PrintDevice Printing::deviceOf(HDC dc) {
    PrintDevice d;
    d.horzRes = GetDeviceCaps(dc, HORZRES);
    d.vertRes = GetDeviceCaps(dc, VERTRES);
    d.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    d.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    d.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    d.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    return d;
}

SIZE Printing::cellSize(HDC dc) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, "W", 1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

std::vector<PrintPage> Printing::layout(HDC dc, HWND editor) {
    const SIZE cell = cellSize(dc);
    PrintLayout layout(deviceOf(dc), cell.cx, cell.cy);
    LineIterator line{};
    LRESULT more = SendMessageA(editor, EC_REQUEST, EC_FIRSTLINE, reinterpret_cast<LPARAM>(&line));
    while (more) {
        layout.addLine(reinterpret_cast<const char*>(line.text), line.length);
        more = SendMessageA(editor, EC_REQUEST, EC_NEXTLINE, reinterpret_cast<LPARAM>(&line));
    }
    return layout.finish();
}

void Printing::drawPage(HDC dc, const PrintPage& page) {
    SetMapMode(dc, MM_TEXT);
    SetBkMode(dc, TRANSPARENT);
    for (const PrintRow& row : page.rows) {
        if (!row.text.empty()) TextOutA(dc, row.x, row.y, row.text.data(), static_cast<int>(row.text.size()));
    }
    if (page.hasFooter)
        TextOutA(dc, page.footer.x, page.footer.y, page.footer.text.data(),
                 static_cast<int>(page.footer.text.size()));
}

bool Printing::printPages(HDC dc, const char* name, const std::vector<PrintPage>& pages) {
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name && name[0] ? name : kUntitled;
    if (StartDocA(dc, &doc) <= 0) return false;
    for (const PrintPage& page : pages) {
        // A failed page ends the document as far as it got: the pages before it are printed.
        if (StartPage(dc) <= 0) {
            EndDoc(dc);
            return false;
        }
        drawPage(dc, page);
        if (EndPage(dc) <= 0) {
            EndDoc(dc);
            return false;
        }
    }
    return EndDoc(dc) > 0;
}

int Printing::print(HWND owner, HWND editor, int fontPoints, const char* name) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(PRINTDLGA);
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION;
    DialogBlocks blocks{pd};
    if (!PrintDlgA(&pd)) {
        if (printDialogFailureNeedsBox(CommDlgExtendedError()))
            MessageBoxA(owner, kNoDefaultPrinter, ulo_names::kEditorCaption, MB_OK | MB_ICONERROR);
        return 0;
    }
    DcGuard dc{pd.hDC};
    if (!dc.dc) return 0;
    SetMapMode(dc.dc, MM_TEXT);
    SelectedFont font(dc.dc, createFont(dc.dc, fontPoints));
    const std::vector<PrintPage> pages = layout(dc.dc, editor);
    return printPages(dc.dc, name, pages) ? 1 : 0;
}

void Printing::addCommands(CommandTable& table) {
    table.add(CMD_PRINT, [this](const CommandCall&) -> intptr_t {
        if (!editor_ || !settings_ || !state_) return 0;
        return print(main_, editor_->window(), static_cast<int>(settings_->font_points), state_->fileName());
    });
}

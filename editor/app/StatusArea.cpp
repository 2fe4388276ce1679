// StatusArea: the title and the status texts in the menu-bar row.
#include "StatusArea.h"

#include <cstdio>
#include <cstring>

#include "FrameTexts.h"

namespace {

const char* encodingStatus(TextEncoding e) {
    switch (e) {
    case TextEncoding::ShiftJis: return " SJIS  ";
    case TextEncoding::Jis: return "  JIS  ";
    case TextEncoding::EucJp: return "  EUC  ";
    case TextEncoding::Utf8: return " UTF8  ";
    case TextEncoding::Utf16Le: return " UTF16 ";
    default: return nullptr;
    }
}

const char* lineEndStatus(LineEnd e) {
    switch (e) {
    case LineEnd::CrLf: return "CRLF ";
    case LineEnd::Cr: return " CR  ";
    case LineEnd::Lf: return " LF  ";
    default: return nullptr;
    }
}

}  // namespace

void StatusArea::updateTitle() {
    if (!main_) return;
    char title[DocumentState::kPathSize + 64];
    titleText(title, sizeof title, document_, active_, ulo_text::kAppName, ulo_text::kUntitled);
    SetWindowTextA(main_, title);
}

void StatusArea::paintStatus(bool redrawMenuBar) {
    if (!main_) return;
    if (redrawMenuBar) DrawMenuBar(main_);
    HDC dc = GetWindowDC(main_);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, font_);
    static int blank = 0;
    SIZE size;
    if (!blank && GetTextExtentPoint32A(dc, " ", 1, &size)) blank = size.cx;
    GetTextExtentPoint32A(dc, "0", 1, &size);
    RECT window;
    GetWindowRect(main_, &window);
    POINT origin = {0, 0};
    ClientToScreen(main_, &origin);
    int width = window.right - window.left;
    int f = GetSystemMetrics(SM_CXFRAME);
    int menuHeight = GetSystemMetrics(SM_CYMENU);
    int y = (origin.y - window.top) - menuHeight + (menuHeight - size.cy) / 2;
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, OPAQUE);
    if (caretLength_) {
        int x = width - f - (caretLength_ - (caretWide_ ? 1 : 0) + 12) * blank;
        TextOutA(dc, x, y, caretText_, caretLength_);
    }
    if (editor_.hasLink()) {
        const char* enc = encodingStatus(editor_.encoding());
        if (enc) {
            TextOutA(dc, width - 12 * blank - f, y, enc, static_cast<int>(std::strlen(enc)));
            const char* le = lineEndStatus(editor_.lineEnd());
            if (le) TextOutA(dc, width - 5 * blank - blank / 2 - f, y, le, static_cast<int>(std::strlen(le)));
        }
    }
    SelectObject(dc, old);
    ReleaseDC(main_, dc);
}

void StatusArea::setCaretPosition(int line, int column) {
    int oldLength = caretLength_;
    caretLength_ = std::snprintf(caretText_, sizeof caretText_, ulo_text::kLineColumnFormat, line, column);
    caretWide_ = column > 9;
    paintStatus(caretLength_ <= oldLength - 2);
}

// QuorvaleInput: what lies under a client point (text position, gutter, selection, links), the
// mouse cursor for it and opening a link.
#include <cstring>
#include <string>

#include "LexLinks.h"
#include "LineRecord.h"
#include "QuorvaleInput.h"
#include "QuorvaleInputLogic.h"
#include "TextCodes.h"

#include <shellapi.h>  // after windows.h

namespace ctlinput {

PointHit hitTest(Quorvale& q, int x, int y) {
    const layout::ClientGeometry& g = q.geometry();
    PointHit hit{0, 0, x < g.gutter, y >= g.height};
    const int32_t lh = q.lineHeight();
    const int32_t pixels = y + q.pixelOffset();
    const int32_t row = q.topRow() + (pixels >= 0 ? pixels / lh : -((-pixels + lh - 1) / lh));
    const QuorvaleCore::RowCursor cursor = q.cursorAtRow(row < 0 ? 0 : row);
    uint32_t start = 0, end = 0;
    QuorvaleCore::rowBounds(*cursor.line, cursor.rowInLine, &start, &end);
    hit.line = cursor.lineIndex;
    if (row < 0) {
        hit.offset = start;
        return hit;
    }
    const int32_t px = x + q.horizontalOffset() - g.gutter;
    const int32_t cell = px >= 0 ? px / q.cellWidth() : -1;
    uint32_t offset = quorvale::offsetAtCell(cursor.line->text, start, end, cell, q.tabWidth());
    // The end of a row that another row of the same line follows is its last character.
    if (offset == end && cursor.rowInLine + 1 < cursor.line->rowCount && end > start) {
        uint32_t last = start;
        for (uint32_t i = start; i < end;) {
            last = i;
            i += (isSjisLead(cursor.line->text[i]) && i + 1 < end) ? 2 : 1;
        }
        offset = last;
    }
    hit.offset = offset;
    return hit;
}

bool insideSelection(const Quorvale& q, int32_t line, uint32_t offset) {
    if (!q.hasSelection()) return false;
    quorvale::LinePos a{q.anchor().line, q.anchor().offset}, b{q.selectionEnd().line, q.selectionEnd().offset};
    if (quorvale::comparePositions(a, b) > 0) std::swap(a, b);
    const quorvale::LinePos p{line, offset};
    return quorvale::comparePositions(p, a) >= 0 && quorvale::comparePositions(p, b) < 0;
}

namespace {

// The line's URL / mail presence bits, scanned once and cached in the line record.
uint8_t linkBits(LineRecord& line) {
    if (!(line.urlFlags & LineRecord::urlScanned)) {
        LexMatch m{0, 0};
        uint8_t bits = LineRecord::urlScanned;
        if (findUrl(line.text, line.length, &m)) bits |= LineRecord::urlHasUrl;
        if (findMail(line.text, line.length, &m)) bits |= LineRecord::urlHasMail;
        line.urlFlags = bits;
    }
    return line.urlFlags;
}

}  // namespace

bool linkAt(Quorvale& q, int32_t lineIndex, uint32_t offset, uint32_t* start, uint32_t* length, bool* mail) {
    if (!(q.flags() & ecflag::urls)) return false;
    LineRecord& line = *q.lineAt(lineIndex);
    const uint8_t bits = linkBits(line);
    const bool wantUrl = (bits & LineRecord::urlHasUrl) != 0, wantMail = (bits & LineRecord::urlHasMail) != 0;
    if (!wantUrl && !wantMail) return false;
    LexLinkScanner scanner(line.text, line.length, wantUrl, wantMail);
    LexMatch m{0, 0};
    while (scanner.next(&m)) {
        if (m.start > offset) return false;
        if (offset < m.start + m.length) {
            LexMatch url{0, 0};
            *start = m.start;
            *length = m.length;
            *mail = !(wantUrl && findUrl(line.text + m.start, m.length, &url) && url.start == 0);
            return true;
        }
    }
    return false;
}

void openLink(Quorvale& q, const uint8_t* text, uint32_t length, bool mail) {
    std::string target = mail ? "mailto:" : "";
    target.append(reinterpret_cast<const char*>(text), length);
    const HINSTANCE result = ShellExecuteA(q.window(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        MessageBoxA(q.window(), "ShellExecute() Error", "Error", MB_OK | MB_ICONERROR);
}

void updateCursor(Quorvale& q) {
    POINT p;
    if (!GetCursorPos(&p) || !ScreenToClient(q.window(), &p)) return;
    RECT client;
    GetClientRect(q.window(), &client);
    if (!PtInRect(&client, p)) return;
    const PointHit hit = hitTest(q, p.x, p.y);
    LPCSTR shape = IDC_IBEAM;
    HCURSOR own = nullptr;
    uint32_t start = 0, length = 0;
    bool mail = false;
    if (hit.inGutter || insideSelection(q, hit.line, hit.offset)) {
        shape = IDC_ARROW;
    } else if (linkAt(q, hit.line, hit.offset, &start, &length, &mail)) {
        shape = IDC_HAND;
        // Where the system has no hand cursor, the control's own resource.
        if (LoadCursorA(nullptr, IDC_HAND) == nullptr)
            own = LoadCursorA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(q.window(), GWLP_HINSTANCE)), "FINGER");
    }
    SetCursor(own != nullptr ? own : LoadCursorA(nullptr, shape));
}

}  // namespace ctlinput

LRESULT Quorvale::onSetCursor(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return defaultProc(message, wParam, lParam);
    ctlinput::updateCursor(*this);
    return TRUE;
}

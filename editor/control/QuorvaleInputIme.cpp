// Quorvale: the input method: composition window placement and font, result strings,
// double-byte characters, and reconversion of the caret's line.
#include <algorithm>
#include <cstring>
#include <vector>

#include "LineRecord.h"
#include "QuorvaleInput.h"

#include <imm.h>  // after windows.h

using namespace ctlinput;

namespace {

// The window's input context for the guard's life.
class ImeContext {
public:
    explicit ImeContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ~ImeContext() {
        if (context_ != nullptr) ImmReleaseContext(window_, context_);
    }
    ImeContext(const ImeContext&) = delete;
    ImeContext& operator=(const ImeContext&) = delete;
    ImeContext(ImeContext&&) = delete;
    ImeContext& operator=(ImeContext&&) = delete;
    HIMC get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

// The composition window at the caret (x + 1, its top), kept within the text area.
void placeComposition(Quorvale& q) {
    ImeContext ime(q.window());
    if (ime.get() == nullptr) return;
    POINT caret = {0, 0};
    GetCaretPos(&caret);
    const layout::ClientGeometry& g = q.geometry();
    COMPOSITIONFORM form = {};
    form.dwStyle = CFS_POINT | CFS_RECT;
    form.ptCurrentPos = {caret.x + 1, caret.y};
    form.rcArea = {g.gutter, 0, g.width, g.height};
    ImmSetCompositionWindow(ime.get(), &form);
    LOGFONTA font = {};
    if (GetObjectA(q.font(), sizeof font, &font) != 0) ImmSetCompositionFontA(ime.get(), &font);
}

void insertResult(Quorvale& q, const uint8_t* bytes, uint32_t n) {
    if (n == 0) return;
    endCompletion(q);
    if (q.hasSelection() && q.anchor().line == q.selectionEnd().line) {
        const uint32_t from = std::min(q.anchor().offset, q.selectionEnd().offset);
        const uint32_t to = std::max(q.anchor().offset, q.selectionEnd().offset);
        // A reconversion that changed nothing leaves the text alone.
        if (to - from == n && std::memcmp(q.caret().record->text + from, bytes, n) == 0) {
            q.dropSelection();
            afterMove(q);
            return;
        }
    }
    replaceSelectionText(q, bytes, n);
    afterEdit(q);
    placeComposition(q);
}

bool resultString(Quorvale& q) {
    ImeContext ime(q.window());
    if (ime.get() == nullptr) return false;
    const LONG size = ImmGetCompositionStringA(ime.get(), GCS_RESULTSTR, nullptr, 0);
    if (size <= 0) return size == 0;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (ImmGetCompositionStringA(ime.get(), GCS_RESULTSTR, bytes.data(), size) != size) return false;
    insertResult(q, bytes.data(), static_cast<uint32_t>(size));
    return true;
}

// IMR_RECONVERTSTRING: the caret's line with the one-line selection (or the caret) as the
// composition and target ranges; a selection over several lines refuses.
LRESULT reconvertString(Quorvale& q, RECONVERTSTRING* out) {
    if (q.hasSelection() && q.anchor().line != q.selectionEnd().line) return 0;
    const LineRecord& line = *q.caret().record;
    const DWORD header = sizeof(RECONVERTSTRING);
    const DWORD size = header + line.length;
    if (out == nullptr) return size;
    if (out->dwSize < size) return 0;
    uint32_t from = q.caret().offset, to = q.caret().offset;
    if (q.hasSelection()) {
        from = std::min(q.anchor().offset, q.selectionEnd().offset);
        to = std::max(q.anchor().offset, q.selectionEnd().offset);
    }
    out->dwSize = size;
    out->dwVersion = 0;
    out->dwStrLen = line.length;
    out->dwStrOffset = header;
    out->dwCompStrLen = out->dwTargetStrLen = to - from;
    out->dwCompStrOffset = out->dwTargetStrOffset = from;
    if (line.length > 0) std::memcpy(reinterpret_cast<uint8_t*>(out) + header, line.text, line.length);
    return size;
}

LRESULT confirmReconvert(Quorvale& q, const RECONVERTSTRING* in) {
    if (in == nullptr) return FALSE;
    const int32_t line = q.caret().line;
    const uint32_t length = q.caret().record->length;
    const uint32_t from = std::min<uint32_t>(in->dwCompStrOffset, length);
    const uint32_t to = std::min<uint32_t>(from + in->dwCompStrLen, length);
    q.selectRange(line, from, line, to);
    afterMove(q);
    return TRUE;
}

}  // namespace

LRESULT Quorvale::onIme(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_IME_STARTCOMPOSITION:
        placeComposition(*this);
        return defaultProc(message, wParam, lParam);
    case WM_IME_ENDCOMPOSITION:
        updateCaret();
        if (caretCreated_) ShowCaret(window());
        return defaultProc(message, wParam, lParam);
    case WM_IME_COMPOSITION:
        if ((lParam & GCS_RESULTSTR) && resultString(*this)) return 0;
        return defaultProc(message, wParam, lParam);
    case WM_IME_CHAR: {
        // A character the input method sends on its own: lead byte in the high half.
        uint8_t bytes[2];
        uint32_t n = 0;
        if (wParam > 0xFF) bytes[n++] = static_cast<uint8_t>(wParam >> 8);
        bytes[n++] = static_cast<uint8_t>(wParam);
        if (n == 1 && bytes[0] < 0x20) return 0;
        insertResult(*this, bytes, n);
        return 0;
    }
    case WM_IME_REQUEST:
        if (wParam == IMR_RECONVERTSTRING) return reconvertString(*this, reinterpret_cast<RECONVERTSTRING*>(lParam));
        if (wParam == IMR_CONFIRMRECONVERTSTRING)
            return confirmReconvert(*this, reinterpret_cast<const RECONVERTSTRING*>(lParam));
        return defaultProc(message, wParam, lParam);
    default:
        return defaultProc(message, wParam, lParam);
    }
}

// The pages "HTML" (default document type, grammar-check flags) and "文字コード" (codes for new
// and opened files).
#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"

namespace {

using namespace conf_page;

void fillCombo(HWND page, int id, UINT firstText, int count, size_t selected) {
    HWND combo = GetDlgItem(page, id);
    for (int i = 0; i < count; ++i) addComboItem(combo, text(firstText + static_cast<UINT>(i)));
    SendMessageA(combo, CB_SETCURSEL, selected, 0);
}

uint16_t choice(HWND page, int id) {
    const int index = comboIndex(page, id);
    return static_cast<uint16_t>(index < 0 ? 0 : index);
}

}  // namespace

INT_PTR CALLBACK htmlPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        showFlagBoxes(page, *s);
        HWND combo = GetDlgItem(page, IDC_HTML_TYPE);
        for (const HtmlTypeChoice& type : kOfferedHtmlTypes) addComboItem(combo, type.label);
        SendMessageA(combo, CB_SETCURSEL, conf_rules::htmlTypeIndex(s->settings.default_html_type), 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) handleFlagClick(page, LOWORD(wParam), s);
        return FALSE;
    case WM_NOTIFY:
        if (isApply(message, lParam)) {
            const int index = comboIndex(page, IDC_HTML_TYPE);
            s->settings.default_html_type =
                kOfferedHtmlTypes[index < 0 ? conf_rules::htmlTypeIndex(0) : static_cast<size_t>(index)].id;
            answerApply(page, s, true);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK codesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        showFlagBoxes(page, *s);
        fillCombo(page, IDC_DEFAULT_ENCODING, IDS_DEFAULT_ENCODING_FIRST, 5,
                  conf_rules::defaultEncodingIndex(s->settings.default_encoding));
        fillCombo(page, IDC_CONVERT_ENCODING, IDS_CONVERT_ENCODING_FIRST, 5, s->settings.convert_encoding);
        fillCombo(page, IDC_CONVERT_LINE_END, IDS_CONVERT_LINE_END_FIRST, 4, s->settings.convert_line_end);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) handleFlagClick(page, LOWORD(wParam), s);
        return FALSE;
    case WM_NOTIFY:
        if (isApply(message, lParam)) {
            s->settings.default_encoding = static_cast<uint16_t>(choice(page, IDC_DEFAULT_ENCODING) + 1);
            s->settings.convert_encoding = choice(page, IDC_CONVERT_ENCODING);
            s->settings.convert_line_end = choice(page, IDC_CONVERT_LINE_END);
            answerApply(page, s, true);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

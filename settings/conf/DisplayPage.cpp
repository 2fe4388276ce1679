// The page "表示": display flags, editor font and size, wrapping, tab width, preview side.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"

namespace {

using namespace conf_page;

// "あ" in Shift_JIS: the width probe of the font list.
constexpr char kWideProbe[] = "\x82\xa0";

// Whether "あ" is exactly two blanks wide in the face at the given LOGFONT height.
bool wideIsTwoBlanks(HDC dc, const char* face, LONG height) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    HFONT handle = CreateFontIndirectA(&font);
    if (!handle) return false;
    HGDIOBJ old = SelectObject(dc, handle);
    SIZE wide{}, blank{};
    const bool measured = GetTextExtentPoint32A(dc, kWideProbe, 2, &wide) && GetTextExtentPoint32A(dc, " ", 1, &blank);
    SelectObject(dc, old);
    DeleteObject(handle);
    return measured && blank.cx > 0 && wide.cx == 2 * blank.cx;
}

struct FamilyScan {
    HDC dc;
    std::set<std::string> faces;
};

int CALLBACK collectFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    auto* scan = reinterpret_cast<FamilyScan*>(lParam);
    const char* face = font->lfFaceName;
    // "@" faces are the vertical-writing variants.
    if (face[0] != '@' && !scan->faces.count(face) && wideIsTwoBlanks(scan->dc, face, -12))
        scan->faces.insert(face);
    return 1;
}

void fillFonts(HWND page, const MainSettings& settings) {
    HWND combo = GetDlgItem(page, IDC_FONT);
    HDC dc = GetDC(nullptr);
    FamilyScan scan{dc, {}};
    LOGFONTA wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    EnumFontFamiliesExA(dc, &wanted, collectFamily, reinterpret_cast<LPARAM>(&scan), 0);

    const MainSettings standard = MainSettings::defaults();
    const bool evenOnly = !wideIsTwoBlanks(dc, standard.font_face, 13);
    ReleaseDC(nullptr, dc);

    for (const std::string& face : scan.faces) addComboItem(combo, face);
    SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(settings.font_face));
    // CB_SELECTSTRING matches a prefix: keep the choice only when it is the stored face itself.
    if (controlText(page, IDC_FONT) != settings.font_face) SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);

    HWND sizes = GetDlgItem(page, IDC_FONT_SIZE);
    for (int size : conf_rules::offeredFontSizes(evenOnly)) {
        addComboItem(sizes, std::to_string(size));
        if (static_cast<uint32_t>(size) == settings.font_points)
            SendMessageA(sizes, CB_SETCURSEL, SendMessageA(sizes, CB_GETCOUNT, 0, 0) - 1, 0);
    }
}

void centreSheet(HWND page) {
    HWND sheet = GetParent(page);
    RECT area{}, box{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(sheet, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    SetWindowPos(sheet, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void showWrap(HWND page, const MainSettings& settings) {
    const bool fixed = (settings.display_flags & DisplayFlag::kFixedWrap) != 0;
    CheckRadioButton(page, IDC_WRAP_WINDOW, IDC_WRAP_FIXED, fixed ? IDC_WRAP_FIXED : IDC_WRAP_WINDOW);
    SetDlgItemInt(page, IDC_WRAP_COLUMNS, settings.wrap_columns, FALSE);
    EnableWindow(GetDlgItem(page, IDC_WRAP_COLUMNS), fixed);
}

void init(HWND page, ConfState* state) {
    centreSheet(page);
    showFlagBoxes(page, *state);
    fillFonts(page, state->settings);
    showWrap(page, state->settings);
    const uint32_t tab = state->settings.tab_width;
    CheckRadioButton(page, IDC_TAB_2, IDC_TAB_8, tab == 2 ? IDC_TAB_2 : tab == 8 ? IDC_TAB_8 : IDC_TAB_4);
    HWND side = GetDlgItem(page, IDC_PREVIEW_SIDE);
    addComboItem(side, text(IDS_PREVIEW_LEFT));
    addComboItem(side, text(IDS_PREVIEW_BELOW));
    SendMessageA(side, CB_SETCURSEL, (state->settings.option_flags & OptionFlag::kPreviewLeft) ? 0 : 1, 0);
}

void command(HWND page, int id, ConfState* state) {
    if (handleFlagClick(page, id, state)) return;
    switch (id) {
    case IDC_WRAP_WINDOW:
    case IDC_WRAP_FIXED: {
        const bool fixed = IsDlgButtonChecked(page, IDC_WRAP_FIXED) == BST_CHECKED;
        if (fixed) state->settings.display_flags |= DisplayFlag::kFixedWrap;
        else state->settings.display_flags &= ~DisplayFlag::kFixedWrap;
        EnableWindow(GetDlgItem(page, IDC_WRAP_COLUMNS), fixed);
        break;
    }
    case IDC_TAB_2: state->settings.tab_width = 2; break;
    case IDC_TAB_4: state->settings.tab_width = 4; break;
    case IDC_TAB_8: state->settings.tab_width = 8; break;
    }
}

// The wrap width on OK; false refuses the OK.
bool applyWrap(HWND page, ConfState* state) {
    const long columns = conf_rules::parseNumber(controlText(page, IDC_WRAP_COLUMNS));
    if (!(state->settings.display_flags & DisplayFlag::kFixedWrap)) {
        // Not in use: keep the stored width unless the field holds one the record can take, so
        // that a stray number never makes the whole record invalid.
        if (conf_rules::wrapStorable(columns)) state->settings.wrap_columns = static_cast<uint32_t>(columns);
        return true;
    }
    switch (conf_rules::checkWrap(columns)) {
    case conf_rules::WrapCheck::TooSmall:
    case conf_rules::WrapCheck::TooLarge:
        message(page, IDS_WRAP_RANGE, MB_OK | MB_ICONERROR);
        SetDlgItemInt(page, IDC_WRAP_COLUMNS, columns < conf_rules::kMinWrap ? conf_rules::kMinWrap : conf_rules::kMaxWrap, FALSE);
        return false;
    case conf_rules::WrapCheck::AskLarge:
        if (MessageBoxA(GetParent(page), text(IDS_WRAP_LARGE).c_str(), caption().c_str(), MB_YESNO | MB_ICONWARNING) != IDYES)
            return false;
        break;
    case conf_rules::WrapCheck::Ok:
        break;
    }
    state->settings.wrap_columns = static_cast<uint32_t>(columns);
    return true;
}

bool apply(HWND page, ConfState* state) {
    char face[MainSettings::kFontFaceSize] = {};
    GetDlgItemTextA(page, IDC_FONT, face, sizeof face);
    if (!face[0]) {
        message(page, IDS_CHOOSE_FONT, MB_OK | MB_ICONWARNING);
        return false;
    }
    const std::string size = controlText(page, IDC_FONT_SIZE);
    if (size.empty()) {
        message(page, IDS_CHOOSE_FONT_SIZE, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (!applyWrap(page, state)) return false;
    std::memset(state->settings.font_face, 0, sizeof state->settings.font_face);
    std::memcpy(state->settings.font_face, face, std::strlen(face));
    state->settings.font_points = static_cast<uint32_t>(conf_rules::clampFontPoints(conf_rules::parseNumber(size)));
    if (comboIndex(page, IDC_PREVIEW_SIDE) == 0) state->settings.option_flags |= OptionFlag::kPreviewLeft;
    else state->settings.option_flags &= ~OptionFlag::kPreviewLeft;
    return true;
}

}  // namespace

INT_PTR CALLBACK displayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        init(page, s);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) command(page, LOWORD(wParam), s);
        return FALSE;
    case WM_NOTIFY:
        if (isApply(message, lParam)) {
            answerApply(page, s, apply(page, s));
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// What the settings program's pages share: their state, the OK answer, texts, flag boxes, lists.
#include <windows.h>
#include <commctrl.h>

#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"
#include "CompanionStart.h"

namespace conf_page {

namespace {

using conf_rules::FlagBox;
using conf_rules::FlagField;

struct FlagControl {
    int id;
    FlagBox box;
};

constexpr FlagField kO = FlagField::Option, kD = FlagField::Display;

// Every check box of the sheet bound to one flag bit.
const FlagControl kFlagControls[] = {
    {IDC_SHOW_TOOLBAR, {kO, OptionFlag::kShowToolbar, false}},
    {IDC_SHOW_FILEBAR, {kO, OptionFlag::kHideFileBar, true}},
    {IDC_SHOW_LINE_NUMBERS, {kD, DisplayFlag::kLineNumbers, false}},
    {IDC_SHOW_FULL_SPACES, {kD, DisplayFlag::kFullWidthSpaces, false}},
    {IDC_SHOW_HALF_SPACES, {kD, DisplayFlag::kHalfWidthSpaces, false}},
    {IDC_SHOW_TABS, {kD, DisplayFlag::kTabs, false}},
    {IDC_SHOW_LINE_ENDS, {kD, DisplayFlag::kLineEnds, false}},
    {IDC_COLOUR_URLS, {kD, DisplayFlag::kColourUrls, false}},
    {IDC_SMOOTH_FONTS, {kD, DisplayFlag::kSmoothFonts, false}},
    {IDC_TRANSPARENCY, {kO, OptionFlag::kTransparency, false}},
    {IDC_RESTORE_WINDOW, {kO, OptionFlag::kRestoreWindowRect, false}},
    {IDC_REUSE_WINDOW, {kO, OptionFlag::kReuseWindow, false}},
    {IDC_AUTO_PREVIEW, {kO, OptionFlag::kNoAutoPreview, true}},
    {IDC_PLAIN_TEXT_ASSIST, {kD, DisplayFlag::kNoPlainTextAssist, true}},
    {IDC_CSS_COLON_BLANK, {kD, DisplayFlag::kNoBlankAfterCssColon, true}},
    {IDC_DOCTYPE_URL, {kD, DisplayFlag::kDoctypeWithUrl, false}},
    {IDC_ALT_ALWAYS, {kO, OptionFlag::kAltAttributeAlways, false}},
    {IDC_UPPER_COLOUR_CODE, {kO, OptionFlag::kUpperCaseColourCode, false}},
    {IDC_SHIFT_SPACE_FULL, {kD, DisplayFlag::kNoShiftSpaceFullWidth, true}},
    {IDC_CHECK_ON_OPEN, {kO, OptionFlag::kCheckOnOpen, false}},
    {IDC_CHECK_ON_SAVE, {kO, OptionFlag::kCheckOnSave, false}},
    {IDC_CHECK_ON_PREVIEW, {kO, OptionFlag::kCheckOnPreview, false}},
    {IDC_REPORT_UNUSABLE_ELEMENT, {kO, OptionFlag::kNoReportUnusableElement, true}},
    {IDC_REPORT_UNDEFINED_ATTRIBUTE, {kO, OptionFlag::kReportUndefinedAttribute, false}},
    {IDC_REPORT_REQUIRED_ATTRIBUTE, {kO, OptionFlag::kReportRequiredAttribute, false}},
    {IDC_REPORT_MOVABLE_TYPE, {kO, OptionFlag::kReportMovableTypeTag, false}},
    {IDC_REPORT_MISSING_VALUE, {kO, OptionFlag::kNoReportMissingValue, true}},
    {IDC_REPORT_CONTINUED_CONSTANT, {kO, OptionFlag::kReportContinuedConstant, false}},
    {IDC_WARN_CONVERSION, {kO, OptionFlag::kNoConversionWarning, true}},
};

// Whether window transparency can be had: a Windows NT family system of version 5 or later.
bool transparencyAvailable() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

}  // namespace

ConfState* state(HWND page, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* s = reinterpret_cast<ConfState*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(s));
        return s;
    }
    return reinterpret_cast<ConfState*>(GetWindowLongPtrA(page, DWLP_USER));
}

bool isApply(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY;
}

void answerApply(HWND page, ConfState* state, bool accepted) {
    if (accepted) state->changed = true;
    SetWindowLongPtrA(page, DWLP_MSGRESULT, accepted ? PSNRET_NOERROR : PSNRET_INVALID);
}

std::string text(UINT id) { return companion::resourceText(id); }

std::string caption() { return text(IDS_CAPTION); }

std::string controlText(HWND page, int id) {
    char buffer[64] = {};
    GetDlgItemTextA(page, id, buffer, sizeof buffer);
    return buffer;
}

void message(HWND page, UINT textId, UINT style) {
    MessageBoxA(GetParent(page), text(textId).c_str(), caption().c_str(), style);
}

void showFlagBoxes(HWND page, const ConfState& state) {
    for (const FlagControl& c : kFlagControls) {
        if (GetDlgItem(page, c.id))
            CheckDlgButton(page, c.id, conf_rules::isTicked(state.settings, c.box) ? BST_CHECKED : BST_UNCHECKED);
    }
}

bool handleFlagClick(HWND page, int id, ConfState* state) {
    for (const FlagControl& c : kFlagControls) {
        if (c.id != id) continue;
        bool ticked = IsDlgButtonChecked(page, id) == BST_CHECKED;
        if (id == IDC_TRANSPARENCY && ticked && !transparencyAvailable()) {
            message(page, IDS_TRANSPARENCY_UNAVAILABLE, MB_OK | MB_ICONERROR);
            CheckDlgButton(page, id, BST_UNCHECKED);
            ticked = false;
        }
        conf_rules::setTicked(&state->settings, c.box, ticked);
        return true;
    }
    return false;
}

void addColumns(HWND list, const std::vector<std::pair<std::string, int>>& columns) {
    ListView_SetExtendedListViewStyle(list, ListView_GetExtendedListViewStyle(list) | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const auto& c : columns) {
        std::string title = c.first;
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = c.second;
        column.pszText = &title[0];
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&column));
    }
}

void setItem(HWND list, int row, int column, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    if (column == 0 && row >= ListView_GetItemCount(list))
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    else
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int selectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void addComboItem(HWND combo, const std::string& text) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int comboIndex(HWND page, int id) {
    return static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
}

}  // namespace conf_page

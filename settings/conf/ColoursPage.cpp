// The page "配色": the editor's twenty colours, changed one by one through the HuePick colour
// picker or all at once by one of three schemes.
#include <windows.h>
#include <commctrl.h>

#include "ConfPages.h"
#include "ConfResource.h"
#include "ConfRules.h"
#include "HuePick.h"
#include "LibraryOnDemand.h"

namespace {

using namespace conf_page;

// The message the picker sends to the page when the user finishes: wParam non-zero for OK,
// lParam the three bytes blue, green, red.
constexpr UINT kPickerDone = WM_USER + 1;


constexpr int kRowCount = MainSettings::kColourCount;

// What the page holds beside the shared state; lives from WM_INITDIALOG to WM_DESTROY.
struct ColourPage {
    ConfState* state;
    LibraryOnDemand huePick{huepick_exports::kLibraryName};
    HWND picker = nullptr;      // the open picker window, when it gave one
    bool pickerOpen = false;
    BYTE pickerColour[3] = {};  // handed to the picker; valid while it is open
};

ColourPage* pageData(HWND page) {
    return reinterpret_cast<ColourPage*>(GetPropA(page, "ColourPage"));
}

void showColours(HWND list, const MainSettings& settings) {
    for (int row = 0; row < kRowCount; ++row)
        setItem(list, row, 1, conf_rules::colourText(settings.colours[conf_rules::kColourRowSlots[row]]));
}

void init(HWND page, ConfState* state) {
    SetPropA(page, "ColourPage", new ColourPage{state});
    HWND list = GetDlgItem(page, IDC_COLOUR_LIST);
    RECT area{};
    GetClientRect(list, &area);
    const int colourWidth = 70;
    addColumns(list, {{text(IDS_COLUMN_NAME), area.right - colourWidth - GetSystemMetrics(SM_CXVSCROLL)},
                      {text(IDS_COLUMN_COLOUR), colourWidth}});
    for (int row = 0; row < kRowCount; ++row) setItem(list, row, 0, kColourSlotNames[conf_rules::kColourRowSlots[row]]);
    showColours(list, state->settings);
}

void openPicker(HWND page, ColourPage* data, int row) {
    if (data->pickerOpen || row < 0 || row >= kRowCount) return;
    if (!data->huePick.loadOrReport(GetParent(page), caption().c_str())) return;
    auto create = data->huePick.function<huepick_exports::CreateHuePickWindowFn>(huepick_exports::kCreateWindow);
    if (!create) return;
    conf_rules::colourToBgr(data->state->settings.colours[conf_rules::kColourRowSlots[row]], data->pickerColour);
    HWND picker = create(page, kPickerDone, text(IDS_PICK_COLOUR).c_str(), data->pickerColour);
    if (!picker) return;
    data->pickerOpen = true;
    data->picker = IsWindow(picker) ? picker : nullptr;
    EnableWindow(page, FALSE);
}

void pickerDone(HWND page, ColourPage* data, WPARAM ok, LPARAM bgr) {
    data->pickerOpen = false;
    data->picker = nullptr;
    const int row = selectedRow(GetDlgItem(page, IDC_COLOUR_LIST));
    if (ok && bgr && row >= 0 && row < kRowCount) {
        const int slot = conf_rules::kColourRowSlots[row];
        data->state->settings.colours[slot] = conf_rules::colourFromBgr(reinterpret_cast<const BYTE*>(bgr));
        setItem(GetDlgItem(page, IDC_COLOUR_LIST), row, 1, conf_rules::colourText(data->state->settings.colours[slot]));
    }
    EnableWindow(page, TRUE);
}

// The picker's code lives in the library: close its window before the library goes.
void destroy(HWND page) {
    ColourPage* data = pageData(page);
    if (!data) return;
    if (data->picker && IsWindow(data->picker)) DestroyWindow(data->picker);
    RemovePropA(page, "ColourPage");
    delete data;
}

void applyScheme(HWND page, ConfState* state, conf_rules::Scheme scheme) {
    conf_rules::applyScheme(&state->settings, scheme);
    showColours(GetDlgItem(page, IDC_COLOUR_LIST), state->settings);
}

}  // namespace

INT_PTR CALLBACK coloursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    ConfState* s = state(page, message, lParam);
    if (!s) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        init(page, s);
        return TRUE;
    case WM_DESTROY:
        destroy(page);
        return FALSE;
    case kPickerDone:
        if (ColourPage* data = pageData(page)) pickerDone(page, data, wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_SCHEME_STANDARD: applyScheme(page, s, conf_rules::Scheme::Standard); break;
        case IDC_SCHEME_INDIGO: applyScheme(page, s, conf_rules::Scheme::Indigo); break;
        case IDC_SCHEME_BLACK: applyScheme(page, s, conf_rules::Scheme::Black); break;
        }
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_COLOUR_LIST && header->code == LVN_ITEMACTIVATE) {
            if (ColourPage* data = pageData(page)) openPicker(page, data, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
            return TRUE;
        }
        if (isApply(message, lParam)) {
            answerApply(page, s, true);
            return TRUE;
        }
        return FALSE;
    }
    }
    return FALSE;
}

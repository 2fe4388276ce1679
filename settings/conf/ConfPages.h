// The settings program's sheet: the state its pages edit and the pages' dialog procedures.
#pragma once
#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "KeyBinding.h"
#include "MainSettings.h"

struct ConfState {
    MainSettings settings = MainSettings::defaults();
    std::vector<KeyBinding> keys;
    bool changed = false;          // set by every page that accepts the sheet's OK
    bool keysSaveFailed = false;   // the key page's write on OK failed
};

// Page dialog procedures, in sheet order.
INT_PTR CALLBACK displayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK functionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK toolbarPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK keysPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK coloursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK htmlPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK codesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

namespace conf_page {

// The state of a page: taken from the page's creation parameter at WM_INITDIALOG and kept in
// the page's user data.
ConfState* state(HWND page, UINT message, LPARAM lParam);
// Answers the sheet's OK notification: accepted (the changed flag is set) or refused (the sheet
// stays open and shows this page, where the user must correct something).
void answerApply(HWND page, ConfState* state, bool accepted);
bool isApply(UINT message, LPARAM lParam);

std::string text(UINT id);
std::string controlText(HWND page, int id);
void message(HWND page, UINT textId, UINT style);
// The sheet's caption, for the boxes of the pages.
std::string caption();

// The check boxes of the page bound to flag bits: shown from the record, and a click updates
// the record at once. handleFlagClick answers false when the id is no flag box.
void showFlagBoxes(HWND page, const ConfState& state);
bool handleFlagClick(HWND page, int id, ConfState* state);

// Report-style list views: full-row select, columns of the given widths (dialog units of the
// page's font are not used: widths are pixels) and rows of text.
void addColumns(HWND list, const std::vector<std::pair<std::string, int>>& columns);
void setItem(HWND list, int row, int column, const std::string& text);
int selectedRow(HWND list);

// Combo boxes of a drop-down list.
void addComboItem(HWND combo, const std::string& text);
int comboIndex(HWND page, int id);

}  // namespace conf_page

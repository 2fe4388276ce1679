// The one page of the browser registration sheet: the list of browser slots and the dialog that
// changes one slot's executable.
#pragma once
#include <windows.h>
#include <prsht.h>

#include "BrowserList.h"

struct BrowserPickState {
    BrowserList list = BrowserList::empty();
    bool changed = false;  // set when the sheet's OK reaches the page
};

// The page "登録リスト" over `state`, which must outlive the sheet.
PROPSHEETPAGEA browserListPage(BrowserPickState* state);

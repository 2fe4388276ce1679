// DocumentTypeMenu: the popup of the toolbar's document-type button (command 28000): every type
// of the table with its separators, the current one checked, shown at (x, 27) of the toolbar.
#pragma once
#include <windows.h>

namespace document_types {

// Builds the popup menu (the caller destroys it).
HMENU buildMenu(int currentType);
// Shows the popup for the button at x of the toolbar, owned by `owner`; the chosen type arrives
// as its WM_COMMAND.
void showMenu(HWND owner, HWND toolbar, int x, int currentType);

}  // namespace document_types

// DocumentTypeMenu: building and showing the document-type popup.
#include "DocumentTypeMenu.h"

#include "DocumentTypeTable.h"

namespace document_types {

HMENU buildMenu(int currentType) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    for (size_t i = 0; i < kDocumentTypeRows; ++i) {
        const DocumentType& row = kDocumentTypes[i];
        if (row.id == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (static_cast<int>(row.id) == currentType ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(row.id), row.name);
    }
    return menu;
}

void showMenu(HWND owner, HWND toolbar, int x, int currentType) {
    HMENU menu = buildMenu(currentType);
    if (!menu) return;
    POINT p = {x, 27};
    ClientToScreen(toolbar, &p);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, p.x, p.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

}  // namespace document_types

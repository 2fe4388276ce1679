// DocumentTypeMenu: building and showing the document-type popup.
#include "DocumentTypeMenu.h"

#include "DocumentTypeTable.h"

namespace document_types {

HMENU buildMenu(int currentType) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    size_t count = 0;
    const DocumentType* rows = table(&count);
    for (size_t i = 0; i < count; ++i) {
        if (!rows[i].name) continue;
        if (rows[i].separatorBefore) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        UINT flags = MF_STRING | (rows[i].id == currentType ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(rows[i].id), rows[i].name);
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

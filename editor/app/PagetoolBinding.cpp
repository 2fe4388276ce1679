// PagetoolBinding: pagetool.dll loaded on first use (see PagetoolBinding.h).
#include "PagetoolBinding.h"

#include "PreviewTexts.h"
#include "UloNames.h"

bool PagetoolBinding::load(HWND owner) {
    if (library_.loaded()) return true;
    if (!library_.loadOrReport(owner, ulo_names::kEditorCaption)) return false;
    if (!library_.symbol(pagetool_exports::kNavigate) || !library_.symbol(pagetool_exports::kRefresh)) {
        MessageBoxA(owner, preview_text::kPagetoolBroken, ulo_names::kEditorCaption, MB_OK | MB_ICONERROR);
        library_.unload();
        return false;
    }
    return true;
}

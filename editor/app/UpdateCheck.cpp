// The update check: ShellExecute of the release page.
#include "UpdateCheck.h"

#include <shellapi.h>

#ifndef ULO_UPDATE_URL
#error "ULO_UPDATE_URL comes from the build (CMake cache variable of the same name)"
#endif

namespace update_check {

const char* const kUpdateUrl = ULO_UPDATE_URL;

bool openUpdatePage(HWND owner) {
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, nullptr, kUpdateUrl, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
    MessageBoxA(owner, "ShellExecute() Error", "Error", MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace update_check

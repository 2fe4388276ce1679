// Shell links through IShellLinkA and IPersistFile (see Shortcut_win32.h).
#include "Shortcut_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace shortcut {

bool create(const std::string& link, const std::string& target) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink)))) {
        return false;
    }
    bool ok = SUCCEEDED(shellLink->SetPath(target.c_str())) && SUCCEEDED(shellLink->SetShowCmd(SW_SHOWNORMAL));
    IPersistFile* file = nullptr;
    if (ok) ok = SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (ok) {
        // The file name goes to Save in UTF-16: converted from the ANSI code page (932).
        const int length = MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, nullptr, 0);
        std::vector<wchar_t> wide(length > 0 ? length : 1, L'\0');
        ok = length > 0 && MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide.data(), length) > 0 &&
             SUCCEEDED(file->Save(wide.data(), TRUE));
        file->Release();
    }
    shellLink->Release();
    return ok;
}

}  // namespace shortcut

// The ActiveX host window "AtlAxWin80" (see ViewerHost.h).
#include "ViewerHost.h"

#include <ole2.h>

#include <string>

#include "ViewerSite.h"

namespace pagetool {

namespace {

bool gRegistered = false;
UINT gGetControl = 0;
UINT gGetHost = 0;

ViewerSite* siteOf(HWND window) { return reinterpret_cast<ViewerSite*>(GetWindowLongPtrA(window, 0)); }

// The class id named by the window text: a "{...}" string or a ProgID.
bool controlClassId(HWND window, CLSID* id) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    wchar_t wide[256] = L"";
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256) || wide[0] == 0) return false;
    return SUCCEEDED(wide[0] == L'{' ? CLSIDFromString(wide, id) : CLSIDFromProgID(wide, id));
}

LRESULT onCreate(HWND window) {
    ViewerSite* site = new ViewerSite(window);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(site));
    CLSID id;
    // A control that cannot be created leaves the host empty: WM_ATLGETCONTROL answers null.
    if (controlClassId(window, &id)) site->createControl(id);
    return 0;
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ViewerSite* site = siteOf(window);
    switch (message) {
        case WM_CREATE: return onCreate(window);
        case WM_SIZE:
            if (site) site->resize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETFOCUS:
            if (site) site->focus();
            return 0;
        case WM_DESTROY:
            if (site) site->closeControl();
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, 0, 0);
            if (site) site->Release();
            break;
        default:
            if (message == gGetControl && message != 0) return reinterpret_cast<LRESULT>(site ? site->control() : nullptr);
            if (message == gGetHost && message != 0) return reinterpret_cast<LRESULT>(site ? site->host() : nullptr);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerClass(const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = hostProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = thisModule();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

bool registerViewerHost() {
    if (gRegistered) return true;
    gGetControl = RegisterWindowMessageA(kGetControlMessage);
    gGetHost = RegisterWindowMessageA(kGetHostMessage);
    gRegistered = gGetControl && gGetHost && registerClass(kHostClass) && registerClass(kLicensedHostClass);
    return gRegistered;
}

void unregisterViewerHost() {
    if (!gRegistered) return;
    UnregisterClassA(kHostClass, thisModule());
    UnregisterClassA(kLicensedHostClass, thisModule());
    gRegistered = false;
}

UINT getControlMessage() { return gGetControl; }
UINT getHostMessage() { return gGetHost; }

}  // namespace pagetool

// The embedded HTML viewer behind the HV_ exports: the web-browser control in a hidden 0 x 0 host
// window, with its IWebBrowser2 interface.
#pragma once
#include <windows.h>
#include <exdisp.h>

struct HtmlViewer {
    IWebBrowser2* browser = nullptr;
    HWND host = nullptr;
};

namespace pagetool {

// The control's text: the web-browser control, in the version that takes IWebBrowser2.
inline constexpr char kBrowserControl[] = "Shell.Explorer.2";

// With `checkEngine`, the viewer is made only when the HTML document object can be created too:
// without an HTML engine the control exists and accepts every navigation, yet never shows a page.
// Tests of the host itself turn the check off.
HtmlViewer* createViewer(HWND parent, HWND* host, bool checkEngine);
void destroyViewer(HtmlViewer* viewer);
bool htmlEngineAvailable();

}  // namespace pagetool

// The exports, for code linked with this one.
extern "C" BOOL WINAPI HV_Navigate(HtmlViewer* viewer, const char* url);
extern "C" BOOL WINAPI HV_Refresh(HtmlViewer* viewer);

// The embedded HTML viewer and its exports HV_CreateHTMLViewer, HV_DestroyHTMLViewer,
// HV_Navigate and HV_Refresh.
#include "HtmlViewer.h"

#include <string>

#include "PagetoolExports.h"
#include "ViewerHost.h"

namespace pagetool {

namespace {

// The HTML document object of the system's HTML engine.
const CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

IWebBrowser2* browserOf(HWND host) {
    IUnknown* control = reinterpret_cast<IUnknown*>(SendMessageA(host, getControlMessage(), 0, 0));
    if (!control) return nullptr;
    IWebBrowser2* browser = nullptr;
    control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
    control->Release();
    return browser;
}

}  // namespace

bool htmlEngineAvailable() {
    IUnknown* document = nullptr;
    if (FAILED(CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&document))))
        return false;
    document->Release();
    return true;
}

HtmlViewer* createViewer(HWND parent, HWND* host, bool checkEngine) {
    if (!registerViewerHost()) return nullptr;
    HWND window = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_CLIENTEDGE, kHostClass, kBrowserControl, WS_CHILD, 0, 0,
                                  0, 0, parent, nullptr, thisModule(), nullptr);
    if (!window) return nullptr;
    IWebBrowser2* browser = browserOf(window);
    if (!browser || (checkEngine && !htmlEngineAvailable())) {
        if (browser) browser->Release();
        DestroyWindow(window);
        return nullptr;
    }
    // Script errors and other dialogs of a page stay quiet.
    browser->put_Silent(VARIANT_TRUE);
    HtmlViewer* viewer = new HtmlViewer;
    viewer->browser = browser;
    viewer->host = window;
    if (host) *host = window;
    return viewer;
}

void destroyViewer(HtmlViewer* viewer) {
    if (!viewer) return;
    if (viewer->browser) viewer->browser->Release();
    viewer->browser = nullptr;
    if (viewer->host) DestroyWindow(viewer->host);
    viewer->host = nullptr;
    delete viewer;
}

}  // namespace pagetool

// Built without the engine check only for tests that need the control where no engine exists.
#ifdef PAGETOOL_NO_ENGINE_CHECK
static const bool kCheckEngine = false;
#else
static const bool kCheckEngine = true;
#endif

extern "C" HtmlViewer* WINAPI HV_CreateHTMLViewer(HWND parent, HWND* host) {
    return pagetool::createViewer(parent, host, kCheckEngine);
}

extern "C" void WINAPI HV_DestroyHTMLViewer(HtmlViewer* viewer) { pagetool::destroyViewer(viewer); }

extern "C" BOOL WINAPI HV_Navigate(HtmlViewer* viewer, const char* url) {
    if (!viewer || !viewer->browser || !url) return FALSE;
    const int units = MultiByteToWideChar(CP_THREAD_ACP, 0, url, -1, nullptr, 0);
    if (units <= 0) return FALSE;
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, url, -1, &wide[0], units);
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocString(wide.c_str());
    if (!target.bstrVal) return FALSE;
    VARIANT empty;
    VariantInit(&empty);
    const HRESULT result = viewer->browser->Navigate2(&target, &empty, &empty, &empty, &empty);
    VariantClear(&target);
    return SUCCEEDED(result);
}

extern "C" BOOL WINAPI HV_Refresh(HtmlViewer* viewer) {
    if (!viewer || !viewer->browser) return FALSE;
    return SUCCEEDED(viewer->browser->Refresh());
}

// The embedded viewer under a real top-level window: the shipped entry refuses when the HTML engine
// is missing (as under Wine) and leaves no window; the host itself, with the engine check off,
// holds a live web-browser control that navigates, follows resizes and goes away on destroy.
#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlViewer.h"
#include "PagetoolExports.h"
#include "ViewerHost.h"

namespace {

class HtmlViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        parent_ = CreateWindowExA(0, "STATIC", "viewer parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
        OleUninitialize();
    }
    std::vector<HWND> children() const {
        std::vector<HWND> found;
        EnumChildWindows(
            parent_,
            [](HWND w, LPARAM p) {
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    HWND parent_ = nullptr;
};

template <class Fn>
Fn entry(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::string className(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

TEST_F(HtmlViewerTest, ShippedEntryNeedsTheHtmlEngine) {
    HMODULE library = LoadLibraryA("pagetool.dll");
    ASSERT_NE(library, nullptr);
    using namespace pagetool_exports;
    auto create = entry<CreateHtmlViewerFn>(library, kCreateHtmlViewer);
    auto destroy = entry<DestroyHtmlViewerFn>(library, kDestroyHtmlViewer);
    auto navigate = entry<NavigateFn>(library, kNavigate);
    auto refresh = entry<RefreshFn>(library, kRefresh);
    ASSERT_TRUE(create && destroy && navigate && refresh);
    HWND host = reinterpret_cast<HWND>(1);
    HtmlViewer* viewer = create(parent_, &host);
    if (pagetool::htmlEngineAvailable()) {
        ASSERT_NE(viewer, nullptr);  // Windows: the engine is there
        EXPECT_NE(host, nullptr);
        destroy(viewer);
    } else {
        EXPECT_EQ(viewer, nullptr);
        EXPECT_EQ(host, reinterpret_cast<HWND>(1));  // untouched
        EXPECT_TRUE(children().empty());
    }
    // Null viewers are refused or ignored.
    EXPECT_FALSE(navigate(nullptr, "C:\\a.html"));
    EXPECT_FALSE(refresh(nullptr));
    destroy(nullptr);
    // Twice more, as the editor does on each F8 while the engine is missing: nothing left over.
    for (int i = 0; i < 2; ++i) {
        HtmlViewer* again = create(parent_, nullptr);
        if (again) destroy(again);
    }
    EXPECT_TRUE(children().empty());
    FreeLibrary(library);
}

TEST_F(HtmlViewerTest, HostHoldsTheBrowserControl) {
    HWND host = nullptr;
    HtmlViewer* viewer = pagetool::createViewer(parent_, &host, false);
    ASSERT_NE(viewer, nullptr);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(className(host), "AtlAxWin80");
    EXPECT_EQ(GetParent(host), parent_);
    EXPECT_FALSE(IsWindowVisible(host));
    RECT area;
    GetWindowRect(host, &area);
    EXPECT_EQ(area.right - area.left, 0);
    EXPECT_EQ(area.bottom - area.top, 0);
    EXPECT_TRUE(GetWindowLongA(host, GWL_EXSTYLE) & WS_EX_NOACTIVATE);

    VARIANT_BOOL silent = VARIANT_FALSE;
    ASSERT_TRUE(SUCCEEDED(viewer->browser->get_Silent(&silent)));
    EXPECT_EQ(silent, VARIANT_TRUE);

    // The control answers WM_ATLGETCONTROL with a reference the caller releases.
    IUnknown* control = reinterpret_cast<IUnknown*>(SendMessageA(host, pagetool::getControlMessage(), 0, 0));
    ASSERT_NE(control, nullptr);
    IWebBrowser2* browser = nullptr;
    EXPECT_TRUE(SUCCEEDED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser))));
    if (browser) browser->Release();
    control->Release();

    // A Shift_JIS path: C:\表示\~a.html
    EXPECT_TRUE(HV_Navigate(viewer, "C:\\\x95\x5c\x8e\xa6\\~a.html"));
    pump();
    BSTR location = nullptr;
    ASSERT_TRUE(SUCCEEDED(viewer->browser->get_LocationURL(&location)));
    const std::wstring url = location ? location : L"";
    SysFreeString(location);
    EXPECT_NE(url.find(L"\x8868\x793a"), std::wstring::npos) << "location has no 表示";
    // Without an engine there is no page to reload, and the control says so.
    const BOOL refreshed = HV_Refresh(viewer);
    if (pagetool::htmlEngineAvailable()) {
        EXPECT_TRUE(refreshed);
    }

    // The editor moves and shows the host; the control follows every size.
    MoveWindow(host, 0, 0, 300, 200, TRUE);
    ShowWindow(host, SW_SHOWNA);
    pump();
    long width = 0, height = 0;
    viewer->browser->get_Width(&width);
    viewer->browser->get_Height(&height);
    RECT client;
    GetClientRect(host, &client);
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, client.bottom);

    pagetool::destroyViewer(viewer);
    EXPECT_FALSE(IsWindow(host));
    EXPECT_TRUE(children().empty());
}

}  // namespace

// The picker in a real window under the display: both entries and their initial colours, OK,
// キャンセル, the close box, destruction by the caller, typed values and the mouse. The picker
// reports to a child window of a top-level owner, as the settings page and the editor use it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HueColour.h"
#include "HuePick.h"
#include "TestDriver.h"

using namespace huepick_exports;

namespace {

const UINT kReport = WM_USER + 5;

// What the picker sent: wParam, and the three bytes lParam pointed to (read during the call).
struct Report {
    WPARAM ok;
    bool hadBytes;
    BYTE bgr[3];
};
std::vector<Report> gReports;

LRESULT CALLBACK receiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReport) {
        Report r = {wParam, lParam != 0, {0, 0, 0}};
        if (lParam) memcpy(r.bgr, reinterpret_cast<const BYTE*>(lParam), 3);
        gReports.push_back(r);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

template <class Fn>
Fn entry(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::string field(HWND picker, int id) {
    char text[32] = "";
    GetDlgItemTextA(picker, id, text, sizeof text);
    return text;
}

class HuePickTest : public ::testing::Test {
protected:
    void SetUp() override {
        gReports.clear();
        library_ = LoadLibraryA("HuePick.dll");
        ASSERT_NE(library_, nullptr);
        create_ = entry<CreateHuePickWindowFn>(library_, kCreateWindow);
        createB_ = entry<CreateHuePickWindowBFn>(library_, kCreateWindowB);
        ASSERT_TRUE(create_ && createB_);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = receiverProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HuePickTestReceiver";
        RegisterClassA(&wc);
        top_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr, nullptr,
                               nullptr);
        receiver_ = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 10, 10, top_, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(receiver_, nullptr);
    }
    void TearDown() override {
        if (top_) DestroyWindow(top_);
        if (library_) FreeLibrary(library_);
    }
    HWND openB(const char* text) { return createB_(receiver_, kReport, "pick", text); }

    HMODULE library_ = nullptr;
    CreateHuePickWindowFn create_ = nullptr;
    CreateHuePickWindowBFn createB_ = nullptr;
    HWND top_ = nullptr, receiver_ = nullptr;
};

TEST_F(HuePickTest, TextEntryStartsWithTheColourAndOkReportsIt) {
    HWND picker = openB("#A0B0C0");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(ulo_e2e::className(picker), kWindowClass);
    EXPECT_EQ(ulo_e2e::windowTitle(picker), "pick");
    EXPECT_EQ(GetWindow(picker, GW_OWNER), top_);  // the top-level window above the given one
    EXPECT_TRUE(IsWindowVisible(picker));
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#A0B0C0");
    EXPECT_EQ(field(picker, IDC_HUEPICK_RED), "160");
    EXPECT_EQ(field(picker, IDC_HUEPICK_BLUE), "192");
    EXPECT_EQ(ulo_e2e::windowTitle(GetDlgItem(picker, IDCANCEL)), ulo_e2e::sjis(L"キャンセル"));
    SendMessageA(picker, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(picker));
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_EQ(gReports[0].ok, 1u);
    ASSERT_TRUE(gReports[0].hadBytes);
    EXPECT_EQ(gReports[0].bgr[0], 0xC0);
    EXPECT_EQ(gReports[0].bgr[1], 0xB0);
    EXPECT_EQ(gReports[0].bgr[2], 0xA0);
}

TEST_F(HuePickTest, ByteEntryAndTextsItCannotRead) {
    const BYTE bgr[3] = {0x10, 0x20, 0x30};
    HWND picker = create_(receiver_, kReport, "pick", bgr);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#302010");
    DestroyWindow(picker);
    // (Each picker shown and destroyed costs Wine two seconds without a window manager: the other
    // bad texts are the colour model's tests.)
    for (const char* text : {static_cast<const char*>(nullptr), "#12"}) {
        picker = openB(text);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), huepick::hexColour(huepick::kDefaultColour)) << (text ? text : "null");
        DestroyWindow(picker);
    }
    picker = create_(receiver_, kReport, "pick", nullptr);
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#FFFFFF");
    DestroyWindow(picker);
}

TEST_F(HuePickTest, CancelCloseBoxAndDestroyReportOnceWithoutAColour) {
    HWND picker = openB("#A0B0C0");
    SendMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    picker = openB("#A0B0C0");
    SendMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(picker));
    picker = openB("#A0B0C0");
    DestroyWindow(picker);  // as a caller does before unloading the library
    ASSERT_EQ(gReports.size(), 3u);
    for (const Report& r : gReports) {
        EXPECT_EQ(r.ok, 0u);
        EXPECT_FALSE(r.hadBytes);
    }
}

TEST_F(HuePickTest, TypedValues) {
    HWND picker = openB("#A0B0C0");
    SetDlgItemTextA(picker, IDC_HUEPICK_RED, "255");
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#FFB0C0");
    SetDlgItemTextA(picker, IDC_HUEPICK_GREEN, "300");  // out of range: nothing changes
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#FFB0C0");
    SetDlgItemTextA(picker, IDC_HUEPICK_HEX, "#0000f");  // not complete yet
    EXPECT_EQ(field(picker, IDC_HUEPICK_BLUE), "192");
    SetDlgItemTextA(picker, IDC_HUEPICK_HEX, "#0000ff");
    EXPECT_EQ(field(picker, IDC_HUEPICK_RED), "0");
    EXPECT_EQ(field(picker, IDC_HUEPICK_BLUE), "255");
    SendMessageA(picker, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_EQ(gReports[0].bgr[0], 0xFF);
    EXPECT_EQ(gReports[0].bgr[2], 0x00);
}

TEST_F(HuePickTest, PickingWithTheMouse) {
    HWND picker = openB("#808080");
    auto click = [&](int x, int y) {
        SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    click(kBrightnessBar.left + 5, kBrightnessBar.top);  // full brightness
    click(kHueSquare.left, kHueSquare.top);              // hue 0, full saturation: red
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#FF0000");
    // A third of the way across: hue 120, green; dragging carries on while the button is held.
    SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kHueSquare.left, kHueSquare.top));
    SendMessageA(picker, WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(kHueSquare.left + (kHueSquare.right - kHueSquare.left - 1) / 3, kHueSquare.top));
    SendMessageA(picker, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#00FF00");
    click(kBrightnessBar.left + 5, kBrightnessBar.bottom - 1);  // no brightness: black
    EXPECT_EQ(field(picker, IDC_HUEPICK_HEX), "#000000");
    SendMessageA(picker, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_EQ(gReports[0].ok, 1u);
}

}  // namespace

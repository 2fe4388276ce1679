// A small window with the editor's toolbar (default content, with its search box) above a tab
// bar of four editor windows, for screenshots of both bars. With the argument "hover" the
// pointer rests on the paste button.
#include <windows.h>

#include <cstring>
#include <vector>

#include "ToolBar.h"
#include "ToolBarItems.h"
#include "UloTabBar.h"

namespace {

constexpr char kDemoClass[] = "UloBarsDemo";
// The frame creates the toolbar with this one-shot command and the default "main" mask.
constexpr uint32_t kDefaultToolbarMask = 0x8001F1F7;

bars::ToolBar gToolBar;
bars::UloTabBar gTabBar;
std::vector<HWND> gPeers;

HICON loadIcon(HINSTANCE instance, const char* name, int size) {
    return name ? static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, size, size, 0))
                : nullptr;
}

void buildToolBar(HINSTANCE instance, HWND frame) {
    gToolBar.create(0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, instance, frame,
                    bars::kToolTipsCommand);
    gToolBar.setFrames(loadIcon(instance, "ICON_H_HOTSPOT", 24),
                       loadIcon(instance, "ICON_H_HOTSPOT2", 24));
    for (const bars::PlacedToolBarItem& placed : bars::placeToolBarItems(kDefaultToolbarMask)) {
        const bars::ToolBarItem& item = *placed.item;
        switch (item.kind) {
        case bars::ToolBarItemKind::Button:
            gToolBar.addButton(placed.x, item.command, loadIcon(instance, item.icon, 16),
                               loadIcon(instance, item.greyedIcon, 16), item.flags, item.tooltip);
            break;
        case bars::ToolBarItemKind::Separator: gToolBar.addSeparator(placed.x); break;
        case bars::ToolBarItemKind::SearchBox:
            CreateWindowExA(0, "COMBOBOX", "",
                            WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, placed.x - 4,
                            5, bars::kToolBarSearchBoxWidth, 100, gToolBar.window(),
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.command)),
                            instance, nullptr);
            break;
        }
    }
    // As after the frame's creation: search up and down wait for a search text.
    gToolBar.setFlags(21222, bars::kToolDisabled);
    gToolBar.setFlags(21221, bars::kToolDisabled);
}

void buildTabBar(HINSTANCE instance, HWND frame) {
    gTabBar.create(0, WS_CHILD | WS_VISIBLE, instance, frame);
    const char* peers[] = {
        "C:\\web\\index.html",
        "D:\\docs\\\x8e\x64\x97\x6c\x8f\x91.txt",                  // 仕様書.txt
        "\x90\x56\x8b\x4b\x83\x65\x83\x4c\x83\x58\x83\x67",        // 新規テキスト
    };
    for (const char* path : peers) {
        HWND peer = CreateWindowExA(0, "STATIC", path, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    instance, nullptr);
        gPeers.push_back(peer);
        gTabBar.add(path, bars::kTabClickCommand, peer, 0, nullptr, 0, nullptr);
    }
    gTabBar.add("C:\\web\\css\\style & print.css", bars::kTabClickCommand, frame, bars::kTabOwn,
                loadIcon(instance, "ICON_TABBAR", 16), bars::kOwnTabIconWidth,
                loadIcon(instance, "ICON_TABBAR_NA", 16));
    gTabBar.repaint();
}

LRESULT CALLBACK demoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        MoveWindow(gToolBar.window(), 0, 0, LOWORD(lParam), bars::kToolBarHeight, TRUE);
        MoveWindow(gTabBar.window(), 0, bars::kToolBarHeight, LOWORD(lParam), bars::kTabBarHeight,
                   TRUE);
        return 0;
    case WM_ACTIVATE:
        gTabBar.setActive(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = demoProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "APP");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kDemoClass;
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, kDemoClass, "Quorvale Ulo",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 720, 140, nullptr,
                                 nullptr, instance, nullptr);
    buildToolBar(instance, frame);
    buildTabBar(instance, frame);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    SetForegroundWindow(frame);
    if (std::strstr(commandLine, "hover") != nullptr) {
        // Rest the pointer on paste (frame 138..161) as a user would.
        POINT p{150, 15};
        ClientToScreen(gToolBar.window(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(gToolBar.window(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 15));
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

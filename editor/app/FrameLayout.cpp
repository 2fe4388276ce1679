// FrameLayout: placing and showing the main window's panes, splitters, transparency and timers.
#include "FrameLayout.h"

#include "FrameMessages.h"
#include "FrameTexts.h"
#include "QuorvaleMessages.h"
#include "UloResource.h"

using namespace frame_msg;

namespace {

void check(HWND main, UINT id, bool on) {
    CheckMenuItem(GetMenu(main), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

void FrameLayout::attach(HINSTANCE instance, HWND main, HFONT font, HWND toolbar, HWND tabBar,
                         const MainSettings& settings) {
    instance_ = instance;
    main_ = main;
    font_ = font;
    toolbar_ = toolbar;
    tabBar_ = tabBar;
    panes_.toolbarShown = (settings.option_flags & OptionFlag::kShowToolbar) != 0;
    panes_.tabBarShown = (settings.option_flags & OptionFlag::kHideFileBar) == 0;
    panes_.previewLeft = (settings.option_flags & OptionFlag::kPreviewLeft) != 0;
    if (panes_.toolbarShown) CheckMenuItem(GetMenu(main), CMD_TOOLBAR, MF_CHECKED);
    if (panes_.tabBarShown) CheckMenuItem(GetMenu(main), CMD_FILEBAR, MF_CHECKED);
}

void FrameLayout::place(HWND window, const PaneRect& r) { MoveWindow(window, r.x, r.y, r.width, r.height, TRUE); }

void FrameLayout::resize(int width, int height) {
    panes_.clientWidth = width;
    panes_.clientHeight = height;
    layout();
}

void FrameLayout::layout() {
    if (!main_) return;
    panes_.resultExists = results_.exists();
    panes_.previewExists = preview_ != nullptr;
    PanePlacement p = panes_.arrange();
    if (p.toolbar) place(toolbar_, p.toolbarRect);
    if (p.tabBar) place(tabBar_, p.tabBarRect);
    if (p.preview) place(preview_, p.previewRect);
    if (p.result) place(results_.window(), p.resultRect);
    if (editor_.window()) place(editor_.window(), p.editorRect);
}

bool FrameLayout::ensureResultPane() {
    if (results_.exists()) return true;
    if (!results_.create(instance_, main_, font_)) return false;
    panes_.resultCreated();
    return true;
}

void FrameLayout::showResultPane(bool show) {
    if (!results_.exists()) return;
    panes_.resultShown = show;
    ShowWindow(results_.window(), show ? SW_SHOW : SW_HIDE);
    layout();
    InvalidateRect(main_, nullptr, TRUE);
    editor_.focus();
}

void FrameLayout::setPreviewPane(HWND pane) {
    preview_ = pane;
    panes_.previewExists = pane != nullptr;
}

void FrameLayout::hidePreview() {
    if (preview_) ShowWindow(preview_, SW_HIDE);
    panes_.previewShown = false;
    layout();
}

void FrameLayout::mouse(UINT message, LPARAM lParam) {
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT screen = p;
    ClientToScreen(main_, &screen);
    panes_.resultExists = results_.exists();
    panes_.previewExists = preview_ != nullptr;
    if (message == WM_LBUTTONDOWN) {
        if (panes_.beginDrag(p.x, p.y, screen.x, screen.y)) SetCapture(main_);
    } else if (message == WM_MOUSEMOVE) {
        if (panes_.dragTo(screen.x, screen.y)) layout();
    } else if (message == WM_LBUTTONUP) {
        if (panes_.dragging()) ReleaseCapture();
    }
}

bool FrameLayout::setCursor(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) != main_ || LOWORD(lParam) != HTCLIENT) return false;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(main_, &p);
    bool we = panes_.splitterAt(p.x, p.y) == PaneLayout::kPreviewSplitter && panes_.previewLeft;
    SetCursor(LoadCursor(nullptr, we ? IDC_SIZEWE : IDC_SIZENS));
    return true;
}

void FrameLayout::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(main_, &ps);
    if (panes_.resultShown || panes_.previewShown) FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(main_, &ps);
}

void FrameLayout::setAlpha(BYTE alpha) {
    using Setter = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    static Setter setter = reinterpret_cast<Setter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("USER32.DLL"), "SetLayeredWindowAttributes")));
    if (setter) setter(main_, 0, alpha, LWA_ALPHA);
}

void FrameLayout::toggleTransparency() {
    LONG_PTR ex = GetWindowLongPtrA(main_, GWL_EXSTYLE);
    if (transparent_) {
        SetWindowLongPtrA(main_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        transparent_ = false;
        return;
    }
    // Every platform this program runs on is NT 5 or later; the old-platform message stays for
    // a system that reports otherwise.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT || version.dwMajorVersion < 5) {
        MessageBoxA(main_, ulo_text::kTransparencyUnavailable, ulo_text::kAppName, MB_ICONERROR);
        return;
    }
    if (!GetProcAddress(GetModuleHandleA("USER32.DLL"), "SetLayeredWindowAttributes")) return;
    SetWindowLongPtrA(main_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    transparent_ = true;
    setAlpha(229);
}

void FrameLayout::activated(bool active) {
    if (transparent_) setAlpha(active ? 229 : 153);
}

bool FrameLayout::sysCommand(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if ((wParam & 0xFFF0) != SC_MOVE || !transparent_) return false;
    setAlpha(76);
    *result = DefWindowProcA(main_, WM_SYSCOMMAND, wParam, lParam);
    setAlpha(229);
    return true;
}

void FrameLayout::restartTimers() {
    SetTimer(main_, kPreviewTimer, 300, nullptr);
    SetTimer(main_, kFocusTimer, 500, nullptr);
}

void FrameLayout::timer(WPARAM id) {
    KillTimer(main_, id);
    if (id == kFocusTimer) editor_.ask(EC_FOCUS);
    // kPreviewTimer: the preview pane is refreshed by the preview code when it exists.
}

void FrameLayout::addCommands(CommandTable& table) {
    table.add(CMD_TOOLBAR, [this](const CommandCall& call) -> intptr_t {
        panes_.toolbarShown = !panes_.toolbarShown;
        check(main_, call.id, panes_.toolbarShown);
        ShowWindow(toolbar_, panes_.toolbarShown ? SW_SHOW : SW_HIDE);
        layout();
        return 0;
    });
    table.add(CMD_FILEBAR, [this](const CommandCall& call) -> intptr_t {
        panes_.tabBarShown = !panes_.tabBarShown;
        check(main_, call.id, panes_.tabBarShown);
        ShowWindow(tabBar_, panes_.tabBarShown ? SW_SHOW : SW_HIDE);
        layout();
        return 0;
    });
    table.add(CMD_RESULTPANE, plainCommand([this] { showResultPane(!panes_.resultShown); }),
              [this](uint32_t) { return results_.exists(); });
    table.add(CMD_HIDEPREVIEW, plainCommand([this] { hidePreview(); }), [this](uint32_t) { return panes_.previewShown; });
    table.add(CMD_TRANSPARENCY, plainCommand([this] { toggleTransparency(); }));
}

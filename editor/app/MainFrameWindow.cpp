// MainFrame: the main window: class registration, creation and placement, child windows, layout
// and splitters, activation, transparency, timers, the result pane and the window's destruction.
#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>
#include <cstring>

#include "FrameTexts.h"
#include "MainFrame.h"
#include "QuorvaleMessages.h"
#include "SettingsStore.h"
#include "TabBarConstants.h"
#include "ToolBarConstants.h"
#include "ToolBarItems.h"
#include "UloResource.h"

using namespace frame_msg;

namespace {

constexpr int kToolbarHeight = 29;
constexpr int kTabBarHeight = 17;
constexpr int kGap = 3;

}  // namespace

MainFrame::~MainFrame() {
    if (rawBuffer_) std::free(rawBuffer_);
    for (HICON icon : toolIcons_) DestroyIcon(icon);
    if (tabIcon_) DestroyIcon(tabIcon_);
    if (tabIconInactive_) DestroyIcon(tabIconInactive_);
    if (font_) DeleteObject(font_);
}

LRESULT CALLBACK MainFrame::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* frame = static_cast<MainFrame*>(cs->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(frame));
        frame->mainWindow_ = window;
        LOGFONTA lf{};
        lf.lfHeight = 12;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfPitchAndFamily = FIXED_PITCH;
        std::strcpy(lf.lfFaceName, ulo_text::kInterfaceFontFace);
        frame->font_ = CreateFontIndirectA(&lf);
        return frame->font_ ? 0 : -1;
    }
    auto* frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(window, 0));
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return frame->handle(message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing throws out of a message handler
    }
}

bool MainFrame::createMainWindow(int documentType) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = instance_;
        wc.hIcon = LoadIconA(instance_, "APP");
        wc.hIconSm = static_cast<HICON>(LoadImageA(instance_, "APP", IMAGE_ICON, 16, 16, 0));
        wc.lpszMenuName = "MAINMENU";
        wc.lpszClassName = kMainWindowClass;
        if (!RegisterClassExA(&wc)) return false;
        registered = true;
    }
    if (!settings_store::loadMainSettings(&settings_)) settings_store::saveMainSettings(settings_);
    documentType_ = documentType;
    filterIndex_ = 1;
    std::strcpy(fileName_, ulo_text::kUntitled);
    RECT r;
    placeWindow(&r);
    HWND window = CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance_, this);
    if (!window) return false;
    if (!createChildren()) {
        DestroyWindow(window);
        return false;
    }
    updateTitle();
    if (settings_.option_flags & OptionFlag::kTransparency) toggleTransparency();
    ShowWindow(mainWindow_, SW_SHOW);
    UpdateWindow(mainWindow_);
    return true;
}

void MainFrame::placeWindow(RECT* r) {
    srand(timeGetTime());
    int sw = GetSystemMetrics(SM_CXMAXIMIZED), sh = GetSystemMetrics(SM_CYMAXIMIZED);
    int width = sw / 4 + 500, height = static_cast<int>(sh * 0.85);
    int rangeX = sw - width - 10, rangeY = sh - height - 10;
    int x = rangeX > 0 ? (rand() % rangeX) & 0xFFFF0 : 0;
    int y = rangeY > 0 ? (rand() % rangeY) & 0xFFFF0 : 0;
    *r = {x, y, x + width, y + height};
    WindowInformation info;
    if ((settings_.option_flags & OptionFlag::kRestoreWindowRect) && settings_store::loadWindowInformation(&info))
        *r = {info.left, info.top, info.right, info.bottom};
}

bool MainFrame::createChildren() {
    HMENU menu = GetMenu(mainWindow_);
    toolbarShown_ = (settings_.option_flags & OptionFlag::kShowToolbar) != 0;
    tabBarShown_ = (settings_.option_flags & OptionFlag::kHideFileBar) == 0;
    if (toolbarShown_) CheckMenuItem(menu, CMD_TOOLBAR, MF_CHECKED);
    if (!createToolbar()) return false;
    if (!toolbarShown_) ShowWindow(toolbar_.window(), SW_HIDE);
    if (tabBarShown_) CheckMenuItem(menu, CMD_FILEBAR, MF_CHECKED);
    if (!tabBar_.create(0, WS_CHILD | WS_VISIBLE, instance_, mainWindow_)) return false;
    if (!tabBarShown_) ShowWindow(tabBar_.window(), SW_HIDE);
    tabIcon_ = static_cast<HICON>(LoadImageA(instance_, "ICON_TABBAR", IMAGE_ICON, 16, 16, 0));
    tabIconInactive_ = static_cast<HICON>(LoadImageA(instance_, "ICON_TABBAR_NA", IMAGE_ICON, 16, 16, 0));

    EditorCreation c;
    c.exStyle = WS_EX_CLIENTEDGE;
    c.style = WS_CHILD | WS_VISIBLE;
    c.instance = instance_;
    c.parent = mainWindow_;
    c.notifyMessage = WM_FRAME_EDITOR;
    c.fontFace = settings_.font_face;
    c.fontPoints = static_cast<int>(settings_.font_points);
    c.colours = settings_.colours;
    c.tabWidth = static_cast<int>(settings_.tab_width);
    c.undoLimit = settings_.undo_limit;
    c.wrapColumns = static_cast<int>(settings_.wrap_columns);
    c.flags = settings_.display_flags;
    c.defaultEncoding = static_cast<TextEncoding>(settings_.default_encoding);
    editor_ = createEditorControl(c);
    if (!editor_) return false;
    editorWindow_ = editor_->window();
    if (settings_.display_flags & DisplayFlag::kLineNumbers) CheckMenuItem(menu, CMD_LINENUMBERS, MF_CHECKED);
    if (isHtmlMode()) {
        ask(EC_SETMODE, 100);
        ask(EC_SETKEYWORDS, 0);
    }
    DragAcceptFiles(mainWindow_, TRUE);
    DragAcceptFiles(editorWindow_, TRUE);
    RECT client;
    GetClientRect(mainWindow_, &client);
    clientWidth_ = client.right;
    clientHeight_ = client.bottom;
    layout();
    return true;
}

bool MainFrame::createToolbar() {
    if (!toolbar_.create(0, WS_CHILD | WS_VISIBLE, instance_, mainWindow_, bars::kToolTipsCommand))
        return false;
    auto icon = [this](const char* name, int size) -> HICON {
        if (!name) return nullptr;
        HICON h = static_cast<HICON>(LoadImageA(instance_, name, IMAGE_ICON, size, size, 0));
        if (h) toolIcons_.push_back(h);
        return h;
    };
    toolbar_.setFrames(icon("ICON_H_HOTSPOT", 24), icon("ICON_H_HOTSPOT2", 24));
    for (const bars::PlacedToolBarItem& placed : bars::placeToolBarItems(settings_.toolbar_mask)) {
        const bars::ToolBarItem& item = *placed.item;
        if (item.kind == bars::ToolBarItemKind::Separator) {
            toolbar_.addSeparator(placed.x);
        } else if (item.kind == bars::ToolBarItemKind::SearchBox) {
            searchBox_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                         placed.x, 5, bars::kToolBarSearchBoxWidth, 100, toolbar_.window(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(CMD_SEARCHBOX)),
                                         instance_, nullptr);
            if (!searchBox_) return false;
            SendMessageA(searchBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
        } else {
            HICON normal = icon(item.icon, 16);
            HICON greyed = item.greyedIcon ? icon(item.greyedIcon, 16) : normal;
            toolbar_.addButton(placed.x, item.command, normal, greyed, item.flags, item.tooltip);
        }
    }
    toolbar_.setFlags(CMD_FINDUP, bars::kToolDisabled);
    toolbar_.setFlags(CMD_FINDDOWN, bars::kToolDisabled);
    return true;
}

void MainFrame::layout() {
    if (!mainWindow_) return;
    int top = 0, bottom = clientHeight_;
    if (toolbarShown_) {
        MoveWindow(toolbar_.window(), 0, 0, clientWidth_, kToolbarHeight, TRUE);
        top = kToolbarHeight;
    }
    if (tabBarShown_) {
        bottom = clientHeight_ - kTabBarHeight;
        MoveWindow(tabBar_.window(), 0, bottom, clientWidth_, kTabBarHeight, TRUE);
    }
    int left = 0, right = clientWidth_;
    if (previewShown_ && previewPane_) {
        if (settings_.option_flags & OptionFlag::kPreviewLeft) {
            if (previewWidth_ < 0) previewWidth_ = clientWidth_ * 40 / 100;
            MoveWindow(previewPane_, 0, top, previewWidth_, bottom - top, TRUE);
            left = previewWidth_ + kGap;
        } else {
            if (previewHeight_ < 0) previewHeight_ = clientHeight_ / 3;
            MoveWindow(previewPane_, 0, bottom - previewHeight_, clientWidth_, previewHeight_, TRUE);
            bottom -= previewHeight_ + kGap;
        }
    }
    if (resultShown_ && resultPane_) {
        MoveWindow(resultPane_, left, bottom - resultHeight_, right - left, resultHeight_, TRUE);
        bottom -= resultHeight_ + kGap;
    }
    if (editorWindow_) MoveWindow(editorWindow_, left, top, right - left, bottom - top > 0 ? bottom - top : 0, TRUE);
}

int MainFrame::splitterAt(POINT p) const {
    int top = toolbarShown_ ? kToolbarHeight : 0;
    int bottom = tabBarShown_ ? clientHeight_ - kTabBarHeight : clientHeight_;
    if (p.y < top || p.y >= bottom) return 0;
    bool left = (settings_.option_flags & OptionFlag::kPreviewLeft) != 0;
    if (previewShown_ && previewPane_) {
        if (left && p.x >= previewWidth_ && p.x < previewWidth_ + kGap) return 1;
        if (!left) {
            int gapTop = bottom - previewHeight_ - kGap;
            if (p.y >= gapTop && p.y < gapTop + kGap) return 1;
            bottom = gapTop;
        }
    }
    if (resultShown_ && resultPane_) {
        int gapTop = bottom - resultHeight_ - kGap;
        if (p.y >= gapTop && p.y < gapTop + kGap) return -1;
    }
    return 0;
}

LRESULT MainFrame::handleMouse(UINT message, WPARAM, LPARAM lParam) {
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    POINT screen = p;
    ClientToScreen(mainWindow_, &screen);
    bool left = (settings_.option_flags & OptionFlag::kPreviewLeft) != 0;
    if (message == WM_LBUTTONDOWN) {
        int kind = splitterAt(p);
        if (kind == 0) return 0;
        dragging_ = true;
        dragKind_ = kind;
        dragStart_ = screen;
        dragStartSize_ = kind < 0 ? resultHeight_ : (left ? previewWidth_ : previewHeight_);
        SetCapture(mainWindow_);
    } else if (message == WM_MOUSEMOVE && dragging_) {
        int h = clientHeight_ - (toolbarShown_ ? kToolbarHeight : 0) - (tabBarShown_ ? kTabBarHeight : 0);
        if (dragKind_ < 0) {
            int size = dragStartSize_ + (dragStart_.y - screen.y);
            if (previewShown_ && !left) h -= previewHeight_ + kGap;
            resultHeight_ = size > h - kGap ? h - kGap : size;
            if (resultHeight_ < 5) resultHeight_ = 5;
        } else if (left) {
            int size = dragStartSize_ + (screen.x - dragStart_.x);
            previewWidth_ = size > clientWidth_ - kGap ? clientWidth_ - kGap : size;
            if (previewWidth_ < 20) previewWidth_ = 20;
        } else {
            int size = dragStartSize_ + (dragStart_.y - screen.y);
            if (resultShown_) h -= resultHeight_ + kGap;
            previewHeight_ = size > h - kGap ? h - kGap : size;
            if (previewHeight_ < 5) previewHeight_ = 5;
        }
        layout();
    } else if (message == WM_LBUTTONUP) {
        if (dragging_) ReleaseCapture();
    }
    return 0;
}

void MainFrame::onActivate(WPARAM wParam) {
    if (wParam && editorWindow_) SetFocus(editorWindow_);
    bool nowActive = LOWORD(wParam) != WA_INACTIVE;
    active_ = nowActive;
    tabBar_.setActive(nowActive);
    if (transparent_) setAlpha(nowActive ? 229 : 153);
    if (nowActive) checkExternalChange();
    updateTitle();
}

void MainFrame::setAlpha(BYTE alpha) {
    using Setter = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    static Setter setter = reinterpret_cast<Setter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("USER32.DLL"), "SetLayeredWindowAttributes")));
    if (setter) setter(mainWindow_, 0, alpha, LWA_ALPHA);
}

void MainFrame::toggleTransparency() {
    LONG_PTR ex = GetWindowLongPtrA(mainWindow_, GWL_EXSTYLE);
    if (transparent_) {
        SetWindowLongPtrA(mainWindow_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        transparent_ = false;
        return;
    }
    // Every platform this program runs on is NT 5 or later; the old-platform message stays for
    // a system that reports otherwise.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT || version.dwMajorVersion < 5) {
        MessageBoxA(mainWindow_, ulo_text::kTransparencyUnavailable, ulo_text::kAppName, MB_ICONERROR);
        return;
    }
    if (!GetProcAddress(GetModuleHandleA("USER32.DLL"), "SetLayeredWindowAttributes")) return;
    SetWindowLongPtrA(mainWindow_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    transparent_ = true;
    setAlpha(229);
}

void MainFrame::onTimer(WPARAM id) {
    KillTimer(mainWindow_, id);
    if (id == kFocusTimer) ask(EC_FOCUS);
    // kPreviewTimer: the preview pane is refreshed by the preview code when it exists.
}

bool MainFrame::ensureResultPane() {
    if (resultPane_) return true;
    resultPane_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS, 0, 0, 0, 0,
                                  mainWindow_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CMD_RESULTLIST)),
                                  instance_, nullptr);
    if (!resultPane_) return false;
    SendMessageA(resultPane_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    resultHeight_ = clientHeight_ / 3;
    resultShown_ = true;
    return true;
}

void MainFrame::showResultPane(bool show) {
    if (!resultPane_) return;
    resultShown_ = show;
    ShowWindow(resultPane_, show ? SW_SHOW : SW_HIDE);
    layout();
    InvalidateRect(mainWindow_, nullptr, TRUE);
    if (editorWindow_) SetFocus(editorWindow_);
}

void MainFrame::copyResults() {
    if (!resultPane_) return;
    int count = static_cast<int>(SendMessageA(resultPane_, LB_GETCOUNT, 0, 0));
    std::string all;
    for (int i = 0; i < count; ++i) {
        int n = static_cast<int>(SendMessageA(resultPane_, LB_GETTEXTLEN, i, 0));
        if (n < 0) continue;
        std::string item(static_cast<size_t>(n) + 1, '\0');
        SendMessageA(resultPane_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        item.resize(static_cast<size_t>(n));
        all += item + "\r\n";
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, all.size() + 1);
    if (!memory) return;
    void* bytes = GlobalLock(memory);
    std::memcpy(bytes, all.c_str(), all.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(mainWindow_)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

void MainFrame::escapeAction() {
    if (resultShown_ && resultPane_) {
        dispatchCommand(CMD_RESULTPANE, 0, 0);
    } else if (previewShown_) {
        dispatchCommand(CMD_HIDEPREVIEW, 0, 0);
        if (editorWindow_) SetFocus(editorWindow_);
    }
}

void MainFrame::onDestroy() {
    if (ownAtom_) {
        GlobalDeleteAtom(ownAtom_);
        ownAtom_ = 0;
    }
    announceDeparture();
    if (resultPane_) DestroyWindow(resultPane_);
    resultPane_ = nullptr;
    if (editorWindow_) DestroyWindow(editorWindow_);
    editorWindow_ = nullptr;
    if (editor_) editor_->release();
    editor_ = nullptr;
    if (!IsZoomed(mainWindow_) && !IsIconic(mainWindow_)) {
        RECT r;
        GetWindowRect(mainWindow_, &r);
        settings_store::saveWindowInformation(WindowInformation{r.left, r.top, r.right, r.bottom});
    }
    PostQuitMessage(0);
}

LRESULT MainFrame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_FRAME_PEER: return peerMessage(wParam, lParam);
    case WM_FRAME_EDITOR: return editorNotification(wParam, lParam);
    case WM_FRAME_BROWSERS_CHANGED: return 0;
    case WM_COMMAND: return dispatchCommand(LOWORD(wParam), HIWORD(wParam), lParam);
    case WM_SIZE:
        clientWidth_ = LOWORD(lParam);
        clientHeight_ = HIWORD(lParam);
        layout();
        return 0;
    case WM_MOVE: {
        if (searchBox_ && floatText_.window()) {
            POINT p = {0, 18};
            ClientToScreen(searchBox_, &p);
            floatText_.moveTo(p.x, p.y);
        }
        return 0;
    }
    case WM_ACTIVATE: onActivate(wParam); return 0;
    case WM_NCPAINT: {
        LRESULT r = DefWindowProcA(mainWindow_, message, wParam, lParam);
        paintStatus(false);
        return r;
    }
    case WM_NCACTIVATE:
        DefWindowProcA(mainWindow_, message, wParam, lParam);
        paintStatus(false);
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(mainWindow_, &ps);
        if (resultShown_ || previewShown_) FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(mainWindow_, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == mainWindow_ && LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(mainWindow_, &p);
            bool we = splitterAt(p) == 1 && (settings_.option_flags & OptionFlag::kPreviewLeft);
            SetCursor(LoadCursor(nullptr, we ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN: case WM_MOUSEMOVE: case WM_LBUTTONUP: return handleMouse(message, wParam, lParam);
    case WM_CAPTURECHANGED: dragging_ = false; return 0;
    case WM_TIMER: onTimer(wParam); return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MOVE && transparent_) {
            setAlpha(76);
            LRESULT r = DefWindowProcA(mainWindow_, message, wParam, lParam);
            setAlpha(229);
            return r;
        }
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) prepareMenu(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
        return 0;
    case WM_CONTEXTMENU: contextMenu(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_DROPFILES: dropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CLOSE:
        if (closeDocument(true)) DestroyWindow(mainWindow_);
        return 0;
    case WM_QUERYENDSESSION:
        closedForSessionEnd_ = closeDocument(true);
        return closedForSessionEnd_ ? TRUE : FALSE;
    case WM_ENDSESSION:
        // The document is closed and the window hidden: finish the close whether the session
        // ends or another program cancelled it, so that no hidden, empty editor stays behind.
        if (closedForSessionEnd_) DestroyWindow(mainWindow_);
        return 0;
    case WM_DESTROY: onDestroy(); return 0;
    case WM_POWERBROADCAST: case WM_PALETTECHANGED:
        if (editorWindow_) PostMessageA(editorWindow_, message, wParam, lParam);
        return 0;
    case WM_NOTIFY: case WM_KEYDOWN: return 0;
    default: break;
    }
    return DefWindowProcA(mainWindow_, message, wParam, lParam);
}

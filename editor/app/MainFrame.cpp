// MainFrame: the main window's class, creation and placement, the routing of its messages and of
// the editor control's notifications to the feature objects, start-up and the message loop.
#include "MainFrame.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CommandLine.h"
#include "FrameTexts.h"
#include "QuorvaleMessages.h"
#include "SemaphoreGuard.h"
#include "SettingsNames.h"
#include "SettingsStore.h"
#include "UloResource.h"

using namespace frame_msg;

MainFrame::MainFrame() { buildCommands(); }

LRESULT CALLBACK MainFrame::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* frame = static_cast<MainFrame*>(cs->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(frame));
        frame->mainWindow_ = window;
        return frame->font_.create() ? 0 : -1;
    }
    auto* frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(window, 0));
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return frame->handle(message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing throws out of a message handler
    }
}

bool MainFrame::startUp(HINSTANCE instance, const char* tail, int showCommand) {
    // Two features claiming one command id is a build mistake: the editor does not start.
    if (commands_.refused()) {
        std::fprintf(stderr, "ulo: command %u is claimed twice\n", static_cast<unsigned>(commands_.firstRefused()));
        return false;
    }
    instance_ = instance;
    CommandLine line = CommandLine::parse(tail ? tail : "");
    if (line.hasRemainder) peer_windows::startChain(line.remainder);
    std::string file = line.path.empty() ? std::string() : peer_windows::longPath(line.path);
    int type = line.html ? CMD_DOCTYPE_HTML401T : CMD_DOCTYPE_PLAIN;

    // Held from the peer enumeration to the end of the announce exchange; when the file cannot
    // be loaded it is released before the window is destroyed.
    SemaphoreGuard guard(settings_names::kInitSemaphore);
    if (!guard.held()) return false;
    peer_windows::collect(peers_);
    if (!file.empty() && peers_.alreadyOpen(file.c_str())) return false;
    if (!createMainWindow(type)) return false;
    ShowWindow(mainWindow_, showCommand);
    UpdateWindow(mainWindow_);
    SetForegroundWindow(mainWindow_);
    if (!file.empty() && !document_.load(file.c_str(), line.encoding)) {
        guard.release();
        DestroyWindow(mainWindow_);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}  // drops the WM_QUIT of the shutdown
        return false;
    }
    SendMessageA(mainWindow_, WM_FRAME_PEER, PEER_ANNOUNCE, 0);
    return true;
}

int MainFrame::run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd && msg.hwnd == editor_.window() && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
            if (keys_.translate(msg, mainWindow_)) continue;
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            // The search box's edit field handles Escape itself.
            if (!bars_.isSearchEdit(msg.hwnd)) escapeAction();
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
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
    types_.start(documentType);

    // A random place on the screen, on a 16-pixel grid, unless the last window's place is kept.
    srand(timeGetTime());
    int sw = GetSystemMetrics(SM_CXMAXIMIZED), sh = GetSystemMetrics(SM_CYMAXIMIZED);
    int width = sw / 4 + 500, height = static_cast<int>(sh * 0.85);
    int rangeX = sw - width - 10, rangeY = sh - height - 10;
    int x = rangeX > 0 ? (rand() % rangeX) & 0xFFFF0 : 0;
    int y = rangeY > 0 ? (rand() % rangeY) & 0xFFFF0 : 0;
    RECT r = {x, y, x + width, y + height};
    WindowInformation info;
    if ((settings_.option_flags & OptionFlag::kRestoreWindowRect) && settings_store::loadWindowInformation(&info))
        r = {info.left, info.top, info.right, info.bottom};

    HWND window = CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance_, this);
    if (!window) return false;
    if (!createChildren()) {
        DestroyWindow(window);
        return false;
    }
    status_.updateTitle();
    if (settings_.option_flags & OptionFlag::kTransparency) layout_.toggleTransparency();
    ShowWindow(mainWindow_, SW_SHOW);
    UpdateWindow(mainWindow_);
    return true;
}

bool MainFrame::createChildren() {
    HFONT font = font_.handle();
    peers_.setOwnWindow(mainWindow_);
    document_.attach(instance_, mainWindow_);
    preview_.attach(mainWindow_);
    insertion_.attach(mainWindow_);
    status_.attach(mainWindow_, font);
    menus_.attach(mainWindow_);
    filters_.attach(mainWindow_, editor_, settings_);
    companions_.attach(mainWindow_);
    phrases_.attach(editor_);
    printing_.attach(mainWindow_, editor_, settings_, document_.state());
    if (!bars_.create(instance_, mainWindow_, font, settings_)) return false;
    layout_.attach(instance_, mainWindow_, font, bars_.toolbar().window(), bars_.tabBar().window(), settings_);

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
    if (!editor_.create(c)) return false;
    find_.attach(instance_, mainWindow_, font);
    if (settings_.display_flags & DisplayFlag::kLineNumbers) CheckMenuItem(GetMenu(mainWindow_), CMD_LINENUMBERS, MF_CHECKED);
    types_.editorCreated();
    DragAcceptFiles(mainWindow_, TRUE);
    DragAcceptFiles(editor_.window(), TRUE);
    RECT client;
    GetClientRect(mainWindow_, &client);
    layout_.resize(client.right, client.bottom);
    return true;
}

LRESULT MainFrame::command(UINT id, UINT notification, LPARAM lParam) {
    return commands_.run(CommandCall{id, notification, lParam});
}

LRESULT MainFrame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_FRAME_PEER:
        return peers_.receive(LOWORD(wParam), reinterpret_cast<PeerWindow>(lParam), document_.state().path());
    case WM_FRAME_EDITOR: return editorNotification(wParam, lParam);
    case WM_FRAME_BROWSERS_CHANGED: browsers_.drop(); return 0;
    case WM_FRAME_COLOUR: insertion_.colourChosen(wParam, lParam); return 0;
    case WM_FRAME_FIND: return find_.dialogMessage(wParam, lParam);
    case WM_COMMAND: return command(LOWORD(wParam), HIWORD(wParam), lParam);
    case WM_SIZE:
        layout_.resize(LOWORD(lParam), HIWORD(lParam));
        html_.mainWindowMoved();
        return 0;
    case WM_MOVE:
        bars_.mainWindowMoved();
        html_.mainWindowMoved();
        return 0;
    case WM_ACTIVATE: activated(wParam); return 0;
    case WM_NCPAINT: {
        LRESULT r = DefWindowProcA(mainWindow_, message, wParam, lParam);
        status_.paintStatus(false);
        return r;
    }
    case WM_NCACTIVATE:
        DefWindowProcA(mainWindow_, message, wParam, lParam);
        status_.paintStatus(false);
        return 1;
    case WM_PAINT: layout_.paint(); return 0;
    case WM_SETCURSOR:
        if (layout_.setCursor(wParam, lParam)) return TRUE;
        break;
    case WM_LBUTTONDOWN: case WM_MOUSEMOVE: case WM_LBUTTONUP: layout_.mouse(message, lParam); return 0;
    case WM_CAPTURECHANGED: layout_.captureChanged(); return 0;
    case WM_TIMER:
        layout_.timer(wParam);
        if (wParam == kPreviewTimer) preview_.refresh();
        return 0;
    case WM_SYSCOMMAND: {
        LRESULT r = 0;
        if (layout_.sysCommand(wParam, lParam, &r)) return r;
        break;
    }
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) {
            menus_.prepare(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
            filters_.menuOpening(GetMenu(mainWindow_), reinterpret_cast<HMENU>(wParam));
        }
        return 0;
    case WM_CONTEXTMENU: menus_.contextMenu(reinterpret_cast<HWND>(wParam), lParam); return 0;
    case WM_DROPFILES: document_.dropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CLOSE:
        if (document_.closeDocument(true)) DestroyWindow(mainWindow_);
        return 0;
    case WM_QUERYENDSESSION:
        closedForSessionEnd_ = document_.closeDocument(true);
        return closedForSessionEnd_ ? TRUE : FALSE;
    case WM_ENDSESSION:
        // The document is closed and the window hidden: finish the close whether the session
        // ends or another program cancelled it, so that no hidden, empty editor stays behind.
        if (closedForSessionEnd_) DestroyWindow(mainWindow_);
        return 0;
    case WM_DESTROY: destroyed(); return 0;
    case WM_POWERBROADCAST: case WM_PALETTECHANGED:
        if (editor_.window()) PostMessageA(editor_.window(), message, wParam, lParam);
        return 0;
    case WM_NOTIFY: case WM_KEYDOWN: return 0;
    default: break;
    }
    return DefWindowProcA(mainWindow_, message, wParam, lParam);
}

LRESULT MainFrame::editorNotification(WPARAM kind, LPARAM lParam) {
    switch (kind) {
    case ECN_CHANGED:
        if (document_.changed(lParam)) status_.updateTitle();
        bars_.toolbar().setFlags(CMD_UNDO, editor_.ask(EC_CANUNDO) ? 0 : bars::kToolDisabled);
        bars_.toolbar().setFlags(CMD_REDO, editor_.ask(EC_CANREDO) ? 0 : bars::kToolDisabled);
        if (layout_.previewShown() && !(settings_.option_flags & OptionFlag::kNoAutoPreview)) layout_.restartTimers();
        return 0;
    case ECN_CARETMOVED: {
        const int32_t* cl = reinterpret_cast<const int32_t*>(lParam);
        if (cl) status_.setCaretPosition(cl[1], cl[0]);
        return 0;
    }
    case ECN_SELECTION:
        bars_.toolbar().setFlags(CMD_CUT, lParam ? 0 : bars::kToolDisabled);
        bars_.toolbar().setFlags(CMD_COPY, lParam ? 0 : bars::kToolDisabled);
        return 0;
    case ECN_KEYDOWN:
        if (html_.editorKey(static_cast<WPARAM>(lParam))) return 1;
        if (lParam == VK_ESCAPE) {
            if (layout_.resultVisible()) {
                command(CMD_RESULTPANE);
                return 1;
            }
            if (layout_.previewShown()) {
                command(CMD_HIDEPREVIEW);
                return 1;
            }
        }
        return 0;
    case ECN_COMPLETE: case ECN_COMPLETEMORE: case ECN_ENDCOMPLETE:
        return html_.completion(static_cast<uint32_t>(kind), reinterpret_cast<const CompletionRequest*>(lParam));
    case ECN_GETMAP: return html_.mapRequest();
    case ECN_LOSSY: MessageBoxA(mainWindow_, ulo_text::kLossy, ulo_text::kAppName, MB_ICONINFORMATION); return 0;
    case ECN_MIXEDLINEENDS:
        MessageBoxA(mainWindow_, ulo_text::kMixedLineEnds, ulo_text::kAppName, MB_ICONINFORMATION);
        return 0;
    case ECN_UNDOLIMIT: MessageBoxA(mainWindow_, ulo_text::kUndoLimit, ulo_text::kAppName, MB_ICONWARNING); return 0;
    default: return 0;
    }
}

void MainFrame::activated(WPARAM wParam) {
    if (wParam) editor_.focus();
    bool active = LOWORD(wParam) != WA_INACTIVE;
    status_.setActive(active);
    bars_.tabBar().setActive(active);
    layout_.activated(active);
    if (active) document_.checkExternalChange();
    status_.updateTitle();
}

void MainFrame::escapeAction() {
    if (layout_.resultVisible()) {
        command(CMD_RESULTPANE);
    } else if (layout_.previewShown()) {
        command(CMD_HIDEPREVIEW);
        editor_.focus();
    }
}

void MainFrame::destroyed() {
    html_.closePopup();
    peers_.depart();
    find_.detach();
    // The viewer and the picker go before the libraries that made them.
    preview_.destroy();
    insertion_.destroy();
    pagetool_.unload();
    filters_.release();
    results_.destroy();
    editor_.destroy();
    if (!IsZoomed(mainWindow_) && !IsIconic(mainWindow_)) {
        RECT r;
        GetWindowRect(mainWindow_, &r);
        settings_store::saveWindowInformation(WindowInformation{r.left, r.top, r.right, r.bottom});
    }
    PostQuitMessage(0);
}

// --- ResultOutput: search-all's lines

void MainFrame::startResults() {
    layout_.ensureResultPane();
    results_.clear();
}

void MainFrame::appendResult(int32_t line, const char* text) { results_.add(text, line > 0 ? line : -1); }

void MainFrame::revealResults() {
    // Also right after the pane was created: it has no place until the layout gives it one.
    layout_.showResultPane(true);
}

// --- DocumentEvents

void MainFrame::pathSet(const char* path) {
    // The new type goes through its command, as if the user had chosen it.
    if (int type = types_.typeForPath(path)) {
        if (editor_.exists()) command(static_cast<UINT>(type));
        else types_.start(type);
    }
    peers_.pathChanged();
}

bool MainFrame::openElsewhere(const char* file) { return peers_.alreadyOpen(file); }

bool MainFrame::openInNewWindow(const char* file, int encoding) {
    return peer_windows::openInNewWindow(mainWindow_, file, encoding, types_.current());
}

void MainFrame::hidePreview() {
    if (layout_.previewShown()) command(CMD_HIDEPREVIEW);
    preview_.textReplaced();
}

void MainFrame::documentSaved() {
    html_.documentSaved();
    preview_.saved();
}

void MainFrame::removePreviewCopy() { preview_.removeTempFile(); }

// --- PreviewEvents

void MainFrame::checkBeforePreview() {
    if ((settings_.option_flags & OptionFlag::kCheckOnPreview) && types_.isHtml()) html_.grammarCheck(false);
}

void MainFrame::runCommand(uint32_t id) { command(id); }

// --- InsertionEvents

bool MainFrame::elementAllowedAtCaret(const char* element) {
    // Outside HTML mode there is no map to ask: every element is allowed.
    if (!types_.isHtml()) return true;
    return html_.elementAllowed(element, &upperCaseNames_);
}

bool MainFrame::upperCaseNames() { return upperCaseNames_; }

bool MainFrame::xhtmlMap() { return types_.isHtml() && html_.xhtmlMap(); }

void MainFrame::insertPhrase(const std::string& text) {
    // "*selected_text*" becomes the selection, "**" one "*".
    FixedPhrases::insertExpanded(editor_.window(), text, '*');
}

void MainFrame::clearResults() { results_.clear(); }

void MainFrame::titleChanged() { status_.updateTitle(); }

void MainFrame::statusChanged(bool redrawMenuBar) { status_.paintStatus(redrawMenuBar); }

bool MainFrame::htmlMode() const { return types_.isHtml(); }

void MainFrame::documentLoaded() { html_.documentLoaded(); }

// --- HtmlModeEvents

void MainFrame::prepareResults() {
    // A pane made here stays hidden until the check shows it (command) or finds errors.
    const bool made = !results_.exists();
    layout_.ensureResultPane();
    results_.clear();
    if (made) layout_.showResultPane(false);
}

void MainFrame::addResult(const char* text, int line) { results_.add(text, line); }

bool MainFrame::resultsShown() const { return layout_.resultVisible(); }

void MainFrame::showResults() { layout_.showResultPane(true); }

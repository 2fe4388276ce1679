// MainFrame: the one frame object of an editor process. It owns the main window's procedure, the
// start-up sequence and the message loop, creates the feature objects below and routes messages,
// commands and notifications to them. It keeps no feature state of its own.
//
// Adding a feature to the frame:
//  1. Write a class of its own (header and source in editor/app) that owns the feature's state.
//     Give it what it needs in its constructor or an attach() call (EditorChannel&, a settings
//     reference, a small events interface that MainFrame implements, as DocumentEvents), never the
//     MainFrame and never another feature's fields. Portable logic goes into a class without
//     windows.h in ulo_app_core, with unit tests (as PeerTable, DocumentState, PaneLayout).
//  2. Add it below as an owned member, after the members it takes references to.
//  3. Give it `void addCommands(CommandTable&)` in its own source file, one row per command: the id
//     (or id range), the handler, and an enabling rule when its menu item greys. Call it from
//     MainFrame::buildCommands() (MainFrameCommands.cpp), one line per feature. An id claimed
//     twice makes start-up fail, so a clash between two features shows at once.
//  4. Route the window messages and editor notifications it handles in MainFrame::handle() and
//     MainFrame::editorNotification() (MainFrame.cpp): one case, one call into the feature.
#pragma once
#include <windows.h>

#include "BrowserCache.h"
#include "CommandTable.h"
#include "Companions.h"
#include "DocumentSession.h"
#include "DocumentTypes.h"
#include "EditorChannel.h"
#include "FindReplace.h"
#include "FilterMenu.h"
#include "FixedPhrases.h"
#include "FrameBars.h"
#include "FrameKeys.h"
#include "FrameLayout.h"
#include "FrameMenus.h"
#include "HtmlMode.h"
#include "InterfaceFont.h"
#include "MainSettings.h"
#include "PeerTable.h"
#include "PeerWindows.h"
#include "InsertionTools.h"
#include "PagetoolBinding.h"
#include "PreviewPane.h"
#include "Printing.h"
#include "ResultPane.h"
#include "StatusArea.h"

class MainFrame final : private DocumentEvents, private PreviewEvents, private InsertionEvents,
                         private HtmlModeEvents, private ResultOutput {
public:
    MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // The start-up sequence; false: the process ends with -1.
    bool startUp(HINSTANCE instance, const char* tail, int showCommand);
    // The message loop; the WM_QUIT code.
    int run();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT editorNotification(WPARAM kind, LPARAM lParam);
    LRESULT command(UINT id, UINT notification = 0, LPARAM lParam = 0);
    bool createMainWindow(int documentType);
    bool createChildren();
    void activated(WPARAM wParam);
    void escapeAction();
    void destroyed();
    void buildCommands();
    void addFrameCommands();
    void addEditCommands();

    // DocumentEvents
    void pathSet(const char* path) override;
    bool openElsewhere(const char* file) override;
    bool openInNewWindow(const char* file, int encoding) override;
    void hidePreview() override;
    void clearResults() override;
    void titleChanged() override;
    void statusChanged(bool redrawMenuBar) override;
    bool htmlMode() const override;
    void documentLoaded() override;
    void documentSaved() override;
    void removePreviewCopy() override;

    // PreviewEvents
    void checkBeforePreview() override;
    void runCommand(uint32_t id) override;

    // InsertionEvents
    bool elementAllowedAtCaret(const char* element) override;
    bool upperCaseNames() override;
    bool xhtmlMap() override;
    void insertPhrase(const std::string& text) override;

    // HtmlModeEvents
    HWND mainWindow() const override { return mainWindow_; }
    void prepareResults() override;
    void addResult(const char* text, int line) override;
    bool resultsShown() const override;
    void showResults() override;

    // ResultOutput
    void startResults() override;
    void appendResult(int32_t line, const char* text) override;
    void revealResults() override;

    HINSTANCE instance_ = nullptr;
    HWND mainWindow_ = nullptr;
    MainSettings settings_{};
    InterfaceFont font_;
    CommandTable commands_;
    EditorChannel editor_;                                // the editor control
    FrameKeys keys_;                                      // key bindings
    FrameBars bars_;                                      // toolbar, search box, tab bar
    Win32PeerPort peerPort_;
    PeerTable peers_{peerPort_, bars_};                   // the other editor windows
    DocumentTypes types_{editor_, settings_};             // the document type
    DocumentSession document_{editor_, settings_, *this}; // the document and its file
    StatusArea status_{document_.state(), editor_};       // title and status texts
    ResultPane results_{editor_};                         // search and grammar-check results
    FrameLayout layout_{editor_, results_};               // panes, splitters, transparency, timers
    FindReplace find_{editor_, bars_, *this};             // search box, find, replace, go to line
    BrowserCache browsers_;                               // the browser menu's record
    FrameMenus menus_{commands_, keys_, editor_, bars_, layout_, results_, find_};  // menus and tooltips
    PagetoolBinding pagetool_;                            // pagetool.dll, loaded on first use
    PreviewPane preview_{editor_, layout_, document_, settings_, pagetool_, browsers_, *this};  // previews
    InsertionTools insertion_{editor_, document_, settings_, pagetool_, *this};     // Tools insertions
    FilterMenu filters_;                                  // the text-filter submenu and plug-in
    Companions companions_;                               // settings, browsers, phrase editor
    FixedPhrases phrases_;                                // phrases 1-10
    Printing printing_;                                   // printing the document
    HtmlMode html_{editor_, settings_, types_, *this};   // map, completion popup, grammar check
    bool upperCaseNames_ = false;       // as the last insertion check found the document
    bool closedForSessionEnd_ = false;  // the document was closed on WM_QUERYENDSESSION
};

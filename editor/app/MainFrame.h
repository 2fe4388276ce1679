// MainFrame: the one frame object of an editor process: the main window and its panes, the
// peer table of the instance coordination and the one document (path, file image, marks).
// The window procedure forwards every message of the main window to the object.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "EditorLink.h"
#include "FloatText.h"
#include "FrameMessages.h"
#include "KeyBinding.h"
#include "MainSettings.h"
#include "TextCodes.h"
#include "ToolBar.h"
#include "UloTabBar.h"

class MainFrame {
public:
    MainFrame() = default;
    ~MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // The start-up sequence; false: the process ends with -1.
    bool startUp(HINSTANCE instance, const char* tail, int showCommand);
    // The message loop; the WM_QUIT code.
    int run();

    static constexpr size_t kPathSize = 511;  // 510 bytes and the terminator

private:
    struct Peer {
        HWND window;
        ATOM atom;
    };

    // --- window (MainFrameWindow.cpp)
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool createMainWindow(int documentType);
    bool createChildren();
    bool createToolbar();
    void placeWindow(RECT* rect);
    void layout();
    int splitterAt(POINT p) const;
    void onActivate(WPARAM wParam);
    void toggleTransparency();
    void setAlpha(BYTE alpha);
    void onTimer(WPARAM id);
    void showResultPane(bool show);
    bool ensureResultPane();
    void copyResults();
    void escapeAction();
    void onDestroy();

    // --- title, status and menus (MainFrameStatus.cpp)
    void updateTitle();
    void paintStatus(bool redrawMenuBar);
    void setCaretPosition(int line, int column);
    void prepareMenu(HMENU menu, int position);
    void menuText(HMENU menu, UINT id, const char* text);
    void contextMenu(HWND from, LPARAM lParam);
    const std::vector<KeyBinding>& keyBindings();
    std::string keyLabel(UINT command);
    void setToolTips();

    // --- commands and notifications (MainFrameCommands.cpp)
    LRESULT dispatchCommand(UINT id, UINT notification, LPARAM lParam);
    LRESULT editorNotification(WPARAM kind, LPARAM lParam);
    bool translateKey(const MSG& message);
    LRESULT ask(uint32_t code, LPARAM lParam = 0) const;
    void applyDocumentType(int type);

    // --- instance coordination (MainFramePeers.cpp)
    LRESULT peerMessage(WPARAM code, LPARAM lParam);
    void findPeers();
    bool alreadyOpen(const char* file);
    void announce();
    void addPeerTab(const Peer& peer, bool own);
    std::string atomText(ATOM atom) const;
    void pathChanged();
    bool openInNewWindow(const char* file, int encoding);
    void startChain(const std::string& remainder);
    void cycleWindow(bool next);
    void closeAllEditors();
    static void activateWindow(HWND window);
    void announceDeparture();

    // --- document (MainFrameDocument.cpp)
    bool isModified() const { return savedMark_ != currentMark_; }
    bool isEmpty() const { return path_[0] == 0 && !isModified(); }
    bool isHtmlMode() const { return documentType_ >= 28100 && documentType_ <= 28199; }
    void setPath(const char* file);
    void open(const char* file) { openChosen(file, 0); }
    void openChosen(const char* file, int encoding);
    bool load(const char* file, int encoding);
    bool readImage(HANDLE file);
    void resetDocument();
    void askPreferredEncoding();
    void askPreferredLineEnd();
    bool save();
    bool writeDocument(std::FILE* stream);
    bool saveAs();
    bool closeDocument(bool closingWindow);
    void reload();
    void checkExternalChange();
    void dropFiles(HDROP drop);
    void openHistoryEntry(size_t k);
    int message(const char* format, const char* argument, UINT type);

    // --- file dialogs (MainFrameDialogs.cpp)
    void openDialog();
    void initialFolder(char* folder, bool forSave);
    static UINT_PTR CALLBACK dialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Instance and windows.
    HINSTANCE instance_ = nullptr;
    HWND mainWindow_ = nullptr;
    bars::ToolBar toolbar_;
    bars::UloTabBar tabBar_;
    EditorLink* editor_ = nullptr;
    HWND editorWindow_ = nullptr;
    HWND resultPane_ = nullptr;
    std::vector<int> resultLines_;
    HWND searchBox_ = nullptr;
    FloatText floatText_;
    HFONT font_ = nullptr;
    HICON tabIcon_ = nullptr;
    HICON tabIconInactive_ = nullptr;
    std::vector<HICON> toolIcons_;
    MainSettings settings_{};
    std::vector<KeyBinding> bindings_;
    bool bindingsLoaded_ = false;
    std::string searchText_;

    // Instance coordination.
    Peer peerTable_[frame_msg::kMaxPeers] = {};
    int peerCount_ = 0;
    int32_t ownSequence_ = 0;
    ATOM ownAtom_ = 0;
    int documentType_ = 28001;

    // Document.
    char path_[kPathSize] = {};
    char fileName_[kPathSize] = {};
    uint8_t* rawBuffer_ = nullptr;
    uint32_t rawSize_ = 0;
    bool checkingChange_ = false;
    bool closedForSessionEnd_ = false;   // the document was closed on WM_QUERYENDSESSION
    FILETIME fileTime_ = {};
    intptr_t savedMark_ = 0;
    intptr_t currentMark_ = 0;
    char lastPath_[kPathSize] = {};
    int filterIndex_ = 1;
    int dialogEncoding_ = 0;
    int dialogLineEnd_ = 0;

    // Window state.
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool toolbarShown_ = false;
    bool tabBarShown_ = true;
    bool resultShown_ = false;
    bool previewShown_ = false;
    bool active_ = false;
    bool transparent_ = false;
    HWND previewPane_ = nullptr;
    int resultHeight_ = 0;
    int previewWidth_ = -1;
    int previewHeight_ = -1;
    bool dragging_ = false;
    int dragKind_ = 0;
    POINT dragStart_ = {};
    int dragStartSize_ = 0;
    char caretText_[64] = {};
    int caretLength_ = 0;
    bool caretWide_ = false;
};

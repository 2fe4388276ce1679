// MainFrame: the command table. Each feature object adds its own rows; the rows below are the
// commands that tie several features together (new windows, history entries, window cycling) and
// the editing commands that go straight to the editor control.
#include <string>

#include "CommandLine.h"
#include "DocumentTypeMenu.h"
#include "FrameTexts.h"
#include "MainFrame.h"
#include "QuorvaleMessages.h"
#include "SettingsStore.h"
#include "UloResource.h"
#include "UpdateCheck.h"

void MainFrame::buildCommands() {
    addFrameCommands();
    addEditCommands();
    types_.addCommands(commands_);
    document_.addCommands(commands_);
    results_.addCommands(commands_);
    layout_.addCommands(commands_);
    find_.addCommands(commands_);
    preview_.addCommands(commands_);
    insertion_.addCommands(commands_);
    filters_.addCommands(commands_);
    companions_.addCommands(commands_);
    phrases_.addCommands(commands_);
    printing_.addCommands(commands_);
    html_.addCommands(commands_);
}

void MainFrame::addFrameCommands() {
    CommandTable& t = commands_;
    t.add(CMD_NEW, plainCommand([this] { openInNewWindow(nullptr, 0); }));
    t.add(CMD_HISTORY_FIRST, CMD_HISTORY_FIRST + 9, [this](const CommandCall& call) -> intptr_t {
        // The k-th entry of the history list read when the menu was built.
        const char* file = bars_.tabBar().historyPath(call.id - CMD_HISTORY_FIRST);
        if (file) document_.open(std::string(file).c_str());
        return 0;
    });
    t.add(CMD_HISTORY_CLEAR, plainCommand([] { settings_store::clearFileHistory(); }));
    t.add(CMD_EXIT, plainCommand([this] { PostMessageA(mainWindow_, WM_CLOSE, 0, 0); }));
    t.add(CMD_CLOSEALL, plainCommand([] { peer_windows::closeAllEditors(); }));
    t.add(CMD_PREVWINDOW, plainCommand([this] { peers_.cycle(false); }));
    t.add(CMD_NEXTWINDOW, plainCommand([this] { peers_.cycle(true); }));
    t.add(CMD_ACTIVATE, [](const CommandCall& call) -> intptr_t {
        peer_windows::activate(reinterpret_cast<HWND>(call.parameter));
        return 0;
    });
    t.add(CMD_ABOUT, plainCommand([this] {
        MessageBoxA(mainWindow_, ulo_text::kAboutText, ulo_text::kAboutCaption, MB_ICONINFORMATION);
    }));
    auto besideProgram = [this](const CommandCall& call) -> intptr_t {
        std::string file = programFolder(GetCommandLineA()) + (call.id == CMD_HINTS ? "ulo_hint.txt" : "ulo.txt");
        openInNewWindow(file.c_str(), 0);
        return 0;
    };
    t.add(CMD_HINTS, besideProgram);
    t.add(CMD_RELEASENOTES, besideProgram);
    t.add(CMD_TOOLTIPS, plainCommand([this] { menus_.setToolTips(); }));
    t.add(CMD_UPDATECHECK, plainCommand([this] { update_check::openUpdatePage(mainWindow_); }));
    // The toolbar's document-type button: lParam is the button's x in the toolbar.
    t.add(CMD_DOCTYPE_MENU, [this](const CommandCall& call) -> intptr_t {
        document_types::showMenu(mainWindow_, bars_.toolbar().window(), static_cast<int>(call.parameter), types_.current());
        return 0;
    });
}

void MainFrame::addEditCommands() {
    CommandTable& t = commands_;
    auto selection = [this](uint32_t) { return editor_.ask(EC_HASSELECTION) != 0; };
    t.add(CMD_UNDO, plainCommand([this] { editor_.ask(EC_UNDO); }), [this](uint32_t) { return editor_.ask(EC_CANUNDO) != 0; });
    t.add(CMD_REDO, plainCommand([this] { editor_.ask(EC_REDO); }), [this](uint32_t) { return editor_.ask(EC_CANREDO) != 0; });
    t.add(CMD_CUT, plainCommand([this] {
              bars_.floatText().hide();
              editor_.ask(EC_CUT);
          }),
          selection);
    t.add(CMD_COPY, plainCommand([this] { editor_.ask(EC_COPY); }), selection);
    t.add(CMD_PASTE, plainCommand([this] {
              bars_.floatText().hide();
              editor_.ask(EC_PASTE);
          }),
          [](uint32_t) { return IsClipboardFormatAvailable(CF_TEXT) != 0; });
    t.add(CMD_DELETE, plainCommand([this] { editor_.ask(EC_DELETE, 0); }),
          [this](uint32_t) { return editor_.ask(EC_HASSELECTION) != 0 || editor_.ask(EC_NOTATEND) != 0; });
    t.add(CMD_DELETELINE, plainCommand([this] { editor_.ask(EC_DELETELINE); }));
    t.add(CMD_SELECTALL, plainCommand([this] { editor_.ask(EC_SELECTALL); }));
    t.add(CMD_LINENUMBERS, [this](const CommandCall& call) -> intptr_t {
        HMENU menu = GetMenu(mainWindow_);
        bool on = !(GetMenuState(menu, call.id, MF_BYCOMMAND) & MF_CHECKED);
        if (editor_.ask(EC_LINENUMBERS, on ? 1 : 0))
            CheckMenuItem(menu, call.id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        return 0;
    });
}

// FilterMenu: the text-filter submenu built from ulo_extension.dll's list, and running a filter on
// the editor control's selection with the plug-in's calling protocol (commands 50000 + filter id).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "FilterApi.h"
#include "LibraryOnDemand.h"
#include "MainSettings.h"

class FilterMenu {
public:
    // libraryPath: ulo_extension.dll in the program's folder unless a test names another file.
    explicit FilterMenu(std::string libraryPath = defaultLibraryPath());
    static std::string defaultLibraryPath();
    FilterMenu(const FilterMenu&) = delete;
    FilterMenu& operator=(const FilterMenu&) = delete;

    static bool isFilterCommand(unsigned command) { return command >= ulo_filter_api::kCommandBase; }

    // The submenu is opening: on first success its placeholder is replaced by the library's list.
    // A missing library or export is reported; the placeholder stays and the next opening retries.
    void submenuOpening(HWND owner, HMENU submenu);

    // Runs filter command - 50000 on the selection of editor; the result replaces the selection
    // as one editing step. Returns 1 on a true result, else 0.
    int run(HWND owner, HWND editor, unsigned command, uint32_t tabWidth);

    // Unloads the library (when the main window is destroyed).
    void release();

    // In the frame: the main window owns the boxes and dialogs, the settings give the tab width.
    void attach(HWND main, const EditorChannel& editor, const MainSettings& settings) {
        main_ = main;
        editor_ = &editor;
        settings_ = &settings;
    }
    // Commands 50000 and up (every id a menu item can carry) run the filter of that number.
    void addCommands(CommandTable& table);
    // WM_INITMENUPOPUP: builds the submenu when `menu` is the filter submenu of `menuBar`.
    void menuOpening(HMENU menuBar, HMENU menu);

    bool built() const { return built_; }

private:
    std::string path_;  // full path in the program's folder; outlives library_
    LibraryOnDemand library_;
    bool built_ = false;
    HWND main_ = nullptr;
    const EditorChannel* editor_ = nullptr;
    const MainSettings* settings_ = nullptr;
};

// DocumentSession: the life of the window's one document: loading with its questions, saving
// through a temporary file, save as, closing with the unsaved-changes question, reloading, the
// check for changes made by other programs, dropped files, and the open and save-as dialogs with
// their encoding and line-end choices. It owns the file image the control's lines may point into.
// What it needs of the rest of the frame it asks through DocumentEvents.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>

#include "CommandTable.h"
#include "DocumentState.h"
#include "EditorChannel.h"
#include "MainSettings.h"

// What the document tells or asks the frame.
class DocumentEvents {
public:
    // The path was set (or cleared: nullptr); the document type and the peers follow it.
    virtual void pathSet(const char* path) = 0;
    // Whether another editor window holds `file` (that window is then brought to the front).
    virtual bool openElsewhere(const char* file) = 0;
    virtual bool openInNewWindow(const char* file, int encoding) = 0;
    // The text is about to be replaced: the preview pane is hidden if shown.
    virtual void hidePreview() = 0;
    // The text was replaced: the result pane's lines no longer apply.
    virtual void clearResults() = 0;
    virtual void titleChanged() = 0;
    virtual void statusChanged(bool redrawMenuBar) = 0;
    virtual bool htmlMode() const = 0;

protected:
    ~DocumentEvents() = default;
};

class DocumentSession {
public:
    DocumentSession(EditorChannel& editor, const MainSettings& settings, DocumentEvents& events)
        : editor_(editor), settings_(settings), events_(events) {}
    ~DocumentSession();
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;

    void attach(HINSTANCE instance, HWND main) {
        instance_ = instance;
        main_ = main;
    }
    const DocumentState& state() const { return state_; }
    // A change notification of the control; true when the modified state changed.
    bool changed(intptr_t mark) { return state_.changed(mark); }

    bool load(const char* file, int encoding);
    void open(const char* file) { openChosen(file, 0); }
    // A file chosen by the user: this window when it is empty (or may be reused), else a new one.
    void openChosen(const char* file, int encoding);
    bool save();
    bool saveAs();
    // Asks about unsaved changes; false when the user refuses. `closingWindow` hides the window.
    bool closeDocument(bool closingWindow);
    void reload();
    // On activation: asks once per change whether to reload a file another program changed.
    void checkExternalChange();
    void dropFiles(HDROP drop);
    void openDialog();

    // Open, close, reload, save, save as and the dialogs' encoding and line-end choices.
    void addCommands(CommandTable& table);

private:
    void setPath(const char* file);
    bool readImage(HANDLE file);
    void freeImage();
    void resetDocument();
    void askPreferredEncoding();
    void askPreferredLineEnd();
    bool writeDocument(std::FILE* stream);
    int message(const char* format, const char* argument, UINT type);
    void initialFolder(char* folder, bool forSave);

    EditorChannel& editor_;
    const MainSettings& settings_;
    DocumentEvents& events_;
    HINSTANCE instance_ = nullptr;
    HWND main_ = nullptr;
    DocumentState state_;
    uint8_t* rawBuffer_ = nullptr;
    uint32_t rawSize_ = 0;
    FILETIME fileTime_ = {};
    bool checkingChange_ = false;
    int filterIndex_ = 1;
    int dialogEncoding_ = 0;
    int dialogLineEnd_ = 0;
};

// PreviewPane: the document shown as a web page, in the embedded viewer of pagetool.dll docked in
// the main window (F8, refreshed 300 ms after the typing stops) or in one of the registered
// external browsers. Both show the preview's temporary file. The viewer lives from the first
// preview until the main window goes; the browser record is read on first use and dropped when
// the browser registration program announces a new one.
#pragma once
#include <windows.h>

#include <cstdint>

#include "BrowserCache.h"
#include "CommandTable.h"
#include "DocumentSession.h"
#include "EditorChannel.h"
#include "FrameLayout.h"
#include "MainSettings.h"
#include "PagetoolBinding.h"
#include "PreviewTempFile.h"

// What the preview asks of the rest of the frame.
class PreviewEvents {
public:
    // Before a preview: the grammar check without showing its pane, when the settings ask for it
    // and the document is HTML.
    virtual void checkBeforePreview() = 0;
    // Runs another feature's command (the browser registration program).
    virtual void runCommand(uint32_t id) = 0;

protected:
    ~PreviewEvents() = default;
};

class PreviewPane {
public:
    PreviewPane(EditorChannel& editor, FrameLayout& layout, DocumentSession& document, const MainSettings& settings,
                PagetoolBinding& pagetool, BrowserCache& browsers, PreviewEvents& events)
        : editor_(editor), layout_(layout), settings_(settings), pagetool_(pagetool), browsers_(browsers),
          events_(events), file_(document) {}
    PreviewPane(const PreviewPane&) = delete;
    PreviewPane& operator=(const PreviewPane&) = delete;

    void attach(HWND main) { main_ = main; }

    // Shows or refreshes the embedded preview (F8, and after a save while it is shown).
    void show();
    // Timer 1: the typing stopped; the shown preview follows it.
    void refresh();
    // The document was saved: the shown preview follows, an existing temporary file is rewritten.
    void saved();
    // The text was replaced (reload): the temporary file is written again at the next preview.
    void textReplaced() { file_.stale(); }
    // The document was closed or is about to take a new path: the temporary file goes.
    void removeTempFile() { file_.remove(); }
    const PreviewTempFile& tempFile() const { return file_; }
    // The main window is being destroyed: the viewer goes before the library.
    void destroy();

    // External browser commands (21451 + slot).
    intptr_t showInBrowser(uint32_t id);

    void addCommands(CommandTable& table);

private:
    void checkFirst();
    // The preview's steps after the check: viewer, copy, navigation, pane, timers.
    void showCurrentText();

    EditorChannel& editor_;
    FrameLayout& layout_;
    const MainSettings& settings_;
    PagetoolBinding& pagetool_;
    BrowserCache& browsers_;
    PreviewEvents& events_;
    PreviewTempFile file_;
    HWND main_ = nullptr;
    HtmlViewer* viewer_ = nullptr;
    HWND viewerWindow_ = nullptr;
};

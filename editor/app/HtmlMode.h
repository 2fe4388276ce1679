// HtmlMode: what the frame does in HTML mode and for completion: the loaded document-type map,
// the completion popup, the grammar check and its result lines, the HTML close-tag and
// line-break commands, the insertion check before images and links, and the character count.
// MainFrame owns one, routes commands and editor notifications 200-202 and 300 to it, and
// reaches it back only through HtmlModeEvents.
#pragma once
#include <windows.h>

#include <cstdint>

#include "CommandTable.h"
#include "CompletionPopup.h"
#include "DocumentMap.h"
#include "DocumentTypes.h"
#include "EditorChannel.h"
#include "MainSettings.h"

// What HTML mode needs of the rest of the frame.
class HtmlModeEvents {
public:
    virtual HWND mainWindow() const = 0;
    // The result pane: made when missing and emptied; a line with the document line a click
    // jumps to (-1: none); whether it shows; showing it.
    virtual void prepareResults() = 0;
    virtual void addResult(const char* text, int line) = 0;
    virtual bool resultsShown() const = 0;
    virtual void showResults() = 0;

protected:
    ~HtmlModeEvents() = default;
};

class HtmlMode {
public:
    HtmlMode(EditorChannel& editor, const MainSettings& settings, DocumentTypes& types, HtmlModeEvents& events)
        : editor_(editor), settings_(settings), types_(types), events_(events) {}
    ~HtmlMode();
    HtmlMode(const HtmlMode&) = delete;
    HtmlMode& operator=(const HtmlMode&) = delete;

    // The map of the current type loaded (errors shown); false when not HTML or it failed.
    bool ensureHtmlMap();
    // Command 21400 (true) and the automatic checks (false).
    bool grammarCheck(bool showPane);
    // After a load (option 0x100) and a save (0x200) of an HTML document.
    void documentLoaded();
    void documentSaved();
    // Editor notifications 200, 201, 202 and 300.
    LRESULT completion(uint32_t code, const CompletionRequest* request);
    LRESULT mapRequest();
    // A key the editor is about to handle while the popup is open: Enter accepts, Escape closes,
    // Up and Down move in the list. True when the key was taken.
    bool editorKey(WPARAM key);
    // The main window moved or changed size.
    void mainWindowMoved() { popup_.followCaret(); }
    void closePopup() { popup_.close(); }
    // Whether the element ("img", "a") may stand at the caret under the loaded map, and whether
    // the document writes its element names in upper case.
    bool elementAllowed(const char* element, bool* upperCase);
    // Whether the current type's map is an XHTML one.
    bool xhtmlMap();

    void addCommands(CommandTable& table);

private:
    void closeTag();
    void lineBreakTag();
    void characterCount();
    int box(const char* text, UINT type) const;

    EditorChannel& editor_;
    const MainSettings& settings_;
    DocumentTypes& types_;
    HtmlModeEvents& events_;
    int loadedMapType_ = 0;
    DocumentMap map_;
    CompletionPopup popup_;
};

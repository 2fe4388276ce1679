// InsertionTools: the four insertion commands of the Tools menu: a relative path, an image tag
// and a link chosen in pagetool.dll's dialogs, and a colour code chosen in HuePick.dll's picker,
// which reports back with WM_FRAME_COLOUR. The picker's library is loaded on first use and kept,
// like pagetool, until the main window goes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "CommandTable.h"
#include "DocumentSession.h"
#include "EditorChannel.h"
#include "HuePick.h"
#include "LibraryOnDemand.h"
#include "MainSettings.h"
#include "PagetoolBinding.h"

// What the insertions ask of the HTML features of the frame.
class InsertionEvents {
public:
    // Whether an element of that name may stand at the caret (the document-type map is loaded
    // first when needed).
    virtual bool elementAllowedAtCaret(const char* element) = 0;
    // Whether the document writes element names in upper case.
    virtual bool upperCaseNames() = 0;
    // Whether the loaded document-type map is an XHTML one.
    virtual bool xhtmlMap() = 0;
    // Inserts a text through the fixed-phrase expansion ("*selected_text*" becomes the selection).
    virtual void insertPhrase(const std::string& text) = 0;

protected:
    ~InsertionEvents() = default;
};

class InsertionTools {
public:
    InsertionTools(EditorChannel& editor, const DocumentSession& document, const MainSettings& settings,
                   PagetoolBinding& pagetool, InsertionEvents& events)
        : editor_(editor), document_(document), settings_(settings), pagetool_(pagetool), events_(events) {}
    InsertionTools(const InsertionTools&) = delete;
    InsertionTools& operator=(const InsertionTools&) = delete;

    void attach(HWND main) { main_ = main; }

    void insertRelativePath();
    void insertImage();
    void insertLink();
    void chooseColour();
    // WM_FRAME_COLOUR from the picker: wParam non-zero and lParam the blue, green, red bytes when
    // a colour was chosen.
    void colourChosen(WPARAM chosen, LPARAM bgr);
    // The main window is being destroyed: an open picker is closed before its library goes.
    void destroy();

    void addCommands(CommandTable& table);

private:
    // The untitled check of the three path insertions; false (after its message) when untitled.
    bool needsSavedDocument(const char* message);
    // The element check; false when the user does not want to go on.
    bool allowedOrConfirmed(const char* element, const char* question);
    void insertRaw(const char* text);

    EditorChannel& editor_;
    const DocumentSession& document_;
    const MainSettings& settings_;
    PagetoolBinding& pagetool_;
    InsertionEvents& events_;
    HWND main_ = nullptr;
    LibraryOnDemand huePick_{huepick_exports::kLibraryName};
    HWND picker_ = nullptr;
};

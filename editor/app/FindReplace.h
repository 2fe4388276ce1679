// FindReplace: the frame's find, replace and go-to-line feature: the toolbar search box (its
// subclassed edit field, notifications and the match state in the floating text), the modal
// dialogs "FINDBOX", "REPLACEBOX" and "LINEBOX", search-all into the result pane and the search
// options and histories.
//
// Its command rows (addCommands): 21220-21223, 21230, 21240, 21350, 21353 and 21354. The frame
// routes WM_FRAME_FIND to dialogMessage: the protocol between the two dialogs and the frame. A
// dialog sends WM_FRAME_FIND to the main window with a code in wParam:
//   100 find next (dialog)            -> 1
//   101 list all, the dialog closes   -> 1
//   102 replace one                   -> 1 replaced, 0 not
//   103 replace all                   -> 1 (0 with no search text)
//   104 search text edited (lParam 1: posted after the dialog filled it in)          -> 1
//   105 case option, 106 tab option, 107 direction, 108 scope; lParam 1 = ticked / up /
//       selection                                                                     -> 1
//   109 Escape or WM_CLOSE, 110 close button: the dialog ends, the text enters the history -> 1
//   111 -> const char* the search text; 112 / 113 -> const find_state::SearchHistory* the
//       find / replace history (same process only)
// Codes 100-108 answer 0 while no dialog of this frame is open.
#pragma once
#include <windows.h>

#include <string>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "FindState.h"
#include "FrameBars.h"
#include "QuorvaleMessages.h"
#include "SearchIF_Simple.h"

// Where search-all writes its lines: the frame's result pane.
class ResultOutput {
public:
    // Creates the pane if needed and empties it.
    virtual void startResults() = 0;
    // Appends a line; lineNumber is 1-based, or 0 for a line that leads nowhere.
    virtual void appendResult(int32_t lineNumber, const char* text) = 0;
    // Shows the pane if it is hidden.
    virtual void revealResults() = 0;

protected:
    ~ResultOutput() = default;
};

class FindReplace {
public:
    // The toolbar's search box (null without one), its up and down buttons and the floating text
    // come from the bars.
    FindReplace(EditorChannel& editor, FrameBars& bars, ResultOutput& results)
        : editor_(editor), bars_(bars), results_(results) {}
    ~FindReplace();
    FindReplace(const FindReplace&) = delete;
    FindReplace& operator=(const FindReplace&) = delete;

    // Once the bars exist; subclasses the search box's edit field.
    void attach(HINSTANCE instance, HWND main, HFONT font);
    // Before the main window's children are destroyed: the edit field gets its own procedure back.
    void detach();

    void addCommands(CommandTable& table);
    LRESULT command(UINT id, UINT notification, LPARAM lParam);
    LRESULT dialogMessage(WPARAM code, LPARAM lParam);

    // The context menu over the editor: the word at the client point of the control (lParam of
    // WM_CONTEXTMENU is -1 from the keyboard: the caret's point is used), remembered for 21223.
    // Empty when there is none.
    std::string contextWord(LPARAM screenPoint);
    // Find up / down have something to search for (the menu grays them otherwise).
    bool canFindAgain() const;
    const std::string& searchText() const { return searchText_; }

private:
    // Commands.
    void openDialog(bool find);
    void goToLine();
    LRESULT findFromToolbar(bool up, LPARAM lParam);
    void searchBoxNotification(UINT code);
    void updateMatchState(bool forDialog);

    // The dialogs' requests.
    bool findNext();
    bool listAll();
    bool replaceOne();
    LRESULT replaceAll();
    void scopeToWholeFile();
    void dialogTextChanged();

    // Helpers.
    LRESULT ask(uint32_t code, LPARAM lParam = 0) const { return editor_.ask(code, lParam); }
    bool compile(const std::string& text);
    bool testMatches(const std::string& text, find_state::MatchState* state);
    std::string boxText() const;
    void setBoxText(const std::string& text);
    std::string dialogItemText(int id, size_t limit) const;
    void enableItem(int id, bool on) const;
    void setStatus(const char* text) const;
    void enableFindButtons();
    int messageBox(HWND owner, const char* text, UINT type) const;
    bool inSelectionScope() const { return !dialogIsFind_ && replaceInSelection_; }
    static bool listingLine(void* context, int32_t lineNumber, const char* text);

    // The window property of the subclassed edit field that holds its FindReplace.
    static constexpr const char* kEditProperty = "QuorvaleFindReplace";
    static LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK searchDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK lineDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void initDialog(HWND dialog);
    void dialogCommand(HWND dialog, UINT id, UINT notification);
    void fillFromHistory(HWND combo, WPARAM code) const;

    EditorChannel& editor_;
    FrameBars& bars_;
    ResultOutput& results_;
    HINSTANCE instance_ = nullptr;
    HWND main_ = nullptr;
    HFONT font_ = nullptr;
    HWND searchBox_ = nullptr;
    HWND editField_ = nullptr;
    WNDPROC editProcedure_ = nullptr;
    HWND dialog_ = nullptr;
    SearchIF_Simple engine_;

    std::string searchText_;
    std::string contextWord_;
    bool caseSensitive_ = false;
    bool tabEscape_ = false;
    bool searchUp_ = false;
    bool dialogIsFind_ = true;
    bool replaceInSelection_ = false;
    find_state::SearchHistory findHistory_;
    find_state::SearchHistory replaceHistory_;
    find_state::ResultTable listing_;
    CaretState snapshot_{};
};

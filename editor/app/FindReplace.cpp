// FindReplace: commands, the search box, the match state, find, search-all, replace and go to line.
#include "FindReplace.h"

#include <cstdio>

#include "FindTexts.h"
#include "FrameMessages.h"
#include "UloNames.h"
#include "UloResource.h"

using find_state::kTextBytes;

namespace {

std::string windowText(HWND window, size_t limit) {
    if (!window) return std::string();
    char text[kTextBytes + 2] = {};
    int n = GetWindowTextA(window, text, static_cast<int>(limit + 1 < sizeof text ? limit + 1 : sizeof text));
    return find_state::cutText(text, n > 0 ? static_cast<size_t>(n) : 0, limit);
}

}  // namespace

FindReplace::~FindReplace() { detach(); }

void FindReplace::attach(HINSTANCE instance, HWND main, HFONT font) {
    instance_ = instance;
    main_ = main;
    font_ = font;
    searchBox_ = bars_.searchBox();
    if (!searchBox_) return;
    editField_ = FindWindowExA(searchBox_, nullptr, "Edit", nullptr);
    if (!editField_) return;
    SetPropA(editField_, kEditProperty, this);
    editProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(editField_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FindReplace::editProcedure)));
}

void FindReplace::detach() {
    if (editField_ && editProcedure_ && IsWindow(editField_)) {
        SetWindowLongPtrA(editField_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure_));
        RemovePropA(editField_, kEditProperty);
    }
    editField_ = nullptr;
    editProcedure_ = nullptr;
}

// --- commands

void FindReplace::addCommands(CommandTable& table) {
    auto run = [this](const CommandCall& call) -> intptr_t {
        return command(call.id, call.notification, static_cast<LPARAM>(call.parameter));
    };
    table.add(CMD_FIND, run);
    table.add(CMD_FINDDOWN, run, [this](uint32_t) { return canFindAgain(); });
    table.add(CMD_FINDUP, run, [this](uint32_t) { return canFindAgain(); });
    table.add(CMD_FINDWORD, run);
    table.add(CMD_REPLACE, run);
    table.add(CMD_GOTOLINE, run);
    table.add(CMD_SEARCHBOX, run);
    table.add(CMD_SEARCHSTATE, run);
    table.add(CMD_SEARCHFOCUS, run);
}

LRESULT FindReplace::command(UINT id, UINT notification, LPARAM lParam) {
    switch (id) {
    case CMD_FIND: openDialog(true); return 0;
    case CMD_REPLACE: openDialog(false); return 0;
    case CMD_FINDDOWN: return findFromToolbar(false, lParam);
    case CMD_FINDUP: return findFromToolbar(true, lParam);
    case CMD_FINDWORD:
        if (contextWord_.empty()) return 0;
        searchText_ = contextWord_;
        setBoxText(searchText_);
        enableFindButtons();
        return listAll() ? 1 : 0;
    case CMD_GOTOLINE: goToLine(); return 0;
    case CMD_SEARCHBOX: searchBoxNotification(notification); return 0;
    case CMD_SEARCHSTATE: updateMatchState(lParam == 1); return 0;
    case CMD_SEARCHFOCUS: ask(EC_FOCUS); return 0;
    default: return 0;
    }
}

// Find again searches for the box's text (the remembered text without a box), so the menu
// follows that text.
bool FindReplace::canFindAgain() const { return !boxText().empty(); }

std::string FindReplace::boxText() const {
    return searchBox_ ? windowText(searchBox_, kTextBytes) : searchText_;
}

void FindReplace::setBoxText(const std::string& text) {
    if (searchBox_) SetWindowTextA(searchBox_, text.c_str());
}

void FindReplace::enableFindButtons() {
    uint32_t flags = boxText().empty() ? bars::kToolDisabled : 0;
    bars_.toolbar().setFlags(CMD_FINDUP, flags);
    bars_.toolbar().setFlags(CMD_FINDDOWN, flags);
}

bool FindReplace::compile(const std::string& text) {
    if (text.empty()) return false;
    engine_.setCaseSensitive(caseSensitive_);
    return engine_.setPattern((tabEscape_ ? find_state::unescape(text) : text).c_str());
}

int FindReplace::messageBox(HWND owner, const char* text, UINT type) const {
    return MessageBoxA(owner ? owner : main_, text, ulo_names::kEditorCaption, type);
}

void FindReplace::openDialog(bool find) {
    dialogIsFind_ = find;
    ask(EC_GETCARET, reinterpret_cast<LPARAM>(&snapshot_));
    ask(EC_CARETTOSELSTART);
    if (searchBox_) searchText_ = boxText();
    if (!find) replaceInSelection_ = ask(EC_HASSELECTION_ALT) != 0;
    bars_.floatText().hide();
    DialogBoxParamA(instance_, find ? "FINDBOX" : "REPLACEBOX", main_,
                    &FindReplace::searchDialogProcedure, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    enableFindButtons();
}

void FindReplace::goToLine() {
    INT_PTR n = DialogBoxParamA(instance_, "LINEBOX", main_, &FindReplace::lineDialogProcedure, 0);
    if (n > 0) ask(EC_GOTOLINE, static_cast<LPARAM>(n - 1));
}

LRESULT FindReplace::findFromToolbar(bool up, LPARAM lParam) {
    // Without a search box the remembered text is searched for again.
    searchText_ = boxText();
    if (searchText_.empty() || !compile(searchText_)) return 0;
    findHistory_.add(searchText_);
    FindRequest request{};
    request.flags = up ? uint32_t{FIND_BACKWARD} : 0u;
    request.search = &engine_;
    bool found = ask(EC_FIND, reinterpret_cast<LPARAM>(&request)) != 0;
    if (!found)
        messageBox(main_, caseSensitive_ ? find_text::kSearchFinishedCase : find_text::kSearchFinished,
                   MB_OK | MB_ICONINFORMATION);
    HWND focus = GetFocus();
    bool inBox = searchBox_ && (focus == searchBox_ || focus == editField_);
    if (lParam == 0 && !inBox) return found ? 1 : 0;
    if (!found && searchBox_) SetFocus(editField_ ? editField_ : searchBox_);
    updateMatchState(false);
    return found ? 1 : 0;
}

void FindReplace::searchBoxNotification(UINT code) {
    switch (code) {
    case CBN_SELCHANGE:
        // The edit field gets the chosen text only after this notification.
        PostMessageA(main_, WM_COMMAND, MAKEWPARAM(CMD_SEARCHBOX, CBN_EDITCHANGE), 0);
        break;
    case CBN_SETFOCUS: updateMatchState(false); break;
    case CBN_KILLFOCUS: bars_.floatText().hide(); break;
    case CBN_EDITCHANGE:
        enableFindButtons();
        updateMatchState(false);
        break;
    case CBN_DROPDOWN:
        if (!searchBox_) break;
        SendMessageA(searchBox_, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : findHistory_.entries())
            SendMessageA(searchBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        break;
    default: break;
    }
}

bool FindReplace::testMatches(const std::string& text, find_state::MatchState* state) {
    if (!compile(text)) return false;
    FindRequest down{};
    down.flags = FIND_TESTONLY;
    down.search = &engine_;
    state->down = ask(EC_FIND, reinterpret_cast<LPARAM>(&down)) != 0;
    state->here = down.selectionMatched != 0;
    FindRequest up{};
    up.flags = FIND_TESTONLY | FIND_BACKWARD;
    up.search = &engine_;
    state->up = ask(EC_FIND, reinterpret_cast<LPARAM>(&up)) != 0;
    return true;
}

void FindReplace::updateMatchState(bool forDialog) {
    find_state::MatchState state;
    const std::string text = searchBox_ ? boxText() : searchText_;
    bool tested = testMatches(text, &state);
    const char* message = tested ? find_state::matchMessage(state, !forDialog) : nullptr;
    if (!forDialog) {
        if (!message || !searchBox_) {
            bars_.floatText().hide();
            return;
        }
        POINT p = {0, 18};
        ClientToScreen(searchBox_, &p);
        bars_.floatText().show(instance_, main_, font_, p.x, p.y, message);
        return;
    }
    if (!dialog_) return;
    setStatus(message ? message : "");
    bool up = dialogIsFind_ && searchUp_;
    enableItem(IDC_FIND_NEXT, find_state::matchInDirection(state, up));
    enableItem(dialogIsFind_ ? IDC_FIND_LIST : IDC_REPLACE_ALL, find_state::anyMatch(state));
}

std::string FindReplace::contextWord(LPARAM screenPoint) {
    contextWord_.clear();
    HWND control = editor_.window();
    if (!control) return contextWord_;
    POINT p;
    if (screenPoint == -1) {
        if (!GetCaretPos(&p)) return contextWord_;
    } else {
        p = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
        ScreenToClient(control, &p);
    }
    char buffer[wordAtBufferSize] = {};
    EcWordAt request{};
    request.x = p.x;
    request.y = p.y;
    request.buffer = buffer;
    LRESULT n = ask(EC_GETWORDAT, reinterpret_cast<LPARAM>(&request));
    if (n > 0 && static_cast<size_t>(n) < wordAtBufferSize) contextWord_.assign(buffer, static_cast<size_t>(n));
    return contextWord_;
}

// --- the dialogs' requests

LRESULT FindReplace::dialogMessage(WPARAM code, LPARAM lParam) {
    switch (code) {
    case 111: return reinterpret_cast<LRESULT>(searchText_.c_str());
    case 112: return reinterpret_cast<LRESULT>(&findHistory_);
    case 113: return reinterpret_cast<LRESULT>(&replaceHistory_);
    case 109: case 110: findHistory_.add(searchText_); return 1;
    default: break;
    }
    if (!dialog_) return 0;
    switch (code) {
    case 100:
        if (inSelectionScope()) scopeToWholeFile();
        findNext();
        updateMatchState(true);
        enableItem(IDC_REPLACE_ONE, true);
        return 1;
    case 101: listAll(); return 1;
    case 102: return replaceOne() ? 1 : 0;
    case 103: return replaceAll();
    case 104: dialogTextChanged(); return 1;
    case 105: case 106: {
        bool& option = code == 105 ? caseSensitive_ : tabEscape_;
        bool changed = option != (lParam != 0);
        option = lParam != 0;
        if (changed && !inSelectionScope()) updateMatchState(true);
        return 1;
    }
    case 107:
        searchUp_ = lParam != 0;
        updateMatchState(true);
        return 1;
    case 108:
        replaceInSelection_ = lParam != 0;
        setStatus("");
        if (!replaceInSelection_) updateMatchState(true);
        return 1;
    default: return 0;
    }
}

void FindReplace::scopeToWholeFile() {
    replaceInSelection_ = false;
    CheckRadioButton(dialog_, IDC_REPLACE_INSELECTION, IDC_REPLACE_WHOLEFILE, IDC_REPLACE_WHOLEFILE);
    enableItem(IDC_REPLACE_INSELECTION, false);
}

void FindReplace::dialogTextChanged() {
    enableItem(IDC_REPLACE_ONE, false);
    searchText_ = dialogItemText(IDC_FIND_TEXT, kTextBytes);
    setBoxText(searchText_);
    if (inSelectionScope()) {
        enableItem(IDC_FIND_LIST, !searchText_.empty());
        enableItem(IDC_REPLACE_ALL, !searchText_.empty());
        enableItem(IDC_FIND_NEXT, false);
    } else {
        updateMatchState(true);
    }
}

bool FindReplace::findNext() {
    if (searchText_.empty() || !compile(searchText_)) return false;
    FindRequest request{};
    request.flags = (dialogIsFind_ && searchUp_) ? uint32_t{FIND_BACKWARD} : 0u;
    request.search = &engine_;
    findHistory_.add(searchText_);
    if (ask(EC_FIND, reinterpret_cast<LPARAM>(&request))) return true;
    messageBox(dialog_, dialogIsFind_ ? find_text::kSearchFinished : find_text::kReplaceFinished,
               MB_OK | MB_ICONINFORMATION);
    return false;
}

bool FindReplace::listingLine(void* context, int32_t lineNumber, const char* text) {
    auto* self = static_cast<FindReplace*>(context);
    self->results_.appendResult(lineNumber > 0 ? lineNumber : 0, text);
    find_state::ResultTable::Step step = self->listing_.add(lineNumber);
    if (step.showProgress && self->dialog_) {
        char status[64];
        std::snprintf(status, sizeof status, find_text::kSearchingCount, static_cast<int>(self->listing_.count()));
        self->setStatus(status);
    }
    if (!step.stop) return true;
    self->listing_.addUnnumbered();
    self->results_.appendResult(0, find_text::kTooManyLines);
    return false;
}

bool FindReplace::listAll() {
    if (searchText_.empty() || !compile(searchText_)) return false;
    FindRequest request{};
    request.flags = FIND_LISTALL;
    request.search = &engine_;
    request.callback = &FindReplace::listingLine;
    request.context = this;
    listing_.clear();
    results_.startResults();
    setStatus(find_text::kSearching);
    findHistory_.add(searchText_);
    bool found = ask(EC_FIND, reinterpret_cast<LPARAM>(&request)) != 0;
    results_.revealResults();
    return found;
}

bool FindReplace::replaceOne() {
    std::string replacement = dialogItemText(IDC_REPLACE_TEXT, kTextBytes);
    replaceHistory_.add(replacement);
    if (tabEscape_) replacement = find_state::unescape(replacement);
    // The control replaces any one-line selection; only a selection that is itself a whole match
    // may be replaced, or a second press after the last match would replace the replacement.
    bool replaced = false;
    if (compile(searchText_)) {
        FindRequest test{};
        test.flags = FIND_TESTONLY;
        test.search = &engine_;
        ask(EC_FIND, reinterpret_cast<LPARAM>(&test));
        if (test.selectionMatched) {
            ReplaceRequest request{replacement.c_str(), static_cast<uint32_t>(replacement.size()), &snapshot_};
            replaced = ask(EC_REPLACE, reinterpret_cast<LPARAM>(&request)) != 0;
        }
    }
    updateMatchState(true);
    if (replaced) {
        findNext();
        return true;
    }
    messageBox(dialog_, find_text::kReplaceFailed, MB_OK | MB_ICONERROR);
    return false;
}

LRESULT FindReplace::replaceAll() {
    if (searchText_.empty() || !compile(searchText_)) {
        setStatus("");
        enableItem(IDC_FIND_NEXT, false);
        enableItem(dialogIsFind_ ? IDC_FIND_LIST : IDC_REPLACE_ALL, false);
        return 0;
    }
    FindRequest find{};
    find.flags = FIND_FROMTOP | (inSelectionScope() ? uint32_t{FIND_INSELECTION} : 0u);
    find.search = &engine_;
    std::string replacement = dialogItemText(IDC_REPLACE_TEXT, kTextBytes);
    findHistory_.add(searchText_);
    replaceHistory_.add(replacement);
    if (tabEscape_) replacement = find_state::unescape(replacement);
    setStatus(find_text::kReplacing);
    ReplaceRequest replace{replacement.c_str(), static_cast<uint32_t>(replacement.size()), &snapshot_};
    ReplaceAllRequest request{&find, &replace};
    auto n = static_cast<int32_t>(ask(EC_REPLACEALL, reinterpret_cast<LPARAM>(&request)));
    std::string text = find_state::replaceAllMessage(n);
    setStatus(text.c_str());
    messageBox(dialog_, text.c_str(), MB_OK | MB_ICONINFORMATION);
    return 1;
}

// --- dialog helpers

std::string FindReplace::dialogItemText(int id, size_t limit) const {
    return dialog_ ? windowText(GetDlgItem(dialog_, id), limit) : std::string();
}

void FindReplace::enableItem(int id, bool on) const {
    if (dialog_) {
        HWND item = GetDlgItem(dialog_, id);
        if (item) EnableWindow(item, on ? TRUE : FALSE);
    }
}

void FindReplace::setStatus(const char* text) const {
    if (dialog_) SetDlgItemTextA(dialog_, IDC_FIND_STATUS, text);
}

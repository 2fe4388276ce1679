// The in-process host of the FindReplace tests: a top-level window with the real editor control,
// the real bars (toolbar with search box, floating text), a FindReplace whose command rows run as
// the frame runs them, a result output that records its lines, and a driver thread that answers
// the modal dialogs and message boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "FindReplace.h"
#include "FrameBars.h"
#include "TestDriver.h"

namespace find_test {

using ulo_e2e::sjis;

class Host final : public ResultOutput {
public:
    // The toolbar shows the items of the mask (the default mask has the search box).
    explicit Host(uint32_t toolbarMask = 0xFFFFFFFFu);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    HWND window() const { return window_; }
    HWND control() const { return editor_.window(); }
    HWND searchBox() const { return bars_.searchBox(); }
    HWND searchEdit() const { return FindWindowExA(bars_.searchBox(), nullptr, "Edit", nullptr); }
    // Whether the toolbar's find-up / find-down buttons are enabled.
    bool findButtonsEnabled();
    FindReplace& find() { return find_; }

    LRESULT ask(uint32_t code, LPARAM lParam = 0) const { return SendMessageA(control(), EC_REQUEST, code, lParam); }
    // Replaces the document by Shift_JIS text (lines joined by CR LF) and puts the caret at line 0.
    void setText(const std::string& text);
    // The document's lines joined by CR LF.
    std::string text() const;
    std::string selection() const;
    CaretState caret() const;
    // Types text into the search box's edit field (fires its edit notifications).
    void typeIntoBox(const std::string& text);
    // The floating text's window text, or "" when it is hidden.
    std::string floatText();

    // ResultOutput.
    void startResults() override { results.clear(); }
    void appendResult(int32_t line, const char* text) override { results.emplace_back(line, text); }
    void revealResults() override { revealed = true; }
    std::vector<std::pair<int32_t, std::string>> results;
    bool revealed = false;
    std::vector<UINT> commands;   // every WM_COMMAND id the host received

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    EditorChannel editor_;
    FrameBars bars_;
    FindReplace find_{editor_, bars_, *this};
    CommandTable commands_;
};

// Runs `open` (which shows a modal window) on this thread while `drive` runs on a second thread;
// when drive returns, every dialog still open on this thread is cancelled.
void runModal(const std::function<void()>& open, const std::function<void()>& drive);

// Driver side: a dialog of this process with the caption, or null after the time-out.
inline HWND waitDialog(const std::string& caption, DWORD timeoutMs = 5000) {
    return ulo_e2e::waitDialog(GetCurrentProcessId(), caption.c_str(), timeoutMs);
}
// The message box's text after pressing its OK button; "" when none came.
inline std::string answerBox(DWORD timeoutMs = 5000) {
    return ulo_e2e::answerDialog(GetCurrentProcessId(), "Quorvale Ulo", IDOK, timeoutMs);
}
// Types into a dialog's combo box or edit field (the edit notifications fire).
void typeInto(HWND dialog, int id, const std::string& text);
// Posts a button click; the driver goes on at once.
inline void click(HWND dialog, int id) { ulo_e2e::press(dialog, id); }
// Waits until the condition holds or the time-out passes.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Sets a check box or radio button as a click would and tells the dialog.
void setCheck(HWND dialog, int id, bool on);
std::string itemText(HWND dialog, int id);

}  // namespace find_test

// Test host for the control's input and request tests: a parent window that records every
// notification with whether it was posted or sent (and the caret numbers at that moment), can
// consume keys, and drives the control through messages only.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Quorvale.h"

namespace input_test {

constexpr UINT notifyMessage = WM_APP + 9;

struct Note {
    WPARAM code;
    LPARAM lParam;
    bool posted;
    int caret[2];     // ECN_CARETMOVED: column + 1 and line + 1 when it arrived
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    HWND window() const { return window_; }
    std::vector<Note> notes;
    WPARAM consumeKey = 0;           // ECN_KEYDOWN with this key answers 1
    LRESULT completionAnswer = 0;    // answer to ECN_COMPLETE / ECN_COMPLETEMORE
    CompletionRequest lastRequest{}; // the last completion request's record
    LRESULT mapAnswer = 0;           // answer to ECN_GETMAP (a loaded document-type map)
    std::vector<MSG> forwarded;      // WM_COMMAND and WM_DROPFILES that reached the host

    int count(WPARAM code) const;
    const Note* last(WPARAM code) const;
    void clear() { notes.clear(); }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

// Dispatches every pending message for about `ms`, marking notifications that arrive posted.
void pump(DWORD ms = 20);

// A control filling 640 x 400 of the host.
Quorvale* createControl(Host& host, uint32_t flags = 0, int wrapWidth = 80);

// The request message; pointers as lParam.
LRESULT request(Quorvale* q, uint32_t code, LPARAM argument = 0);
template <class T> LRESULT request(Quorvale* q, uint32_t code, T* argument) {
    return request(q, code, reinterpret_cast<LPARAM>(argument));
}

// The frame's load sequence for a file image (kept alive by the caller).
bool load(Quorvale* q, std::string& image, TextEncoding encoding);
// Every line's bytes through EC_FIRSTLINE / EC_NEXTLINE.
std::vector<std::string> lines(Quorvale* q);
// The selection as clipboard text through EC_GETSELECTIONSIZE / EC_GETSELECTIONTEXT.
std::string selectionText(Quorvale* q);

// Holds keys down in this thread's keyboard state (GetKeyState) for the guard's life.
class Keys {
public:
    explicit Keys(std::initializer_list<int> keys);
    ~Keys();
    Keys(const Keys&) = delete;
    Keys& operator=(const Keys&) = delete;

private:
    BYTE saved_[256];
};

// Posts a message to the control and pumps, as the system would deliver it.
void post(Quorvale* q, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void type(Quorvale* q, const std::string& text);
void key(Quorvale* q, int virtualKey);
// A client point at text cell (column, screen row).
LPARAM cellPoint(Quorvale* q, int column, int row);

// The clipboard's CF_TEXT, or "<none>".
std::string clipboardText();
void setClipboardText(const std::string& text);
// The clipboard's CF_UNICODETEXT, or u"<none>"; putting only that format, as another program may.
std::u16string unicodeClipboardText();
void setUnicodeClipboardText(const std::u16string& text);

// The fixture both window test programs build on: a host, one control in it (made by the
// derived fixture) and the image of the text last loaded, which must outlive the document.
class ControlTest : public ::testing::Test {
protected:
    Host host;
    Quorvale* q = nullptr;
    std::string image;

    void TearDown() override {
        if (q) DestroyWindow(q->window());
        pump();
    }
    // Loads Shift_JIS `text` through the requests and forgets the notifications of the load.
    void loadText(const std::string& text) {
        image = text;
        ASSERT_TRUE(load(q, image, TextEncoding::ShiftJis));
        pump();
        host.clear();
    }
};

// Power readers for Quorvale::setPowerStatusReader.
inline int batteryPower() { return 0; }
inline int mainsPower() { return 1; }

// A control made in SetUp and given the focus, for the input and message tests; the power reader
// is put back after each test.
class FocusedControlTest : public ControlTest {
protected:
    void create(uint32_t flags = 0) {
        q = createControl(host, flags);
        ASSERT_NE(q, nullptr);
        SetFocus(q->window());
        pump();
    }
    void SetUp() override { create(); }
    void TearDown() override {
        Quorvale::setPowerStatusReader(nullptr);
        ControlTest::TearDown();
    }
    CaretState caret() {
        CaretState c{};
        request(q, EC_GETCARET, &c);
        return c;
    }
    void click(int column, int row, UINT down = WM_LBUTTONDOWN) {
        post(q, down, MK_LBUTTON, cellPoint(q, column, row));
        post(q, WM_LBUTTONUP, 0, cellPoint(q, column, row));
    }
};

}  // namespace input_test

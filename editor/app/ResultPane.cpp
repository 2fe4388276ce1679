// ResultPane: the result list box, its line table and copying its items.
#include "ResultPane.h"

#include <cstring>
#include <string>

#include "QuorvaleMessages.h"
#include "UloResource.h"

bool ResultPane::create(HINSTANCE instance, HWND main, HFONT font) {
    if (window_) return true;
    window_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS, 0, 0, 0, 0, main,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(CMD_RESULTLIST)), instance, nullptr);
    if (!window_) return false;
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return true;
}

void ResultPane::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

void ResultPane::add(const char* text, int line) {
    if (!window_) return;
    SendMessageA(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    lines_.push_back(line);
}

void ResultPane::clear() {
    if (window_) SendMessageA(window_, LB_RESETCONTENT, 0, 0);
    lines_.clear();
}

void ResultPane::copyAll() const {
    if (!window_) return;
    int count = static_cast<int>(SendMessageA(window_, LB_GETCOUNT, 0, 0));
    std::string all;
    for (int i = 0; i < count; ++i) {
        int n = static_cast<int>(SendMessageA(window_, LB_GETTEXTLEN, i, 0));
        if (n < 0) continue;
        std::string item(static_cast<size_t>(n) + 1, '\0');
        SendMessageA(window_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        item.resize(static_cast<size_t>(n));
        all += item + "\r\n";
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, all.size() + 1);
    if (!memory) return;
    void* bytes = GlobalLock(memory);
    std::memcpy(bytes, all.c_str(), all.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(GetParent(window_))) {  // the main window
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

void ResultPane::selectionChanged() {
    if (!window_) return;
    LRESULT i = SendMessageA(window_, LB_GETCURSEL, 0, 0);
    if (i >= 0 && static_cast<size_t>(i) < lines_.size() && lines_[static_cast<size_t>(i)] > 0)
        editor_.ask(EC_GOTOLINE, lines_[static_cast<size_t>(i)] - 1);
    editor_.focus();
}

void ResultPane::addCommands(CommandTable& table) {
    table.add(CMD_COPYRESULTS, plainCommand([this] { copyAll(); }));
    table.add(CMD_RESULTLIST, [this](const CommandCall& call) -> intptr_t {
        if (call.notification == LBN_SELCHANGE) selectionChanged();
        return 0;
    });
}

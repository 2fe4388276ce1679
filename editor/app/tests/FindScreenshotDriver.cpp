// find_screenshot_driver: puts a running editor into the states the find screenshots show.
// "results": the result pane filled by a search-all and the floating text under the search box;
// "dialog": the find dialog open with the search box's text. Used by find-screenshot.sh; exits 0
// when every step was seen.
#include <cstdio>
#include <string>

#include "TestDriver.h"
#include "UloNames.h"
#include "UloResource.h"

using namespace ulo_e2e;

namespace {

void typeInto(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND comboEdit(HWND dialog, int id) { return FindWindowExA(GetDlgItem(dialog, id), nullptr, "Edit", nullptr); }

}  // namespace

int main(int argc, char** argv) {
    const bool dialogOnly = argc > 1 && std::string(argv[1]) == "dialog";
    HWND main = nullptr;
    for (int i = 0; i < 100 && !main; ++i) {
        std::vector<HWND> all = windowsOfClass(ulo_names::kMainWindowClass);
        if (!all.empty()) main = all[0];
        else pause(100);
    }
    if (!main) return 1;
    DWORD pid = processOf(main);
    const std::string word = sjis(L"桜");
    HWND d = nullptr;
    if (dialogOnly) {
        PostMessageA(main, WM_COMMAND, CMD_FIND, 0);
        d = waitDialog(pid, sjis(L"検索").c_str());
        if (!d) return 4;
        pause(800);
        std::printf("dialog\n");
        return 0;
    }
    // Search-all through the find dialog.
    PostMessageA(main, WM_COMMAND, CMD_FIND, 0);
    d = waitDialog(pid, sjis(L"検索").c_str());
    if (!d) return 2;
    typeInto(comboEdit(d, IDC_FIND_TEXT), word);
    press(d, IDC_FIND_LIST);
    pause(1500);
    // The match state under the search box: a text only above the caret.
    HWND box = findChildById(main, CMD_SEARCHBOX);
    HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
    if (!edit) return 3;
    HWND control = FindWindowExA(main, nullptr, "QuorvaleEditer", nullptr);
    SendMessageA(control, 0x0400 + 1, 12500, 1000000);   // EC_REQUEST EC_GOTOLINE: the last line
    typeInto(edit, "<html");
    pause(800);
    std::printf("results\n");
    return 0;
}

// companion_screens.exe VIEW MARKER: shows one view of a companion program for a screenshot
// (conf0 ... conf6 the settings pages, command the command choice, browser and slot the browser
// registration sheet and its slot dialog, phrases the fixed-phrase editor), creates the file
// MARKER when it is on screen, waits until MARKER is deleted (at most 30 s) and closes it again.
#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "CompanionDriver.h"
#include "TestDriver.h"

using namespace companion_e2e;
using ulo_e2e::sjis;

namespace {

HWND showView(const std::string& view, Program* program) {
    if (view.rfind("conf", 0) == 0 || view == "command") {
        *program = startWithWindow("ulo_conf.exe", sjis(L"Quorvale Ulo 起動時の設定"));
        if (!program->window) return nullptr;
        if (view == "command") {
            activateRow(GetDlgItem(showPage(program->window, 3), 1501), 12);
            return waitDialogWith(program->pid, sjis(L"コマンドの選択"), 1510);
        }
        showPage(program->window, view[4] - '0');
        return program->window;
    }
    if (view == "browser" || view == "slot") {
        const std::string caption = sjis(L"ブラウザ情報の設定");
        *program = startWithWindow("browserpick.exe", caption);
        if (!program->window || view == "browser") return program->window;
        HWND page = showPage(program->window, 0);
        selectRow(GetDlgItem(page, 1001), 2);
        postClick(GetDlgItem(page, 1002));
        return waitDialogWith(program->pid, caption, 2001);
    }
    *program = startWithWindow("phrasedit.exe", sjis(L"Quorvale Ulo 定型句の編集"));
    return program->window;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: companion_screens VIEW MARKER\n");
        return 2;
    }
    Program program;
    HWND shown = showView(argv[1], &program);
    if (!shown) {
        ulo_e2e::endStartedProcesses(0);
        return 1;
    }
    ulo_e2e::pause(500);
    CloseHandle(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const DWORD end = GetTickCount() + 30000;
    while (GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES && static_cast<int>(end - GetTickCount()) > 0)
        ulo_e2e::pause(100);
    ulo_e2e::endStartedProcesses(0);
    return 0;
}

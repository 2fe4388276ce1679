// HTML benchmark in the editor under Wine: the close-tag command (21231) with the caret at the end
// of a large HTML document, and the grammar check (F7, 21400) of the whole document, timed in a
// real ulo.exe, against the element scanner and the checker run on the same text in this process
// (what the commands do, without the editor around them).
// Usage: html_wine_bench DOCUMENT.html   (Shift_JIS; html_bench writes one with HTML_BENCH_KEEP=1)
#include <windows.h>

#include <cstdio>
#include <string>

#include "HtmlBenchRuns.h"
#include "QuorvaleMessages.h"
#include "UloDriver.h"

namespace {

using html_bench::Clock;
using html_bench::forEachLine;
using html_bench::since;

constexpr UINT kCloseTag = 21231, kGrammarCheck = 21400;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: html_wine_bench DOCUMENT.html\n");
        return 2;
    }
    std::string text = ulo_e2e::readFile(argv[1]);
    if (text == "<missing>") {
        std::printf("cannot read %s\n", argv[1]);
        return 1;
    }
    // The editor's text has CR LF line ends: the copy it opens gets them too.
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 32);
    size_t lines = 0;
    forEachLine(text, [&](const uint8_t* p, size_t n, bool broken) {
        crlf.append(reinterpret_cast<const char*>(p), n);
        if (broken) crlf += "\r\n";
        ++lines;
    });
    const std::string path = ulo_e2e::workFolder("html_wine_bench") + "document.html";
    ulo_e2e::writeFile(path, crlf);
    std::printf("document: %.1f MiB, %zu lines\n", crlf.size() / 1048576.0, lines);

    DocumentMap map;
    const std::string mapPath = ulo_e2e::pathBeside("dtd\\xhtml1-transitional.map");
    if (loadMap(map, mapPath.c_str()) != mapfile::kLoaded) {
        std::printf("cannot load %s\n", mapPath.c_str());
        return 1;
    }
    // In this process: the scanner from the start to the end, the checker over every line.
    const double scan = html_bench::timeScanner(map, crlf);
    const double check = html_bench::timeChecker(map, crlf);
    unloadMap(map);

    // In the editor: the caret to the last line's end, then the two commands (both run inside
    // the command's handling, so a sent WM_COMMAND returns when they are done).
    auto t = Clock::now();
    ulo_e2e::Editor editor = ulo_e2e::start(":1 \"" + path + "\"", 120000);
    if (!editor.window) {
        std::printf("the editor did not open the document\n");
        return 1;
    }
    HWND control = FindWindowExA(editor.window, nullptr, "QuorvaleEditer", nullptr);
    const double open = since(t);
    SendMessageA(control, EC_REQUEST, EC_GOTOLINE, static_cast<LPARAM>(lines - 1));
    SendMessageA(control, WM_KEYDOWN, VK_END, 1);
    t = Clock::now();
    SendMessageA(editor.window, WM_COMMAND, kCloseTag, 0);
    const double closeTag = since(t);
    t = Clock::now();
    SendMessageA(editor.window, WM_COMMAND, kGrammarCheck, 0);
    const double grammar = since(t);
    ulo_e2e::closeEverything();

    std::printf("opening in the editor: %.3f s\n", open);
    std::printf("close tag at the end (21231): %.3f s; the scanner alone: %.3f s; ratio %.2f\n", closeTag, scan,
                closeTag / scan);
    std::printf("grammar check (21400): %.3f s; the checker alone: %.3f s; ratio %.2f\n", grammar, check,
                grammar / check);
    return 0;
}

// End to end: HTML mode of the real editor: the type chosen from a file's name and declaration,
// the completion popup "ForecastWindow" while typing, the close-tag and line-break commands, the
// grammar check's result pane, its limit and its failures, a missing keyword file and the
// character count.
#include <cstring>
#include <functional>

#include "HtmlTexts.h"
#include "SessionFixture.h"

using namespace ulo_e2e;

namespace {

constexpr UINT kSave = 21003, kCloseTag = 21231, kLineBreakTag = 21232, kGrammar = 21400, kCountChars = 21495;
constexpr UINT kPerl = 28200, kHtml5 = 28105;

HWND editorOf(HWND main) { return FindWindowExA(main, nullptr, "QuorvaleEditer", nullptr); }

HWND childOfClass(HWND parent, const char* name) {
    struct Context {
        const char* name;
        HWND found;
    } context{name, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Context*>(l);
            if (lstrcmpiA(className(w).c_str(), c->name) != 0) return TRUE;
            c->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 8000) {
    const DWORD end = GetTickCount() + timeoutMs;
    while (!condition()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        pause(50);
    }
    return true;
}

// A list box of another process: Wine answers LB_GETTEXT across processes in UTF-16 only.
std::vector<std::string> listItems(HWND list) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t wide[1024] = {};
        const LRESULT n = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        char text[2048] = {};
        if (n > 0) WideCharToMultiByte(932, 0, wide, static_cast<int>(n), text, sizeof text - 1, nullptr, nullptr);
        items.emplace_back(text);
    }
    return items;
}

// Types ASCII text into the editor control as the keyboard would (one WM_CHAR a byte).
void typeText(HWND editor, const std::string& text) {
    for (char c : text) {
        PostMessageA(editor, WM_CHAR, static_cast<uint8_t>(c), 1);
        pause(30);
    }
}

void keyDown(HWND editor, int key) {
    PostMessageA(editor, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PostMessageA(editor, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    pause(100);
}

// With ULO_SCREENSHOT_DIR set (screenshot-html.sh), the screen is saved there as NAME.bmp.
void screenshot(const char* name) {
    char folder[MAX_PATH];
    if (GetEnvironmentVariableA("ULO_SCREENSHOT_DIR", folder, MAX_PATH) == 0) return;
    pause(300);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), size);
    writeFile(std::string(folder) + "\\" + name + ".bmp", bytes);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

std::string summary(int errors, int informations) {
    char text[256];
    std::snprintf(text, sizeof text, html_text::kCheckSummary, errors, informations);
    return text;
}

class HtmlSession : public Session {
protected:
    // Starts the editor with a file and waits for its control.
    Editor open(const std::string& name, const std::string& bytes) {
        Editor e = start(quoted(file(name, bytes)));
        if (e.window) waitFor([&] { return editorOf(e.window) != nullptr; });
        return e;
    }
    // F7: the result pane's lines once the summary arrived.
    std::vector<std::string> check(const Editor& e) {
        PostMessageA(e.window, WM_COMMAND, kGrammar, 0);
        std::vector<std::string> lines;
        waitFor([&] {
            HWND list = childOfClass(e.window, "ListBox");
            if (list == nullptr) return false;
            lines = listItems(list);
            return !lines.empty() && lines.back().find(summary(0, 0).substr(0, 10)) == 0;
        });
        return lines;
    }
    // The popup of the process and its entries.
    std::vector<std::string> popupEntries(DWORD pid) {
        std::vector<std::string> entries;
        waitFor([&] {
            HWND popup = windowOf(pid, "ForecastWindow");
            if (popup == nullptr || !IsWindowVisible(popup)) return false;
            entries = listItems(childOfClass(popup, "ListBox"));
            return !entries.empty();
        }, 4000);
        return entries;
    }
    bool popupClosed(DWORD pid) {
        return waitFor([&] {
            HWND popup = windowOf(pid, "ForecastWindow");
            return popup == nullptr || !IsWindowVisible(popup);
        }, 4000);
    }
};

const std::string kProbe = "<html><body>\r\n<section>x</section>\r\n</body></html>\r\n";

TEST_F(HtmlSession, TypeFromNameAndDeclaration) {
    // A declaration of HTML 5: <section> is known, no error.
    Editor html5 = open("index.HTM", "<!DOCTYPE html>\r\n" + kProbe);
    ASSERT_TRUE(html5.window);
    EXPECT_EQ(check(html5), (std::vector<std::string>{summary(0, 0)}));
    PostMessageA(html5.window, WM_CLOSE, 0, 0);
    // None: HTML 4.01 Transitional, which does not know <section> (line 2).
    Editor plain = open("nodecl.htm", kProbe);
    std::vector<std::string> lines = check(plain);
    screenshot("result-pane");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("    2"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("section"), std::string::npos);
    EXPECT_EQ(lines[1], summary(1, 0));
    PostMessageA(plain.window, WM_CLOSE, 0, 0);
    // A declaration in lower case counts; one on line 11 does not.
    Editor lower = open("lower.html", "<!doctype html>\r\n" + kProbe);
    EXPECT_EQ(check(lower), (std::vector<std::string>{summary(0, 0)}));
    PostMessageA(lower.window, WM_CLOSE, 0, 0);
    std::string tenLines;
    for (int i = 0; i < 10; ++i) tenLines += "\r\n";
    Editor late = open("late.html", tenLines + "<!DOCTYPE html>\r\n" + kProbe);
    EXPECT_EQ(check(late).size(), 2u);
    PostMessageA(late.window, WM_CLOSE, 0, 0);
    // A six-character extension matches no list: plain text, and F7 says so.
    Editor six = open("page.xhtml5", kProbe);
    PostMessageA(six.window, WM_COMMAND, kGrammar, 0);
    EXPECT_EQ(answer(six.pid, IDOK), html_text::kNotHtmlMode);
}

TEST_F(HtmlSession, PopupWhileTypingAndInsertion) {
    Editor e = open("typed.html", "");
    ASSERT_TRUE(e.window);
    HWND editor = editorOf(e.window);
    // An empty document offers the declaration template only.
    typeText(editor, "<");
    std::vector<std::string> entries = popupEntries(e.pid);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].find("!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\""), 0u);
    HWND popup = windowOf(e.pid, "ForecastWindow");
    EXPECT_EQ(GetWindow(popup, GW_OWNER), e.window);
    keyDown(editor, VK_ESCAPE);
    EXPECT_TRUE(popupClosed(e.pid));
    typeText(editor, "html><body><ul>");
    keyDown(editor, VK_RETURN);
    typeText(editor, "<");
    entries = popupEntries(e.pid);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "li"), entries.end());
    EXPECT_EQ(std::find(entries.begin(), entries.end(), "p"), entries.end());
    screenshot("popup-elements");
    typeText(editor, "l");
    entries = popupEntries(e.pid);
    EXPECT_EQ(entries, (std::vector<std::string>{"li"}));
    keyDown(editor, VK_RETURN);   // inserts "li " and asks for attributes
    entries = popupEntries(e.pid);
    EXPECT_NE(std::find(entries.begin(), entries.end(), "class"), entries.end());
    typeText(editor, "cl");
    keyDown(editor, VK_RETURN);   // class=""
    keyDown(editor, VK_END);
    typeText(editor, "a &am");
    entries = popupEntries(e.pid);
    EXPECT_EQ(entries, (std::vector<std::string>{"amp"}));
    keyDown(editor, VK_RETURN);
    PostMessageA(e.window, WM_COMMAND, kCloseTag, 0);      // </li>
    pause(200);
    PostMessageA(e.window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(waitFor([&] {
        return readFile(folder + "typed.html") == "<html><body><ul>\r\n<li class=\"\">a &amp;</li>";
    })) << readFile(folder + "typed.html");
}

TEST_F(HtmlSession, PopupOffersValuesStylePropertiesAndWords) {
    const auto typedOnLastLine = [&](const std::string& name, const std::string& bytes, const std::string& typed) {
        Editor e = open(name, bytes);
        EXPECT_TRUE(e.window);
        HWND editor = editorOf(e.window);
        PostMessageA(editor, WM_KEYDOWN, VK_NEXT, 1);
        keyDown(editor, VK_END);
        typeText(editor, typed);
        std::vector<std::string> entries = popupEntries(e.pid);
        closeEverything();
        return entries;
    };
    const auto has = [](const std::vector<std::string>& list, const char* entry) {
        return std::find(list.begin(), list.end(), entry) != list.end();
    };
    // After the quote of an attribute with a list of values: those values.
    std::vector<std::string> entries = typedOnLastLine("values.html", "<html><body>\r\n", "<p align=\"");
    EXPECT_TRUE(has(entries, "left") && has(entries, "center") && has(entries, "right")) << entries.size();
    // Inside style="": the style sheet's properties.
    entries = typedOnLastLine("style.html", "<html><body>\r\n", "<p style=\"col");
    EXPECT_TRUE(has(entries, "color")) << entries.size();
    // In the text: words of the document.
    entries = typedOnLastLine("words.html", "<html><body>\r\n<p>greeting grenade</p>\r\n", "gre");
    EXPECT_TRUE(has(entries, "greeting") && has(entries, "grenade")) << entries.size();
}

TEST_F(HtmlSession, CloseTagAndLineBreakCommands) {
    Editor e = open("tags.html", "<HTML><BODY>\r\n<P>one");
    ASSERT_TRUE(e.window);
    HWND editor = editorOf(e.window);
    PostMessageA(editor, WM_KEYDOWN, VK_NEXT, 1);
    keyDown(editor, VK_END);
    PostMessageA(e.window, WM_COMMAND, kLineBreakTag, 0);
    pause(200);
    PostMessageA(e.window, WM_COMMAND, kCloseTag, 0);
    pause(200);
    PostMessageA(e.window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(waitFor([&] { return readFile(folder + "tags.html") == "<HTML><BODY>\r\n<P>one<BR></P>"; }))
        << readFile(folder + "tags.html");
    PostMessageA(e.window, WM_CLOSE, 0, 0);
    // XHTML gets "<br />"; nothing where br is not allowed.
    Editor x = open("tags.xhtml", "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\r\n<html><body><p>a");
    HWND xe = editorOf(x.window);
    PostMessageA(xe, WM_KEYDOWN, VK_NEXT, 1);
    keyDown(xe, VK_END);
    PostMessageA(x.window, WM_COMMAND, kLineBreakTag, 0);
    typeText(xe, "</p><ul>");
    PostMessageA(x.window, WM_COMMAND, kLineBreakTag, 0);
    pause(200);
    PostMessageA(x.window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(waitFor([&] {
        return readFile(folder + "tags.xhtml") ==
               "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\r\n<html><body><p>a<br /></p><ul>";
    })) << readFile(folder + "tags.xhtml");
}

TEST_F(HtmlSession, ResultPaneLimitAndJump) {
    std::string many = "<html><body>\r\n";
    for (int i = 0; i < 600; ++i) many += "<blink>x</blink>\r\n";
    Editor e = open("many.html", many + "</body></html>\r\n");
    ASSERT_TRUE(e.window);
    const std::vector<std::string> lines = check(e);
    RECT pane{};
    GetWindowRect(childOfClass(e.window, "ListBox"), &pane);
    EXPECT_TRUE(IsWindowVisible(childOfClass(e.window, "ListBox")));   // F7 shows the pane
    EXPECT_GT(pane.bottom - pane.top, 20);
    ASSERT_EQ(lines.size(), 502u);
    EXPECT_NE(lines[0].find("    2"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[500], html_text::kTooManyMessages);
    EXPECT_EQ(lines[501], summary(500, 0));
    EXPECT_EQ(waitMessageBox(e.pid, 500), nullptr);   // the limit is no failure
    // A click on a result moves the caret to the start of its line (2): a typed mark shows it.
    HWND list = childOfClass(e.window, "ListBox");
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(e.window, WM_COMMAND, MAKEWPARAM(40002, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PostMessageA(editorOf(e.window), WM_CHAR, 'Z', 0);
    pause(100);
    PostMessageA(e.window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(waitFor([&] { return readFile(folder + "many.html").find("\r\nZ<blink>x</blink>\r\n") == 12; }))
        << readFile(folder + "many.html").substr(0, 40);
}

// The pane's lines once a check's summary arrived without F7 (empty when none came).
std::vector<std::string> automaticCheck(HWND main, DWORD timeoutMs) {
    std::vector<std::string> lines;
    waitFor([&] {
        HWND list = childOfClass(main, "ListBox");
        if (list == nullptr || !IsWindowVisible(list)) return false;
        lines = listItems(list);
        return !lines.empty() && lines.back().find(summary(0, 0).substr(0, 10)) == 0;
    }, timeoutMs);
    return lines;
}

TEST_F(HtmlSession, ChecksAfterLoadAndAfterSave) {
    // After a load only with its option (0x100); a page with a fault then shows the pane.
    MainSettings settings = MainSettings::defaults();
    settings.option_flags |= OptionFlag::kCheckOnOpen;
    ASSERT_TRUE(settings_store::saveMainSettings(settings));
    Editor loaded = open("load.html", kProbe);
    ASSERT_TRUE(loaded.window);
    EXPECT_EQ(automaticCheck(loaded.window, 8000).size(), 2u);
    closeEverything();

    // The default: no check after a load, one after a save (0x200).
    ASSERT_TRUE(settings_store::saveMainSettings(MainSettings::defaults()));
    Editor saved = open("save.html", kProbe);
    ASSERT_TRUE(saved.window);
    EXPECT_TRUE(automaticCheck(saved.window, 1500).empty());
    PostMessageA(editorOf(saved.window), WM_CHAR, ' ', 0);   // a change to save
    pause(100);
    PostMessageA(saved.window, WM_COMMAND, kSave, 0);
    EXPECT_EQ(automaticCheck(saved.window, 8000).size(), 2u);
}

TEST_F(HtmlSession, FailuresShowTheirBoxes) {
    // A copy of the program whose folder has a damaged map, no lint.dll and no keyword files.
    const std::string bin = workFolder("ulo_html_bin");
    ASSERT_TRUE(CopyFileA(programPath().c_str(), (bin + "ulo.exe").c_str(), FALSE));
    CreateDirectoryA((bin + "dtd").c_str(), nullptr);
    writeFile(bin + "dtd\\html401-loose.map", std::string("map\0broken", 10));
    DeleteFileA((bin + "lint.dll").c_str());
    Editor e = startProgram(bin + "ulo.exe", quoted(file("f.html", kProbe)), "QuorvaleUloMainWindowClass");
    ASSERT_TRUE(e.window);
    PostMessageA(e.window, WM_COMMAND, kGrammar, 0);
    const std::string text = answer(e.pid, IDOK);
    EXPECT_NE(text.find("html401-loose.map"), std::string::npos) << text;
    EXPECT_NE(text.find("\x82\xf0\x83\x8d\x81[\x83h\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1"), std::string::npos);
    // A missing keyword file keeps the type (F7 still checks as HTML, and fails on the map).
    PostMessageA(e.window, WM_COMMAND, kPerl, 0);
    std::string keyword = answer(e.pid, IDOK);
    EXPECT_NE(keyword.find("perl.kwd"), std::string::npos) << keyword;
    // HTML 5's map is missing too; with lint.dll missing a good map would give the check's box.
    ASSERT_TRUE(CopyFileA((pathBeside("dtd\\html5.map")).c_str(), (bin + "dtd\\html5.map").c_str(), FALSE));
    PostMessageA(e.window, WM_COMMAND, kHtml5, 0);
    PostMessageA(e.window, WM_COMMAND, kGrammar, 0);
    EXPECT_EQ(answer(e.pid, IDOK), html_text::kCheckFailed);
    // The next check binds again: with lint.dll back it runs.
    ASSERT_TRUE(CopyFileA(pathBeside("lint.dll").c_str(), (bin + "lint.dll").c_str(), FALSE));
    PostMessageA(e.window, WM_COMMAND, kGrammar, 0);
    EXPECT_TRUE(waitFor([&] {
        HWND list = childOfClass(e.window, "ListBox");
        return list != nullptr && listItems(list) == std::vector<std::string>{summary(0, 0)};
    }));
    PostMessageA(e.window, WM_CLOSE, 0, 0);
    waitExit(e);
}

TEST_F(HtmlSession, CharacterCount) {
    // 表 a b<TAB>c and a full-width blank: one full-width, three half-width.
    Editor e = open("count.txt", "\x95\x5C" "a b\tc\x81\x40");
    ASSERT_TRUE(e.window);
    // No selection yet: all 0.
    PostMessageA(e.window, WM_COMMAND, kCountChars, 0);
    char zero[256], four[256];
    std::snprintf(zero, sizeof zero, html_text::kCharacterCount, 0, 0, 0);
    std::snprintf(four, sizeof four, html_text::kCharacterCount, 4, 1, 3);
    EXPECT_EQ(answer(e.pid, IDOK), zero);
    PostMessageA(e.window, WM_COMMAND, 21210, 0);   // select all
    pause(200);
    PostMessageA(e.window, WM_COMMAND, kCountChars, 0);
    EXPECT_EQ(answer(e.pid, IDOK), four);
}

}  // namespace

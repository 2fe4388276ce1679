// The filter submenu, filter runs on the real editor control, companions and their failure boxes,
// in this process (the dialogs and boxes answered from the test thread).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "Companions.h"
#include "DocumentWriter.h"
#include "EditorLink.h"
#include "FilterMenu.h"
#include "FixedPhrases.h"
#include "LineRecord.h"
#include "SettingsNames.h"
#include "SettingsStore.h"
#include "Filters.h"
#include "QuorvaleMessages.h"
#include "SafeSave.h"
#include "TestDriver.h"
#include "UloNames.h"

namespace {

constexpr UINT kNotify = WM_APP + 7;
// "ulo_extension.dll が見つかりません。", "ulo_extension.dll のロードに失敗しました。"
const char kMissing[] =
    "ulo_extension.dll \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";
const char kLoadFailed[] =
    "ulo_extension.dll \x82\xcc\x83\x8d\x81[\x83h\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";
// "(なし)"
const char kPlaceholder[] = "(\x82\xc8\x82\xb5)";

int undoLimitNotices = 0;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kNotify && wParam == ECN_UNDOLIMIT) ++undoLimitNotices;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window holding a real editor control.
class EditorHost {
public:
    explicit EditorHost(uint32_t undoLimit) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = hostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FrameFeaturesTestHost";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        EditorCreation c;
        c.style = WS_CHILD | WS_VISIBLE;
        c.instance = wc.hInstance;
        c.parent = window_;
        c.notifyMessage = kNotify;
        c.fontFace =
            "\x82l\x82r \x83S\x83V\x83"
            "b\x83N";
        c.undoLimit = undoLimit;
        link_ = createEditorControl(c);
    }
    ~EditorHost() {
        if (window_) DestroyWindow(window_);
        if (link_) link_->release();
    }
    HWND owner() const { return window_; }
    HWND editor() const { return link_ ? link_->window() : nullptr; }
    LRESULT request(uint32_t code, const void* argument = nullptr) const {
        return SendMessageA(editor(), EC_REQUEST, code, reinterpret_cast<LPARAM>(argument));
    }
    void setText(const std::string& text) {
        request(EC_RESET, reinterpret_cast<const void*>(static_cast<uintptr_t>(TextEncoding::ShiftJis)));
        request(EC_INSERTTEXT, text.c_str());
    }
    // The whole text, lines joined by CR LF.
    std::string text() const {
        std::string all;
        LineIterator line{};
        LRESULT more = request(EC_FIRSTLINE, &line);
        while (more) {
            all.append(reinterpret_cast<const char*>(line.text), line.length);
            if (line.lineEnd) all += "\r\n";
            more = request(EC_NEXTLINE, &line);
        }
        return all;
    }

    // Writes the text to `path` as the editor saves a document: through a temporary file, line by
    // line in the document's code and line end.
    SaveResult save(const char* path) const {
        return saveSafely(path, [this](std::FILE* stream) {
            LineIterator it{};
            for (LRESULT more = request(EC_FIRSTLINE, &it); more; more = request(EC_NEXTLINE, &it)) {
                LineRecord line;
                line.text = const_cast<uint8_t*>(it.text);
                line.length = it.length;
                if (!DocumentWriter::writeLine(link_->encoding(), line, stream)) return false;
                if (it.lineEnd && !DocumentWriter::writeLineEnd(link_->encoding(), link_->lineEnd(), stream))
                    return false;
            }
            return true;
        });
    }

private:
    HWND window_ = nullptr;
    EditorLink* link_ = nullptr;
};

std::string fileBytes(const char* path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path, "rb")) {
        char buffer[1 << 16];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, got);
        std::fclose(f);
    }
    return bytes;
}

HMENU placeholderMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 1, kPlaceholder);
    return menu;
}

std::string itemText(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// Opens the submenu on a worker thread and answers the error box expected there.
std::string openExpectingBox(FilterMenu& menu, HMENU submenu) {
    std::thread worker([&] { menu.submenuOpening(nullptr, submenu); });
    const std::string text = ulo_e2e::answerDialog(GetCurrentProcessId(), ulo_names::kEditorCaption, IDOK);
    worker.join();
    return text;
}

}  // namespace

TEST(FilterSubmenu, BuiltOnceFromTheLibraryList) {
    FilterMenu menu;
    HMENU submenu = placeholderMenu();
    menu.submenuOpening(nullptr, submenu);
    ASSERT_TRUE(menu.built());
    ASSERT_EQ(GetMenuItemCount(submenu), 30);
    EXPECT_EQ(GetMenuItemID(submenu, 0), 50100u);
    EXPECT_EQ(itemText(submenu, 0), "a \x81\xa8 A");
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoA(submenu, 2, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_EQ(info.wID, 0u);  // a separator is never a command
    EXPECT_EQ(itemText(submenu, 3),
              "\x91S\x8ap \x81\xa8 \x94\xbc\x8ap\t(\x89p\x90\x94\x8e\x9a, \x8bL\x8d\x86)");
    EXPECT_EQ(GetMenuItemID(submenu, 29), 50701u);
    int separators = 0;
    for (int i = 0; i < 30; ++i) separators += GetMenuItemID(submenu, i) == 0;
    EXPECT_EQ(separators, 9);
    menu.submenuOpening(nullptr, submenu);  // already built: nothing added
    EXPECT_EQ(GetMenuItemCount(submenu), 30);
    DestroyMenu(submenu);
}

TEST(FilterSubmenu, MissingLibraryIsReportedAndRetried) {
    FilterMenu menu(ulo_e2e::workFolder("ulo_filter_missing") + "ulo_extension.dll");
    HMENU submenu = placeholderMenu();
    EXPECT_EQ(openExpectingBox(menu, submenu), kMissing);
    EXPECT_EQ(itemText(submenu, 0), kPlaceholder);
    EXPECT_EQ(openExpectingBox(menu, submenu), kMissing);  // tried again at the next opening
    EXPECT_FALSE(menu.built());
    DestroyMenu(submenu);
}

TEST(FilterSubmenu, LibraryWithoutTheListExportIsReported) {
    FilterMenu menu(ulo_e2e::pathBeside("filter_stub.dll"));
    HMENU submenu = placeholderMenu();
    EXPECT_EQ(openExpectingBox(menu, submenu), kLoadFailed);
    EXPECT_EQ(GetMenuItemCount(submenu), 1);
    EXPECT_EQ(menu.run(nullptr, nullptr, 50100, 4), 0);
    DestroyMenu(submenu);
}

TEST(FilterRun, ReplacesTheSelectionAsOneUndoStep) {
    EditorHost host(64u << 20);
    ASSERT_NE(host.editor(), nullptr);
    FilterMenu menu;
    HMENU submenu = placeholderMenu();
    menu.submenuOpening(host.owner(), submenu);
    host.setText("abc\r\ndef \x83\x41");
    EXPECT_EQ(menu.run(host.owner(), host.editor(), 50100, 4), 0);  // no selection: nothing
    host.request(EC_SELECTALL);
    EXPECT_EQ(menu.run(host.owner(), host.editor(), 50100, 4), 1);
    EXPECT_EQ(host.text(), "ABC\r\nDEF \x83\x41");
    // An allocating filter, and an extraction that finds nothing empties the selection.
    host.request(EC_SELECTALL);
    EXPECT_EQ(menu.run(host.owner(), host.editor(), 50501, 4), 0);  // nothing to escape
    EXPECT_EQ(menu.run(host.owner(), host.editor(), 50611, 4), 1);
    EXPECT_EQ(host.text(), "");
    EXPECT_EQ(host.request(EC_UNDO), 1);
    EXPECT_EQ(host.text(), "ABC\r\nDEF \x83\x41");
    EXPECT_EQ(host.request(EC_UNDO), 1);
    EXPECT_EQ(host.text(), "abc\r\ndef \x83\x41");
    DestroyMenu(submenu);
}

TEST(FilterRun, TenMegabytesFilteredAndUndone) {
    std::string text;
    while (text.size() < 10u << 20) text += "line \x95\x5c abc xyz \x83\x41\r\n";
    // The portable filter's result on the same bytes.
    std::string expected = text;
    FilterRequest r{};
    r.input = &expected[0];
    r.input_length = static_cast<uint32_t>(expected.size());
    r.tab_width = 4;
    class NoUi : public ulo_filters::FilterUi {
        void showNoLines(void*) override {}
        bool askInsertString(void*, std::string&) override { return false; }
        bool askReplacement(void*, const ulo_filters::ReplaceProbe&, std::string&, std::string&) override {
            return false;
        }
        void showReplacedCount(void*, int) override {}
    } ui;
    ASSERT_TRUE(ulo_filters::executeFilter(100, r, ui));
    expected.resize(r.output_length);

    {
        EditorHost host(64u << 20);
        FilterMenu menu;
        HMENU submenu = placeholderMenu();
        menu.submenuOpening(host.owner(), submenu);
        host.setText(text);
        host.request(EC_SELECTALL);
        ASSERT_EQ(menu.run(host.owner(), host.editor(), 50100, 4), 1);
        EXPECT_TRUE(host.text() == expected);
        // Saved, the file holds exactly the filter's result.
        char folder[MAX_PATH], path[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "ulo", 0, path);
        ASSERT_EQ(host.save(path), SaveResult::Saved);
        const std::string saved = fileBytes(path);
        DeleteFileA(path);
        EXPECT_EQ(saved.size(), expected.size());
        EXPECT_TRUE(saved == expected) << "the saved file differs from the filter's result";
        EXPECT_EQ(host.request(EC_UNDO), 1);
        EXPECT_TRUE(host.text() == text);
        DestroyMenu(submenu);
    }
    {
        // With an undo buffer smaller than the step the undo cannot be done.
        EditorHost host(8u << 20);
        FilterMenu menu;
        HMENU submenu = placeholderMenu();
        menu.submenuOpening(host.owner(), submenu);
        host.setText(text);
        host.request(EC_SELECTALL);
        ASSERT_EQ(menu.run(host.owner(), host.editor(), 50100, 4), 1);
        undoLimitNotices = 0;
        const LRESULT undone = host.request(EC_UNDO);
        ulo_e2e::pause(50);
        const std::string after = host.text();
        EXPECT_TRUE(after == expected) << "the undo was done, or done by half";
        // The step does not fit into the journal: nothing is undone and the text stays whole.
        EXPECT_EQ(undone, 0);
        DestroyMenu(submenu);
    }
}

TEST(CompanionPrograms, CommandsAndTheirPrograms) {
    EXPECT_STREQ(Companions::programFor(29007), "ulo_conf.exe");
    EXPECT_STREQ(Companions::programFor(21459), "browserpick.exe");
    EXPECT_STREQ(Companions::programFor(21480), "phrasedit.exe");
    EXPECT_EQ(Companions::programFor(21000), nullptr);
}

TEST(CompanionPrograms, StartedFromTheProgramFolderWithTheBareNameWithoutWaiting) {
    const std::string folder = ulo_e2e::workFolder("ulo_companions");
    DeleteFileA((folder + "recorded.txt").c_str());
    ASSERT_TRUE(CopyFileA(ulo_e2e::pathBeside("companion_recorder.exe").c_str(),
                          (folder + "ulo_conf.exe").c_str(), FALSE));
    Companions companions(folder);
    EXPECT_EQ(companions.start(nullptr, 29007), 1);
    std::string recorded = ulo_e2e::readFile(folder + "recorded.txt");
    for (int i = 0; i < 200 && recorded == "<missing>"; ++i) {
        ulo_e2e::pause(25);
        recorded = ulo_e2e::readFile(folder + "recorded.txt");
    }
    EXPECT_EQ(recorded, "ulo_conf.exe");
}

TEST(CompanionPrograms, MissingProgramGetsItsBoxAndADecoyIsNotStarted) {
    const std::string folder = ulo_e2e::workFolder("ulo_companions_empty");
    const std::string decoys = ulo_e2e::workFolder("ulo_companion_decoy");
    DeleteFileA((decoys + "recorded.txt").c_str());
    ASSERT_TRUE(CopyFileA(ulo_e2e::pathBeside("companion_recorder.exe").c_str(),
                          (decoys + "phrasedit.exe").c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(decoys.c_str());
    Companions companions(folder);
    int answer = -1;
    std::thread worker([&] { answer = companions.start(nullptr, 21480); });
    const std::string box = ulo_e2e::answerDialog(GetCurrentProcessId(), ulo_names::kEditorCaption, IDOK);
    worker.join();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(box,
              "phrasedit.exe \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81"
              "B");
    ulo_e2e::pause(200);
    EXPECT_EQ(ulo_e2e::readFile(decoys + "recorded.txt"), "<missing>");
}

namespace {

void removePhrase(unsigned digit) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, ("template" + std::to_string(digit)).c_str());
        RegCloseKey(key);
    }
}

}  // namespace

TEST(FixedPhraseInsertion, PlaceholdersDoubledMarkersAndUndo) {
    EditorHost host(64u << 20);
    FixedPhrases phrases;
    ASSERT_TRUE(settings_store::savePhrase(9, "<p>$selected_text$</p>"));
    host.setText("abc");
    host.request(EC_SELECTALL);
    EXPECT_EQ(phrases.insert(host.editor(), 21470), 1);
    EXPECT_EQ(host.text(), "<p>abc</p>");
    // The value is read at each insertion.
    ASSERT_TRUE(settings_store::savePhrase(9, "$$selected_text$$"));
    host.setText("zz");
    host.request(EC_SELECTALL);
    EXPECT_EQ(phrases.insert(host.editor(), 21470), 1);
    EXPECT_EQ(host.text(), "$selected_text$");
    ASSERT_TRUE(settings_store::savePhrase(9, "[$selected_text$|$selected_text$]"));
    host.setText("a\r\nb");
    host.request(EC_SELECTALL);
    EXPECT_EQ(phrases.insert(host.editor(), 21470), 1);
    EXPECT_EQ(host.text(), "[a\r\nb|a\r\nb]");
    EXPECT_EQ(host.request(EC_UNDO), 1);
    EXPECT_EQ(host.text(), "a\r\nb");
    // Without a selection the tags go in with nothing between them.
    ASSERT_TRUE(settings_store::savePhrase(9, "<p>$selected_text$</p>"));
    host.setText("");
    EXPECT_EQ(phrases.insert(host.editor(), 21470), 1);
    EXPECT_EQ(host.text(), "<p></p>");
    removePhrase(9);
    host.setText("keep");
    host.request(EC_SELECTALL);
    EXPECT_EQ(phrases.insert(host.editor(), 21470), 0);  // a missing value inserts nothing
    EXPECT_EQ(host.text(), "keep");
    EXPECT_EQ(phrases.insert(host.editor(), 21471), 0);
}

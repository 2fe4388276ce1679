// ulo_extension.dll under Wine, loaded by name: its exports, the list, the calling protocol and the
// dialogs, answered from the test thread while a worker thread runs the filter.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "../../ExtensionResource.h"
#include "../../FilterApi.h"

namespace {

// "文字列を挿入", "改行を含む置換", "置換", "選択範囲を変換", "選択範囲に行が含まれません",
// "マッチしません", "3 件、置換しました。"
const char kStringCaption[] = "\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x91}\x93\xfc";
const char kReplaceDialogCaption[] = "\x89\xfc\x8ds\x82\xf0\x8a\xdc\x82\xde\x92u\x8a\xb7";
const char kReplaceCaption[] = "\x92u\x8a\xb7";
const char kConvertCaption[] = "\x91I\x91\xf0\x94\xcd\x88\xcd\x82\xf0\x95\xcf\x8a\xb7";
const char kNoLines[] =
    "\x91I\x91\xf0\x94\xcd\x88\xcd\x82\xc9\x8ds\x82\xaa\x8a\xdc\x82\xdc\x82\xea\x82\xdc\x82\xb9\x82\xf1";
const char kNoMatch[] =
    "\x83}\x83"
    "b\x83`\x82\xb5\x82\xdc\x82\xb9\x82\xf1";
const char kThreeReplaced[] =
    "3 \x8c\x8f\x81"
    "A\x92u\x8a\xb7\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";

class ExtensionDll : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA(ulo_filter_api::kLibraryName);
        ASSERT_NE(module_, nullptr) << GetLastError();
        list_ = reinterpret_cast<ulo_filter_api::GetFilterListFn>(
            reinterpret_cast<void*>(GetProcAddress(module_, ulo_filter_api::kGetFilterList)));
        execute_ = reinterpret_cast<ulo_filter_api::ExecuteFilterFn>(
            reinterpret_cast<void*>(GetProcAddress(module_, ulo_filter_api::kExecuteFilter)));
        ASSERT_NE(list_, nullptr);
        ASSERT_NE(execute_, nullptr);
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    HMODULE module_ = nullptr;
    ulo_filter_api::GetFilterListFn list_ = nullptr;
    ulo_filter_api::ExecuteFilterFn execute_ = nullptr;
};

// The editor's side of one run: a request over a copy of text, the second call when needed.
struct FilterRun {
    std::string input;
    std::vector<char> buffer;
    FilterRequest request{};
    bool done = false;
    std::string result;

    explicit FilterRun(const std::string& text) : input(text), buffer(text.begin(), text.end()) {
        buffer.push_back('\0');
        request.input = buffer.data();
        request.input_length = static_cast<uint32_t>(text.size());
        request.prefix = "";
        request.tab_width = 4;
    }
    void operator()(ulo_filter_api::ExecuteFilterFn execute, uint32_t id) {
        done = execute(id, &request);
        if (done) result.assign(request.output, request.output_length);
        if (done && request.output != request.input) {
            execute(id, &request);
        }
    }
};

// Waits (up to 10 s) for a top-level dialog of this process with the caption.
HWND waitForDialog(const char* caption) {
    for (int i = 0; i < 500; ++i) {
        HWND window = FindWindowA("#32770", caption);
        if (window && IsWindowVisible(window)) return window;
        Sleep(20);
    }
    return nullptr;
}

std::string textOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The text of a message box (its static control).
std::string messageText(HWND box) {
    HWND child = nullptr;
    while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr) {
        std::string text = textOf(child);
        if (!text.empty()) return text;
    }
    return "";
}

void type(HWND edit, const char* text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

}  // namespace

TEST_F(ExtensionDll, ExportsExactlyTheTwoFunctions) {
    auto* base = reinterpret_cast<const unsigned char*>(module_);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(exports->NumberOfFunctions, 2u);
    ASSERT_EQ(exports->NumberOfNames, 2u);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + names[0]), "ULO_API_ExecuteFilter");
    EXPECT_STREQ(reinterpret_cast<const char*>(base + names[1]), "ULO_API_GetFilterList");
}

TEST_F(ExtensionDll, ListHasThirtyEntriesWithNineSeparators) {
    const FilterEntry* entries = nullptr;
    EXPECT_EQ(list_(&entries), 28637);
    ASSERT_NE(entries, nullptr);
    int count = 0, separators = 0;
    for (; entries[count].filter_id != 0; ++count) {
        if (!entries[count].label) {
            EXPECT_EQ(entries[count].filter_id, 1u);
            ++separators;
        }
    }
    EXPECT_EQ(count, 30);
    EXPECT_EQ(separators, 9);
    EXPECT_EQ(entries[0].filter_id, 100u);
    EXPECT_STREQ(entries[0].label, "a \x81\xa8 A");
    EXPECT_EQ(entries[29].filter_id, 701u);
}

TEST_F(ExtensionDll, InPlaceRunsOnceAllocatedRunsTwice) {
    FilterRun upper("abc\x83\x41");
    upper(execute_, 100);
    EXPECT_TRUE(upper.done);
    EXPECT_EQ(upper.request.output, upper.request.input);
    EXPECT_EQ(upper.result, "ABC\x83\x41");
    FilterRun escape("<&>");
    escape(execute_, 501);
    EXPECT_EQ(escape.result, "&lt;&amp;&gt;");
    EXPECT_EQ(escape.request.output, nullptr);  // freed by the second call
    FilterRun none("nothing");
    none(execute_, 611);
    EXPECT_TRUE(none.done);
    EXPECT_EQ(none.result, "");
    EXPECT_EQ(none.request.output, nullptr);
    EXPECT_FALSE(execute_(100, nullptr));
}

TEST_F(ExtensionDll, InsertStringDialogFromTheLibrary) {
    FilterRun run("a\r\nb\r\n");
    std::thread worker([&] { run(execute_, 310); });
    HWND dialog = waitForDialog(kStringCaption);
    ASSERT_NE(dialog, nullptr);
    type(GetDlgItem(dialog, IDC_STRING_EDIT), "> ");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    worker.join();
    EXPECT_TRUE(run.done);
    EXPECT_EQ(run.result, "> a\r\n> b\r\n");

    FilterRun cancelled("a\r\nb");
    std::thread second([&] { cancelled(execute_, 311); });
    dialog = waitForDialog(kStringCaption);
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    second.join();
    EXPECT_FALSE(cancelled.done);
}

TEST_F(ExtensionDll, NoLinesIsReportedInAnErrorBox) {
    FilterRun run("abc");
    run.request.prefix = "x";
    run.request.prefix_length = 1;
    std::thread worker([&] { run(execute_, 310); });
    HWND box = waitForDialog(kConvertCaption);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageText(box), kNoLines);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    worker.join();
    EXPECT_FALSE(run.done);
}

TEST_F(ExtensionDll, ReplaceDialogFollowsTheSearchTextAndReportsTheCount) {
    FilterRun run("a\r\nb\r\nc\r\nd");
    std::thread worker([&] { run(execute_, 701); });
    HWND dialog = waitForDialog(kReplaceDialogCaption);
    ASSERT_NE(dialog, nullptr);
    HWND button = GetDlgItem(dialog, IDC_REPLACE_BUTTON);
    EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_EQ(
        textOf(GetDlgItem(dialog, IDC_REPLACE_NOTE)),
        "\\n\x82\xf0\x89\xfc\x8ds, \\t\x82\xf0\x83^\x83u\x82\xc6\x82\xdd\x82\xc8\x82\xb5\x82\xdc\x82\xb7");
    type(GetDlgItem(dialog, IDC_SEARCH_EDIT), "zz");
    EXPECT_EQ(textOf(GetDlgItem(dialog, IDC_REPLACE_NOTE)), kNoMatch);
    EXPECT_FALSE(IsWindowEnabled(button));
    type(GetDlgItem(dialog, IDC_SEARCH_EDIT), "\\n");
    EXPECT_EQ(textOf(GetDlgItem(dialog, IDC_REPLACE_NOTE)), "");
    EXPECT_TRUE(IsWindowEnabled(button));
    type(GetDlgItem(dialog, IDC_SEARCH_EDIT), "");
    EXPECT_FALSE(IsWindowEnabled(button));  // an empty search text finds nothing
    type(GetDlgItem(dialog, IDC_SEARCH_EDIT), "\\n");
    type(GetDlgItem(dialog, IDC_REPLACE_EDIT), ",");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_REPLACE_BUTTON, BN_CLICKED), 0);
    HWND box = waitForDialog(kReplaceCaption);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageText(box), kThreeReplaced);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    worker.join();
    EXPECT_TRUE(run.done);
    EXPECT_EQ(run.result, "a,b,c,d");
}

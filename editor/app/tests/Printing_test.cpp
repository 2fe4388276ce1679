// Printing under Wine with a test printer of our own (the PostScript driver writing to a file
// port): the pages drawn into metafiles and read back as text records, and the print dialog
// answered from the test thread.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <atomic>
#include <thread>
#include <vector>

#include "EditorLink.h"
#include "Printing.h"
#include "QuorvaleMessages.h"
#include "TestDriver.h"
#include "TestPrinter.h"

namespace {

// "印刷"
const char kPrintCaption[] = "\x88\xf3\x8d\xfc";
// "ＭＳ ゴシック"
const char kFontFace[] =
    "\x82l\x82r \x83S\x83V\x83"
    "b\x83N";

TestPrinter printer;
bool printerReady = false;

class PrintingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { printerReady = printer.install(); }
    static void TearDownTestSuite() { printer.remove(); }
    void SetUp() override { ASSERT_TRUE(printerReady) << "the test printer could not be installed"; }
};

struct TextRecord {
    int x, y;
    std::string text;  // Shift_JIS
};

int CALLBACK collectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM context) {
    if (record->iType == EMR_EXTTEXTOUTW) {
        auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const wchar_t* chars =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        char sjis[1024] = {};
        const int n = WideCharToMultiByte(932, 0, chars, static_cast<int>(text->emrtext.nChars), sjis,
                                          sizeof sjis, nullptr, nullptr);
        reinterpret_cast<std::vector<TextRecord>*>(context)->push_back(
            {text->emrtext.ptlReference.x, text->emrtext.ptlReference.y, std::string(sjis, n)});
    }
    return 1;
}

// One page drawn into a metafile made with the printer's DC as reference; its text records.
std::vector<TextRecord> drawnText(HDC reference, int fontPoints, const PrintPage& page) {
    HDC meta = CreateEnhMetaFileA(reference, nullptr, nullptr, nullptr);
    HFONT font = Printing::createFont(reference, fontPoints);
    HGDIOBJ old = SelectObject(meta, font);
    Printing::drawPage(meta, page);
    SelectObject(meta, old);
    DeleteObject(font);
    HENHMETAFILE file = CloseEnhMetaFile(meta);
    std::vector<TextRecord> records;
    EnumEnhMetaFile(nullptr, file, collectText, &records, nullptr);
    DeleteEnhMetaFile(file);
    return records;
}

// A top-level window with a real editor control holding text.
struct EditorWithText {
    HWND parent = nullptr;
    EditorLink* link = nullptr;
    explicit EditorWithText(const std::string& text) {
        parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        EditorCreation c;
        c.style = WS_CHILD;
        c.instance = GetModuleHandleA(nullptr);
        c.parent = parent;
        c.notifyMessage = WM_APP + 1;
        c.fontFace = kFontFace;
        link = createEditorControl(c);
        SendMessageA(link->window(), EC_REQUEST, EC_RESET, static_cast<LPARAM>(TextEncoding::ShiftJis));
        SendMessageA(link->window(), EC_REQUEST, EC_INSERTTEXT, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ~EditorWithText() {
        DestroyWindow(parent);
        link->release();
    }
    HWND editor() const { return link->window(); }
};

std::string manyLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\tx\x95\x5c\r\n";
    return text;
}

// The print dialog runs on a worker thread while this thread owns the editor: it keeps
// answering the editor's messages while it waits.
HWND waitPrintDialog() {
    for (int i = 0; i < 500; ++i) {
        HWND dialog = FindWindowA("#32770", kPrintCaption);
        if (dialog && IsWindowVisible(dialog)) return dialog;
        ulo_e2e::pause(20);
    }
    return nullptr;
}

void joinPumping(std::thread& worker, const std::atomic<bool>& finished) {
    while (!finished) ulo_e2e::pause(20);
    worker.join();
}

int countOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

}  // namespace

TEST_F(PrintingTest, PagesDrawnAsRowsAndFootersAtTheirPlaces) {
    HDC dc = CreateDCA("WINSPOOL", kPrinter, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    HFONT font = Printing::createFont(dc, 10);
    HGDIOBJ old = SelectObject(dc, font);
    EditorWithText doc(manyLines(150));
    const std::vector<PrintPage> pages = Printing::layout(dc, doc.editor());
    const SIZE cell = Printing::cellSize(dc);
    SelectObject(dc, old);
    DeleteObject(font);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_GT(cell.cx, 0);
    const PrintMargins margins = printMargins(Printing::deviceOf(dc));
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::vector<TextRecord> records = drawnText(dc, 10, pages[p]);
        size_t drawn = 0;  // an empty row (the empty last line) draws nothing
        for (const PrintRow& row : pages[p].rows) drawn += !row.text.empty();
        ASSERT_EQ(records.size(), drawn + 1) << "rows and the footer of page " << p + 1;
        EXPECT_EQ(records[0].x, margins.left);
        EXPECT_EQ(records[0].y, margins.top);
        // Tabs are blank cells, never a TAB glyph.
        EXPECT_EQ(records[0].text.find('\t'), std::string::npos);
        const TextRecord& footer = records.back();
        EXPECT_EQ(footer.text, "- " + std::to_string(p + 1) + " -");
        EXPECT_EQ(footer.y, pages[p].footer.y);
    }
    const std::vector<TextRecord> first = drawnText(dc, 10, pages[0]);
    EXPECT_EQ(first[0].text, "line 0  x\x95\x5c");
    EXPECT_EQ(first[1].y - first[0].y, cell.cy);
    DeleteDC(dc);
}

TEST_F(PrintingTest, OnePageDocumentHasNoFooter) {
    HDC dc = CreateDCA("WINSPOOL", kPrinter, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    HFONT font = Printing::createFont(dc, 10);
    HGDIOBJ old = SelectObject(dc, font);
    EditorWithText doc("one\r\n\r\nthree");
    const std::vector<PrintPage> pages = Printing::layout(dc, doc.editor());
    SelectObject(dc, old);
    DeleteObject(font);
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<TextRecord> records = drawnText(dc, 10, pages[0]);
    ASSERT_EQ(records.size(), 2u);  // the empty line takes a row but draws nothing
    EXPECT_EQ(records[1].text, "three");
    DeleteDC(dc);
}

TEST_F(PrintingTest, DialogOkPrintsOnePostScriptPagePerLayoutPage) {
    EditorWithText doc(manyLines(150));
    Printing printing;
    int answer = -1;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        answer = printing.print(doc.parent, doc.editor(), 10, "notes.txt");
        finished = true;
    });
    const HWND dialog = waitPrintDialog();
    EXPECT_NE(dialog, nullptr);
    // Without the dialog the worker is ended by the test's time-out; with it, it is answered.
    if (dialog) ulo_e2e::press(dialog, IDOK);
    joinPumping(worker, finished);
    EXPECT_EQ(answer, 1);
    std::string ps = ulo_e2e::readFile(printer.output());
    for (int i = 0; i < 100 && ps.find("%%EOF") == std::string::npos; ++i) {
        ulo_e2e::pause(50);
        ps = ulo_e2e::readFile(printer.output());
    }
    EXPECT_NE(ps.find("%%Title: notes.txt"), std::string::npos);
    HDC dc = CreateDCA("WINSPOOL", kPrinter, nullptr, nullptr);
    HFONT font = Printing::createFont(dc, 10);
    HGDIOBJ old = SelectObject(dc, font);
    const size_t pages = Printing::layout(dc, doc.editor()).size();
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_EQ(countOf(ps, "%%Page: "), static_cast<int>(pages));
}

TEST_F(PrintingTest, DialogCancelPrintsNothing) {
    DeleteFileA(printer.output().c_str());
    EditorWithText doc("text");
    Printing printing;
    int answer = -1;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        answer = printing.print(doc.parent, doc.editor(), 10, nullptr);
        finished = true;
    });
    const HWND dialog = waitPrintDialog();
    EXPECT_NE(dialog, nullptr);
    // Without the dialog the worker is ended by the test's time-out; with it, it is answered.
    if (dialog) ulo_e2e::press(dialog, IDCANCEL);
    joinPumping(worker, finished);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(GetFileAttributesA(printer.output().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PrintingPages, ADocumentThatCannotStartPrintsNothing) {
    // A memory device context is no printer: StartDocA fails and nothing is drawn.
    HDC memory = CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    PrintPage page;
    page.rows.push_back(PrintRow{10, 10, "x"});
    EXPECT_FALSE(Printing::printPages(memory, "never.txt", {page}));
    DeleteDC(memory);
}

// Window tests of the control's message interface: the load sequence in every encoding read back
// line by line, clipboard, undo / redo, find, list, replace, and the notifications the parent gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlTestHost.h"
#include "FindRequestTest.h"
#include "InputTestHost.h"
#include "SearchIF_Simple.h"

using namespace input_test;
using Lines = std::vector<std::string>;

namespace {

#define BYTES(s) std::string(s, sizeof(s) - 1)

struct Encoded {
    TextEncoding encoding;
    std::string image;
};

// "表示ア" CR LF "abc" CR LF "end" in each file code.
std::vector<Encoded> images() {
    return {
        {TextEncoding::ShiftJis, BYTES("\x95\x5c\x8e\xa6\x83\x41\x0d\x0a\x61\x62\x63\x0d\x0a\x65\x6e\x64")},
        {TextEncoding::Jis, BYTES("\x1b\x24\x42\x49\x3d\x3c\x28\x25\x22\x1b\x28\x42\x0d\x0a\x61\x62\x63\x0d\x0a\x65\x6e\x64")},
        {TextEncoding::EucJp, BYTES("\xc9\xbd\xbc\xa8\xa5\xa2\x0d\x0a\x61\x62\x63\x0d\x0a\x65\x6e\x64")},
        {TextEncoding::Utf8, BYTES("\xe8\xa1\xa8\xe7\xa4\xba\xe3\x82\xa2\x0d\x0a\x61\x62\x63\x0d\x0a\x65\x6e\x64")},
        {TextEncoding::Utf16Le, BYTES("\x68\x88\x3a\x79\xa2\x30\x0d\x00\x0a\x00\x61\x00\x62\x00\x63\x00\x0d\x00\x0a"
                                      "\x00\x65\x00\x6e\x00\x64\x00")},
    };
}

const Lines expectedLines{"\x95\x5c\x8e\xa6\x83\x41", "abc", "end"};

class Requests : public ControlTest {
protected:
    SearchIF_Simple search;

    void SetUp() override {
        q = createControl(host);
        ASSERT_NE(q, nullptr);
    }
    FindRequest findRequest(const char* pattern, uint32_t flags = 0) {
        return find_test::findRequest(search, pattern, flags);
    }
    void select(int32_t line, uint32_t from, uint32_t to) {
        CaretState at{line, nullptr, from, 0};
        request(q, EC_SETCARET, &at);
        Keys shift{VK_SHIFT};
        for (uint32_t i = from; i < to; ++i) key(q, VK_RIGHT);
    }
};

}  // namespace

TEST_F(Requests, LoadsEveryEncodingAndReadsItBackLineByLine) {
    for (Encoded& e : images()) {
        for (bool detect : {false, true}) {
            if (detect && e.encoding == TextEncoding::Utf16Le) continue;   // never detected
            SCOPED_TRACE(static_cast<int>(e.encoding) * 10 + detect);
            image = e.image;
            ASSERT_TRUE(load(q, image, detect ? TextEncoding::Auto : e.encoding));
            EXPECT_EQ(lines(q), expectedLines);
            EXPECT_EQ(q->encoding(), e.encoding);
            LineIterator it{};
            ASSERT_EQ(request(q, EC_FIRSTLINE, &it), 1);
            EXPECT_EQ(it.lineEnd, 3u);
            ASSERT_EQ(request(q, EC_NEXTLINE, &it), 1);
            ASSERT_EQ(request(q, EC_NEXTLINE, &it), 1);
            EXPECT_EQ(it.lineEnd, 0u);
            const LineIterator last = it;
            EXPECT_EQ(request(q, EC_NEXTLINE, &it), 0);   // after the last: unchanged
            EXPECT_EQ(it.handle, last.handle);
            EXPECT_EQ(it.text, last.text);
        }
    }
    // Mixed line ends are posted while converting; the frame hears of them after the request.
    image = "a\r\nb\nc\nd";
    host.clear();
    ASSERT_TRUE(load(q, image, TextEncoding::ShiftJis));
    EXPECT_EQ(host.count(ECN_MIXEDLINEENDS), 0);
    pump();
    ASSERT_EQ(host.count(ECN_MIXEDLINEENDS), 1);
    EXPECT_TRUE(host.last(ECN_MIXEDLINEENDS)->posted);
    // Reset gives one empty line.
    request(q, EC_RESET, 1);
    request(q, EC_CONVERT);
    request(q, EC_LOADDONE);
    EXPECT_EQ(lines(q), (Lines{""}));
    EXPECT_EQ(request(q, EC_CANUNDO), 0);
}

TEST_F(Requests, InsertDeleteUndoRedoWithTheirNotifications) {
    loadText("ab");
    request(q, EC_INSERTTEXT, "");
    pump();
    EXPECT_TRUE(host.notes.empty());   // an empty text changes nothing and sends nothing
    ASSERT_EQ(request(q, EC_INSERTTEXT, "x\r\ny"), 1);
    EXPECT_EQ(lines(q), (Lines{"x", "yab"}));
    ASSERT_EQ(host.count(ECN_CHANGED), 1);
    const Note changed = *host.last(ECN_CHANGED);
    EXPECT_FALSE(changed.posted);
    EXPECT_EQ(changed.lParam, 1);
    pump();
    const Note* moved = host.last(ECN_CARETMOVED);
    ASSERT_NE(moved, nullptr);
    EXPECT_TRUE(moved->posted);
    EXPECT_EQ(moved->caret[0], 2);
    EXPECT_EQ(moved->caret[1], 2);
    EXPECT_EQ(request(q, EC_CANUNDO), 1);
    EXPECT_EQ(request(q, EC_CANREDO), 0);
    EXPECT_EQ(request(q, EC_NOTATEND), 1);
    host.clear();
    ASSERT_EQ(request(q, EC_UNDO), 1);
    EXPECT_EQ(lines(q), (Lines{"ab"}));
    EXPECT_EQ(host.last(ECN_CHANGED)->lParam, 0);   // back to the loaded state's identifier
    ASSERT_EQ(request(q, EC_REDO), 1);
    EXPECT_EQ(lines(q), (Lines{"x", "yab"}));
    EXPECT_EQ(host.last(ECN_CHANGED)->lParam, 1);
    EXPECT_EQ(request(q, EC_REDO), 0);
    // Raw insertion, deletion both ways, deleting a line.
    ASSERT_EQ(request(q, EC_INSERTRAW, "\x95\x5c"), 1);   // 表
    EXPECT_EQ(lines(q), (Lines{"x", "y\x95\x5c" "ab"}));
    request(q, EC_DELETE, 1);
    EXPECT_EQ(lines(q), (Lines{"x", "yab"}));
    request(q, EC_DELETE, 0);
    EXPECT_EQ(lines(q), (Lines{"x", "yb"}));
    request(q, EC_DELETELINE);
    EXPECT_EQ(lines(q), (Lines{"x", ""}));
}

TEST_F(Requests, SelectionRequestsAndTheClipboard) {
    loadText("one two\r\nthree");
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
    EXPECT_EQ(request(q, EC_COPY), 0);   // nothing selected
    host.clear();
    request(q, EC_SELECTALL);
    pump();
    EXPECT_EQ(request(q, EC_HASSELECTION), 1);
    EXPECT_EQ(request(q, EC_HASSELECTION_ALT), 1);
    const Note* sel = host.last(ECN_SELECTION);
    ASSERT_NE(sel, nullptr);
    EXPECT_EQ(sel->lParam, 1);
    EXPECT_FALSE(sel->posted);
    EXPECT_EQ(request(q, EC_GETSELECTIONSIZE), 7 + 2 + 5);
    EXPECT_EQ(selectionText(q), "one two\r\nthree");
    ASSERT_EQ(request(q, EC_COPY), 1);
    EXPECT_EQ(clipboardText(), "one two\r\nthree");
    const uint8_t* start = nullptr;
    EXPECT_EQ(request(q, EC_GETLINESELECTION, &start), 0);   // spans two lines

    select(0, 4, 7);
    EXPECT_EQ(request(q, EC_GETLINESELECTION, &start), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(start), 3), "two");
    EXPECT_EQ(request(q, EC_GETSELECTIONSTART, &start), 4);
    ASSERT_EQ(request(q, EC_CUT), 1);
    EXPECT_EQ(clipboardText(), "two");
    EXPECT_EQ(lines(q), (Lines{"one ", "three"}));
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);

    setClipboardText("A\r\nB\nC");
    CaretState end{1, nullptr, 5, 0};
    request(q, EC_SETCARET, &end);
    ASSERT_EQ(request(q, EC_PASTE), 1);
    EXPECT_EQ(lines(q), (Lines{"one ", "threeA", "B", "C"}));
    request(q, EC_UNDO);
    EXPECT_EQ(lines(q), (Lines{"one ", "three"}));   // one undo step

    select(1, 0, 5);
    EcTextSpan span{"TH", 2};
    ASSERT_EQ(request(q, EC_REPLACESELECTION, &span), 1);
    EXPECT_EQ(lines(q), (Lines{"one ", "TH"}));
    EXPECT_EQ(selectionText(q), "TH");   // the inserted text is selected
    ASSERT_EQ(request(q, EC_CARETTOSELSTART), 1);
    CaretState caret{};
    request(q, EC_GETCARET, &caret);
    EXPECT_EQ(caret.line, 1);
    EXPECT_EQ(caret.offset, 0u);
    EXPECT_EQ(request(q, EC_HASSELECTION), 1);
    request(q, EC_GOTOLINE, 0);
    request(q, EC_GETCARET, &caret);
    EXPECT_EQ(caret.line, 0);
    EXPECT_EQ(caret.offset, 0u);
    EXPECT_EQ(request(q, EC_HASSELECTION), 0);
}

// Another program puts Unicode text on the clipboard: it is converted as a file load converts
// it ("〜" to its best-fit form 81 60, "？" for a character without one), not through the
// system's CF_TEXT. A copy puts the Unicode form beside the Shift_JIS one.
TEST_F(Requests, PasteTakesUnicodeTextWithTheLoadersFormsAndCopyPutsBothForms) {
    loadText("");
    setUnicodeClipboardText(u"a\u301Cb\uAC00\r\n\u8868");   // a〜b, a Hangul syllable, 表
    ASSERT_EQ(request(q, EC_PASTE), 1);
    EXPECT_EQ(lines(q), (Lines{"a\x81\x60" "b\x81\x48", "\x95\x5C"}));
    request(q, EC_SELECTALL);
    ASSERT_EQ(request(q, EC_COPY), 1);
    EXPECT_EQ(clipboardText(), "a\x81\x60" "b\x81\x48\r\n\x95\x5C");
    EXPECT_EQ(unicodeClipboardText(), u"a\uFF5Eb\uFF1F\r\n\u8868");
}

TEST_F(Requests, FindListReplaceAndReplaceAll) {
    loadText("cat dog cat\r\nbird\r\nCAT");
    FindRequest f = findRequest("cat");
    ASSERT_EQ(request(q, EC_FIND, &f), 1);
    EXPECT_EQ(selectionText(q), "cat");
    f = findRequest("cat");
    ASSERT_EQ(request(q, EC_FIND, &f), 1);
    EXPECT_EQ(f.selectionMatched, 1u);   // the next occurrence, not the same one
    CaretState caret{};
    request(q, EC_GETCARET, &caret);
    EXPECT_EQ(caret.offset, 11u);
    f = findRequest("cat", FIND_TESTONLY | FIND_BACKWARD);
    EXPECT_EQ(request(q, EC_FIND, &f), 1);
    f = findRequest("zebra");
    EXPECT_EQ(request(q, EC_FIND, &f), 0);

    // Listing: every matching line, then the closing line.
    std::vector<std::pair<int, std::string>> listed;
    f = findRequest("cat", FIND_LISTALL);
    f.context = &listed;
    f.callback = [](void* context, int32_t line, const char* text) {
        static_cast<std::vector<std::pair<int, std::string>>*>(context)->emplace_back(line, text);
        return true;
    };
    EXPECT_EQ(request(q, EC_FIND, &f), 1);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].second, "      1\x8d\x73: cat dog cat");
    EXPECT_EQ(listed[1].first, 3);
    EXPECT_EQ(listed[2].first, -1);

    // Replace one: the selected match; the frame's remembered position follows the text.
    select(0, 8, 11);
    CaretState remembered{0, nullptr, 11, 0};
    ReplaceRequest rep{"lion", 4, &remembered};
    host.clear();
    ASSERT_EQ(request(q, EC_REPLACE, &rep), 1);
    EXPECT_EQ(lines(q)[0], "cat dog lion");
    EXPECT_EQ(remembered.offset, 12u);
    EXPECT_EQ(host.count(ECN_CHANGED), 1);
    EXPECT_EQ(request(q, EC_REPLACE, &rep), 0);   // no selection any more

    // Replace all: case-insensitive by default, one undo step.
    f = findRequest("cat");
    ReplaceRequest all{"cow", 3, nullptr};
    ReplaceAllRequest pair{&f, &all};
    host.clear();
    EXPECT_EQ(request(q, EC_REPLACEALL, &pair), 2);
    EXPECT_EQ(lines(q), (Lines{"cow dog lion", "bird", "cow"}));
    EXPECT_EQ(host.count(ECN_CHANGED), 1);
    request(q, EC_UNDO);
    EXPECT_EQ(lines(q), (Lines{"cat dog lion", "bird", "CAT"}));
}

TEST_F(Requests, WordUnderAPointAndCaretPoint) {
    loadText("  hello world\r\n" + std::string(40, 'x'));
    char buffer[32] = {};
    EcWordAt at{0, 0, buffer, 0, 0};
    const LPARAM point = cellPoint(q, 4, 0);
    at.x = LOWORD(point);
    at.y = HIWORD(point);
    ASSERT_EQ(request(q, EC_GETWORDAT, &at), 5);
    EXPECT_STREQ(buffer, "hello");
    const LPARAM blanks = cellPoint(q, 0, 0);
    at.x = LOWORD(blanks);
    EXPECT_EQ(request(q, EC_GETWORDAT, &at), 0);   // only blanks
    const LPARAM longWord = cellPoint(q, 3, 1);
    at.x = LOWORD(longWord);
    at.y = HIWORD(longWord);
    EXPECT_EQ(request(q, EC_GETWORDAT, &at), 0);   // 40 bytes do not fit
    // A point inside a one-line selection gives the selection.
    {
        CaretState from{0, nullptr, 2, 0};
        request(q, EC_SETCARET, &from);
        Keys shift{VK_SHIFT};
        for (int i = 0; i < 8; ++i) key(q, VK_RIGHT);
    }
    at.x = LOWORD(point);
    at.y = HIWORD(point);
    ASSERT_EQ(request(q, EC_GETWORDAT, &at), 8);
    EXPECT_STREQ(buffer, "hello wo");
    int y = -1;
    EXPECT_EQ(request(q, EC_GETCARETPOINT, &y), 1);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(request(q, 99999), 0);   // unknown codes answer 0
}

TEST(RequestsLimit, AnUndoStoppedByTheBufferLimitIsPosted) {
    Host host;
    Quorvale* q = Quorvale::create(0, WS_CHILD | WS_VISIBLE, GetModuleHandleA(nullptr), host.window(),
                                   notifyMessage, "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", 10,
                                   control_test::testColours(), 4, 65536, 80, 0, TextEncoding::ShiftJis);
    ASSERT_NE(q, nullptr);
    std::string image(2000, 'a');
    ASSERT_TRUE(load(q, image, TextEncoding::ShiftJis));
    SearchIF_Simple search;
    ASSERT_TRUE(search.setPattern("a"));
    FindRequest f{};
    f.search = &search;
    ReplaceRequest rep{"b", 1, nullptr};
    ReplaceAllRequest pair{&f, &rep};
    // 2000 records of one group do not fit into 64 KiB: the group's start is overwritten.
    ASSERT_EQ(request(q, EC_REPLACEALL, &pair), 2000);
    pump();
    host.clear();
    ASSERT_EQ(request(q, EC_UNDO), 1);
    EXPECT_EQ(host.count(ECN_UNDOLIMIT), 0);   // posted: arrives after the request
    pump();
    ASSERT_EQ(host.count(ECN_UNDOLIMIT), 1);
    EXPECT_TRUE(host.last(ECN_UNDOLIMIT)->posted);
    EXPECT_NE(lines(q)[0], std::string(2000, 'a'));   // only part of the group could be undone
    DestroyWindow(q->window());
    pump();
}

// The control's markup requests in a real window: completion contexts and candidates, inserting
// candidates, close-tag and line-break input, element selection, the insertion check and the
// grammar check through lint.dll.
#include "InputTestHost.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "DocumentMap.h"

using namespace input_test;

namespace {

class Markup : public FocusedControlTest {
protected:
    DocumentMap map;
    void useMap(const char* name) {
        unloadMap(map);
        ASSERT_EQ(loadMap(map, (std::string(ULO_MAP_DIR) + "/" + name).c_str()), mapfile::kLoaded);
        host.mapAnswer = reinterpret_cast<LRESULT>(&map);
    }
    void SetUp() override {
        FocusedControlTest::SetUp();
        request(q, EC_SETMODE, 100);
        useMap("html401-loose.map");
        host.completionAnswer = 1;
    }
    void TearDown() override {
        FocusedControlTest::TearDown();
        unloadMap(map);
    }
    // Puts the caret at the end of the text and returns the candidates of the last request.
    std::vector<std::string> candidates() {
        std::vector<char> buffer(65536);
        CandidateRequest r{&map, buffer.data(), static_cast<uint32_t>(buffer.size())};
        const LRESULT n = request(q, EC_GETCANDIDATES, &r);
        std::vector<std::string> out;
        for (LRESULT p = 0; p < n && buffer[p] != 0; p += std::strlen(buffer.data() + p) + 1)
            out.emplace_back(buffer.data() + p);
        return out;
    }
    void toEnd() {
        key(q, VK_NEXT);
        {
            Keys ctrl{VK_CONTROL};
            key(q, VK_END);
        }
    }
    bool has(const std::vector<std::string>& list, const std::string& s) {
        return std::find(list.begin(), list.end(), s) != list.end();
    }
    void choose(const char* text) {
        InsertCandidateRequest r{&map, text};
        ASSERT_EQ(request(q, EC_INSERTCANDIDATE, &r), 1);
    }
};

TEST_F(Markup, TypingAsksForTheRightLists) {
    loadText("<html><body>\r\n<ul>\r\n");
    toEnd();
    type(q, "<");
    EXPECT_EQ(host.lastRequest.kind, 11);
    auto list = candidates();
    EXPECT_TRUE(has(list, "li"));
    EXPECT_FALSE(has(list, "p"));
    type(q, "li");
    EXPECT_STREQ(host.lastRequest.typed, "li");
    choose("li");
    EXPECT_EQ(lines(q)[2], "<li >");
    EXPECT_EQ(host.lastRequest.kind, 12);   // reopened for attributes, caret before ">"
    type(q, "cl");
    choose("class");
    EXPECT_EQ(lines(q)[2], "<li class=\"\">");
    EXPECT_EQ(host.lastRequest.kind, 13);
    key(q, VK_END);
    type(q, "a &am");
    EXPECT_EQ(host.lastRequest.kind, 20);
    choose("amp");
    EXPECT_EQ(lines(q)[2], "<li class=\"\">a &amp;");
}

TEST_F(Markup, StyleValuesOfferCssProperties) {
    loadText("<p style=\"\">");
    click(10, 0);
    type(q, "co");
    EXPECT_EQ(host.lastRequest.kind, 13);
    EXPECT_TRUE(has(candidates(), "color"));
    choose("color");
    EXPECT_EQ(lines(q)[0], "<p style=\"color: ;\">");
}

TEST_F(Markup, XhtmlEmptyElementGetsSlash) {
    useMap("xhtml1-strict.map");
    loadText("<html><body><p>\r\n");
    toEnd();
    type(q, "<hr");
    choose("hr");
    EXPECT_EQ(lines(q)[1], "<hr  />");
}

TEST_F(Markup, CloseTagAndLineBreak) {
    loadText("<html><body>\r\n<ul><li>one\r\n");
    toEnd();
    EXPECT_EQ(request(q, EC_INSERTCLOSETAG, &map), 1);
    EXPECT_EQ(lines(q)[2], "</li>");
    EXPECT_EQ(request(q, EC_INSERTLINEBREAKTAG, &map), 0);   // br is not allowed in ul
    loadText("<P>x<!-- c");
    toEnd();
    EXPECT_EQ(request(q, EC_INSERTCLOSETAG, &map), 1);
    EXPECT_EQ(lines(q)[0], "<P>x<!-- c-->");
    EXPECT_EQ(request(q, EC_INSERTLINEBREAKTAG, &map), 1);
    EXPECT_EQ(lines(q)[0], "<P>x<!-- c--><BR>");
    loadText("<% code ");
    toEnd();
    EXPECT_EQ(request(q, EC_INSERTCLOSETAG, &map), 1);
    EXPECT_EQ(lines(q)[0], "<% code %>");
    useMap("xhtml1-strict.map");
    loadText("<p>a");
    toEnd();
    EXPECT_EQ(request(q, EC_INSERTLINEBREAKTAG, &map), 1);
    EXPECT_EQ(lines(q)[0], "<p>a<br />");
}

TEST_F(Markup, MayInsertElement) {
    loadText("<HTML><BODY><P>text</P><UL>");
    toEnd();
    MayInsertRequest r{&map, "img", 0, 0};
    ASSERT_EQ(request(q, EC_MAYINSERTELEMENT, &r), 1);
    EXPECT_EQ(r.allowed, 0u);        // inside ul
    EXPECT_EQ(r.upperCase, 1u);
    click(17, 0);                    // inside the P's text
    ASSERT_EQ(request(q, EC_MAYINSERTELEMENT, &r), 1);
    EXPECT_EQ(r.allowed, 1u);
}

TEST_F(Markup, DoubleClickSelectsTheElement) {
    loadText("<p><b>bold</b> after</p>");
    click(4, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(selectionText(q), "<b>bold</b>");
    click(8, 0, WM_LBUTTONDBLCLK);   // text: a word
    EXPECT_EQ(selectionText(q), "bold");
    host.mapAnswer = 0;              // no map: a word as before
    click(4, 0, WM_LBUTTONDBLCLK);
    EXPECT_NE(selectionText(q), "<b>bold</b>");
}

bool collect(void* context, int32_t line, const char*, uint32_t) {
    static_cast<std::vector<int>*>(context)->push_back(line);
    return true;
}

TEST_F(Markup, GrammarCheckThroughLint) {
    loadText("<html><body>\r\n<blink>x</blink>\r\n<p>ok</p>\r\n</body></html>");
    std::vector<int> found;
    GrammarCheckRequest r{&map, 0x3B, collect, &found};
    ASSERT_EQ(request(q, EC_GRAMMARCHECK, &r), 1);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], 2);
    GrammarCheckRequest none{nullptr, 0x3B, collect, &found};
    EXPECT_EQ(request(q, EC_GRAMMARCHECK, &none), 0);
}

}  // namespace

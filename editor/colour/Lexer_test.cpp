// Tests of the line lexer's tokens and end states in each mode, and of the state walk over a
// document after edits and mode changes.
#include <gtest/gtest.h>

#include "LexLine.h"
#include "Lexer.h"
#include "LexerTestSupport.h"

namespace {

using lextest::TestDocument;
using lextest::TestLine;

struct Lexed {
    std::string marks;
    uint8_t end;
};

Lexed lex(SyntaxMode mode, const std::string& line, uint8_t state = 1,
          const KeywordTable* table = nullptr, bool url = true) {
    LexTokenBuffer buffer;
    EXPECT_TRUE(buffer.create());
    LexSettings settings;
    settings.mode = mode;
    settings.keywords = table;
    settings.urlRecognition = url;
    uint8_t flags = 0, end = 0;
    const auto* text = reinterpret_cast<const uint8_t*>(line.data());
    const auto length = static_cast<uint32_t>(line.size());
    EXPECT_TRUE(lexLine(settings, text, length, state, &flags, buffer, &end));
    EXPECT_EQ(lextest::checkTokens(text, length, buffer.tokens(), buffer.count()), "") << line;
    EXPECT_EQ(lexLineEndState(mode, text, length, state), end) << line;
    return {lextest::markTokens(text, length, buffer.tokens(), buffer.count()), end};
}

std::string html(const std::string& line, uint8_t state = 1) { return lex(SyntaxMode::Html, line, state).marks; }
uint8_t htmlEnd(const std::string& line, uint8_t state = 1) { return lex(SyntaxMode::Html, line, state).end; }

TEST(LexerEmptyLine, GivesOneEmptyTextTokenExceptInCss) {
    for (SyntaxMode m : {SyntaxMode::None, SyntaxMode::Html, SyntaxMode::Perl, SyntaxMode::CLike})
        EXPECT_EQ(lex(m, "").marks, "{T:}");
    EXPECT_EQ(lex(SyntaxMode::Css, "", 14).marks, "{PN:}");
}

TEST(LexerHtml, TagsAttributesAndEntities) {
    EXPECT_EQ(html("<a href=\"x.html\">go</a>"),
              "{T:}{HE:<a }{HA:href=\"}{HV:x.html}{HA:\"}{HE:>}{T:go}{HE:</a>}{T:}");
    EXPECT_EQ(html("a&amp;b&#38;c& d&lt"), "{T:a}{HN:&amp;}{T:b}{HN:&#38;}{T:c}{HN:&}{T: d}{HN:&lt}{T:}");
    // A blank after "<" opens the tag-name zone; the rest is attribute text, next line in a tag.
    EXPECT_EQ(html("a < b"), "{T:a }{HE:< }{HA:b}");
    EXPECT_EQ(htmlEnd("a < b"), 4);
    EXPECT_EQ(html("x<"), "{T:x}{HE:<}");
    EXPECT_EQ(htmlEnd("x<"), 4);
    // Single quotes protect nothing.
    EXPECT_EQ(html("<a title='1>2'>"), "{T:}{HE:<a }{HA:title='1}{HE:>}{T:2'>}");
    EXPECT_EQ(html("<p\"q\">"), "{T:}{HE:<p\"}{HV:q}{HA:\"}{HE:>}{T:}");
}

TEST(LexerHtml, StatesCarriedAcrossLines) {
    EXPECT_EQ(htmlEnd("<!-- open"), 2);
    EXPECT_EQ(html("still -->after", 2), "{HC:still -->}{T:after}");
    EXPECT_EQ(htmlEnd("<!-->"), 2);  // "-->" is looked for after the opening four bytes
    EXPECT_EQ(htmlEnd("<img src=\"a"), 5);
    EXPECT_EQ(html("b.png\" alt=x>", 5), "{HV:b.png}{HA:\" alt=x}{HE:>}{T:}");
    EXPECT_EQ(html("alt=x>t", 4), "{HA:alt=x}{HE:>}{T:t}");
}

TEST(LexerHtml, ScriptBlocks) {
    EXPECT_EQ(html("a<?php x ?>b"), "{T:a}{HA:<?php x ?>}{T:b}");
    EXPECT_EQ(html("<a href=\"<%= u %>\">"), "{T:}{HE:<a }{HA:href=\"}{HV:<%= u %>}{HA:\"}{HE:>}{T:}");
    EXPECT_EQ(htmlEnd("<% if"), 0x21);
    EXPECT_EQ(htmlEnd("<!-- <$ x"), 0x42);
    EXPECT_EQ(htmlEnd("<a <? x"), 0x64);
    EXPECT_EQ(htmlEnd("<a b=\"<% x"), 0x25);
    EXPECT_EQ(htmlEnd("<a b=\"<% \" > -->"), 0x25);  // nothing else is seen inside a block
    EXPECT_EQ(html("x %>y", 0x21), "{HA:x %>}{T:y}");
    EXPECT_EQ(html("x $> -->y", 0x42), "{HC:x $> -->}{T:y}");
    EXPECT_EQ(html("x ?> c>y", 0x64), "{HA:x ?> c}{HE:>}{T:y}");
    EXPECT_EQ(html("x %>v\">", 0x25), "{HV:x %>v}{HA:\"}{HE:>}{T:}");
    EXPECT_EQ(htmlEnd("<%>"), 0x21);  // the opening "%" does not close the block
}

TEST(LexerHtml, DoubleByteCharactersAreNeverSplitOrTakenForDelimiters) {
    const std::string hyo = "\x95\x5c";  // 表, trail byte 0x5C
    const std::string bo = "\x83\x7b";   // ボ, trail byte '{'
    const std::string xa = "\x83\x40";   // ァ, trail byte '@'
    EXPECT_EQ(html(hyo + "&" + hyo), "{T:" + hyo + "}{HN:&}{T:" + hyo + "}");
    EXPECT_EQ(html("<a b=\"" + hyo + "\">"), "{T:}{HE:<a }{HA:b=\"}{HV:" + hyo + "}{HA:\"}{HE:>}{T:}");
    EXPECT_EQ(html("<" + bo + xa + " x>"), "{T:}{HE:<" + bo + xa + " }{HA:x}{HE:>}{T:}");
    EXPECT_EQ(html(xa + "example.jp"), "{T:" + xa + "example.jp}");
    // A lead byte as the line's last byte stays whole in its token.
    EXPECT_EQ(html("a\x95"), "{T:a\x95}");
    EXPECT_EQ(html("<a\x95"), "{T:}{HE:<a\x95}");
    EXPECT_EQ(htmlEnd("<a\x95"), 4);
    // Half-width katakana are single bytes: "ｱ<" opens a tag.
    EXPECT_EQ(html("\xb1<b>"), "{T:\xb1}{HE:<b>}{T:}");
}

TEST(LexerPerl, LiteralsCommentsAndArrayIndex) {
    const auto perl = [](const std::string& s) { return lex(SyntaxMode::Perl, s).marks; };
    EXPECT_EQ(perl("print \"a\\\"b\";"), "{T:print \"}{CL:a\\\\\"b}{T:\";}");
    EXPECT_EQ(perl("$#list + 1"), "{T:$#list + 1}");
    EXPECT_EQ(perl("$# x"), "{T:$}{CC:# x}");
    EXPECT_EQ(perl("#!/usr/bin/perl"), "{T:}{CC:#!/usr/bin/perl}");
    EXPECT_EQ(perl("x = 'open"), "{T:x = '}{CL:open}");
    EXPECT_EQ(perl("'a\\"), "{T:'}{CL:a\\\\}");  // a final backslash escapes nothing
    EXPECT_EQ(lex(SyntaxMode::Perl, "'open", 1).end, 1);
    // 表 inside a literal: its 0x5C trail byte does not escape the closing quote.
    EXPECT_EQ(perl("'\x95\x5c'#c"), "{T:'}{CL:\x95\x5c}{T:'}{CC:#c}");
}

TEST(LexerPerl, KeywordsInTextRunsOnly) {
    auto table = lextest::makeKeywordTable({"my", "print"});
    ASSERT_TRUE(table);
    EXPECT_EQ(lex(SyntaxMode::Perl, "my $x; print \"my\"; # my", 1, table.get()).marks,
              "{KW:my}{T: $x; }{KW:print}{T: \"}{CL:my}{T:\"; }{CC:# my}");
    EXPECT_EQ(lex(SyntaxMode::Perl, "mypr print", 1, table.get()).marks, "{T:mypr }{KW:print}{T:}");
}

TEST(LexerCLike, CommentsAndLiterals) {
    const auto c = [](const std::string& s, uint8_t st = 1) { return lex(SyntaxMode::CLike, s, st); };
    EXPECT_EQ(c("a = \"/*\"; // x /* y").marks, "{T:a = \"}{CL:/*}{T:\"; }{CC:// x /* y}");
    EXPECT_EQ(c("a = \"/*\"; // x /* y").end, 1);  // "/*" after "//" opens nothing
    EXPECT_EQ(c("x /* a */ y /* b").marks, "{T:x }{CC:/* a */}{T: y }{CC:/* b}");
    EXPECT_EQ(c("x /* a */ y /* b").end, 7);
    EXPECT_EQ(c("/*/").end, 7);
    EXPECT_EQ(c("still */ z", 7).marks, "{CC:still */}{T: z}");
    EXPECT_EQ(c("all comment", 7).marks, "{CC:all comment}");
    EXPECT_EQ(c("all comment", 7).end, 7);
    EXPECT_EQ(c("'\\'' x").marks, "{T:'}{CL:\\\\'}{T:' x}");
    EXPECT_EQ(c("#define A 1").marks, "{T:#define A 1}");
}

TEST(LexerCss, RulesValuesAndColours) {
    const auto css = [](const std::string& s, uint8_t st = 1) { return lex(SyntaxMode::Css, s, st); };
    EXPECT_EQ(css("p{color:#a0b0c0;}").marks,
              "{T:p\\{}{PN:color:}{PV:}{RGB:#a0b0c0}{PV:;}{PN:}{T:\\}}");
    EXPECT_EQ(css("a{c:#abc}").marks, "{T:a\\{}{PN:c:}{PV:}{RGB:#abc}{PV:}{T:\\}}");
    EXPECT_EQ(css("a{c:#abcd;d:#abcdef1}").marks, "{T:a\\{}{PN:c:}{PV:#abcd;}{PN:d:}{PV:#abcdef1}{T:\\}}");
    EXPECT_EQ(css("#id{").marks, "{T:#id\\{}{PN:}");
    EXPECT_EQ(css("#id{").end, 14);
    EXPECT_EQ(css("f:\"a'b\"c;", 14).marks, "{PN:f:}{PV:\"}{SL:a}{PV:'b\"}{SL:c;}");
    EXPECT_EQ(css("f:\"a'b\"c;", 14).end, 16);
    EXPECT_EQ(css("x\\\"y\" z}", 16).marks, "{SL:x\\\\\"y}{PV:\" z}{T:\\}}");
    EXPECT_EQ(css("a /* c").end, 11);
    EXPECT_EQ(css("c */ b{", 11).marks, "{S1:c */}{T: b\\{}{PN:}");
    EXPECT_EQ(css("/* n */m: /* v */ 1", 14).marks, "{PN:}{S2:/* n */}{PN:m:}{PV: }{S3:/* v */}{PV: 1}");
    EXPECT_EQ(css("x */;", 13).marks, "{S3:x */}{PV:;}{PN:}");
    EXPECT_EQ(css("x */;", 13).end, 14);
}

TEST(LexerUrls, UrlAndMailTokensInTextRuns) {
    EXPECT_EQ(lex(SyntaxMode::None, "see http://a.jp/x?y=1, or me@example.com.").marks,
              "{T:see }{U:http://a.jp/x?y=1}{T:, or }{U:me@example.com.}{T:}");
    EXPECT_EQ(lex(SyntaxMode::None, "mailto:me@example.com").marks, "{T:}{U:mailto:}{T:}{U:me@example.com}{T:}");
    EXPECT_EQ(lex(SyntaxMode::None, "HTTP://a.jp").marks, "{T:HTTP://a.jp}");
    EXPECT_EQ(lex(SyntaxMode::None, "see http://a.jp", 1, nullptr, false).marks, "{T:see http://a.jp}");
    // In HTML only text runs are refined: an address inside an attribute stays a value.
    EXPECT_EQ(html("<a href=\"http://x.jp\">http://x.jp</a>"),
              "{T:}{HE:<a }{HA:href=\"}{HV:http://x.jp}{HA:\"}{HE:>}{T:}{U:http://x.jp}{T:}{HE:</a>}{T:}");
}

TEST(LexerUrls, CacheBitsAreFilledOnceAndTrusted) {
    LexTokenBuffer buffer;
    ASSERT_TRUE(buffer.create());
    LexSettings settings;
    settings.urlRecognition = true;
    const std::string line = "http://a.jp me@b.jp";
    const auto* text = reinterpret_cast<const uint8_t*>(line.data());
    uint8_t flags = 0;
    ASSERT_TRUE(lexLine(settings, text, 19, 1, &flags, buffer));
    EXPECT_EQ(flags, 0x43);
    flags = 0x40 | 0x02;  // cached: no URL in the line, so none is searched for
    ASSERT_TRUE(lexLine(settings, text, 19, 1, &flags, buffer));
    EXPECT_EQ(lextest::markTokens(text, 19, buffer.tokens(), buffer.count()), "{T:http://a.jp }{U:me@b.jp}{T:}");
    flags = 0x40;
    ASSERT_TRUE(lexLine(settings, text, 19, 1, &flags, buffer));
    EXPECT_EQ(buffer.count(), 1u);
}

TEST(LexerTokenBuffer, GrowsByDoublingAndFailsKeepingTheOldBlock) {
    LexTokenBuffer buffer;
    ASSERT_TRUE(buffer.create());
    EXPECT_EQ(buffer.capacity(), 64u);
    std::string line;
    for (int i = 0; i < 100; ++i) line += "&x";
    LexSettings settings;
    settings.mode = SyntaxMode::Html;
    const auto* text = reinterpret_cast<const uint8_t*>(line.data());
    ASSERT_TRUE(lexLine(settings, text, 200, 1, nullptr, buffer));
    EXPECT_EQ(buffer.count(), 201u);
    EXPECT_EQ(buffer.capacity(), 256u);
    LexTokenBuffer small;
    ASSERT_TRUE(small.create());
    small.limitCapacity(64);
    const Token* before = small.tokens();
    EXPECT_FALSE(lexLine(settings, text, 200, 1, nullptr, small));
    EXPECT_EQ(small.capacity(), 64u);
    EXPECT_EQ(small.tokens(), before);
    // The control's entry point reports the failure as no list.
    TestDocument doc({line});
    Lexer lexer;
    ASSERT_TRUE(lexer.create());
    lexer.tokens().limitCapacity(64);
    lexer.setSyntaxMode(doc.lines(), 100);
    EXPECT_EQ(lexer.tokenizeLine(doc.lines(), doc.line(0)), nullptr);
    doc.setText(0, "short");
    EXPECT_NE(lexer.tokenizeLine(doc.lines(), doc.line(0)), nullptr);
}

std::vector<uint8_t> states(TestDocument& doc) {
    std::vector<uint8_t> s;
    for (size_t i = 0; i < doc.size(); ++i) s.push_back(doc.line(i)->LineStartState);
    return s;
}

TEST(LexerWalk, ModeChangeForcesAFullPassAndEditsStopAtTheFirstUnchangedLine) {
    TestDocument doc({"a /*", "b", "c */ d", "e", "f"});
    Lexer lexer;
    ASSERT_TRUE(lexer.create());
    EXPECT_TRUE(lexer.setSyntaxMode(doc.lines(), 300));
    EXPECT_FALSE(lexer.statesValid());
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{0, 0, 0, 0, 0}));
    uint32_t changed = 0;
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(3), &changed));  // full pass anyway
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 7, 7, 1, 1}));
    EXPECT_EQ(changed, 5u);
    // Closing the comment on line 1 changes line 2 only; line 3 already starts in 1.
    doc.setText(1, "b */");
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(1), &changed));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 7, 1, 1, 1}));
    EXPECT_EQ(changed, 1u);
    // An edit that changes no end state touches nothing.
    doc.setText(4, "/* g");
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(4), &changed));
    EXPECT_EQ(changed, 0u);
    // The same mode again changes nothing; a new one clears every state.
    EXPECT_TRUE(lexer.setSyntaxMode(doc.lines(), 300));
    EXPECT_TRUE(lexer.statesValid());
    EXPECT_TRUE(lexer.setSyntaxMode(doc.lines(), 400));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(lexer.setSyntaxMode(doc.lines(), 12345));  // behaves as CSS: no change
    EXPECT_EQ(lexer.syntaxMode(), SyntaxMode::Css);
}

TEST(LexerWalk, ASplitLineCarryingAStaleStateDoesNotStopTheWalk) {
    TestDocument doc({"x", "y"});
    Lexer lexer;
    ASSERT_TRUE(lexer.create());
    lexer.setSyntaxMode(doc.lines(), 300);
    ASSERT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
    // "x" split into "x" and "/* z": the new line got the old line's state 1, which happens to
    // be its right start state; the line after it must still learn that a comment is open.
    doc.insert(1, "/* z", 1);
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0), nullptr, 2));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 1, 7}));
    // The same split with the new line given state 0 needs no count.
    doc.insert(1, "/* w", 0);
    doc.setText(2, "q */");
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 1, 7, 1}));
}

TEST(LexerWalk, UnknownStartStatesAreRefusedExceptOnTheFirstLine) {
    TestDocument doc({"<a", "b=\"", "c\">"});
    Lexer lexer;
    ASSERT_TRUE(lexer.create());
    lexer.setSyntaxMode(doc.lines(), 100);
    ASSERT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 4, 5}));
    TestLine* added = doc.insert(2, "x", lexstate::Unknown);
    EXPECT_FALSE(lexer.propagateLineStates(doc.lines(), added));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 4, 0, 5}));
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(1)));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{1, 4, 5, 5}));
    doc.line(0)->LineStartState = 0x23;  // not a state of the mode: the first line is reset to 1
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
    EXPECT_EQ(doc.line(0)->LineStartState, 1);
    // Perl and plain text carry nothing: the walk leaves the states alone.
    lexer.setSyntaxMode(doc.lines(), 200);
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
    EXPECT_EQ(states(doc), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_NE(lexer.tokenizeLine(doc.lines(), doc.line(2)), nullptr);
}

}  // namespace

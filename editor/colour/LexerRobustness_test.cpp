// Seeded random lines in every mode and start state: the lexer never reads past a line (the
// bytes after it cannot change the result), and its tokens always cover the line exactly,
// on character boundaries; the tokeniser and the state-only scan agree on the end state.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "LexLine.h"
#include "Lexer.h"
#include "LexerTestSupport.h"

namespace {

// Bytes that matter to some scanner, plus lead and trail bytes, so random lines hit the
// interesting paths often.
const uint8_t kAlphabet[] = {'<', '>', '!', '-', '"', '\'', '&', '#', ';', ':', '{', '}', '/',
                             '*', '%', '$', '?', '\\', ' ', '\t', '@', '.', 'a', 'h', 't', 'p',
                             'm', 'f', 'x', '1', 0x81, 0x95, 0x5C, 0x40, 0x7E, 0xA0, 0xE0, 0xFC,
                             0xFD, 0xFF, 0xB1, 0x00};

std::vector<uint8_t> randomLine(std::mt19937& rng) {
    std::uniform_int_distribution<int> lengthOf(0, rng() % 8 == 0 ? 300 : 40), pick(0, sizeof kAlphabet - 1), any(0, 255);
    std::vector<uint8_t> line(static_cast<size_t>(lengthOf(rng)));
    for (uint8_t& b : line) b = (rng() % 4 == 0) ? static_cast<uint8_t>(any(rng)) : kAlphabet[pick(rng)];
    return line;
}

const SyntaxMode kModes[] = {SyntaxMode::None, SyntaxMode::Html, SyntaxMode::Perl, SyntaxMode::CLike,
                             SyntaxMode::Css};

// Every start state of every mode, plus some that belong to none.
const uint8_t kStates[] = {0, 1, 2, 4, 5, 7, 11, 12, 13, 14, 15, 16, 0x21, 0x22, 0x24, 0x25, 0x41,
                           0x45, 0x61, 0x64, 0x23, 0x99, 0xFF};

// The line is copied to the end of a block followed by guard bytes that would change the result
// if they were read: "->" closes comments, '"' closes values, a lead byte would pair up.
struct Lexed {
    std::vector<Token> tokens;
    uint8_t end;
    uint8_t flags;
};

Lexed lexGuarded(const LexSettings& s, const std::vector<uint8_t>& line, uint8_t state,
                 const uint8_t* guard, size_t guardLength) {
    std::vector<uint8_t> block(line);
    block.insert(block.end(), guard, guard + guardLength);
    LexTokenBuffer buffer;
    EXPECT_TRUE(buffer.create());
    Lexed out{{}, 0, 0};
    EXPECT_TRUE(lexLine(s, block.data(), static_cast<uint32_t>(line.size()), state, &out.flags,
                        buffer, &out.end));
    out.tokens.assign(buffer.tokens(), buffer.tokens() + buffer.count());
    EXPECT_EQ(lextest::checkTokens(block.data(), static_cast<uint32_t>(line.size()), buffer.tokens(),
                                   buffer.count()), "");
    EXPECT_EQ(lexLineEndState(s.mode, block.data(), static_cast<uint32_t>(line.size()), state), out.end);
    return out;
}

bool same(const Lexed& a, const Lexed& b) {
    if (a.end != b.end || a.flags != b.flags || a.tokens.size() != b.tokens.size()) return false;
    for (size_t i = 0; i < a.tokens.size(); ++i)
        if (a.tokens[i].kind != b.tokens[i].kind || a.tokens[i].length != b.tokens[i].length) return false;
    return true;
}

TEST(LexerRobustness, RandomLinesKeepEveryInvariantInEveryMode) {
    const uint8_t guardA[] = {'-', '-', '>', '*', '/', '"', '>', '%', '>', '@', 'a', '.', 'j', 'p'};
    const uint8_t guardB[] = {0x5C, '\'', '}', ';', '?', '>', ':', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    auto keywords = lextest::makeKeywordTable({"a", "if", "#x", "hat", "p1"});
    ASSERT_TRUE(keywords);
    std::mt19937 rng(20240611u);
    for (int round = 0; round < 20000; ++round) {
        const std::vector<uint8_t> line = randomLine(rng);
        for (SyntaxMode mode : kModes) {
            LexSettings s;
            s.mode = mode;
            s.keywords = (round & 1) ? keywords.get() : nullptr;
            s.urlRecognition = (round & 2) != 0;
            const uint8_t state = kStates[rng() % (sizeof kStates)];
            const Lexed a = lexGuarded(s, line, state, guardA, sizeof guardA);
            const Lexed b = lexGuarded(s, line, state, guardB, sizeof guardB);
            ASSERT_TRUE(same(a, b)) << "mode " << static_cast<int>(mode) << " round " << round;
            EXPECT_TRUE(isStartStateOf(mode, a.end)) << static_cast<int>(a.end);
            if (HasFailure()) return;
        }
    }
}

std::string randomText(std::mt19937& rng) {
    const std::vector<uint8_t> bytes = randomLine(rng);
    return std::string(bytes.begin(), bytes.end());
}

// After every random edit (a changed line, a split, a join) and the walk from the edited line,
// each stored start state equals the state the chain of lines gives from the first line.
TEST(LexerRobustness, StateWalkAfterRandomEditsMatchesAFullPass) {
    std::mt19937 rng(7u);
    for (int mode : {100, 300, 400}) {
        std::vector<std::string> lines;
        for (int i = 0; i < 30; ++i) lines.push_back(randomText(rng));
        lextest::TestDocument doc(lines);
        Lexer lexer;
        ASSERT_TRUE(lexer.create());
        lexer.setSyntaxMode(doc.lines(), mode);
        ASSERT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
        for (int edit = 0; edit < 3000; ++edit) {
            const size_t at = rng() % doc.size();
            uint32_t edited = 1;
            switch (rng() % 3) {
            case 0: doc.setText(at, randomText(rng)); break;
            case 1:  // a split: the new line carries the edited line's state until the walk
                doc.setText(at, randomText(rng));
                doc.insert(at + 1, randomText(rng), doc.line(at)->LineStartState);
                edited = 2;
                break;
            default:
                if (at + 1 < doc.size()) doc.erase(at + 1);
                doc.setText(at, randomText(rng));
                break;
            }
            ASSERT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(at), nullptr, edited));
            uint8_t state = 1;
            for (size_t i = 0; i < doc.size(); ++i) {
                ASSERT_EQ(doc.line(i)->LineStartState, state) << "mode " << mode << " edit " << edit;
                state = lexLineEndState(syntaxModeOf(mode), reinterpret_cast<const uint8_t*>(doc.line(i)->text),
                                        doc.line(i)->length, state);
            }
        }
    }
}

}  // namespace

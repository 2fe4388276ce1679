// Runs every file of lexer_examples/ against the token marks beside it (name + ".tokens"): lexed
// as a whole document, built up line by line through edits, and with the other line-end
// convention; all must agree. A mismatch writes name + ".tokens.new" for review.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Lexer.h"
#include "LexerTestSupport.h"

namespace {

namespace fs = std::filesystem;
using lextest::TestDocument;
using lextest::TestLine;

fs::path examplesFolder() {
    std::string path = ULO_LEXER_EXAMPLES;
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Wine maps the Unix root to Z:
#endif
    return fs::path(path);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ExampleMode {
    SyntaxMode mode;
    std::vector<std::string> keywords;
};

bool modeOfExtension(const std::string& ext, ExampleMode* out) {
    if (ext == ".txt") *out = {SyntaxMode::None, {}};
    else if (ext == ".html") *out = {SyntaxMode::Html, {}};
    else if (ext == ".pl") *out = {SyntaxMode::Perl, {"my", "sub", "print", "if", "else", "use",
                                                       "return", "foreach", "while", "local"}};
    else if (ext == ".c" || ext == ".cpp")
        *out = {SyntaxMode::CLike, {"int", "char", "return", "if", "else", "for", "while", "void",
                                    "static", "const", "#include", "#define", "struct", "class"}};
    else if (ext == ".java")
        *out = {SyntaxMode::CLike, {"class", "public", "static", "void", "int", "new", "return",
                                    "if", "else", "import", "package", "String"}};
    else if (ext == ".css") *out = {SyntaxMode::Css, {}};
    else return false;
    return true;
}

// One example lexed through a Lexer over `doc`: a line of marks per line, "SS " + tokens, SS
// the line's start state in hexadecimal. Invariant faults are reported as test failures.
std::string markDocument(Lexer& lexer, TestDocument& doc, const std::string& what) {
    std::string out;
    for (size_t i = 0; i < doc.size(); ++i) {
        TestLine* line = doc.line(i);
        uint32_t count = 0;
        const Token* tokens = lexer.tokenizeLine(doc.lines(), line, &count);
        if (tokens == nullptr) {
            ADD_FAILURE() << what << ": line " << i + 1 << " could not be lexed";
            continue;
        }
        const auto* text = reinterpret_cast<const uint8_t*>(line->text);
        const std::string fault = lextest::checkTokens(text, line->length, tokens, count);
        EXPECT_EQ(fault, "") << what << ": line " << i + 1;
        char state[8];
        std::snprintf(state, sizeof state, "%02X ", line->LineStartState);
        out += state + lextest::markTokens(text, line->length, tokens, count) + "\n";
    }
    return out;
}

void prepare(Lexer& lexer, TestDocument& doc, const ExampleMode& mode, const KeywordTable* table) {
    ASSERT_TRUE(lexer.create());
    lexer.setUrlRecognition(true);
    lexer.setSyntaxMode(doc.lines(), static_cast<int32_t>(mode.mode));
    lexer.setKeywordTable(table);
}

std::string lexWhole(const std::vector<std::string>& lines, const ExampleMode& mode,
                     const KeywordTable* table) {
    TestDocument doc(lines);
    Lexer lexer;
    prepare(lexer, doc, mode, table);
    return markDocument(lexer, doc, "whole");
}

// Types the document in: appended line by line, or inserted from the last line up to the first,
// each followed by the state walk from the changed line as the line store does after an edit.
std::string lexByEdits(const std::vector<std::string>& lines, const ExampleMode& mode,
                       const KeywordTable* table, bool fromTheEnd) {
    TestDocument doc({fromTheEnd ? lines.back() : lines.front()});
    Lexer lexer;
    prepare(lexer, doc, mode, table);
    EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
    for (size_t k = 1; k < lines.size(); ++k) {
        if (fromTheEnd) {
            doc.insert(0, lines[lines.size() - 1 - k], lexstate::Unknown);
            EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(0)));
        } else {
            doc.insert(k, lines[k], lexstate::Unknown);
            EXPECT_TRUE(lexer.propagateLineStates(doc.lines(), doc.line(k - 1)));
        }
    }
    return markDocument(lexer, doc, fromTheEnd ? "inserted upwards" : "appended");
}

std::string withLineEnds(const std::vector<std::string>& lines, const char* end) {
    std::string image;
    for (size_t i = 0; i < lines.size(); ++i) image += (i ? end : "") + lines[i];
    return image;
}

std::vector<fs::path> exampleFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(examplesFolder())) {
        ExampleMode mode;
        if (entry.is_regular_file() && modeOfExtension(entry.path().extension().string(), &mode))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(LexerExamples, EveryExampleMatchesItsMarksInEveryWayOfLexing) {
    const std::vector<fs::path> files = exampleFiles();
    ASSERT_GE(files.size(), 5u) << "examples not found in " << examplesFolder().string();
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        ExampleMode mode;
        modeOfExtension(file.extension().string(), &mode);
        auto table = mode.keywords.empty() ? nullptr : lextest::makeKeywordTable(mode.keywords);
        const std::vector<std::string> lines = lextest::splitLines(readFile(file));
        const std::string whole = lexWhole(lines, mode, table.get());
        EXPECT_EQ(lexByEdits(lines, mode, table.get(), false), whole);
        EXPECT_EQ(lexByEdits(lines, mode, table.get(), true), whole);
        for (const char* end : {"\r\n", "\n", "\r"}) {
            const auto other = lextest::splitLines(withLineEnds(lines, end));
            EXPECT_EQ(lexWhole(other, mode, table.get()), whole) << "line ends " << std::strlen(end);
        }
        fs::path expected = file;
        expected += ".tokens";
        fs::path review = expected;
        review += ".new";
        if (readFile(expected) == whole) {
            fs::remove(review);
            continue;
        }
        std::ofstream(review, std::ios::binary) << whole;
        ADD_FAILURE() << "marks differ from " << expected.filename().string() << "; see "
                      << review.string();
    }
}

}  // namespace

// Lexer benchmark: lines per second and MB/s of the state walk and of tokenising, per mode, over
// large real files, against a plain byte-summing pass over the same lines measured in the same run.
// Usage: lexer_bench [html-file cpp-file perl-file css-file]
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KeywordTable.h"
#include "LexLine.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Line {
    const uint8_t* text;
    uint32_t length;
    uint8_t state;
    uint8_t flags;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Splits `image` into lines (the image stays alive in the caller) and repeats them until the
// corpus holds at least `minimum` bytes.
std::vector<Line> linesOf(const std::string& image, size_t minimum, size_t* bytes) {
    std::vector<Line> one;
    size_t start = 0;
    for (size_t i = 0; i <= image.size(); ++i) {
        if (i == image.size() || image[i] == '\n') {
            size_t end = i;
            if (end > start && image[end - 1] == '\r') --end;
            one.push_back({reinterpret_cast<const uint8_t*>(image.data()) + start,
                           static_cast<uint32_t>(end - start), 0, 0});
            start = i + 1;
        }
    }
    std::vector<Line> all;
    *bytes = 0;
    while (*bytes < minimum && !image.empty()) {
        all.insert(all.end(), one.begin(), one.end());
        *bytes += image.size();
    }
    return all;
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The reference: touches every byte of every line once.
double referencePass(const std::vector<Line>& lines, uint64_t* sink) {
    const auto t0 = Clock::now();
    uint64_t sum = 0;
    for (const Line& l : lines)
        for (uint32_t i = 0; i < l.length; ++i) sum += l.text[i];
    *sink += sum;
    return seconds(t0);
}

double statePass(SyntaxMode mode, std::vector<Line>& lines) {
    const auto t0 = Clock::now();
    uint8_t state = 1;
    for (Line& l : lines) {
        l.state = state;
        state = lexLineEndState(mode, l.text, l.length, state);
    }
    return seconds(t0);
}

double tokenPass(const LexSettings& settings, std::vector<Line>& lines, LexTokenBuffer& buffer,
                 bool freshFlags, uint64_t* tokens) {
    if (freshFlags)
        for (Line& l : lines) l.flags = 0;
    const auto t0 = Clock::now();
    for (Line& l : lines) {
        lexLine(settings, l.text, l.length, l.state, &l.flags, buffer);
        *tokens += buffer.count();
    }
    return seconds(t0);
}

void report(const char* what, double secs, size_t lineCount, size_t bytes, double reference) {
    std::printf("  %-30s %10.0f lines/s %8.1f MB/s  %5.1f x reference\n", what, lineCount / secs,
                bytes / secs / 1e6, secs / reference);
}

void benchMode(const char* name, SyntaxMode mode, const std::string& path, const char* keywordFile) {
    const std::string image = readFile(path);
    if (image.empty()) {
        std::printf("%s: cannot read %s\n", name, path.c_str());
        return;
    }
    size_t bytes = 0;
    std::vector<Line> lines = linesOf(image, 16u << 20, &bytes);
    KeywordTable table;
    LexSettings settings;
    settings.mode = mode;
    if (keywordFile != nullptr && table.loadKeywordTable(keywordFile)) settings.keywords = &table;
    LexTokenBuffer buffer;
    buffer.create();
    uint64_t sink = 0, tokens = 0;
    const double reference = referencePass(lines, &sink);
    std::printf("%s: %s (%zu bytes, repeated to %zu lines, %.1f MB)%s\n", name, path.c_str(),
                image.size(), lines.size(), bytes / 1e6, settings.keywords ? ", keywords" : "");
    report("reference byte pass", reference, lines.size(), bytes, reference);
    statePass(mode, lines);  // warm-up: brings the corpus and the code into the caches
    report("state walk", statePass(mode, lines), lines.size(), bytes, reference);
    settings.urlRecognition = false;
    report("tokens, no URL recognition", tokenPass(settings, lines, buffer, true, &tokens),
           lines.size(), bytes, reference);
    settings.urlRecognition = true;
    report("tokens, URL scan (first paint)", tokenPass(settings, lines, buffer, true, &tokens),
           lines.size(), bytes, reference);
    report("tokens, URL bits cached", tokenPass(settings, lines, buffer, false, &tokens),
           lines.size(), bytes, reference);
    std::printf("  (%llu tokens, checksum %llu)\n", static_cast<unsigned long long>(tokens),
                static_cast<unsigned long long>(sink & 0xFFFF));
}

}  // namespace

int main(int argc, char** argv) {
    const char* html = argc > 1 ? argv[1] : "/usr/share/doc/nodejs/api/all.html";
    const char* cpp = argc > 2 ? argv[2] : "/usr/include/c++/12/bits/stl_algo.h";
    const char* perl = argc > 3 ? argv[3] : "/usr/share/perl/5.36/Math/BigInt.pm";
    const char* css = argc > 4 ? argv[4] : "/usr/share/doc/nodejs/api/assets/style.css";
    const std::string kwd = ULO_KEYWORD_DIR;
    benchMode("plain text", SyntaxMode::None, html, nullptr);
    benchMode("HTML", SyntaxMode::Html, html, nullptr);
    benchMode("C/C++", SyntaxMode::CLike, cpp, (kwd + "/cpp.kwd").c_str());
    benchMode("Perl", SyntaxMode::Perl, perl, (kwd + "/perl.kwd").c_str());
    benchMode("CSS", SyntaxMode::Css, css, nullptr);
    return 0;
}

// Benchmark: SearchIF_Simple over 64 MiB of Japanese Shift_JIS text against grep -F on the same
// bytes, counting matching lines (searching the whole text, and line by line). Usage: search_bench [CORPUS.sjis]; without an argument the
// corpus is built from the Japanese manual pages (zcat | iconv to cp932).
#include "SearchIF_Simple.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const size_t kCorpusSize = size_t(64) << 20;

// Each page converted on its own: UTF-8 pages as UTF-8, the others as EUC-JP; characters
// outside code page 932 are dropped.
const char kBuildCorpus[] =
    "for f in $(find /usr/share/man/ja -name '*.gz' | sort); do"
    "  t=$(mktemp); zcat \"$f\" > \"$t\";"
    "  if iconv -f utf-8 -t utf-8 \"$t\" >/dev/null 2>&1; then iconv -c -f utf-8 -t cp932 \"$t\";"
    "  else iconv -c -f euc-jp -t cp932 \"$t\"; fi 2>/dev/null; rm -f \"$t\";"
    "done";

std::string readAll(std::FILE* f) {
    std::string data;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, got);
    return data;
}

std::string loadCorpus(int argc, char** argv) {
    std::string base;
    if (argc > 1) {
        std::FILE* f = std::fopen(argv[1], "rb");
        if (!f) return base;
        base = readAll(f);
        std::fclose(f);
    } else {
        std::FILE* p = popen(kBuildCorpus, "r");
        if (!p) return base;
        base = readAll(p);
        pclose(p);
    }
    if (base.empty()) return base;
    if (base.back() != '\n') base += '\n';
    std::string text;
    text.reserve(kCorpusSize + base.size());
    while (text.size() < kCorpusSize) text += base;
    // Cut at the last line end within 64 MiB.
    text.resize(text.rfind('\n', kCorpusSize - 1) + 1);
    return text;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Lines with at least one match, searching the whole text and jumping to the next line after
// each match (a line start is always a character start).
long countLines(SearchIF_Simple& s, const std::string& text) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text.data());
    const uint32_t n = uint32_t(text.size());
    long lines = 0;
    uint32_t at = 0, start = 0, len = 0;
    while (at < n && s.find(p + at, n - at, &start, &len)) {
        ++lines;
        const void* end = std::memchr(p + at + start, '\n', n - at - start);
        if (!end) break;
        at = uint32_t(static_cast<const uint8_t*>(end) - p) + 1;
    }
    return lines;
}

// The same count searching line by line, as the editor control does.
long countLinesOneByOne(SearchIF_Simple& s, const std::string& text) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text.data());
    const uint8_t* end = p + text.size();
    long lines = 0;
    uint32_t start = 0, len = 0;
    while (p < end) {
        const uint8_t* eol = static_cast<const uint8_t*>(std::memchr(p, '\n', size_t(end - p)));
        if (!eol) eol = end;
        if (s.find(p, uint32_t(eol - p), &start, &len)) ++lines;
        p = eol + 1;
    }
    return lines;
}

// Runs grep with the given arguments in the C locale; returns its count (or -1).
long runGrep(const std::vector<std::string>& args) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        setenv("LC_ALL", "C", 1);
        execvp("grep", argv.data());
        _exit(127);
    }
    close(fds[1]);
    std::FILE* out = fdopen(fds[0], "r");
    std::string result = out ? readAll(out) : std::string();
    if (out) std::fclose(out);
    int status = 0;
    waitpid(child, &status, 0);
    return result.empty() ? -1 : std::atol(result.c_str());
}

struct Case {
    const char* name;
    std::string pattern;
    bool caseSensitive;
};

void runCase(const Case& c, const std::string& text, const std::string& path) {
    SearchIF_Simple s;
    s.setCaseSensitive(c.caseSensitive);
    s.setPattern(c.pattern.c_str());
    double ours = 1e9, perLine = 1e9, theirs = 1e9;
    long ourCount = 0, lineCount = 0, grepCount = 0;
    std::vector<std::string> args = {"grep", "-F", "-c"};
    if (!c.caseSensitive) args.push_back("-i");
    args.push_back("-e");
    args.push_back(c.pattern);
    args.push_back(path);
    for (int round = 0; round < 5; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        ourCount = countLines(s, text);
        ours = std::min(ours, seconds(t0));
        t0 = std::chrono::steady_clock::now();
        lineCount = countLinesOneByOne(s, text);
        perLine = std::min(perLine, seconds(t0));
        t0 = std::chrono::steady_clock::now();
        grepCount = runGrep(args);
        theirs = std::min(theirs, seconds(t0));
    }
    const double mb = double(text.size()) / 1e6;
    const bool same = ourCount == grepCount && lineCount == grepCount;
    std::printf("%-26s %-16s %9.0f %9.0f %9.0f %7.2fx %8ld %8ld%s\n", c.name,
                c.caseSensitive ? "case-sensitive" : "case-insensitive", mb / ours, mb / perLine,
                mb / theirs, theirs / ours, ourCount, grepCount, same ? "" : "  (counts differ)");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string text = loadCorpus(argc, argv);
    if (text.empty()) {
        std::fprintf(stderr, "search_bench: no corpus (manpages-ja pages or a file argument)\n");
        return 1;
    }
    char path[] = "/tmp/search_bench.XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, text.data(), text.size()) != ssize_t(text.size())) {
        std::fprintf(stderr, "search_bench: cannot write the temporary file\n");
        return 1;
    }
    close(fd);
    // "オプションを指定する" (20 bytes in Shift_JIS) and the ASCII "dir".
    const std::string longPattern =
        "\x83\x49\x83\x76\x83\x56\x83\x87\x83\x93\x82\xf0\x8e\x77\x92\xe8\x82\xb7\x82\xe9";
    const Case cases[] = {
        {"short \"dir\" (3 bytes)", "dir", true},
        {"short \"dir\" (3 bytes)", "dir", false},
        {"long Japanese (20 bytes)", longPattern, true},
        {"long Japanese (20 bytes)", longPattern, false},
    };
    std::printf("corpus: %.1f MB of Shift_JIS text; best of 5; grep -F -c in the C locale, timed\n"
                "as a process reading the file from the cache; ratio = ours (whole text) / grep\n",
                double(text.size()) / 1e6);
    std::printf("%-26s %-16s %9s %9s %9s %8s %8s %8s\n", "pattern", "mode", "ours MB/s",
                "per line", "grep MB/s", "ratio", "lines", "grep");
    for (const Case& c : cases) runCase(c, text, path);
    unlink(path);
    return 0;
}

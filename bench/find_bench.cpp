// Benchmark: the frame's find and replace work over 64 MiB of Japanese Shift_JIS text in a text
// store, each against a reference on the same bytes in the same run (C locale):
//   replace-all of a frequent word through the control's replace-all   vs  sed 's/W/R/g'
//   search-all listing of a rarer word, kept as the frame keeps it      vs  grep -c -F
//   one match-state update (test finds down and up from the middle)     vs  one forward search
// Usage: find_bench [CORPUS.sjis]; without an argument the corpus the build prepared is used.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FindState.h"
#include "QuorvaleDocumentOps.h"
#include "SearchIF_Simple.h"
#include "TextStore.h"

namespace {

const size_t kCorpusSize = size_t(64) << 20;
const uint32_t kDefaultUndoLimit = 8u << 20;   // the settings' default undo limit

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

std::string readFile(const char* path) {
    std::string data;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return data;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, got);
    std::fclose(f);
    return data;
}

// The corpus repeated to 64 MiB, cut at a line end, lines ending in CR LF as the editor keeps them.
std::string makeText(const std::string& base) {
    std::string text;
    text.reserve(kCorpusSize + base.size());
    while (text.size() < kCorpusSize) text += base;
    text.resize(text.rfind('\n', kCorpusSize - 1) + 1);
    return text;
}

// Runs a shell command in the C locale and returns the wall time; its standard output goes to out.
double runTimed(const std::string& command, std::string* out) {
    std::string full = "LC_ALL=C " + command;
    Clock::time_point t = Clock::now();
    std::FILE* p = popen(full.c_str(), "r");
    if (!p) return -1;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, p)) > 0)
        if (out) out->append(buffer, got);
    pclose(p);
    return secondsSince(t);
}

struct Store {
    TextStore store;
    std::vector<uint8_t> image;
    explicit Store(const std::string& text) : image(text.begin(), text.end()) {
        store.create(80, 4, kDefaultUndoLimit, TextEncoding::ShiftJis);
        store.loadChunk(static_cast<uint32_t>(image.size()), image.data(), true);
        store.convertLoaded();
    }
};

void replaceAllRun(const std::string& text, const std::string& path, const std::string& word,
                   const std::string& replacement) {
    Store s(text);
    SearchIF_Simple engine;
    engine.setCaseSensitive(true);
    engine.setPattern(word.c_str());
    FindRequest find{};
    find.flags = FIND_FROMTOP;
    find.search = &engine;
    ReplaceRequest replace{replacement.c_str(), static_cast<uint32_t>(replacement.size()), nullptr};
    ReplaceAllRequest request{&find, &replace};
    Clock::time_point t = Clock::now();
    int32_t count = quorvale::replaceAll(s.store, request);
    double ours = secondsSince(t);
    double sed = runTimed("sed 's/" + word + "/" + replacement + "/g' " + path + " > /dev/null", nullptr);
    std::string grepCount;
    runTimed("grep -o -F -e '" + word + "' " + path + " | wc -l", &grepCount);
    std::printf("replace-all   %8.3f s   sed %8.3f s   ratio %5.2fx (target >= 0.5x)   replaced %d, grep -o %ld; "
                "journal %u bytes, %u records\n",
                ours, sed, sed / ours, count, std::atol(grepCount.c_str()), s.store.undoJournal().allocated(),
                s.store.undoJournal().recordCount());
}

struct Listing {
    find_state::ResultTable table;
    std::vector<std::string> pane;
};

bool listLine(void* context, int32_t lineNumber, const char* text) {
    auto* l = static_cast<Listing*>(context);
    l->pane.emplace_back(text);
    find_state::ResultTable::Step step = l->table.add(lineNumber);
    return !step.stop;
}

void listAllRun(const std::string& text, const std::string& path, const std::string& word) {
    Store s(text);
    SearchIF_Simple engine;
    engine.setCaseSensitive(true);
    engine.setPattern(word.c_str());
    Listing listing;
    FindRequest request{};
    request.flags = FIND_LISTALL;
    request.search = &engine;
    request.callback = &listLine;
    request.context = &listing;
    Clock::time_point t = Clock::now();
    int32_t lines = quorvale::listAll(s.store, request);
    double ours = secondsSince(t);
    std::string grepCount;
    double grep = runTimed("grep -c -F -e '" + word + "' " + path, &grepCount);
    std::printf("search-all    %8.3f s   grep %7.3f s   ratio %5.2fx (target >= 0.3x)   lines %d, grep -c %ld\n", ours,
                grep, grep / ours, lines, std::atol(grepCount.c_str()));
}

void matchStateRun(const std::string& text) {
    Store s(text);
    SearchIF_Simple engine;
    engine.setCaseSensitive(true);
    engine.setPattern("\x81\x9a\x81\x9a no such text \x81\x9a\x81\x9a");   // ★★ no such text ★★
    s.store.moveTo(s.store.lineCount() / 2, 0);
    double state = 1e9, whole = 1e9;
    for (int round = 0; round < 3; ++round) {
        Clock::time_point t = Clock::now();
        FindRequest down{};
        down.flags = FIND_TESTONLY;
        down.search = &engine;
        FindRequest up{};
        up.flags = FIND_TESTONLY | FIND_BACKWARD;
        up.search = &engine;
        bool found = quorvale::findNext(s.store, down) || quorvale::findNext(s.store, up);
        double e = secondsSince(t);
        if (e < state) state = e;
        t = Clock::now();
        uint32_t at = 0, length = 0;
        found = engine.find(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()), &at,
                            &length) || found;
        e = secondsSince(t);
        if (e < whole) whole = e;
        if (found) std::printf("(unexpected match)\n");
    }
    std::printf("match state   %8.3f s   one search %8.3f s   %5.2fx of one search (target <= 2.5x)\n", state, whole,
                state / whole);
}

}  // namespace

int main(int argc, char** argv) {
    const char* corpus = argc > 1 ? argv[1] : ULO_BENCH_CORPUS;
    std::string base = readFile(corpus);
    if (base.empty()) {
        std::fprintf(stderr, "find_bench: no corpus at %s\n", corpus);
        return 1;
    }
    if (base.back() != '\n') base += '\n';
    const std::string text = makeText(base);
    char path[] = "/tmp/find_bench.XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        std::fprintf(stderr, "find_bench: cannot write the temporary file\n");
        return 1;
    }
    close(fd);
    std::printf("corpus: %.1f MB of Shift_JIS text in a text store (default undo limit %u bytes)\n",
                double(text.size()) / 1e6, kDefaultUndoLimit);
    // "the" is frequent in the pages' English passages; "ファイル" frequent in the Japanese ones.
    replaceAllRun(text, path, "the", "THE");
    replaceAllRun(text, path, "\x83t\x83@\x83" "C\x83\x8b", "file");
    // A word with fewer than 1000 matching lines.
    listAllRun(text, path, "setlocale");
    matchStateRun(text);
    unlink(path);
    return 0;
}

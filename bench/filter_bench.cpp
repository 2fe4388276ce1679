// Benchmark: every text filter over 16 MiB of Japanese Shift_JIS text with CR LF (manual pages;
// Japanese HTML for the tag and reference filters) against a classic tool doing the same job on
// the same bytes in the same run (LC_ALL=C). Prints MB/s of both, their ratio, and the filter's
// allocations. Usage: filter_bench [--size MiB] [MANPAGES.sjis]
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FilterMemory.h"
#include "FilterTables.h"
#include "Filters.h"

namespace {

using Clock = std::chrono::steady_clock;

int allocations = 0;
void* countingAllocate(size_t size) {
    ++allocations;
    return std::malloc(size);
}

std::string readPipe(const std::string& command) {
    std::string data;
    std::FILE* p = popen(command.c_str(), "r");
    if (!p) return data;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, p)) > 0) data.append(buffer, got);
    pclose(p);
    return data;
}

// base repeated to size bytes, cut after a line end, every LF made CR LF.
std::string corpusOf(std::string base, size_t size) {
    std::string crlf;
    for (char c : base) {
        if (c == '\r') continue;
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    if (crlf.empty()) return crlf;
    std::string text;
    while (text.size() < size) text += crlf;
    text.resize(text.rfind('\n', size - 1) + 1);
    return text;
}

// Answers the dialogs of 310, 311 and 701.
class BenchUi : public ulo_filters::FilterUi {
public:
    void showNoLines(void*) override {}
    bool askInsertString(void*, std::string& text) override {
        text = "> ";
        return true;
    }
    bool askReplacement(void*, const ulo_filters::ReplaceProbe&, std::string& s, std::string& r) override {
        s = "\\n\\n";
        r = "\\n";
        return true;
    }
    void showReplacedCount(void*, int) override {}
};

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Best of three runs of the filter on fresh copies of the text; sets the allocation count.
double timeFilter(uint32_t id, const std::string& text, int& allocs) {
    BenchUi ui;
    double best = 1e9;
    std::vector<char> buffer(text.size() + 1);
    for (int run = 0; run < 3; ++run) {
        std::memcpy(buffer.data(), text.data(), text.size());
        buffer[text.size()] = '\0';
        FilterRequest r{};
        r.input = buffer.data();
        r.input_length = static_cast<uint32_t>(text.size());
        r.tab_width = 4;
        r.prefix = "";
        allocations = 0;
        const Clock::time_point start = Clock::now();
        const bool done = ulo_filters::executeFilter(id, r, ui);
        const double t = seconds(start);
        allocs = allocations;
        if (done && r.output != r.input) ulo_filters::executeFilter(id, r, ui);
        if (t < best) best = t;
    }
    return best;
}

// Best of two runs of the reference command reading the file, its output discarded.
double timeReference(const std::string& command, const std::string& file) {
    double best = 1e9;
    for (int run = 0; run < 2; ++run) {
        const std::string line = "LC_ALL=C sh -c '" + command + "' < " + file + " > /dev/null";
        const Clock::time_point start = Clock::now();
        if (std::system(line.c_str()) != 0) return -1;
        const double t = seconds(start);
        if (t < best) best = t;
    }
    return best;
}

// A perl program mapping the 93 one-byte characters to their full-width pairs.
std::string widthPerl() {
    std::string map;
    char item[32];
    for (const ulo_filters::WidthPair& p : ulo_filters::kWidthPairs) {
        std::snprintf(item, sizeof item, "\"\\x%02x\"=>\"\\x%02x\\x%02x\",", p.narrow, p.lead, p.trail);
        map += item;
    }
    return "BEGIN{%m=(" + map + ")} s/([\\x21-\\x7e\\xa5])/exists $m{$1}?$m{$1}:$1/ge";
}

void writeFile(const std::string& path, const std::string& data) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

struct Case {
    uint32_t id;
    bool html;
    std::string reference;
};

}  // namespace

int main(int argc, char** argv) {
    size_t mib = 16;
    std::string manpages;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc)
            mib = std::strtoul(argv[++i], nullptr, 10);
        else
            manpages = argv[i];
    }
    const size_t size = mib << 20;
    std::string base = manpages.empty()
                           ? readPipe(
                                 "find /usr/share/man/ja -name '*.gz' | sort | head -400 | xargs zcat "
                                 "| iconv -c -f utf-8 -t cp932")
                           : readPipe("cat '" + manpages + "'");
    const std::string text = corpusOf(base, size);
    const std::string html =
        corpusOf(readPipe("cat /usr/share/doc/aptitude/html/ja/*.html | iconv -c -f utf-8 -t cp932"), size);
    if (text.empty() || html.empty()) {
        std::fprintf(stderr, "filter_bench: no corpus (install manpages-ja and aptitude-doc-ja)\n");
        return 1;
    }
    const std::string textFile = "/tmp/filter_bench_text.sjis", htmlFile = "/tmp/filter_bench_html.sjis";
    const std::string perlFile = "/tmp/filter_bench_width.pl";
    writeFile(textFile, text);
    writeFile(htmlFile, html);
    writeFile(perlFile, widthPerl());
    ulo_filters::filterMemory().allocate = countingAllocate;

    const std::vector<Case> cases = {
        {100, false, "tr a-z A-Z"},
        {101, false, "tr A-Z a-z"},
        {110, false, "nkf -S -s -x -Z0"},
        {111, false, "perl -p " + perlFile},
        {200, false, "expand -t4"},
        {201, false, "unexpand -t4"},
        {300, false, "tr -d \"\\r\\n\""},
        {301, false, "sed \"/^[ \\t\\r]*$/d\""},
        {302, false, "sed \"s/[ \\t]*\\r$/\\r/\""},
        {303, false, "awk \"!seen[\\$0]++\""},
        {310, false, "sed \"s/^/> /\""},
        {311, false, "sed \"s/\\r$/;\\r/\""},
        {350, false, "sort -s --parallel=1"},
        {351, false, "sort -s -r --parallel=1"},
        {400, true, "sed \"s/<[^>]*>//g\""},
        {401, true, "sed -E \"s/<([A-Za-z0-9]+)[^>]*>/<\\1>/g\""},
        {500, true,
         "perl -pe \"s/&(lt|gt|amp|quot|nbsp|copy);/{lt=>q(<),gt=>q(>),amp=>q(&),quot=>q(\\\"),nbsp=>q( "
         "),copy=>q((C))}->{\\$1}/ge\""},
        {501, true, "sed \"s/&/\\&amp;/g; s/</\\&lt;/g; s/>/\\&gt;/g\""},
        {611, false, "perl -ne \"print qq(\\$1\\r\\n) while /([-\\/\\w.]+@[-\\/\\w.]+)/g\""},
        {612, false,
         "perl -ne \"print qq(\\$1\\r\\n) while "
         "/((?:ftp|https?|mailto|news|file):[-\\/\\w.!#\\$%&*+:;=?@^|~]*)/g\""},
        {701, false, "perl -0777 -pe \"s/\\r\\n\\r\\n/\\r\\n/g\""},
    };
    std::printf("%zu MiB per filter; MB/s of the filter and of the reference (best runs)\n", mib);
    std::printf("%-5s %10s %10s %8s %7s  %s\n", "id", "filter", "reference", "ratio", "allocs", "reference");
    for (const Case& c : cases) {
        const std::string& input = c.html ? html : text;
        int allocs = 0;
        const double filter = timeFilter(c.id, input, allocs);
        const double reference = timeReference(c.reference, c.html ? htmlFile : textFile);
        const double mb = input.size() / 1e6;
        std::printf("%-5u %10.1f %10.1f %8.2f %7d  %s\n", c.id, mb / filter,
                    reference > 0 ? mb / reference : 0.0, reference > 0 ? reference / filter : 0.0, allocs,
                    c.reference.c_str());
        std::fflush(stdout);
    }
    std::remove(textFile.c_str());
    std::remove(htmlFile.c_str());
    std::remove(perlFile.c_str());
    return 0;
}

// HTML benchmark: the element scanner over a large Japanese HTML file against
// `xmllint --html --noout` of the same text; the grammar checker against `xmllint --valid` and,
// on kanjidic's HTML 4.01 manual repeated to the same size, `onsgmls -s`;
// word candidates against std::sort + unique of the same words; each map's load against reading
// its bytes. The text is aptitude-doc-ja's Japanese XHTML manual, converted to Shift_JIS (and
// kept in UTF-8 for xmllint), its body repeated up to the size asked for.
// Usage: html_bench [--size MiB] (default 64)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <cmath>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include <iconv.h>

#include "Completion.h"
#include "HtmlBenchRuns.h"

namespace {

using html_bench::Clock;
using html_bench::forEachLine;
using html_bench::since;
using html_bench::timeChecker;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool convert(const char* to, const char* from, const std::string& text, std::string* out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out->assign(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size(), outLeft = out->size();
    char* o = &(*out)[0];
    const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out->resize(out->size() - outLeft);
    return r != static_cast<size_t>(-1);
}

bool toSjis(const std::string& utf8, std::string* out) { return convert("CP932", "UTF-8", utf8, out); }

// One page's head and body, and the body's inner text.
struct Page {
    std::string head, body, tail;
};

bool splitPage(const std::string& page, Page* p) {
    const size_t b = page.find("<body>"), e = page.rfind("</body>");
    if (b == std::string::npos || e == std::string::npos || e < b) return false;
    p->head = page.substr(0, b + 6);
    p->body = page.substr(b + 6, e - b - 6);
    p->tail = page.substr(e);
    return true;
}

// The manual's pages that convert to Shift_JIS, bodies repeated to `bytes` (ids made unique).
bool buildDocument(size_t bytes, std::string* utf8, std::string* sjis) {
    std::vector<std::string> bodies;
    Page first;
    bool haveFirst = false;
    std::vector<std::string> paths;
    const char* folder = "/usr/share/doc/aptitude/html/ja";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".html") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        const std::string page = readFile(path);
        std::string s;
        Page p;
        if (page.empty() || !toSjis(page, &s) || !splitPage(page, &p)) continue;
        if (!haveFirst) first = p, haveFirst = true;
        bodies.push_back(p.body);
    }
    if (bodies.empty()) return false;
    *utf8 = first.head;
    for (size_t k = 0; utf8->size() < bytes; ++k) {
        std::string body = bodies[k % bodies.size()];
        // Repeated ids would be duplicates: each copy's ids get the copy's number.
        const std::string mark = "id=\"";
        for (size_t at = body.find(mark); at != std::string::npos; at = body.find(mark, at + mark.size()))
            body.insert(at + mark.size(), "c" + std::to_string(k) + "-");
        *utf8 += "<div>" + body + "</div>\n";
    }
    *utf8 += first.tail;
    return toSjis(*utf8, sjis);
}

// HTML 4.01 Transitional in upper case: kanjidic's legacy manual (EUC-JP), its body repeated to
// `bytes` inside DIV elements.
bool buildHtml4Document(size_t bytes, std::string* utf8, std::string* sjis) {
    std::string page;
    if (!convert("UTF-8", "EUC-JP", readFile("/usr/share/doc/kanjidic/kanjidic_doc_legacy.html"), &page))
        return false;
    const size_t open = page.find("<BODY"), close = page.rfind("</BODY>");
    const size_t openEnd = page.find('>', open);
    if (open == std::string::npos || close == std::string::npos || openEnd >= close) return false;
    const std::string body = page.substr(openEnd + 1, close - openEnd - 1);
    *utf8 = page.substr(0, openEnd + 1);
    while (utf8->size() < bytes) *utf8 += "<DIV>" + body + "</DIV>\n";
    *utf8 += page.substr(close);
    return toSjis(*utf8, sjis);
}

double runCommand(const std::string& command) {
    const auto t = Clock::now();
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    const double s = since(t);
    return status == 0 ? s : -s;
}

}  // namespace

int main(int argc, char** argv) {
    size_t mib = 64;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--size") == 0) mib = std::strtoul(argv[i + 1], nullptr, 10);
    const std::string maps = ULO_MAP_DIR;
    std::string utf8, sjis;
    if (!buildDocument(mib << 20, &utf8, &sjis)) {
        std::printf("no source text (install aptitude-doc-ja)\n");
        return 0;
    }
    const std::string utf8Path = "html_bench.utf8.html";
    std::ofstream(utf8Path, std::ios::binary) << utf8;
    std::printf("document: %.1f MiB Shift_JIS, %.1f MiB UTF-8\n", sjis.size() / 1048576.0, utf8.size() / 1048576.0);

    DocumentMap map;
    if (loadMap(map, (maps + "/xhtml1-transitional.map").c_str()) != mapfile::kLoaded) return 1;

    // 1. The scanner to the document's end against xmllint's HTML parser.
    const double scan = html_bench::timeScanner(map, sjis);
    const double xmlHtml = runCommand("xmllint --html --noout " + utf8Path);
    std::printf("scanner to the end: %.3f s (%.0f MiB/s); xmllint --html: %.3f s; ratio %.1fx (target >= 3x)\n",
                scan, sjis.size() / 1048576.0 / scan, std::abs(xmlHtml), std::abs(xmlHtml) / scan);

    // 2. The grammar checker against xmllint --valid (XHTML) and onsgmls -s (HTML 4.01).
    const double lint = timeChecker(map, sjis);
    const double valid = runCommand("XML_CATALOG_FILES=/usr/share/xml/w3c-sgml-lib/schema/dtd/catalog.xml "
                                    "xmllint --valid --noout --nonet " + utf8Path);
    std::printf("checker, XHTML: %.3f s; xmllint --valid: %.3f s (%s); ratio %.1fx (target >= 1x)\n", lint,
                std::abs(valid), valid >= 0 ? "valid" : "reported errors", std::abs(valid) / lint);
    std::string utf8Html4, sjisHtml4;
    DocumentMap loose;
    if (buildHtml4Document(mib << 20, &utf8Html4, &sjisHtml4) &&
        loadMap(loose, (maps + "/html401-loose.map").c_str()) == mapfile::kLoaded) {
        const std::string html4Path = "html_bench.html4.html";
        std::ofstream(html4Path, std::ios::binary) << utf8Html4;
        const double lint4 = timeChecker(loose, sjisHtml4);
        const double sgml = runCommand(
            "SP_CHARSET_FIXED=YES SP_ENCODING=XML SGML_CATALOG_FILES=/usr/share/sgml/html/dtd/4.01/catalog:"
            "/usr/share/sgml/html/entities/catalog onsgmls -s " + html4Path);
        std::printf("checker, HTML 4.01 (%.1f MiB): %.3f s; onsgmls -s: %.3f s (%s); ratio %.1fx (target >= 1x)\n",
                    sjisHtml4.size() / 1048576.0, lint4, std::abs(sgml), sgml >= 0 ? "valid" : "reported errors",
                    std::abs(sgml) / lint4);
        unloadMap(loose);
        std::remove(html4Path.c_str());
    } else {
        std::printf("checker, HTML 4.01: no source text (install kanjidic and opensp)\n");
    }

    // 3. Word candidates over the first 10000 lines against std::sort + unique of the same words.
    std::vector<std::string> lines;
    forEachLine(sjis, [&](const uint8_t* p, size_t n, bool) {
        if (lines.size() < 10000) lines.emplace_back(reinterpret_cast<const char*>(p), n);
    });
    auto t = Clock::now();
    WordCollector words("", 0, false, WordCollector::AnyRegion, 0);
    for (const std::string& l : lines) words.addLine(reinterpret_cast<const uint8_t*>(l.data()), l.size());
    std::vector<char> out(1 << 22);
    const size_t listed = words.words(out.data(), out.size(), "", 0);
    const double collect = since(t);
    t = Clock::now();
    std::vector<std::string> plain;
    for (const std::string& l : lines) {
        for (size_t i = 0; i < l.size();) {
            const uint8_t c = static_cast<uint8_t>(l[i]);
            auto wordByte = [](uint8_t b) { return isalnum(b) || b == '_'; };
            if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) { i += 2; continue; }
            if (!wordByte(c)) { ++i; continue; }
            size_t j = i;
            while (j < l.size() && wordByte(static_cast<uint8_t>(l[j]))) ++j;
            if (j - i >= 4) plain.emplace_back(l, i, j - i);
            i = j;
        }
    }
    std::sort(plain.begin(), plain.end());
    plain.erase(std::unique(plain.begin(), plain.end()), plain.end());
    const double reference = since(t);
    std::printf("word candidates (%zu lines, %zu bytes listed, %zu words): %.4f s; sort+unique: %.4f s; ratio %.2f (target <= 2)\n",
                lines.size(), listed, plain.size(), collect, reference, collect / reference);

    // 4. Each map's load against reading its bytes.
    const char* names[] = {"html401-strict.map", "html401-loose.map", "xhtml1-transitional.map", "xhtml11.map",
                           "html5.map", "ie55.map", "imode500.map"};
    for (const char* name : names) {
        const std::string path = maps + "/" + name;
        const int rounds = 200;
        t = Clock::now();
        for (int r = 0; r < rounds; ++r) {
            DocumentMap m;
            loadMap(m, path.c_str());
            unloadMap(m);
        }
        const double load = since(t) / rounds;
        t = Clock::now();
        size_t size = 0;
        for (int r = 0; r < rounds; ++r) size = readFile(path).size();
        const double read = since(t) / rounds;
        DocumentMap m;
        loadMap(m, path.c_str());
        const size_t memory = m.sectionSize(0) + m.sectionSize(1) + m.sectionSize(2) + m.sectionSize(3) +
                              m.sectionSize(4) + 8 + sizeof(void*) * (m.modelCount() + m.attributeListCount());
        std::printf("map %-24s %6zu bytes: load %.1f us, read %.1f us, ratio %.2f (target <= 2); memory %zu bytes (file + %zu per record)\n",
                    name, size, load * 1e6, read * 1e6, load / read, memory, sizeof(void*));
        unloadMap(m);
    }
    unloadMap(map);
    // With HTML_BENCH_KEEP set the document stays, in UTF-8 and in Shift_JIS (html-wine-bench.sh).
    if (std::getenv("HTML_BENCH_KEEP") == nullptr)
        std::remove(utf8Path.c_str());
    else
        std::ofstream("html_bench.sjis.html", std::ios::binary) << sjis;
    return 0;
}

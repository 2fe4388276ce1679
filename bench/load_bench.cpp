// load_bench: loading (reset, borrowed loadChunk, convertLoaded with rows) and saving 64 MiB of
// Japanese text in each of the five codes, against the platform's converter in the same run,
// and the store's memory per line beyond the image.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchCodec.h"
#include "DocumentWriter.h"
#include "Kanji.h"
#include "LineSplitter.h"
#include "PrivateTempFile.h"
#include "TextStore.h"

using benchcodec::Code;
using Bytes = std::vector<uint8_t>;

namespace {

struct CodeInfo {
    Code code;
    TextEncoding encoding;
    const char* name;
    const char* file;   // the build-time iconv copy of the source in this code
};
const CodeInfo kCodes[] = {
    {Code::ShiftJis, TextEncoding::ShiftJis, "Shift_JIS", "corpus.sjis"},
    {Code::Jis, TextEncoding::Jis, "ISO-2022-JP", "corpus.jis"},
    {Code::EucJp, TextEncoding::EucJp, "EUC-JP", "corpus.euc"},
    {Code::Utf8, TextEncoding::Utf8, "UTF-8", "corpus.utf8"},
    {Code::Utf16Le, TextEncoding::Utf16Le, "UTF-16LE", "corpus.u16"},
};

struct Options {
    double mebibytes = 64;
    int repeats = 3;
    std::string corpus;
    std::string only;   // one code's name, for profiling
};

bool useWallClock = false;

double now() {
    if (useWallClock)
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    return processCpuSeconds();
}

Bytes readFile(const std::string& path) {
    Bytes bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    std::fseek(f, 0, SEEK_END);
    long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    bytes.resize(size_t(size > 0 ? size : 0));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    std::fclose(f);
    return bytes;
}

// Offset just after the n-th line end (LF byte or, for UTF-16LE, LF unit), or 0 when fewer.
size_t afterLines(const Bytes& text, size_t lines, bool utf16) {
    size_t step = utf16 ? 2 : 1;
    for (size_t i = 0; i + step <= text.size(); i += step)
        if (text[i] == 0x0A && (!utf16 || text[i + 1] == 0) && --lines == 0) return i + step;
    return 0;
}

size_t countLines(const Bytes& text) {
    size_t n = 0;
    for (uint8_t b : text) n += b == 0x0A;
    return n;
}

// The source repeated until it holds `lines` lines, cut after the last of them.
Bytes repeatLines(const Bytes& source, size_t lines, bool utf16) {
    size_t perCopy = utf16 ? 0 : countLines(source);
    if (utf16)
        for (size_t i = 0; i + 1 < source.size(); i += 2) perCopy += source[i] == 0x0A && source[i + 1] == 0;
    Bytes out;
    while (perCopy && lines > perCopy) {
        out.insert(out.end(), source.begin(), source.end());
        lines -= perCopy;
    }
    out.insert(out.end(), source.begin(), source.begin() + long(afterLines(source, lines, utf16)));
    return out;
}

bool sameLines(const TextStore& a, const TextStore& b) {
    if (a.lineCount() != b.lineCount()) return false;
    const LineRecord* y = b.firstLine();
    for (const LineRecord* x = a.firstLine(); x; x = x->next, y = y->next)
        if (x->length != y->length || x->lineEnd != y->lineEnd ||
            (x->length > 0 && std::memcmp(x->text, y->text, x->length) != 0))  // an empty line may have no text
            return false;
    return true;
}

Bytes readBack(std::FILE* f) {
    long size = std::ftell(f);
    std::rewind(f);
    Bytes bytes(size_t(size > 0 ? size : 0));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    return bytes;
}

std::string folderOf(const char* path) {
    std::string p(path);
    size_t slash = p.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : p.substr(0, slash);
}

Options parse(int argc, char** argv) {
    Options o;
    o.corpus = folderOf(argv[0]);
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        if (a == "--size") o.mebibytes = std::atof(argv[i + 1]);
        else if (a == "--repeats") o.repeats = std::atoi(argv[i + 1]);
        else if (a == "--corpus") o.corpus = argv[i + 1];
        else if (a == "--only") o.only = argv[i + 1];
        else if (a == "--clock") useWallClock = std::string(argv[i + 1]) == "wall";
    }
    if (o.repeats < 1) o.repeats = 1;
    return o;
}

}  // namespace

namespace {

// Keeps the smallest of the times given; negative means failed.
struct Best {
    double seconds = -1;
    bool failed = false;
    void add(double t) {
        if (t < 0) failed = true;
        else if (seconds < 0 || t < seconds) seconds = t;
    }
    double rate(size_t bytes) const { return failed || seconds <= 0 ? 0 : bytes / seconds / 1e6; }
};

// One round of loading. Decoding works in place, so `image` is copied into `work` first, outside
// the timing. `load` counts the reset of an empty store, the borrowed load and the conversion with
// rows (opening a file in a new editor window); `reload` also the freeing of the document before.
bool loadRound(TextStore& store, TextEncoding encoding, const Bytes& image, Bytes& work, double* load,
               double* reload) {
    work.resize(image.size());
    std::memcpy(work.data(), image.data(), image.size());
    double t0 = now();
    store.reset(encoding);
    double t1 = now();
    store.reset(encoding);
    bool ok = store.loadChunk(uint32_t(work.size()), work.data(), true) && store.convertLoaded();
    double t2 = now();
    *load = t2 - t1;
    *reload = t2 - t0;
    return ok;
}

double saveRound(const TextStore& store, const Bytes& expected, bool* same) {
    std::FILE* f = openPrivateTempFile();
    if (!f) return -1;
    std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
    double t0 = now();
    bool ok = DocumentWriter::write(store, f) && std::fflush(f) == 0;
    double t = now() - t0;
    *same = ok && readBack(f) == expected;
    std::fclose(f);
    return ok ? t : -1;
}

// Kanji's decoding alone, as a borrowed load does it: the lines of `image` (copied into `work`
// first) up to the last line end in one pass, to tell its share of the load time. 0 for
// Shift_JIS, which needs none.
double decodeRound(TextEncoding encoding, const Bytes& image, Bytes& work) {
    if (encoding == TextEncoding::ShiftJis) return 0;
    work.resize(image.size());
    std::memcpy(work.data(), image.data(), image.size());
    uint32_t length = LineSplitter::endOfLastLine(work.data(), 0, uint32_t(work.size()), encoding == TextEncoding::Utf16Le);
    uint32_t decoded = 0;
    bool lossy = false;
    double t0 = now();
    Kanji::LinesDecoded result = Kanji::decodeLines(encoding, work.data(), &length, &decoded, &lossy);
    double t = now() - t0;
    return result == Kanji::LinesDecoded::All ? t : -1;
}

template <class Convert>
double referenceRound(const Bytes& in, Bytes& out, size_t room, Convert&& convert) {
    out.resize(room);
    double t0 = now();
    bool ok = convert(in, out);
    double t = now() - t0;
    return ok ? t : -1;
}

// The image in `info`'s code: converted by the platform, or else the build-time iconv copy.
Bytes imageIn(const CodeInfo& info, const Bytes& sjisSource, size_t lines, const Options& o, std::string* from) {
    bool utf16 = info.code == Code::Utf16Le;
    Bytes source;
    if (info.code == Code::ShiftJis) {
        source = sjisSource;
        *from = "source";
    } else {
        source.resize(sjisSource.size() * 3 + 16);
        if (benchcodec::fromShiftJis(info.code, sjisSource, source)) {
            *from = benchcodec::referenceName();
        } else {
            source = readFile(o.corpus + "/" + info.file);
            *from = "build-time iconv";
        }
    }
    return repeatLines(source, lines, utf16);
}

void printRatio(double value, double reference) {
    if (value > 0 && reference > 0) std::printf("  %6.2fx", value / reference);
    else std::printf("  %7s", "n/a");
}

}  // namespace

int main(int argc, char** argv) {
    Options o = parse(argc, argv);
    Bytes source = readFile(o.corpus + "/corpus.sjis");
    if (source.empty()) {
        std::fprintf(stderr, "load_bench: no text source %s/corpus.sjis (made from manpages-ja at build time)\n",
                     o.corpus.c_str());
        return 1;
    }
    // The Shift_JIS image: the source repeated, cut at the last line end within the size.
    size_t target = size_t(o.mebibytes * 1048576.0);
    Bytes probe;
    while (probe.size() < target) probe.insert(probe.end(), source.begin(), source.end());
    size_t cut = target;
    while (cut > 0 && probe[cut - 1] != 0x0A) --cut;
    probe.resize(cut);
    size_t lines = countLines(probe);
    const int wrap = 76, tab = 8;
    std::printf("load_bench: %.1f MiB of Shift_JIS text, %zu lines from Debian's manpages-ja, wrap %d, tab %d,\n"
                "best of %d rounds by %s time\n",
                probe.size() / 1048576.0, lines, wrap, tab, o.repeats, useWallClock ? "wall-clock" : "process CPU");
    std::printf("reference: %s converting the same bytes to CP932 (load) and the Shift_JIS text to the code (save)\n",
                benchcodec::referenceName());
    std::printf("load: reset of an empty store + borrowed loadChunk + convertLoaded with rows; reload: the same after a\n"
                "loaded document (its freeing counted); save: DocumentWriter to a temporary file; ratio = ours / reference;\n"
                "decode: Kanji's decoding alone over the same lines in one pass (part of load)\n\n");
    std::printf("%-12s %7s %10s %10s %10s %8s %10s %10s %8s %9s  %s\n", "code", "MB", "load MB/s", "reload", "ref MB/s",
                "ratio", "save MB/s", "ref MB/s", "ratio", "decode", "checks");

    TextStore reference, store;
    reference.create(wrap, tab, 0xFFFFFFFFu, TextEncoding::ShiftJis);
    store.create(wrap, tab, 0xFFFFFFFFu, TextEncoding::ShiftJis);
    Bytes referenceWork, work, w2;
    double worstRatio = 1e30, sjisLoad = 0, perLine = 0, blocksPerLine = 0;
    for (const CodeInfo& info : kCodes) {
        if (!o.only.empty() && info.code != Code::ShiftJis && o.only != info.name) continue;
        std::string from;
        Bytes image = info.code == Code::ShiftJis ? probe : imageIn(info, source, lines, o, &from);
        if (info.code == Code::ShiftJis) from = "source";
        TextStore& s = info.code == Code::ShiftJis ? reference : store;
        Bytes& w = info.code == Code::ShiftJis ? referenceWork : work;
        // The rounds of ours and of the reference alternate, so that a busy spell of the machine
        // falls on both alike. Round 0 only warms up (and leaves a document for the reloads).
        Best load, reload, save, refLoad, refSave, decode;
        bool sameText = true, sameBytes = true;
        Bytes expected = image, out;
        if (info.code == Code::Utf16Le) expected.insert(expected.begin(), {0xFF, 0xFE});
        for (int round = 0; round <= o.repeats; ++round) {
            double l = -1, r = -1;
            bool ok = loadRound(s, info.encoding, image, w, &l, &r);
            sameText = sameText && ok && sameLines(s, reference) && s.encoding() == info.encoding;
            bool same = false;
            double sv = saveRound(s, expected, &same);
            sameBytes = sameBytes && same;
            double rl = referenceRound(image, out, image.size() * 2 + 16, [&](const Bytes& in, Bytes& o2) {
                return benchcodec::toShiftJis(info.code, in, o2);
            });
            double rs = referenceRound(probe, out, probe.size() * 3 + 16, [&](const Bytes& in, Bytes& o2) {
                return benchcodec::fromShiftJis(info.code, in, o2);
            });
            double dc = decodeRound(info.encoding, image, w2);
            if (round == 0) continue;
            decode.add(dc);
            load.add(ok ? l : -1);
            reload.add(ok ? r : -1);
            save.add(sv);
            refLoad.add(rl);
            refSave.add(rs);
        }
        if (info.code == Code::ShiftJis) {
            size_t held = s.allocator().liveBytes() - TextStore::initialTokenEntries * TextStore::tokenEntryBytes;
            perLine = double(held) / s.lineCount();
            blocksPerLine = double(s.allocator().liveBlocks() - 1) / s.lineCount();
        }
        double loadRate = load.rate(image.size()), reloadRate = reload.rate(image.size());
        double saveRate = save.rate(expected.size());
        double refLoadRate = refLoad.rate(image.size()), refSaveRate = refSave.rate(probe.size());
        double decodeRate = decode.rate(image.size());
        std::printf("%-12s %7.1f %10.0f %10.0f %10.0f", info.name, image.size() / 1e6, loadRate, reloadRate, refLoadRate);
        printRatio(loadRate, refLoadRate);
        std::printf(" %10.0f %10.0f", saveRate, refSaveRate);
        printRatio(saveRate, refSaveRate);
        if (decodeRate > 0) std::printf(" %9.0f", decodeRate);
        else std::printf(" %9s", "-");
        std::printf("  text %s, bytes %s, image from %s\n", sameText ? "same" : "DIFFERENT",
                    sameBytes ? "same" : "DIFFERENT", from.c_str());
        if (refLoadRate > 0 && loadRate / refLoadRate < worstRatio) worstRatio = loadRate / refLoadRate;
        if (info.code == Code::ShiftJis) sjisLoad = loadRate;
        if (info.code != Code::ShiftJis) store.reset(TextEncoding::ShiftJis);
    }
    std::printf("\nmemory per line beyond the image: %.1f bytes (%zu-byte records in blocks of 64, %.3f row arrays per line)\n",
                perLine, sizeof(LineRecord), blocksPerLine);
    std::printf("target load >= 2x reference in every code: %s (lowest ratio %.2fx)\n",
                worstRatio >= 2 ? "met" : "MISSED", worstRatio);
    std::printf("target Shift_JIS load >= 1000 MB/s: %s (%.0f MB/s, %.2fx the target)\n",
                sjisLoad >= 1000 ? "met" : "MISSED", sjisLoad, sjisLoad / 1000);
    std::printf("target memory per line <= 64 bytes: %s (%.1f)\n", perLine <= 64 ? "met" : "MISSED", perLine);
    return 0;
}

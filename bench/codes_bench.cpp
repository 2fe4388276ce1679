// Throughput of the Kanji decoders and writers against iconv on the same text, in one run.
// Prints MB/s of input for each and the ratio ours / iconv.
#include <iconv.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Kanji.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes readFile(const std::string& path) {
    Bytes data;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.insert(data.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return data;
}

// The sample repeated to about `size` bytes, as whole lines.
Bytes repeatTo(const Bytes& sample, size_t size) {
    Bytes out;
    while (out.size() < size) out.insert(out.end(), sample.begin(), sample.end());
    return out;
}

// Best of a few runs, in seconds; `setup` runs before each, untimed.
template <typename F, typename S = void (*)()>
double timeBest(F f, S setup = [] {}) {
    double best = 1e9;
    for (int run = 0; run < 7; ++run) {
        setup();
        auto start = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// Decodes line by line, in place, as the text store does on load (the lines found beforehand).
template <typename Decoder>
double ours(const Bytes& text, Decoder decode, size_t unit) {
    std::vector<std::pair<uint32_t, uint32_t>> lines;
    size_t start = 0;
    for (size_t i = 0; i + unit <= text.size(); i += unit) {
        if (text[i] == '\n' && (unit == 1 || text[i + 1] == 0)) {
            lines.emplace_back(static_cast<uint32_t>(start), static_cast<uint32_t>(i - start));
            start = i + unit;
        }
    }
    Bytes work;
    return timeBest(
        [&] {
            for (auto& line : lines) {
                uint32_t n = line.second;
                if (!decode(work.data() + line.first, work.data() + line.first, &n)) std::abort();
            }
        },
        [&] { work = text; });
}

double viaIconv(const Bytes& text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    Bytes out(text.size() * 3);
    double t = timeBest([&] {
        char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
        char* o = reinterpret_cast<char*>(out.data());
        size_t il = text.size(), ol = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in, &il, &o, &ol) == static_cast<size_t>(-1)) std::abort();
    });
    iconv_close(cd);
    return t;
}

double writing(const Bytes& sjis, bool (*write)(std::FILE*, const uint8_t*, uint32_t)) {
    std::FILE* sink = std::fopen("/dev/null", "wb");
    double t = timeBest([&] {
        size_t start = 0;
        for (size_t i = 0; i < sjis.size(); ++i) {
            if (sjis[i] == '\n') {
                if (!write(sink, sjis.data() + start, static_cast<uint32_t>(i - start))) std::abort();
                std::fputc('\n', sink);
                start = i + 1;
            }
        }
    });
    std::fclose(sink);
    return t;
}

void report(const char* what, size_t bytes, double mine, double reference) {
    double mb = bytes / 1e6;
    std::printf("%-22s %8.1f MB/s   iconv %8.1f MB/s   ratio %5.2f\n", what, mb / mine,
                mb / reference, reference / mine);
}

bool utf8(const uint8_t* s, uint8_t* d, uint32_t* n) { return Kanji::decodeUtf8(s, d, n); }
bool utf16(const uint8_t* s, uint8_t* d, uint32_t* n) { return Kanji::decodeUtf16Le(s, d, n); }

}  // namespace

int main(int argc, char** argv) {
    std::string dir = argc > 1 ? argv[1] : ULO_CODES_TESTDATA;
    const size_t size = 16 << 20;
    Bytes u8 = repeatTo(readFile(dir + "/less-ja.txt"), size);
    Bytes euc = repeatTo(readFile(dir + "/less-ja.euc"), size);
    Bytes sjis = repeatTo(readFile(dir + "/less-ja.sjis"), size);
    Bytes u16 = repeatTo(readFile(dir + "/less-ja.u16"), size);
    if (u8.empty() || euc.empty() || sjis.empty() || u16.empty()) {
        std::fprintf(stderr, "sample texts not found in %s\n", dir.c_str());
        return 1;
    }
    report("decode UTF-8", u8.size(), ours(u8, utf8, 1), viaIconv(u8, "UTF-8", "CP932"));
    report("decode EUC-JP", euc.size(), ours(euc, Kanji::decodeEucJp, 1), viaIconv(euc, "EUC-JP", "CP932"));
    report("decode UTF-16LE", u16.size(), ours(u16, utf16, 2), viaIconv(u16, "UTF-16LE", "CP932"));
    report("write UTF-8", sjis.size(), writing(sjis, Kanji::writeUtf8), viaIconv(sjis, "CP932", "UTF-8"));
    report("write EUC-JP", sjis.size(), writing(sjis, Kanji::writeEucJp), viaIconv(sjis, "CP932", "EUC-JP"));
    double detect = timeBest([&] { Kanji::detect(u8.data(), static_cast<uint32_t>(u8.size())); });
    std::printf("%-22s %8.3f ms\n", "detect 16 MB UTF-8", detect * 1e3);
    return 0;
}

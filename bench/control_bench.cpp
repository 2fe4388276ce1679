// Benchmark of the editor control: the load sequence from EC_RESET to the end of EC_LOADDONE for
// a large Shift_JIS and a large UTF-8 document against the text store's own load of the same
// image (reset, borrowed loadChunk, convertLoaded) in the same run; then one-row and one-page
// scrolling, typing a character at the end of a long line and re-wrapping the whole document on a
// resize, each also given as a ratio to one plain pass over the image counting its LF bytes.
// Usage: control_bench [--size MiB] (default 64)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchCodec.h"
#include "Quorvale.h"

namespace {

double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Lines of mixed ASCII and Shift_JIS (trail bytes 0x5C and 0x40-0x7E among them), CR LF, with one
// 256 KiB line first.
std::vector<uint8_t> makeImage(size_t bytes) {
    static const char* const pieces[] = {"<p class=\"x\">", "\x95\x5c\x8e\xa6", "\x83\x5c\x83\x74\x83\x67",
                                         " text ", "\x82\xa0\x82\xa2", "&amp;", "\t", "http://a.jp/ ",
                                         "\xb6\xc0\xb6\xc5", "</p>"};
    std::vector<uint8_t> image;
    image.reserve(bytes + 512);
    for (size_t i = 0; i < 256 * 1024; ++i) image.push_back(uint8_t('a' + i % 26));
    image.push_back('\r');
    image.push_back('\n');
    uint32_t seed = 12345;
    while (image.size() < bytes) {
        seed = seed * 1103515245u + 12345u;
        const int words = 4 + int(seed >> 16) % 14;
        for (int w = 0; w < words; ++w) {
            seed = seed * 1103515245u + 12345u;
            const char* p = pieces[(seed >> 16) % 10];
            image.insert(image.end(), p, p + std::strlen(p));
        }
        image.push_back('\r');
        image.push_back('\n');
    }
    return image;
}

double referencePass(const std::vector<uint8_t>& image) {
    const double t0 = now();
    size_t lines = 0;
    const uint8_t* p = image.data();
    const uint8_t* end = p + image.size();
    while ((p = static_cast<const uint8_t*>(std::memchr(p, '\n', size_t(end - p)))) != nullptr) {
        ++lines;
        ++p;
    }
    const double t = now() - t0;
    std::printf("reference: LF count over the image: %.1f ms (%zu line ends)\n", t * 1e3, lines);
    return t;
}

LRESULT request(Quorvale& q, uint32_t code, LPARAM argument) {
    return SendMessageA(q.window(), EC_REQUEST, code, argument);
}

// EC_RESET .. EC_LOADDONE through the requests when they are answered, else the same steps
// through the control's own entry points. Decoding works in place, so the image is copied into
// `work` first, outside the timing; the control's previous document is freed inside it.
double load(Quorvale& q, const std::vector<uint8_t>& image, std::vector<uint8_t>& work, bool requests) {
    work = image;
    const double t0 = now();
    if (requests) {
        LoadRecord record = {uint32_t(work.size()), work.data(), 1};
        request(q, EC_RESET, LPARAM(TextEncoding::Auto));
        request(q, EC_LOADIMAGE, reinterpret_cast<LPARAM>(&record));
        request(q, EC_CONVERT, 0);
        request(q, EC_LOADDONE, 0);
    } else {
        q.resetDocument(TextEncoding::Auto);
        q.loadChunk(uint32_t(work.size()), work.data(), true);
        q.convertDocument();
        q.layoutClient();
        q.repaintAll();
    }
    UpdateWindow(q.window());
    return now() - t0;
}

// The store's own load of the same image with the control's wrap and tab widths: reset (freeing
// the store's previous document, as EC_RESET does), borrowed loadChunk and convertLoaded.
double storeLoad(TextStore& store, const std::vector<uint8_t>& image, std::vector<uint8_t>& work) {
    work = image;
    const double t0 = now();
    store.reset(TextEncoding::Auto);
    const bool ok = store.loadChunk(uint32_t(work.size()), work.data(), true) && store.convertLoaded();
    const double t = now() - t0;
    return ok ? t : -1;
}

// The Shift_JIS image converted to UTF-8 and cut after its last line end within `bytes`.
std::vector<uint8_t> utf8Image(const std::vector<uint8_t>& sjis, size_t bytes) {
    std::vector<uint8_t> utf8(sjis.size() * 3);
    if (!benchcodec::fromShiftJis(benchcodec::Code::Utf8, sjis, utf8)) return {};
    size_t end = utf8.size() < bytes ? utf8.size() : bytes;
    while (end > 0 && utf8[end - 1] != '\n') --end;
    utf8.resize(end);
    return utf8;
}

// Loads `image` into the control and into the store (at the control's wrap width) three times
// each, alternately, and prints the best of each and their ratio. The control keeps the last
// load in `controlWork`.
bool compareLoads(Quorvale& q, TextStore& store, const char* name, const std::vector<uint8_t>& image,
                  std::vector<uint8_t>& storeWork, std::vector<uint8_t>& controlWork, bool requests) {
    double bestStore = -1, bestControl = -1;
    for (int round = 0; round < 3; ++round) {
        const double c = load(q, image, controlWork, requests);
        store.setWrapWidth(q.wrapWidth());   // the rows the control's layout settled on
        const double s = storeLoad(store, image, storeWork);
        if (s < 0) {
            std::printf("%s: the store could not load the image\n", name);
            return false;
        }
        if (bestStore < 0 || s < bestStore) bestStore = s;
        if (bestControl < 0 || c < bestControl) bestControl = c;
    }
    std::printf("%s, %zu bytes (best of 3):\n", name, image.size());
    std::printf("  %-42s %10.3f ms  (%d lines, %d rows, wrap %d cells)\n", "store's own load (reference)",
                bestStore * 1e3, store.lineCount(), store.rowCount(), store.wrapWidth());
    std::printf("  %-42s %10.3f ms   %8.4f x store's load (target 1.5)\n", "EC_RESET to the end of EC_LOADDONE",
                bestControl * 1e3, bestControl / bestStore);
    std::printf("  %d lines, %d rows, wrap %d cells, %d rows on screen\n", q.lineCount(), q.rowCount(),
                q.wrapWidth(), q.geometry().visibleRows());
    return true;
}

void report(const char* what, double seconds, double reference) {
    std::printf("%-44s %10.3f ms   %8.4f x reference\n", what, seconds * 1e3, seconds / reference);
}

}  // namespace

int main(int argc, char** argv) {
    size_t mib = 64;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--size") == 0) mib = size_t(std::atoi(argv[i + 1]));
    if (mib == 0) mib = 1;

    ColourEntry colours[colour::itemCount];
    for (int i = 0; i < colour::itemCount; ++i) colours[i] = {uint8_t(i * 12), uint8_t(255 - i * 9), uint8_t(i * 5), 0};
    colours[0] = {255, 255, 255, 0};
    HWND host = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 800, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    const uint32_t flags = ecflag::lineNumbers | ecflag::tabs | ecflag::lineEnds | ecflag::urls | ecflag::smoothing;
    Quorvale* q = Quorvale::create(0, WS_CHILD | WS_VISIBLE, GetModuleHandleA(nullptr), host, WM_APP,
                                   "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", 10, colours, 4, 0xFFFFFFFFu,
                                   80, flags, TextEncoding::ShiftJis);
    if (q == nullptr) {
        std::printf("the control could not be created\n");
        return 1;
    }
    MoveWindow(q->window(), 0, 0, 980, 760, TRUE);
    pump();
    const bool requests = request(*q, EC_LOADDONE, 0) == 1;

    const size_t bytes = mib * 1024 * 1024;
    const std::vector<uint8_t> sjis = makeImage(bytes);
    const std::vector<uint8_t> utf8 = utf8Image(sjis, bytes);
    std::printf("documents: CR LF, loaded through %s\n", requests ? "EC_REQUEST" : "the control's entry points");
    TextStore store;
    if (!store.create(q->wrapWidth(), 4, 0xFFFFFFFFu, TextEncoding::ShiftJis) || utf8.empty()) {
        std::printf("the reference store or the UTF-8 image could not be made\n");
        return 1;
    }
    // The control's document and the reference's point into these images while they are loaded.
    std::vector<uint8_t> storeWork, controlWork;
    if (!compareLoads(*q, store, "UTF-8", utf8, storeWork, controlWork, requests)) return 1;
    // Shift_JIS last: the figures below work on this document.
    if (!compareLoads(*q, store, "Shift_JIS", sjis, storeWork, controlWork, requests)) return 1;
    store.destroy();
    storeWork = std::vector<uint8_t>();
    std::printf("\nThe rest on the Shift_JIS document, against a plain pass over its image:\n");
    const double reference = referencePass(sjis);

    // Scrolling from a view in the middle of the document.
    q->jumpView(q->rowCount() / 2, 0);
    const int rowSteps = mib >= 16 ? 2000 : 200;
    uint64_t rendered = q->rowsRendered();
    double t0 = now();
    for (int i = 0; i < rowSteps; ++i) q->scrollView((i / 100) % 2 == 0 ? 1 : -1);
    report("one-row scroll (mean)", (now() - t0) / rowSteps, reference);
    std::printf("  rows rendered per one-row scroll: %.2f\n", double(q->rowsRendered() - rendered) / rowSteps);
    const int page = q->geometry().pageRows(), pageSteps = 200;
    rendered = q->rowsRendered();
    t0 = now();
    for (int i = 0; i < pageSteps; ++i) q->scrollView((i / 10) % 2 == 0 ? page : -page);
    report("one-page scroll (mean)", (now() - t0) / pageSteps, reference);
    std::printf("  rows rendered per page of %d rows: %.2f\n", page, double(q->rowsRendered() - rendered) / pageSteps);
    t0 = now();
    for (int i = 0; i < 20; ++i) q->showRows(q->topRow(), -1);
    report("  of which: showing every visible row", (now() - t0) / 20, reference);
    const int top = q->topRow();
    t0 = now();
    for (int i = 0; i < 20; ++i) {
        q->setView(top + (i & 1), 0);
        q->updateScrollBars();
    }
    report("  of which: moving the scroll bar's thumb", (now() - t0) / 20, reference);
    q->setView(top, 0);
    t0 = now();
    for (int i = 0; i < 20; ++i) q->renderRows(q->topRow() + 3, q->topRow() + 3);
    report("  of which: rendering one row", (now() - t0) / 20, reference);
    t0 = now();
    for (int i = 0; i < 20; ++i) q->repaintAll();
    report("repaint of every visible row (mean)", (now() - t0) / 20, reference);

    // Typing at the end of the 256 KiB first line.
    const uint32_t before = q->firstLine()->length;
    q->moveTo(0, before);
    q->bringCaretIntoView(false);
    const int typed = 200;
    rendered = q->rowsRendered();
    t0 = now();
    for (int i = 0; i < typed; ++i) SendMessageA(q->window(), WM_CHAR, 'x', 0);
    const double typing = (now() - t0) / typed;
    if (q->firstLine()->length == before + typed) {
        report("typing a character at the end of a long line", typing, reference);
        std::printf("  rows repainted per typed character: %.2f\n", double(q->rowsRendered() - rendered) / typed);
    } else
        std::printf("typing a character at the end of a long line: not measured (WM_CHAR not handled yet)\n");

    // Re-wrap of the whole document on a resize (window-width wrapping).
    const int widths[] = {700, 980, 560, 980};
    double rewrap = 0;
    for (int w : widths) {
        t0 = now();
        MoveWindow(q->window(), 0, 0, w, 760, TRUE);
        rewrap += now() - t0;
    }
    report("re-wrap on resize (mean of 4)", rewrap / 4, reference);
    std::printf("  wrap now %d cells, %d rows\n", q->wrapWidth(), q->rowCount());
    DestroyWindow(q->window());
    DestroyWindow(host);
    return 0;
}

// Editing benchmark: typing a million characters (ASCII and double-byte), undoing and redoing all
// of it, and inserting and deleting a 1 MiB multi-line block in the middle of a 64 MiB document.
// Prints operations per second, the journal's size and heap allocations per typed character,
// with a plain string model typed the same way as the reference.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "TextStore.h"

namespace {

unsigned long long allocations = 0;

}  // namespace

// Counts every heap allocation of the program: operator new always, and on glibc the C heap too
// (the line store and the journal allocate through malloc and realloc).
void* operator new(size_t size) {
    ++allocations;
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

#if defined(__GLIBC__)
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* malloc(size_t size) {
    ++allocations;
    return __libc_malloc(size);
}
extern "C" void* realloc(void* p, size_t size) {
    ++allocations;
    return __libc_realloc(p, size);
}
extern "C" void* calloc(size_t n, size_t size) {
    ++allocations;
    return __libc_calloc(n, size);
}
#define ULO_COUNTS_C_HEAP 1
#else
#define ULO_COUNTS_C_HEAP 0
#endif

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The keystrokes: words of ASCII letters, spaces, now and then a double-byte character (some with
// an ASCII-looking trail byte) and, every seventy or so characters, Enter.
struct Keys {
    std::vector<std::string> keys;
    explicit Keys(size_t count, bool withEnter) {
        static const char* const wide[] = {"\x95\x5C", "\x83\x41", "\x82\xA0", "\x8A\xBF"};
        std::mt19937 random(12345);
        size_t column = 0;
        keys.reserve(count);
        while (keys.size() < count) {
            uint32_t r = random() % 100;
            if (withEnter && column > 70 && r < 30) {
                keys.push_back("\n");
                column = 0;
            } else if (r < 12) {
                keys.push_back(wide[r % 4]);
                column += 2;
            } else if (r < 27) {
                keys.push_back(" ");
                ++column;
            } else {
                keys.push_back(std::string(1, static_cast<char>('a' + r % 26)));
                ++column;
            }
        }
    }
};

double typeInto(TextStore& store, const Keys& keys) {
    Clock::time_point start = Clock::now();
    for (const std::string& k : keys.keys) {
        if (k == "\n")
            store.splitLine(false, true);
        else
            store.typeBytes(reinterpret_cast<const uint8_t*>(k.data()), static_cast<uint32_t>(k.size()), true, true);
    }
    return secondsSince(start);
}

// The reference: the same keys into a vector of strings, no rows, no undo.
double typeIntoModel(const Keys& keys) {
    Clock::time_point start = Clock::now();
    std::vector<std::string> lines(1);
    size_t line = 0, offset = 0;
    for (const std::string& k : keys.keys) {
        if (k == "\n") {
            lines.insert(lines.begin() + long(line) + 1, lines[line].substr(offset));
            lines[line].resize(offset);
            ++line;
            offset = 0;
        } else {
            lines[line].insert(offset, k);
            offset += k.size();
        }
    }
    volatile size_t sink = lines.size();
    (void)sink;
    return secondsSince(start);
}

void typingRun(const char* title, size_t count, bool withEnter) {
    Keys keys(count, withEnter);
    TextStore store;
    store.create(80, 4, UndoJournal::noLimit, TextEncoding::ShiftJis);
    // Grow the line first, so that only the steady state is counted on the one-line run.
    unsigned long long before = allocations;
    double typing = typeInto(store, keys);
    unsigned long long used = allocations - before;
    double reference = typeIntoModel(keys);
    int32_t endId = store.lastEditId();
    Clock::time_point start = Clock::now();
    uint64_t undos = 0;
    while (store.undo()) ++undos;
    double undoTime = secondsSince(start);
    start = Clock::now();
    uint64_t redos = 0;
    while (store.redo()) ++redos;
    double redoTime = secondsSince(start);
    std::printf("%s: %zu keys, %d lines\n", title, count, store.lineCount());
    std::printf("  typing       %8.3f s  %10.0f keys/s  (string model %.3f s, ratio %.1f)\n", typing,
                count / typing, reference, typing / reference);
    std::printf("  undo all     %8.3f s  %10.0f steps/s (%llu steps)\n", undoTime, undos / undoTime,
                static_cast<unsigned long long>(undos));
    std::printf("  redo all     %8.3f s  %10.0f steps/s\n", redoTime, redos / redoTime);
    std::printf("  undo+redo / typing = %.2f (target < 10)%s\n", (undoTime + redoTime) / typing,
                store.lastEditId() == endId ? "" : "  [identifier mismatch]");
    std::printf("  journal      %u bytes allocated, %d in use, %u records\n", store.undoJournal().allocated(),
                store.undoJournal().endOffset() + 12, store.undoJournal().recordCount());
    std::printf("  allocations  %llu, %.4f per key%s\n", used, double(used) / count,
                ULO_COUNTS_C_HEAP ? "" : " (operator new only)");
}

// Steady state on one line: after a first stretch the line and the journal have grown, and
// typing further must not allocate.
void steadyStateRun() {
    Keys keys(200000, false);
    TextStore store;
    store.create(80, 4, UndoJournal::noLimit, TextEncoding::ShiftJis);
    Keys warm(150000, false);
    typeInto(store, warm);
    store.moveLineStart();
    store.moveLineEnd();
    // 150000 keys made the line longer than the next 50000 need from its capacity's doubling.
    Keys more(50000, false);
    unsigned long long before = allocations;
    typeInto(store, more);
    unsigned long long used = allocations - before;
    std::printf("one long line, after growth: %llu allocations for 50000 keys (%.5f per key; journal %u bytes)\n",
                used, used / 50000.0, store.undoJournal().allocated());
}

void largeDocumentRun() {
    // 64 MiB of 80-byte lines.
    const size_t size = 64u << 20;
    std::vector<uint8_t> image;
    image.reserve(size);
    std::string line = "The quick brown fox \x95\x5C\x8E\xA6 jumps over the lazy dog 0123456789 \x83\x41\x83\x43 end.";
    while (image.size() + line.size() + 2 <= size) {
        image.insert(image.end(), line.begin(), line.end());
        image.push_back('\r');
        image.push_back('\n');
    }
    TextStore store;
    store.create(80, 4, UndoJournal::noLimit, TextEncoding::ShiftJis);
    Clock::time_point start = Clock::now();
    store.loadChunk(static_cast<uint32_t>(image.size()), image.data(), true);
    store.convertLoaded();
    double load = secondsSince(start);
    std::string block;
    while (block.size() < (1u << 20)) block += "inserted line with \x95\x5C and text\r\n";
    store.moveTo(store.lineCount() / 2, 10);
    start = Clock::now();
    store.insertText(reinterpret_cast<const uint8_t*>(block.data()), static_cast<uint32_t>(block.size()), true);
    double insert = secondsSince(start);
    store.moveTo(store.lineCount() / 2 - 5000, 3);
    start = Clock::now();
    store.deleteForward(1u << 20, true);
    double remove = secondsSince(start);
    start = Clock::now();
    store.undo();
    store.undo();
    double undo = secondsSince(start);
    start = Clock::now();
    store.redo();
    store.redo();
    double redo = secondsSince(start);
    std::printf("64 MiB document (%d lines): load %.3f s\n", store.lineCount(), load);
    std::printf("  insert 1 MiB block %.4f s, delete 1 MiB %.4f s, undo both %.4f s, redo both %.4f s\n", insert,
                remove, undo, redo);
    std::printf("  journal %u bytes allocated; invariants %s\n", store.undoJournal().allocated(),
                store.check() ? "hold" : "BROKEN");
}

}  // namespace

int main() {
    typingRun("typing with Enter", 1000000, true);
    typingRun("typing on one line", 1000000, false);
    steadyStateRun();
    largeDocumentRun();
    return 0;
}

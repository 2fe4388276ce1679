// A document loaded from outside bytes, then a sequence of editing operations, undo and redo
// decoded from the input: the store's invariants hold after every step, undoing everything gives
// the loaded text back and redoing everything gives the edited text again.
//
// Input: a code byte, a two-byte image length, the image, then one or more bytes per operation.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "TextCodes.h"
#include "TextStore.h"

namespace {

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The whole text with its line ends, as one string.
std::string textOf(const TextStore& store) {
    std::string s;
    for (const LineRecord* line = store.firstLine(); line; line = line->next) {
        s.append(reinterpret_cast<const char*>(line->text), line->length);
        if (line->next) s += static_cast<char>('0' + line->lineEnd);
    }
    return s;
}

// Whole characters only, as the control hands them over: ASCII, a tab, kana, a kanji whose trail
// byte is '\', a half-width katakana, line ends for the operations that take them.
std::string textFrom(FuzzInput& in, bool lineEnds) {
    static const char* const pieces[] = {"a", "Z", " ", "\t", "\x82\xA0", "\x95\x5C", "\xB1", "<", "@"};
    static const char* const ends[] = {"\r\n", "\r", "\n"};
    std::string s;
    for (uint32_t n = 1 + in.below(8); n > 0; --n) {
        uint8_t b = in.byte();
        if (lineEnds && b % 5 == 0) s += ends[b / 5 % 3];
        else s += pieces[b % 9];
    }
    return s;
}

void placeFrom(FuzzInput& in, const TextStore& store, int32_t* line, uint32_t* offset) {
    *line = static_cast<int32_t>(in.below(static_cast<uint32_t>(store.lineCount())));
    const LineRecord* r = store.lineAt(*line);
    uint32_t want = in.below(r->length + 1), at = 0;
    while (at < want) at += isSjisLead(static_cast<uint8_t>(r->text[at])) && at + 1 < r->length ? 2 : 1;
    *offset = at > r->length ? r->length : at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const auto code = static_cast<TextEncoding>(in.below(6));
    size_t length = 0;
    const uint8_t* image = in.take(in.u16() % 4096, &length);
    TextStore store;
    if (!store.create(3 + static_cast<int32_t>(length % 29), 4, 1u << 24, TextEncoding::ShiftJis)) return 0;
    std::vector<uint8_t> bytes(image, image + length);
    store.reset(code);
    if (!store.loadChunk(static_cast<uint32_t>(bytes.size()), bytes.data(), true) || !store.convertLoaded()) return 0;
    require(store.check(), "invariants after loading");
    const std::string loaded = textOf(store);

    bool historyWalked = false;  // an undo or redo among the steps
    for (int step = 0; step < 48 && !in.empty(); ++step) {
        int32_t line = 0;
        uint32_t offset = 0;
        switch (in.below(14)) {
        case 0: placeFrom(in, store, &line, &offset); store.moveTo(line, offset); break;
        case 1: store.moveRowDown(); store.moveRight(); break;
        case 2: {
            store.setAnchorAtCaret();
            placeFrom(in, store, &line, &offset);
            store.moveTo(line, offset);
            store.extendSelectionToCaret();
            break;
        }
        case 3: {
            std::string s = textFrom(in, false);
            store.typeBytes(reinterpret_cast<const uint8_t*>(s.data()), static_cast<uint32_t>(s.size()), true, true);
            break;
        }
        case 4: {
            std::string s = textFrom(in, true);
            store.insertText(reinterpret_cast<const uint8_t*>(s.data()), static_cast<uint32_t>(s.size()), true);
            break;
        }
        case 5: store.deleteChar(in.byte() & 1, true); break;
        case 6: store.deleteForward(in.below(40), true); break;
        case 7: store.splitLine(in.byte() & 1, true); break;
        case 8: store.joinWithNext(true); break;
        case 9: {
            placeFrom(in, store, &line, &offset);
            uint32_t units = in.below(60);
            if (in.byte() & 1) store.moveRange(line, offset, units, true);
            else store.copyRange(line, offset, units, true);
            break;
        }
        case 10: (in.byte() & 1) ? store.indentLines(true) : store.unindentLines(true); break;
        case 11: store.deleteSelectionOrLine(true); break;
        case 12: store.undo(); historyWalked = true; break;
        case 13: store.redo(); historyWalked = true; break;
        }
        require(store.check(), "invariants after an edit");
    }

    const std::string edited = textOf(store);
    bool stoppedAtLimit = false;
    for (int guard = 0; store.canUndo() && guard < 10000; ++guard) {
        store.undo(&stoppedAtLimit);
        require(store.check(), "invariants after undo");
    }
    if (!stoppedAtLimit) require(textOf(store) == loaded, "undoing everything does not give the loaded text");
    for (int guard = 0; store.canRedo() && guard < 10000; ++guard) {
        store.redo();
        require(store.check(), "invariants after redo");
    }
    // Without undo and redo among the steps, redoing everything comes back to the edited text.
    if (!historyWalked && !stoppedAtLimit) require(textOf(store) == edited, "redoing everything does not give the edited text");
    return 0;
}

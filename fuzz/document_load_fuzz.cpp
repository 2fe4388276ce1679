// A file image as another program may have written it, loaded as the editor loads a file: in
// one of the five codes (or detected), in one or several chunks, borrowed or copied; the store's
// invariants must hold, and every line then goes through the lexer in all five modes with URL
// and e-mail recognition, its tokens covering the line exactly.
//
// Input: a code byte, a flags byte (borrow, chunk count, wrap width), two bytes that place the
// chunk cuts, then the image.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FuzzInput.h"
#include "KeywordTable.h"
#include "LexLine.h"
#include "LexTokenBuffer.h"
#include "LexerTestSupport.h"
#include "TextStore.h"

namespace {

const KeywordTable* keywords() {
    static KeywordTable* table = [] {
        auto* t = new KeywordTable;
        t->loadKeywordTable(ULO_FUZZ_KEYWORD_FILE);
        return t;
    }();
    return table;
}

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void lexEveryLine(const TextStore& store) {
    static const SyntaxMode kModes[] = {SyntaxMode::None, SyntaxMode::Html, SyntaxMode::Perl,
                                        SyntaxMode::CLike, SyntaxMode::Css};
    LexTokenBuffer buffer;
    if (!buffer.create()) return;
    for (SyntaxMode mode : kModes) {
        LexSettings settings;
        settings.mode = mode;
        settings.keywords = keywords();
        settings.urlRecognition = true;
        uint8_t state = 1;
        for (const LineRecord* line = store.firstLine(); line; line = line->next) {
            const uint8_t* text = reinterpret_cast<const uint8_t*>(line->text);
            uint8_t flags = 0, end = 0;
            if (!lexLine(settings, text, line->length, state, &flags, buffer, &end)) fail("lexLine failed");
            if (!lextest::checkTokens(text, line->length, buffer.tokens(), buffer.count()).empty())
                fail(lextest::checkTokens(text, line->length, buffer.tokens(), buffer.count()).c_str());
            state = end;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const auto code = static_cast<TextEncoding>(in.below(6));
    const uint8_t flags = in.byte();
    const bool borrow = flags & 1;
    const uint32_t chunks = 1 + (flags >> 1 & 3);
    const uint32_t cutSeed = in.u16();
    size_t length = 0;
    const uint8_t* image = in.rest(&length);

    TextStore store;
    if (!store.create(flags & 0x80 ? 0 : 8 + (flags >> 3 & 15) * 4, 8, 1 << 20, TextEncoding::ShiftJis)) return 0;
    store.reset(code);
    // A borrowed image is decoded in place and must outlive the document.
    std::vector<uint8_t> bytes(image, image + length);
    size_t at = 0;
    for (uint32_t k = 0; k < chunks; ++k) {
        size_t n = k + 1 == chunks ? length - at : (length - at) * ((cutSeed >> (4 * k)) & 15) / 16;
        if (code == TextEncoding::Utf16Le && k + 1 < chunks) n &= ~size_t{1};  // cut between units
        if (!store.loadChunk(static_cast<uint32_t>(n), bytes.data() + at, borrow)) return 0;
        at += n;
    }
    store.convertLoaded();
    if (!store.check()) fail("the store's invariants do not hold after loading");
    lexEveryLine(store);
    return 0;
}

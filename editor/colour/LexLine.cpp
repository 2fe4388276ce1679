// The per-line lexer: picks the mode's scanner and sets up token output and text refinement.
#include "LexLine.h"

#include "LexModes.h"
#include "LexTextRun.h"

namespace {

using Scanner = uint8_t (*)(const uint8_t*, uint32_t, uint8_t, LexTokenSink*);

Scanner scannerOf(SyntaxMode mode) {
    switch (mode) {
    case SyntaxMode::None: return lexPlain;
    case SyntaxMode::Html: return lexHtml;
    case SyntaxMode::Perl: return lexPerl;
    case SyntaxMode::CLike: return lexCLike;
    case SyntaxMode::Css: return lexCss;
    }
    return lexCss;
}

uint8_t usableState(SyntaxMode mode, uint8_t state) {
    return isStartStateOf(mode, state) ? state : lexstate::Initial;
}

}  // namespace

bool lexLine(const LexSettings& settings, const uint8_t* text, uint32_t length, uint8_t startState,
             uint8_t* urlFlags, LexTokenBuffer& out, uint8_t* endState) {
    out.clear();
    LexTextRefiner refiner(text, length, settings.keywords, settings.urlRecognition, urlFlags);
    LexTokenSink sink(refiner, out);
    const uint8_t end =
        scannerOf(settings.mode)(text, length, usableState(settings.mode, startState), &sink);
    if (endState != nullptr) *endState = end;
    return !out.failed();
}

uint8_t lexLineEndState(SyntaxMode mode, const uint8_t* text, uint32_t length, uint8_t startState) {
    return scannerOf(mode)(text, length, usableState(mode, startState), nullptr);
}

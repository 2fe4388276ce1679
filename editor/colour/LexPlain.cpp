// Plain-text mode: the whole line is one text run (URLs and e-mail addresses only).
#include "LexModes.h"
#include "LexTextRun.h"

uint8_t lexPlain(const uint8_t*, uint32_t length, uint8_t, LexTokenSink* sink) {
    if (sink != nullptr) sink->text(length);
    return 1;
}

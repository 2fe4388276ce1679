// DocumentWriter: saving the lines of a store through the Kanji writers.
#include "DocumentWriter.h"

#include "Kanji.h"
#include "LineRecord.h"
#include "TextStore.h"

bool DocumentWriter::writeLine(TextEncoding encoding, const LineRecord& line, std::FILE* stream) {
    if (line.length == 0) return true;
    switch (encoding) {
    case TextEncoding::Jis: return Kanji::writeJis(stream, line.text, line.length);
    case TextEncoding::EucJp: return Kanji::writeEucJp(stream, line.text, line.length);
    case TextEncoding::Utf8: return Kanji::writeUtf8(stream, line.text, line.length);
    case TextEncoding::Utf16Le: return Kanji::writeUtf16Le(stream, line.text, line.length);
    default: return std::fwrite(line.text, 1, line.length, stream) == line.length;
    }
}

bool DocumentWriter::writeLineEnd(TextEncoding encoding, LineEnd lineEnd, std::FILE* stream) {
    static const uint8_t narrow[4][2] = {{0, 0}, {0x0D, 0}, {0x0A, 0}, {0x0D, 0x0A}};
    static const uint8_t wide[4][4] = {{0, 0, 0, 0}, {0x0D, 0, 0, 0}, {0x0A, 0, 0, 0}, {0x0D, 0, 0x0A, 0}};
    uint8_t kind = static_cast<uint8_t>(lineEnd) & 3u;
    size_t count = lineEndByteCount(lineEnd);
    if (count == 0) return true;
    if (encoding == TextEncoding::Utf16Le) return std::fwrite(wide[kind], 2, count, stream) == count;
    return std::fwrite(narrow[kind], 1, count, stream) == count;
}

bool DocumentWriter::write(const TextStore& store, std::FILE* stream) {
    TextEncoding encoding = store.encoding();
    if (encoding == TextEncoding::Auto) encoding = store.defaultEncoding();
    if (encoding == TextEncoding::Utf16Le) {
        static const uint8_t mark[2] = {0xFF, 0xFE};
        if (std::fwrite(mark, 1, 2, stream) != 2) return false;
    }
    for (const LineRecord* line = store.firstLine(); line; line = line->next) {
        if (!writeLine(encoding, *line, stream)) return false;
        if (line->lineEnd && !writeLineEnd(encoding, store.documentLineEnd(), stream)) return false;
    }
    return true;
}

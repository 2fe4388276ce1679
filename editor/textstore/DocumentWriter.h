// DocumentWriter: writes a whole document to a stream in its encoding and line end: FF FE first
// for UTF-16LE, each line through the writer of the encoding, the document's line end after every
// line that has one.
#pragma once
#include <cstdint>
#include <cstdio>

#include "TextCodes.h"

class TextStore;
struct LineRecord;

class DocumentWriter {
public:
    // False as soon as a write fails. An undecided (Auto) encoding writes as the default encoding.
    static bool write(const TextStore& store, std::FILE* stream);
    // One line's bytes in `encoding`, without line end.
    static bool writeLine(TextEncoding encoding, const LineRecord& line, std::FILE* stream);
    // The bytes of `lineEnd` in `encoding` (0D 00 0A 00 style for UTF-16LE).
    static bool writeLineEnd(TextEncoding encoding, LineEnd lineEnd, std::FILE* stream);
};

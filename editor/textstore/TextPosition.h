// TextPosition: a place in the document by line index, line record, byte offset and global row.
#pragma once
#include <cstdint>

struct LineRecord;

struct TextPosition {
    int32_t line = 0;                 // 0-based line index
    LineRecord* record = nullptr;     // the record of that line
    uint32_t offset = 0;              // byte offset within the line
    int32_t row = 0;                  // 0-based display row among all rows of the document
};

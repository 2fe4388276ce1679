// ViewTop: the view's scroll position: the first line shown and the row within it.
#pragma once
#include <cstdint>

struct LineRecord;

struct ViewTop {
    int32_t line = 0;                 // index of the first line shown
    LineRecord* record = nullptr;
    int32_t rowInLine = 0;            // the first row shown, within that line
    int32_t row = 0;                  // the same row among all rows of the document
};

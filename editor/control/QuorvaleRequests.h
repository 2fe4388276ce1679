// QuorvaleRequests: the request families of EC_REQUEST. Each answers whether it knew the code
// and stores the request's result.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Quorvale.h"

namespace ctlrequest {

// Selection, clipboard, deletion, insertion, undo and redo, find and replace.
bool textRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result);
// Loading, line iteration, caret records, colouring mode and keywords.
bool documentRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result);
// Caret placement, focus, the gutter, the cursor, completion and the word under a point.
bool viewRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result);

}  // namespace ctlrequest

// The text filters on a Shift_JIS selection, and the one entry point that runs a filter by id
// with the plug-in's calling protocol (including the second call that frees a result).
#pragma once

#include "FilterApi.h"
#include "FilterUi.h"

namespace ulo_filters {

// Runs filter_id on request. A request whose output is already set is the editor's second call:
// a result buffer of ours is freed, output and output_length are cleared and the answer is true.
// Unknown ids answer false. Never throws.
bool executeFilter(uint32_t filter_id, FilterRequest& request, FilterUi& ui);

// The individual filters (request.output is null on entry). In place: 100 101 110 201 300-303
// 400 401 500; allocating: 111 200 310 311 350 351 501 611 612 701.
bool upperCase(FilterRequest& r);                         // 100
bool lowerCase(FilterRequest& r);                         // 101
bool fullToHalfWidth(FilterRequest& r);                   // 110
bool halfToFullWidth(FilterRequest& r);                   // 111
bool tabsToSpaces(FilterRequest& r);                      // 200
bool spacesToTabs(FilterRequest& r);                      // 201
bool deleteLineBreaks(FilterRequest& r);                  // 300
bool deleteBlankLines(FilterRequest& r);                  // 301
bool deleteTrailingBlanks(FilterRequest& r);              // 302
bool deleteDuplicateLines(FilterRequest& r);              // 303
bool insertAtLineStarts(FilterRequest& r, FilterUi& ui);  // 310
bool insertAtLineEnds(FilterRequest& r, FilterUi& ui);    // 311
bool sortLines(FilterRequest& r, bool descending);        // 350, 351
bool deleteTags(FilterRequest& r);                        // 400
bool deleteTagAttributes(FilterRequest& r);               // 401
bool decodeReferences(FilterRequest& r);                  // 500
bool escapeMarkup(FilterRequest& r);                      // 501
bool extractMailAddresses(FilterRequest& r);              // 611
bool extractUrls(FilterRequest& r);                       // 612
bool replaceAcrossLines(FilterRequest& r, FilterUi& ui);  // 701

}  // namespace ulo_filters

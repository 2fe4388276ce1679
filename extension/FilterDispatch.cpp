// Runs a filter by id, and frees a result on the editor's second call.
#include <new>

#include "FilterMemory.h"
#include "Filters.h"

namespace ulo_filters {

namespace {

bool runFilter(uint32_t id, FilterRequest& r, FilterUi& ui) {
    switch (id) {
        case 100:
            return upperCase(r);
        case 101:
            return lowerCase(r);
        case 110:
            return fullToHalfWidth(r);
        case 111:
            return halfToFullWidth(r);
        case 200:
            return tabsToSpaces(r);
        case 201:
            return spacesToTabs(r);
        case 300:
            return deleteLineBreaks(r);
        case 301:
            return deleteBlankLines(r);
        case 302:
            return deleteTrailingBlanks(r);
        case 303:
            return deleteDuplicateLines(r);
        case 310:
            return insertAtLineStarts(r, ui);
        case 311:
            return insertAtLineEnds(r, ui);
        case 350:
            return sortLines(r, false);
        case 351:
            return sortLines(r, true);
        case 400:
            return deleteTags(r);
        case 401:
            return deleteTagAttributes(r);
        case 500:
            return decodeReferences(r);
        case 501:
            return escapeMarkup(r);
        case 611:
            return extractMailAddresses(r);
        case 612:
            return extractUrls(r);
        case 701:
            return replaceAcrossLines(r, ui);
        default:
            return false;
    }
}

}  // namespace

bool executeFilter(uint32_t filter_id, FilterRequest& r, FilterUi& ui) {
    if (r.output) {
        // The second call: only a buffer of ours is freed, never the editor's input.
        if (r.output != r.input) filterRelease(r.output);
        r.output = nullptr;
        r.output_length = 0;
        return true;
    }
    r.output_length = 0;
    if (r.input_length == 0 || !r.input) return false;
    try {
        const bool done = runFilter(filter_id, r, ui);
        if (!done) {
            r.output = nullptr;
            r.output_length = 0;
        }
        return done;
    } catch (...) {
        // Nothing crosses the module boundary: a failed allocation of a dialog text fails the run.
        if (r.output && r.output != r.input) filterRelease(r.output);
        r.output = nullptr;
        r.output_length = 0;
        return false;
    }
}

}  // namespace ulo_filters

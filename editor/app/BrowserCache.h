// BrowserCache: the "browser" record as the browser commands see it: read once on first use (an
// unreadable record counts as empty, version 3) and kept until the browser registration program
// announces a new one (WM_FRAME_BROWSERS_CHANGED drops it).
#pragma once
#include <cstdint>

#include "BrowserList.h"

class BrowserCache {
public:
    const BrowserList& list();
    void drop() { loaded_ = false; }
    // Whether the browser of a preview command (21451 + slot) is registered.
    bool registered(uint32_t command);

private:
    BrowserList list_ = BrowserList::empty();
    bool loaded_ = false;
};

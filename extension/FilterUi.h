// What the filters need from the screen: the string dialogs and the two messages. The DLL shows
// real dialogs (FilterUi_win32.cpp); tests answer with scripted texts.
#pragma once

#include <string>

namespace ulo_filters {

// Tells the replace dialog, while the user types, whether a search text occurs in the selection.
class ReplaceProbe {
public:
    virtual ~ReplaceProbe() = default;
    // typed: the search text as typed ("\n", "\t" and "\\" not yet decoded).
    virtual bool matches(const std::string& typed) const = 0;
};

class FilterUi {
public:
    virtual ~FilterUi() = default;
    // "選択範囲に行が含まれません" with the error icon.
    virtual void showNoLines(void* owner) = 0;
    // The string to insert at each line start or end; false when cancelled.
    virtual bool askInsertString(void* owner, std::string& text) = 0;
    // The search and replacement texts as typed; false when closed without replacing.
    virtual bool askReplacement(void* owner, const ReplaceProbe& probe, std::string& search,
                                std::string& replacement) = 0;
    // "%d 件、置換しました。" with the information icon.
    virtual void showReplacedCount(void* owner, int count) = 0;
};

}  // namespace ulo_filters

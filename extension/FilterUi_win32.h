// The filters' dialogs and messages as real windows, from the plug-in's own resources.
#pragma once

#include "FilterUi.h"

class DialogFilterUi : public ulo_filters::FilterUi {
public:
    void showNoLines(void* owner) override;
    bool askInsertString(void* owner, std::string& text) override;
    bool askReplacement(void* owner, const ulo_filters::ReplaceProbe& probe, std::string& search,
                        std::string& replacement) override;
    void showReplacedCount(void* owner, int count) override;
};

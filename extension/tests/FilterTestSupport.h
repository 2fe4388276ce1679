// Runs a filter on a string the way the editor does (input buffer with its NUL, second call for a
// new buffer) and a scripted stand-in for the dialogs.
#pragma once

#include <string>
#include <vector>

#include "Filters.h"

namespace filter_test {

// Answers the dialogs with fixed texts and records what the filters showed.
class ScriptedUi : public ulo_filters::FilterUi {
public:
    bool confirm = true;
    std::string insertText;
    std::string search, replacement;
    int noLinesShown = 0;
    std::vector<int> countsShown;
    std::vector<std::pair<std::string, bool>> probes;  // search texts tried in the dialog, and the answers
    std::vector<std::string> probeTexts;               // extra texts to try before answering

    void showNoLines(void*) override { ++noLinesShown; }
    bool askInsertString(void*, std::string& text) override;
    bool askReplacement(void*, const ulo_filters::ReplaceProbe& probe, std::string& s,
                        std::string& r) override;
    void showReplacedCount(void*, int count) override { countsShown.push_back(count); }
};

struct Outcome {
    bool done = false;
    std::string text;      // the selection after the run (unchanged when not done)
    bool inPlace = false;  // output was the input buffer
};

// prefix: the bytes of the first line before the selection.
Outcome run(uint32_t id, const std::string& input, const std::string& prefix = "", uint32_t tabWidth = 4,
            ulo_filters::FilterUi* ui = nullptr);

// Shift_JIS bytes of the characters used in the tests.
namespace sj {
inline const std::string kFullBlank = "\x81\x40";    // "　"
inline const std::string kHyo = "\x95\x5c";          // "表" (trail byte 0x5C)
inline const std::string kSo = "\x83\x5c";           // "ソ" (trail byte 0x5C)
inline const std::string kA = "\x83\x41";            // "ア" (trail byte 'A')
inline const std::string kDe = "\x83\x66";           // "デ" (trail byte 'f')
inline const std::string kEqual = "\x81\x81";        // "＝"
inline const std::string kFullA = "\x82\x60";        // "Ａ"
inline const std::string kFullZero = "\x82\x4f";     // "０"
inline const std::string kFullBracket = "\x81\x6d";  // "［"
inline const std::string kYen = "\x81\x8f";          // "￥"
inline const std::string kNi = "\x82\xc9";           // "に"
}  // namespace sj

}  // namespace filter_test

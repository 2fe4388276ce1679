// Names shown for paths in the tab bar and its menus (see PathNames.h).
#include "PathNames.h"

#include "TextCodes.h"

namespace bars {

namespace {

// Positions of the "\" separators, stepping over double-byte characters.
std::vector<size_t> separators(const std::string& path) {
    std::vector<size_t> result;
    for (size_t i = 0; i < path.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(path[i]);
        if (isSjisLead(b) && i + 1 < path.size()) {
            ++i;
        } else if (b == '\\') {
            result.push_back(i);
        }
    }
    return result;
}

// One path's name as the offset where it starts, widened one folder at a time.
struct Widening {
    std::vector<size_t> seps;  // separator positions of the path
    size_t next;               // how many separators from the right the name already covers
    size_t start;              // offset of the name in the path

    explicit Widening(const std::string& path) : seps(separators(path)), next(1) {
        start = seps.empty() ? 0 : seps.back() + 1;
    }
    // False when the name is already the whole path.
    bool widen() {
        if (start == 0) return false;
        start = next < seps.size() ? seps[seps.size() - 1 - next] + 1 : 0;
        ++next;
        return true;
    }
};

}  // namespace

std::vector<std::string> uniqueNames(const std::vector<std::string>& paths) {
    std::vector<Widening> names;
    for (const std::string& p : paths) names.emplace_back(p);
    auto name = [&](size_t k) { return paths[k].substr(names[k].start); };
    // Each pass either widens some name or ends; widening is bounded by the separators, so a
    // history holding two paths equal ignoring case ends once both are whole.
    for (bool anyEqual = true, anyWidened = true; anyEqual && anyWidened;) {
        anyEqual = anyWidened = false;
        for (size_t i = 0; i < paths.size(); ++i) {
            bool equal = false;
            for (size_t j = i + 1; j < paths.size(); ++j) {
                if (!sjis_path::sameNameIgnoringCase(name(i), name(j))) continue;
                equal = true;
                anyWidened |= names[j].widen();
            }
            if (equal) {
                anyEqual = true;
                anyWidened |= names[i].widen();
            }
        }
    }
    std::vector<std::string> result;
    for (size_t k = 0; k < paths.size(); ++k) result.push_back(name(k));
    return result;
}

std::string menuEscaped(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(text[i]);
        result += text[i];
        if (isSjisLead(b) && i + 1 < text.size()) {
            result += text[++i];
        } else if (b == '&') {
            result += '&';
        }
    }
    return result;
}

}  // namespace bars

// What the launcher says to each external browser (see BrowserSlots.h).
#include "BrowserSlots.h"

#include "FileUrl.h"

namespace pagetool {

namespace {

enum class PathForm { AsIs, ShiftJisEscaped, Utf8Escaped };

struct Slot {
    const char* service;
    PathForm form;
};

const Slot kSlots[kBrowserSlots] = {
    {"IExplore", PathForm::AsIs},         {"NETSCAPE", PathForm::AsIs},
    {"Netscape6", PathForm::ShiftJisEscaped}, {"FireFox", PathForm::ShiftJisEscaped},
    {"Opera", PathForm::Utf8Escaped},     {"Mozilla", PathForm::ShiftJisEscaped},
};

}  // namespace

const char* ddeServiceName(uint32_t slot) { return slot < kBrowserSlots ? kSlots[slot].service : nullptr; }

std::string fileUrl(uint32_t slot, const std::string& path) {
    const PathForm form = slot < kBrowserSlots ? kSlots[slot].form : PathForm::AsIs;
    switch (form) {
        case PathForm::ShiftJisEscaped: return "file://" + sjisPercentEncoded(path);
        case PathForm::Utf8Escaped: return "file://" + utf8PercentEncoded(path);
        case PathForm::AsIs: break;
    }
    return "file://" + path;
}

std::string openUrlItem(uint32_t slot, const std::string& path) {
    return "\"" + fileUrl(slot, path) + "\",,4294967295,3,,,";
}

std::string browserCommandLine(const std::string& browserPath, uint32_t slot, const std::string& path) {
    return "\"" + browserPath + "\" \"" + fileUrl(slot, path) + "\"";
}

}  // namespace pagetool

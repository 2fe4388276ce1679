// The settings program's rules that need no window.
#include "ConfRules.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <iterator>

namespace conf_rules {

namespace {

uint32_t* fieldOf(MainSettings* s, FlagField field) {
    return field == FlagField::Option ? &s->option_flags : &s->display_flags;
}

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

// Indigo and black by slot.
constexpr uint32_t kIndigo[MainSettings::kColourCount] = {
    rgb(60, 0, 127),     rgb(255, 255, 255), rgb(110, 100, 190), rgb(255, 255, 255),
    rgb(180, 180, 255),  rgb(255, 255, 55),  rgb(177, 177, 255), rgb(200, 200, 200),
    rgb(177, 177, 255),  rgb(210, 210, 210), rgb(180, 180, 255), rgb(127, 255, 127),
    rgb(200, 200, 255),  rgb(200, 200, 200), rgb(60, 255, 255),  rgb(255, 255, 100),
    rgb(255, 180, 255),  rgb(127, 255, 127), rgb(255, 255, 100), rgb(200, 200, 200),
};
constexpr uint32_t kBlack[MainSettings::kColourCount] = {
    rgb(0, 0, 0),        rgb(230, 230, 230), rgb(100, 100, 100), rgb(255, 255, 255),
    rgb(180, 180, 255),  rgb(255, 255, 55),  rgb(177, 177, 255), rgb(200, 200, 200),
    rgb(177, 177, 255),  rgb(210, 210, 210), rgb(180, 180, 255), rgb(127, 255, 127),
    rgb(200, 200, 255),  rgb(200, 200, 200), rgb(60, 255, 255),  rgb(255, 255, 100),
    rgb(255, 180, 255),  rgb(127, 255, 127), rgb(255, 255, 100), rgb(200, 200, 200),
};

// Virtual-key codes of the key rows.
constexpr uint32_t kF1 = 112, kEnter = 13, kDelete = 46, kBackspace = 8, kSpace = 32, kTab = 9;

void addLetters(std::vector<KeyCombo>* rows, uint32_t modifiers) {
    for (uint32_t key = 'A'; key <= 'Z'; ++key) rows->push_back({key, modifiers});
}
void addDigits(std::vector<KeyCombo>* rows, uint32_t modifiers) {
    for (uint32_t key = '1'; key <= '9'; ++key) rows->push_back({key, modifiers});
    rows->push_back({'0', modifiers});
}
void addFunctionKeys(std::vector<KeyCombo>* rows, uint32_t modifiers) {
    for (uint32_t key = kF1; key < kF1 + 12; ++key) rows->push_back({key, modifiers});
}

}  // namespace

bool isTicked(const MainSettings& settings, const FlagBox& box) {
    const uint32_t bits = box.field == FlagField::Option ? settings.option_flags : settings.display_flags;
    return ((bits & box.mask) != 0) != box.inverted;
}

void setTicked(MainSettings* settings, const FlagBox& box, bool ticked) {
    uint32_t* bits = fieldOf(settings, box.field);
    if (ticked != box.inverted) *bits |= box.mask;
    else *bits &= ~box.mask;
}

WrapCheck checkWrap(long columns) {
    if (columns < kMinWrap) return WrapCheck::TooSmall;
    if (columns > kMaxWrap) return WrapCheck::TooLarge;
    if (columns > kWrapWarnAbove) return WrapCheck::AskLarge;
    return WrapCheck::Ok;
}

bool wrapStorable(long columns) { return columns >= kMinWrap && columns <= kMaxWrap; }

uint32_t undoShownMiB(uint32_t undoLimit) {
    if (undoLimit == MainSettings::kUnlimitedUndo) return kUnlimitedUndoShown;
    return std::max<uint32_t>(1, undoLimit / MainSettings::kMiB);
}

uint32_t undoLimitFromField(long mib) {
    if (mib <= 0) mib = 1;
    if (mib > 1024) mib = 1024;
    return static_cast<uint32_t>(mib) * MainSettings::kMiB;
}

std::vector<int> offeredFontSizes(bool evenPixelsOnly) {
    std::vector<int> sizes;
    for (int size : {8, 9, 10, 11, 12, 14, 16}) {
        if (!evenPixelsOnly || (size * 96 / 72) % 2 == 0) sizes.push_back(size);
    }
    return sizes;
}

int clampFontPoints(long points) {
    return static_cast<int>(std::min<long>(kMaxFontPoints, std::max<long>(kMinFontPoints, points)));
}

bool hasNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

long parseNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value > (LONG_MAX - 9) / 10) {
            value = LONG_MAX;  // saturate: the callers clamp to their own ranges
            continue;
        }
        value = value * 10 + (text[i] - '0');
    }
    return static_cast<long>(negative ? -value : value);
}

size_t htmlTypeIndex(uint16_t storedId) {
    size_t strict = 0;
    for (size_t i = 0; i < std::size(kOfferedHtmlTypes); ++i) {
        if (kOfferedHtmlTypes[i].id == storedId) return i;
        if (kOfferedHtmlTypes[i].id == kSettingsHtmlTypeWhenUnset) strict = i;
    }
    return strict;
}

size_t defaultEncodingIndex(uint16_t stored) {
    return stored >= 1 && stored <= 5 ? stored - 1u : 0;
}

const ToolbarRow kToolbarRows[18] = {
    {0x1, false},     {0x2, false},     {0x4, false},    {0x8, false},     {0x10, true},
    {0x20, false},    {0x40, false},    {0x80, false},   {0x100, true},    {0x200, false},
    {0x400, false},   {0x800, true},    {0x1000, false}, {0x2000, false},  {0x4000, false},
    {0x8000, false},  {0x10000, true},  {0x80000000u, false},
};

std::vector<KeyCombo> keyRows() {
    using namespace KeyModifier;
    std::vector<KeyCombo> rows;
    addFunctionKeys(&rows, 0);
    addLetters(&rows, kCtrl);
    addDigits(&rows, kCtrl);
    addFunctionKeys(&rows, kCtrl);
    for (uint32_t key : {kEnter, kSpace, kTab}) rows.push_back({key, kCtrl});
    addFunctionKeys(&rows, kShift);
    for (uint32_t key : {kEnter, kDelete, kBackspace, kSpace}) rows.push_back({key, kShift});
    addLetters(&rows, kCtrl | kShift);
    addDigits(&rows, kCtrl | kShift);
    addFunctionKeys(&rows, kCtrl | kShift);
    for (uint32_t key : {kEnter, kDelete, kBackspace, kSpace, kTab}) rows.push_back({key, kCtrl | kShift});
    return rows;
}

std::vector<uint16_t> commandChoices() {
    std::vector<uint16_t> ids = {21000, 21001, 21002, 21009, 21003, 21004, 21005, 29005, 29006, 0,
                                 21300, 21301, 21302, 21303, 21304, 0,
                                 21200, 21201, 21202, 21203, 21204, 21205, 21206, 21210, 0,
                                 21220, 21221, 21222, 21230, 21240, 0,
                                 21231, 21232, 21401, 21403, 21405, 21404, 21410, 0};
    for (uint16_t id = 21461; id <= 21470; ++id) ids.push_back(id);
    ids.insert(ids.end(), {21480, 0, 21400, 0, 21421, 21451, 21453, 21454, 21455, 21459, 0,
                           21511, 21512, 0, 28001, 28101, 28102, 28103, 28111, 28112, 28113, 28114,
                           28161, 28162, 28163, 28164, 28165, 28166, 28181, 28191, 28199, 28200,
                           28201, 28202, 28203});
    return ids;
}

void assign(std::vector<KeyBinding>* list, const KeyCombo& key, uint32_t command) {
    auto same = [&key](const KeyBinding& b) {
        return b.virtual_key == key.virtual_key && b.modifiers == key.modifiers;
    };
    auto found = std::find_if(list->begin(), list->end(), same);
    if (command == 0) {
        list->erase(std::remove_if(list->begin(), list->end(), same), list->end());
    } else if (found != list->end()) {
        found->command = command;
        found->parameter = 0;
    } else {
        list->push_back({key.virtual_key, key.modifiers, command, 0});
    }
}

uint32_t boundCommand(const std::vector<KeyBinding>& list, const KeyCombo& key) {
    const KeyBinding* b = key_bindings::find(list, key.virtual_key, key.modifiers);
    return b ? b->command : 0;
}

const int kColourRowSlots[MainSettings::kColourCount] = {0, 1, 2, 3, 4, 9, 5, 6, 10, 11,
                                                          12, 7, 8, 16, 17, 18, 19, 14, 15, 13};

void applyScheme(MainSettings* settings, Scheme scheme) {
    const uint32_t* colours = scheme == Scheme::Indigo ? kIndigo : scheme == Scheme::Black ? kBlack : nullptr;
    if (!colours) {
        const MainSettings standard = MainSettings::defaults();
        std::copy(std::begin(standard.colours), std::end(standard.colours), settings->colours);
    } else {
        std::copy(colours, colours + MainSettings::kColourCount, settings->colours);
    }
}

std::string colourText(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

uint32_t colourFromBgr(const uint8_t* bgr) { return rgb(bgr[2], bgr[1], bgr[0]); }

void colourToBgr(uint32_t colour, uint8_t* bgr) {
    bgr[0] = uint8_t(colour >> 16);
    bgr[1] = uint8_t(colour >> 8);
    bgr[2] = uint8_t(colour);
}

Ending ending(bool changed, bool mainSaved, bool keysSaved) {
    if (!changed) return Ending::Cancelled;
    return mainSaved && keysSaved ? Ending::Saved : Ending::WriteFailed;
}

int exitCode(Ending e) { return e == Ending::Saved ? 1 : 0; }

}  // namespace conf_rules

// The settings program's rules that need no window: how its controls map to the fields of
// MainSettings, the checks made on OK, the rows of its lists and the colour schemes it offers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "KeyBinding.h"
#include "MainSettings.h"

namespace conf_rules {

// A check box bound to one bit of option_flags or display_flags. An inverted box is ticked when
// the bit is clear.
enum class FlagField { Option, Display };
struct FlagBox {
    FlagField field;
    uint32_t mask;
    bool inverted;
};
bool isTicked(const MainSettings& settings, const FlagBox& box);
void setTicked(MainSettings* settings, const FlagBox& box, bool ticked);

// Fixed wrap width on OK (only when "固定" is chosen).
enum class WrapCheck { Ok, TooSmall, TooLarge, AskLarge };
constexpr long kMinWrap = 10, kMaxWrap = 500, kWrapWarnAbove = 200;
WrapCheck checkWrap(long columns);
// Whether a width may be stored at all: a value outside 10-500 would make "main" invalid.
bool wrapStorable(long columns);

// Undo buffer: the field shows MiB (at least 1); OK stores bytes.
constexpr unsigned kUnlimitedUndoShown = 4;
uint32_t undoShownMiB(uint32_t undoLimit);
uint32_t undoLimitFromField(long mib);

// Font sizes offered; with evenPixelsOnly only those whose pixel height (size × 96 / 72) is even.
std::vector<int> offeredFontSizes(bool evenPixelsOnly);
constexpr int kMinFontPoints = 6, kMaxFontPoints = 36;
int clampFontPoints(long points);
// A decimal number at the start of the text (optional sign, then digits; 0 when none). Values
// beyond the range of long are clamped.
long parseNumber(const std::string& text);
bool hasNumber(const std::string& text);

// The default HTML type list's index of the stored id; HTML 4.01 Strict's when it matches none.
size_t htmlTypeIndex(uint16_t storedId);

// "デフォルト文字コード": index 0-4 for the values 1-5; 0 when the stored value matches none.
size_t defaultEncodingIndex(uint16_t stored);

// Toolbar rows in toolbar_mask order.
struct ToolbarRow {
    uint32_t mask;
    bool separator;
};
extern const ToolbarRow kToolbarRows[18];
constexpr uint32_t kDefaultToolbarMask = 0x8001F1F7u;

// The 132 key combinations of the key page, in their order.
struct KeyCombo {
    uint32_t virtual_key;
    uint32_t modifiers;
};
std::vector<KeyCombo> keyRows();

// The command list of "コマンドの選択": ids in list order, 0 for a separator row.
std::vector<uint16_t> commandChoices();
// The binding for the key now becomes `command`: replaces the record for (key, modifiers) or
// adds one at the end. Command 0 removes the binding instead.
void assign(std::vector<KeyBinding>* list, const KeyCombo& key, uint32_t command);
// The command bound to the key, 0 when none.
uint32_t boundCommand(const std::vector<KeyBinding>& list, const KeyCombo& key);

// Colour rows: the slot of each row, and the three schemes.
extern const int kColourRowSlots[MainSettings::kColourCount];
enum class Scheme { Standard, Indigo, Black };
void applyScheme(MainSettings* settings, Scheme scheme);
// "#rrggbb" in lower-case hex of a COLORREF (0x00BBGGRR).
std::string colourText(uint32_t colour);
// COLORREF from the picker's three bytes blue, green, red.
uint32_t colourFromBgr(const uint8_t* bgr);
void colourToBgr(uint32_t colour, uint8_t* bgr);

// How the program ends after its sheet: not changed (Cancel) exits 0 silently; a failed write of
// "main" or of the key bindings is reported and exits 0; otherwise the settings were saved (1).
enum class Ending { Cancelled, WriteFailed, Saved };
Ending ending(bool changed, bool mainSaved, bool keysSaved);
int exitCode(Ending ending);

}  // namespace conf_rules

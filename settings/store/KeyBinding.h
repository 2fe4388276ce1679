// The key-binding records KeyBinding ("keybindsize" count, "keybind" 16-byte records), the two
// default tables, key display names and the exact-modifier lookup.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct KeyBinding {
    uint32_t virtual_key;  // Windows virtual-key code
    uint32_t modifiers;    // KeyModifier bits; matches only when exactly these are down
    uint32_t command;      // WM_COMMAND identifier
    uint32_t parameter;    // WM_COMMAND lParam; 0 in every record the settings program writes

    bool operator==(const KeyBinding& o) const {
        return virtual_key == o.virtual_key && modifiers == o.modifiers && command == o.command &&
               parameter == o.parameter;
    }
};

static_assert(sizeof(KeyBinding) == 16, "KeyBinding is 16 bytes");
static_assert(offsetof(KeyBinding, command) == 8, "");

namespace KeyModifier {
constexpr uint32_t kCtrl = 1, kShift = 2, kAlt = 4;
constexpr uint32_t kAll = kCtrl | kShift | kAlt;
}  // namespace KeyModifier

namespace key_bindings {

constexpr size_t kRecordSize = 16;
constexpr size_t kCountSize = 4;
// One record per (key, modifiers) pair at most: virtual keys 1-254 with 8 modifier sets.
constexpr uint32_t kMaxCount = 254 * 8;

// The editor's built-in table binds reload (21009) to F5; the settings program's to Ctrl+F5.
enum class DefaultTable { Editor, SettingsProgram };
std::vector<KeyBinding> defaults(DefaultTable table);

void encodeCount(uint32_t count, uint8_t* out);
// Exactly 4 bytes holding a count of at most kMaxCount.
bool decodeCount(const uint8_t* bytes, size_t size, uint32_t* count);

std::vector<uint8_t> encode(const std::vector<KeyBinding>& list);
// Exactly 16 × count bytes of records that are each in range (key 1-254, modifiers within
// KeyModifier::kAll, command 1-65535); otherwise false and *list untouched.
bool decode(const uint8_t* bytes, size_t size, uint32_t count, std::vector<KeyBinding>* list);

// "A" ... "Z", "0" ... "9", "F1" ... "F12", "Enter", "Del", "BS", "Space", "Tab"; "" for others.
std::string keyName(uint32_t virtual_key);
// Modifier names (Ctrl, Shift, Alt, in that order) and the key name joined by "+", e.g.
// "Ctrl+Shift+S"; "" when the key has no name.
std::string displayName(uint32_t virtual_key, uint32_t modifiers);

// The first record for `virtual_key` whose modifiers equal `modifiers` exactly, or null.
const KeyBinding* find(const std::vector<KeyBinding>& list, uint32_t virtual_key,
                       uint32_t modifiers);

}  // namespace key_bindings

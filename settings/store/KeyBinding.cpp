// Key bindings: default tables, the byte codec of "keybindsize" / "keybind" and key names.
#include "KeyBinding.h"

#include "RecordBytes.h"

using namespace record_bytes;

namespace key_bindings {

namespace {

constexpr uint32_t kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkSpace = 32, kVkDelete = 46,
                   kVkF1 = 112, kVkF12 = 123;
constexpr uint32_t kCtrl = KeyModifier::kCtrl, kShift = KeyModifier::kShift;

constexpr uint32_t fn(uint32_t n) { return kVkF1 + n - 1; }

constexpr uint32_t kReloadCommand = 21009;

}  // namespace

std::vector<KeyBinding> defaults(DefaultTable table) {
    const uint32_t reloadModifiers = table == DefaultTable::Editor ? 0 : kCtrl;
    std::vector<KeyBinding> list = {
        {'A', kCtrl, 21210, 0}, {'C', kCtrl, 21203, 0}, {'F', kCtrl, 21220, 0},
        {'G', kCtrl, 21240, 0}, {'H', kCtrl, 21230, 0}, {'I', kCtrl, 21404, 0},
        {'J', kCtrl, 21405, 0}, {'L', kCtrl, 21206, 0}, {'N', kCtrl, 21000, 0},
        {'O', kCtrl, 21001, 0}, {'P', kCtrl, 21005, 0}, {'S', kCtrl, 21003, 0},
        {'V', kCtrl, 21204, 0}, {'X', kCtrl, 21202, 0}, {'Y', kCtrl, 21201, 0},
        {'Z', kCtrl, 21200, 0}, {'S', kCtrl | kShift, 21004, 0},
        {fn(3), 0, 21221, 0}, {fn(3), kShift, 21222, 0}, {fn(4), 0, 21302, 0},
        {fn(4), kCtrl, 29006, 0}, {fn(5), reloadModifiers, kReloadCommand, 0},
        {fn(7), 0, 21400, 0}, {fn(8), 0, 21421, 0}, {fn(9), 0, 21451, 0},
        {fn(10), 0, 21454, 0}, {fn(11), 0, 21453, 0}, {fn(12), 0, 21455, 0},
        {kVkReturn, kCtrl, 21231, 0}, {kVkReturn, kShift, 21232, 0}, {kVkDelete, 0, 21205, 0},
        {kVkTab, kCtrl, 21512, 0}, {kVkTab, kCtrl | kShift, 21511, 0},
    };
    // Ctrl+1 ... Ctrl+9 insert phrases 1 to 9, Ctrl+0 phrase 10.
    for (uint32_t digit = 1; digit <= 9; ++digit) {
        list.push_back({'0' + digit, kCtrl, 21460 + digit, 0});
    }
    list.push_back({'0', kCtrl, 21470, 0});
    return list;
}

void encodeCount(uint32_t count, uint8_t* out) { putU32(out, 0, count); }

bool decodeCount(const uint8_t* bytes, size_t size, uint32_t* count) {
    if (size != kCountSize) return false;
    const uint32_t n = getU32(bytes, 0);
    if (n > kMaxCount) return false;
    *count = n;
    return true;
}

std::vector<uint8_t> encode(const std::vector<KeyBinding>& list) {
    std::vector<uint8_t> bytes(list.size() * kRecordSize);
    for (size_t i = 0; i < list.size(); ++i) {
        uint8_t* p = bytes.data() + i * kRecordSize;
        putU32(p, 0, list[i].virtual_key);
        putU32(p, 4, list[i].modifiers);
        putU32(p, 8, list[i].command);
        putU32(p, 12, list[i].parameter);
    }
    return bytes;
}

bool decode(const uint8_t* bytes, size_t size, uint32_t count, std::vector<KeyBinding>* list) {
    if (count > kMaxCount || size != size_t(count) * kRecordSize) return false;
    std::vector<KeyBinding> parsed(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = bytes + i * kRecordSize;
        KeyBinding& b = parsed[i];
        b = {getU32(p, 0), getU32(p, 4), getU32(p, 8), getU32(p, 12)};
        if (b.virtual_key == 0 || b.virtual_key > 254) return false;
        if ((b.modifiers & ~KeyModifier::kAll) != 0) return false;
        if (b.command == 0 || b.command > 0xFFFF) return false;
    }
    *list = std::move(parsed);
    return true;
}

std::string keyName(uint32_t vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, char(vk));
    if (vk >= kVkF1 && vk <= kVkF12) return "F" + std::to_string(vk - kVkF1 + 1);
    switch (vk) {
        case kVkReturn: return "Enter";
        case kVkDelete: return "Del";
        case kVkBack: return "BS";
        case kVkSpace: return "Space";
        case kVkTab: return "Tab";
        default: return std::string();
    }
}

std::string displayName(uint32_t virtual_key, uint32_t modifiers) {
    std::string key = keyName(virtual_key);
    if (key.empty()) return key;
    std::string text;
    if (modifiers & KeyModifier::kCtrl) text += "Ctrl+";
    if (modifiers & KeyModifier::kShift) text += "Shift+";
    if (modifiers & KeyModifier::kAlt) text += "Alt+";
    return text + key;
}

const KeyBinding* find(const std::vector<KeyBinding>& list, uint32_t virtual_key,
                       uint32_t modifiers) {
    for (const KeyBinding& b : list) {
        if (b.virtual_key == virtual_key && b.modifiers == modifiers) return &b;
    }
    return nullptr;
}

}  // namespace key_bindings

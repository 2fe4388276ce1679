// The typed settings values over the raw registry access: sizes, versions and fallbacks.
#include "SettingsStore.h"

#include <cstdint>
#include <cstring>

#include "SettingsNames.h"
#include "SettingsRegistry.h"

namespace names = settings_names;
using settings_registry::kBinary;
using settings_registry::readBinary;
using settings_registry::writeValue;

namespace settings_store {

bool loadMainSettings(MainSettings* record) {
    std::vector<uint8_t> bytes;
    if (readBinary(names::kMain, MainSettings::kSize, &bytes) &&
        MainSettings::decode(bytes.data(), bytes.size(), record)) {
        return true;
    }
    *record = MainSettings::defaults();
    return false;
}

bool saveMainSettings(const MainSettings& record) {
    uint8_t bytes[MainSettings::kSize];
    record.encode(bytes);
    return writeValue(names::kMain, kBinary, bytes, sizeof bytes);
}

bool loadWindowInformation(WindowInformation* record) {
    std::vector<uint8_t> bytes;
    return readBinary(names::kWindowInformation, WindowInformation::kSize, &bytes) &&
           WindowInformation::decode(bytes.data(), bytes.size(), record);
}

bool saveWindowInformation(const WindowInformation& record) {
    uint8_t bytes[WindowInformation::kSize];
    record.encode(bytes);
    return writeValue(names::kWindowInformation, kBinary, bytes, sizeof bytes);
}

bool loadKeyBindings(std::vector<KeyBinding>* list, key_bindings::DefaultTable defaults) {
    std::vector<uint8_t> countBytes, records;
    uint32_t count = 0;
    if (readBinary(names::kKeyBindSize, key_bindings::kCountSize, &countBytes) &&
        key_bindings::decodeCount(countBytes.data(), countBytes.size(), &count) &&
        readBinary(names::kKeyBind, size_t(count) * key_bindings::kRecordSize, &records) &&
        key_bindings::decode(records.data(), records.size(), count, list)) {
        return true;
    }
    *list = key_bindings::defaults(defaults);
    return false;
}

bool saveKeyBindings(const std::vector<KeyBinding>& list) {
    if (list.size() > key_bindings::kMaxCount) return false;
    uint8_t countBytes[key_bindings::kCountSize];
    key_bindings::encodeCount(uint32_t(list.size()), countBytes);
    const std::vector<uint8_t> records = key_bindings::encode(list);
    return writeValue(names::kKeyBindSize, kBinary, countBytes, sizeof countBytes) &&
           writeValue(names::kKeyBind, kBinary, records.data(), records.size());
}

bool loadBrowserList(BrowserList* record) {
    std::vector<uint8_t> bytes;
    if (readBinary(names::kBrowser, BrowserList::kSize, &bytes) &&
        BrowserList::decode(bytes.data(), bytes.size(), record)) {
        return true;
    }
    *record = BrowserList::empty();
    return false;
}

bool saveBrowserList(const BrowserList& record) {
    std::vector<uint8_t> bytes(BrowserList::kSize);
    record.encode(bytes.data());
    return writeValue(names::kBrowser, kBinary, bytes.data(), bytes.size());
}

namespace {
// The value's bytes whatever its registry type (a phrase written as text by another program is
// still a phrase); false when it is missing or unreadable.
bool readPhraseValue(unsigned digit, std::vector<uint8_t>* bytes) {
    const std::string name = phrases::valueName(digit);
    return !name.empty() && settings_registry::readRaw(name.c_str(), phrases::kMaxRawSize, bytes);
}
}  // namespace

bool loadPhrase(unsigned digit, std::string* text) {
    std::vector<uint8_t> bytes;
    text->clear();
    if (!readPhraseValue(digit, &bytes)) return false;
    // Up to the first NUL; a value without one ends where its bytes end.
    const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
    const size_t length = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes.data()) : bytes.size();
    text->assign(reinterpret_cast<const char*>(bytes.data()), length);
    return true;
}

bool isPhraseDefined(unsigned digit) {
    std::vector<uint8_t> bytes;
    return readPhraseValue(digit, &bytes) && bytes.size() > 1;
}

bool savePhrase(unsigned digit, const std::string& text) {
    const std::string name = phrases::valueName(digit);
    std::vector<uint8_t> bytes;
    if (name.empty() || !phrases::encode(text, &bytes)) return false;
    return writeValue(name.c_str(), kBinary, bytes.data(), bytes.size());
}

bool ensureInstallFirstPhrase() {
    if (isPhraseDefined(0)) return true;
    return savePhrase(0, phrases::kInstallFirstPhrase);
}

}  // namespace settings_store

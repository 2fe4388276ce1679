// Raw reading and writing of the fixed-phrase values "template0" ... "template9".
#include "PhraseValues.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "Phrase.h"
#include "SettingsNames.h"
#include "SettingsRegistry.h"

namespace phrase_values {

std::string readRaw(unsigned digit) {
    const std::string name = phrases::valueName(digit);
    HKEY key = nullptr;
    if (name.empty() ||
        RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    std::vector<char> bytes;
    // Another writer may grow the value between the size query and the read: ask again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) break;
        bytes.assign(size, '\0');
        DWORD got = size;
        const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(bytes.data()), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) bytes.clear();
        else bytes.resize(got < size ? got : size);
        break;
    }
    RegCloseKey(key);
    // Never past the bytes read: a value without its NUL ends where the value ends.
    const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
    const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()) : bytes.size();
    return std::string(bytes.data(), length);
}

bool write(unsigned digit, const std::string& text) {
    const std::string name = phrases::valueName(digit);
    if (name.empty()) return false;
    return settings_registry::writeValue(name.c_str(), settings_registry::kBinary, text.c_str(), text.size() + 1);
}

}  // namespace phrase_values

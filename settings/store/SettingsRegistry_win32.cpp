// The settings key through the ANSI registry functions: read a value safely, replace a value.
#include "SettingsRegistry.h"

#include <windows.h>

#include <cstring>

#include "SettingsNames.h"

static_assert(settings_registry::kBinary == REG_BINARY, "");

namespace settings_registry {

namespace {

// Closes an open registry key when it goes out of scope.
class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_) RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }
    // Closes now and reports whether closing succeeded.
    bool close() {
        const LONG status = RegCloseKey(key_);
        key_ = nullptr;
        return status == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

bool openForReading(KeyHandle* key) {
    return RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_READ, key->out()) ==
           ERROR_SUCCESS;
}

// One attempt: size and type first, then the data into a buffer of exactly that size.
// ERROR_MORE_DATA means another process grew the value between the two queries.
// anyType: the value's registry type does not matter (else it must be REG_BINARY).
LONG queryOnce(HKEY key, const char* name, size_t maxSize, bool anyType, std::vector<uint8_t>* bytes) {
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;
    if ((!anyType && type != REG_BINARY) || size > maxSize) return ERROR_INVALID_DATA;
    std::vector<uint8_t> data(size);
    DWORD got = size;
    status = RegQueryValueExA(key, name, nullptr, &type, size ? data.data() : nullptr, &got);
    if (status != ERROR_SUCCESS) return status;
    if ((!anyType && type != REG_BINARY) || got > size) return ERROR_INVALID_DATA;
    data.resize(got);
    *bytes = std::move(data);
    return ERROR_SUCCESS;
}

}  // namespace

namespace {
bool readBytes(const char* name, size_t maxSize, bool anyType, std::vector<uint8_t>* bytes) {
    KeyHandle key;
    if (!openForReading(&key)) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const LONG status = queryOnce(key.get(), name, maxSize, anyType, bytes);
        if (status == ERROR_SUCCESS) return true;
        if (status != ERROR_MORE_DATA) return false;
    }
    return false;
}
}  // namespace

bool readBinary(const char* name, size_t maxSize, std::vector<uint8_t>* bytes) {
    return readBytes(name, maxSize, false, bytes);
}

bool readRaw(const char* name, size_t maxSize, std::vector<uint8_t>* bytes) {
    return readBytes(name, maxSize, true, bytes);
}

bool readValue(const char* name, void* buffer, size_t expectedSize) {
    std::vector<uint8_t> bytes;
    if (!readBinary(name, expectedSize, &bytes) || bytes.size() != expectedSize) return false;
    if (expectedSize) std::memcpy(buffer, bytes.data(), expectedSize);
    return true;
}

bool writeValue(const char* name, uint32_t type, const void* bytes, size_t size) {
    if (size > 0x7FFFFFFF) return false;
    KeyHandle key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, key.out(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // An empty value still gets a valid data pointer.
    static const BYTE nothing = 0;
    const BYTE* data = size ? static_cast<const BYTE*>(bytes) : &nothing;
    const LONG status = RegSetValueExA(key.get(), name, 0, type, data, DWORD(size));
    const bool closed = key.close();
    return status == ERROR_SUCCESS && closed;
}

bool deleteValue(const char* name) {
    KeyHandle key;
    const LONG open =
        RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_SET_VALUE, key.out());
    if (open == ERROR_FILE_NOT_FOUND) return true;
    if (open != ERROR_SUCCESS) return false;
    const LONG status = RegDeleteValueA(key.get(), name);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool deleteKey() {
    const LONG status = RegDeleteKeyA(HKEY_CURRENT_USER, settings_names::kKeyPath);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace settings_registry

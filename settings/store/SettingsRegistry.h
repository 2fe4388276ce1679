// Raw access to the values of the settings key HKEY_CURRENT_USER\Software\Tovrik\QuorvaleUlo
// (Win32 builds only; ANSI registry functions, each call opens and closes the key).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace settings_registry {

constexpr uint32_t kBinary = 3;  // REG_BINARY

// Queries the value's type and size first and reads it only when it is REG_BINARY of at most
// `maxSize` bytes; the bytes read are exactly the value (never more than was stored). False when
// the key or value is missing, the type differs or the value is larger than `maxSize`.
bool readBinary(const char* name, size_t maxSize, std::vector<uint8_t>* bytes);
// Like readBinary, whatever the value's registry type.
bool readRaw(const char* name, size_t maxSize, std::vector<uint8_t>* bytes);

// readBinary of exactly `expectedSize` bytes into `buffer`; false (buffer untouched) otherwise.
bool readValue(const char* name, void* buffer, size_t expectedSize);

// Creates or opens the key with full access and replaces the whole value. True only when
// creating, setting and closing all succeeded.
bool writeValue(const char* name, uint32_t type, const void* bytes, size_t size);

// Removes one value; true when it is gone afterwards (also when it was missing).
bool deleteValue(const char* name);
// Removes the settings key with all its values; true when it is gone afterwards.
bool deleteKey();

}  // namespace settings_registry

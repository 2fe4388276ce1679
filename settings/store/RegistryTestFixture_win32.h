// Test fixture for the registry tests: the settings key is deleted before and after each test,
// and raw helpers write and read values with the registry API itself, bypassing the store.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsNames.h"
#include "SettingsRegistry.h"

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(settings_registry::deleteKey()); }
    void TearDown() override { EXPECT_TRUE(settings_registry::deleteKey()); }

    static void putRaw(const char* name, DWORD type, const void* data, size_t size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), DWORD(size)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void putRaw(const char* name, const std::vector<uint8_t>& bytes,
                       DWORD type = REG_BINARY) {
        putRaw(name, type, bytes.data(), bytes.size());
    }

    // The stored bytes and type; false when the value does not exist.
    static bool getRaw(const char* name, std::vector<uint8_t>* bytes, DWORD* type = nullptr) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return false;
        }
        DWORD t = 0, size = 0;
        LONG status = RegQueryValueExA(key, name, nullptr, &t, nullptr, &size);
        if (status == ERROR_SUCCESS) {
            bytes->assign(size, 0);
            status = RegQueryValueExA(key, name, nullptr, &t, bytes->data(), &size);
        }
        RegCloseKey(key);
        if (type) *type = t;
        return status == ERROR_SUCCESS;
    }

    static bool keyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
};

// The "browser" record BrowserList (2588 bytes, version 3): the external browsers' executables.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct BrowserList {
    static constexpr uint32_t kVersion = 3;
    static constexpr size_t kSize = 2588;
    static constexpr size_t kSlotCount = 5;
    static constexpr size_t kPathSize = 516;

    // Slots, also the external-browser launcher's numbering.
    enum Slot : size_t { kInternetExplorer = 0, kNetscape = 1, kChrome = 2, kFirefox = 3, kOpera = 4 };
    // Display names: "Internet Explorer", "Netscape (no use)", "Google Chrome", "Mozilla FireFox",
    // "Opera".
    static const char* const kSlotNames[kSlotCount];

    uint32_t version;
    uint32_t reserved;
    char paths[kSlotCount][kPathSize];  // NUL-terminated; empty = not registered

    // Version 3, reserved 0, every path empty: what a reader uses when "browser" is unusable.
    static BrowserList empty();
    bool isRegistered(size_t slot) const { return slot < kSlotCount && paths[slot][0] != 0; }
    // Stores `path` in `slot` when it fits with its NUL; false otherwise (slot unchanged).
    bool setPath(size_t slot, const std::string& path);

    void encode(uint8_t* out) const;
    // Exactly 2588 bytes, version 3, and every path terminated within its slot; otherwise false
    // and *record untouched.
    static bool decode(const uint8_t* bytes, size_t size, BrowserList* record);
};

static_assert(sizeof(BrowserList) == BrowserList::kSize, "BrowserList is 2588 bytes");
static_assert(offsetof(BrowserList, paths) == 8, "");

// The installer's preparation of the record before it writes it back, with the two look-ups
// supplied by the caller: the App Paths default value of the system browser (false when it is
// missing or not a string) and whether a file exists.
struct BrowserInstallProbe {
    std::function<bool(std::string* path)> systemBrowserPath;
    std::function<bool(const std::string& path)> fileExists;
};
void prepareBrowserListForInstall(BrowserList* list, const BrowserInstallProbe& probe);

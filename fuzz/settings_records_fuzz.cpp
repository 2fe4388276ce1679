// Registry values of the settings store, which other versions and other programs may have
// written: every record decoder on any bytes. A value that decodes must encode back to a value
// that decodes to the same record; one that does not must leave the record untouched.
//
// Input: a selector byte (main, window_information, file_history, keybind count, keybind,
// browser, phrase), then the value.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BrowserList.h"
#include "FileHistory.h"
#include "FuzzInput.h"
#include "KeyBinding.h"
#include "MainSettings.h"
#include "Phrase.h"
#include "WindowInformation.h"

namespace {

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Fixed-size records: decode, and when that succeeds, encode and decode again to the same bytes.
template <typename Record>
void roundTrip(const uint8_t* value, size_t size, const char* name) {
    Record record{};
    std::memset(&record, 0xA5, sizeof record);
    Record untouched;
    std::memcpy(&untouched, &record, sizeof record);
    if (!Record::decode(value, size, &record)) {
        require(std::memcmp(&record, &untouched, sizeof record) == 0, name);
        return;
    }
    std::vector<uint8_t> bytes(Record::kSize);
    record.encode(bytes.data());
    Record again{};
    require(Record::decode(bytes.data(), bytes.size(), &again), name);
    std::vector<uint8_t> bytesAgain(Record::kSize);
    again.encode(bytesAgain.data());
    require(bytes == bytesAgain, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint32_t which = in.below(7);
    size_t n = 0;
    const uint8_t* p = in.rest(&n);
    // The registry hands over a copy of exactly the value's size.
    std::vector<uint8_t> owned(p, p + n);
    const uint8_t* value = owned.empty() ? nullptr : owned.data();
    switch (which) {
    case 0: roundTrip<MainSettings>(value, n, "main"); break;
    case 1: roundTrip<WindowInformation>(value, n, "window_information"); break;
    case 2: {
        FileHistory history;
        if (history.decode(value, n)) {
            std::vector<uint8_t> bytes = history.encode();
            FileHistory again;
            require(again.decode(bytes.data(), bytes.size()) && again.entries() == history.entries(), "file_history");
        }
        break;
    }
    case 3: {
        uint32_t count = 7;
        if (!key_bindings::decodeCount(value, n, &count)) break;
        require(count <= key_bindings::kMaxCount, "keybind count");
        uint8_t bytes[key_bindings::kCountSize];
        key_bindings::encodeCount(count, bytes);
        uint32_t again = 0;
        require(key_bindings::decodeCount(bytes, sizeof bytes, &again) && again == count, "keybind count");
        break;
    }
    case 4: {
        // The count comes from its own value: any count against any records.
        uint32_t count = n >= 2 ? (owned[0] | owned[1] << 8) : 0;
        std::vector<KeyBinding> list;
        const uint8_t* records = n >= 2 ? value + 2 : nullptr;
        size_t recordBytes = n >= 2 ? n - 2 : 0;
        std::vector<uint8_t> copy(records, records + recordBytes);
        if (!key_bindings::decode(copy.empty() ? nullptr : copy.data(), copy.size(), count, &list)) {
            require(list.empty(), "keybind list touched");
            break;
        }
        std::vector<uint8_t> bytes = key_bindings::encode(list);
        std::vector<KeyBinding> again;
        require(key_bindings::decode(bytes.data(), bytes.size(), count, &again) && again == list, "keybind");
        break;
    }
    case 5: roundTrip<BrowserList>(value, n, "browser"); break;
    case 6: {
        std::string text = "untouched";
        if (!phrases::decode(value, n, &text)) {
            require(text == "untouched", "phrase touched");
            break;
        }
        std::vector<uint8_t> bytes;
        std::string again;
        require(phrases::encode(text, &bytes) && phrases::decode(bytes.data(), bytes.size(), &again) && again == text,
                "phrase");
        break;
    }
    }
    return 0;
}

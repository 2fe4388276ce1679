// "file_history" in the registry: the snapshot read and the locked read-modify-writes.
#include <cstdint>

#include "SemaphoreGuard.h"
#include "SettingsNames.h"
#include "SettingsRegistry.h"
#include "SettingsStore.h"

namespace names = settings_names;

namespace settings_store {

namespace {

bool write(const FileHistory& history) {
    const std::vector<uint8_t> bytes = history.encode();
    return settings_registry::writeValue(names::kFileHistory, settings_registry::kBinary,
                                         bytes.data(), bytes.size());
}

// Reads, lets `change` edit the list and writes it back, all under the history semaphore.
template <typename Change>
bool update(Change change) {
    SemaphoreGuard lock(names::kFileHistorySemaphore);
    if (!lock.held()) return false;
    FileHistory history;
    readFileHistory(&history);
    change(&history);
    return write(history);
}

}  // namespace

bool readFileHistory(FileHistory* history) {
    std::vector<uint8_t> bytes;
    if (settings_registry::readBinary(names::kFileHistory, FileHistory::kMaxValueSize, &bytes) &&
        history->decode(bytes.data(), bytes.size())) {
        return true;
    }
    history->clear();
    return false;
}

bool removeFromFileHistory(const std::string& path) {
    return update([&](FileHistory* history) { history->remove(path); });
}

bool addToFileHistory(const std::string& path) {
    return update([&](FileHistory* history) { history->add(path); });
}

bool clearFileHistory() {
    return update([](FileHistory* history) { history->clear(); });
}

}  // namespace settings_store

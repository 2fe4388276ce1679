// readRecentFiles through the settings store's snapshot of "file_history".
#include "RecentFiles.h"
#include "SettingsStore.h"

namespace bars {

std::vector<std::string> readRecentFiles() {
    FileHistory history;
    if (!settings_store::readFileHistory(&history)) return {};
    return history.entries();
}

}  // namespace bars

// Fuzz target of the install-log reader and replay plan: any bytes give steps, never a crash, and
// every step that acts stays inside what an installation makes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "InstallLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (bool keep : {false, true}) {
        install_log::ReplayOptions options;
        options.keepSettings = keep;
        for (const install_log::Step& step : install_log::planReplay(bytes, "C:\\Program Files\\Quorvale Ulo\\", options)) {
            if (step.action == install_log::Action::DeleteFile || step.action == install_log::Action::RemoveFolder) {
                if (step.path.size() < 3 || step.path[1] != ':') __builtin_trap();
            }
            install_log::stillOurs(step, bytes);
        }
    }
    return 0;
}

// What the launcher says to each external browser: its DDE service name, how the file's path is
// written in the "file://" URL, the request item of the open-URL conversation and the command line
// that starts the browser when it does not answer.
#pragma once
#include <cstdint>
#include <string>

namespace pagetool {

// Slots 0-5: Internet Explorer, Netscape, Netscape 6, FireFox, Opera, Mozilla.
inline constexpr uint32_t kBrowserSlots = 6;
inline constexpr uint32_t kOperaSlot = 4;

// The service name of the slot; null for a slot from kBrowserSlots on.
const char* ddeServiceName(uint32_t slot);

// "file://" and the path as the slot's browser reads it: as it stands, Shift_JIS escaped or
// UTF-8 escaped (see FileUrl.h).
std::string fileUrl(uint32_t slot, const std::string& path);

// The item of the request in the "WWW_OpenURL" conversation: the quoted URL and the fields that
// ask for a new window.
std::string openUrlItem(uint32_t slot, const std::string& path);

// The item of the request in the "WWW_Activate" conversation.
inline constexpr char kActivateItem[] = "4294967295,0";

// The browser's executable and the quoted URL, the executable quoted too so that a path with
// blanks ("C:\Program Files\...") names the program and not "C:\Program".
std::string browserCommandLine(const std::string& browserPath, uint32_t slot, const std::string& path);

}  // namespace pagetool

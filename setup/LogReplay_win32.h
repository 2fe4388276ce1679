// Replays an install log on this machine: reads the file, plans the steps (InstallLog.h) and
// carries them out, showing each failure in a message box owned by `owner`. Runs on a worker
// thread; the boxes are modal to the dialog, which keeps answering its own messages.
#pragma once
#include <windows.h>

#include <string>

#include "InstallLog.h"

namespace install_replay {

// False only when the log could not be read ("ファイル %s が開けません。" shown, error icon).
bool replayLog(const std::string& logPath, const install_log::ReplayOptions& options, HWND owner,
               const char* caption);

// Text of a message with one "%s" (and optionally a "%u" after it) filled in.
std::string format(const char* pattern, const std::string& text, unsigned long code = 0);

}  // namespace install_replay

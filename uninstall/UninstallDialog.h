// The temporary copy's dialog: asks, replays the install log on a worker thread while the dialog
// keeps answering, then reports the result. Closing and Esc are ignored while the worker runs.
#pragma once
#include <windows.h>

#include <string>

namespace uninstall_ui {

// Shows the dialog until the user closes it; the log is replayed only after "アンインストール".
void runDialog(HINSTANCE instance, const std::string& logPath);

}  // namespace uninstall_ui

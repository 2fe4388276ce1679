// Names shared by every program: the settings key, its value names and the cross-process semaphores.
#pragma once

namespace settings_names {

// Under HKEY_CURRENT_USER.
inline constexpr const char kKeyPath[] = "Software\\Tovrik\\QuorvaleUlo";

inline constexpr const char kMain[] = "main";
inline constexpr const char kWindowInformation[] = "window_information";
inline constexpr const char kFileHistory[] = "file_history";
inline constexpr const char kKeyBindSize[] = "keybindsize";
inline constexpr const char kKeyBind[] = "keybind";
inline constexpr const char kBrowser[] = "browser";
// "template0" ... "template9": the prefix followed by one digit (digit 0 holds phrase 1).
inline constexpr const char kTemplatePrefix[] = "template";

// Named semaphores (initial count 1, maximum 1, waited for without time limit).
inline constexpr const char kInitSemaphore[] = "Quorvale Ulo init_semaphore";
inline constexpr const char kFileHistorySemaphore[] = "Quorvale Ulo filehistory_semaphore";

}  // namespace settings_names

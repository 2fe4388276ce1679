// Writes the seed values of the settings_records target: one value of each kind as the store
// writes it, each after its selector byte. Run by hand when a record's form changes:
//   cmake --build build/sanitize --target settings_records_seeds && build/sanitize/bin/settings_records_seeds fuzz/corpus/settings_records
#include <cstdio>
#include <string>
#include <vector>

#include "BrowserList.h"
#include "FileHistory.h"
#include "KeyBinding.h"
#include "MainSettings.h"
#include "Phrase.h"
#include "WindowInformation.h"

namespace {

void write(const std::string& folder, const char* name, uint8_t selector, const std::vector<uint8_t>& value) {
    std::FILE* f = std::fopen((folder + "/" + name).c_str(), "wb");
    if (!f) return;
    std::fputc(selector, f);
    std::fwrite(value.data(), 1, value.size(), f);
    std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    std::vector<uint8_t> v(MainSettings::kSize);
    MainSettings::defaults().encode(v.data());
    write(folder, "main", 0, v);
    WindowInformation window{40, 30, 840, 630};
    v.assign(WindowInformation::kSize, 0);
    window.encode(v.data());
    write(folder, "window_information", 1, v);
    FileHistory history;
    history.add("C:\\Users\\ulo\\\x95\x5C.txt");
    history.add("Z:\\tmp\\\x82\xA0\x82\xA2\\index.html");
    write(folder, "file_history", 2, history.encode());
    const std::vector<KeyBinding> bindings = key_bindings::defaults(key_bindings::DefaultTable::Editor);
    v.assign(key_bindings::kCountSize, 0);
    key_bindings::encodeCount(static_cast<uint32_t>(bindings.size()), v.data());
    write(folder, "keybind_count", 3, v);
    std::vector<uint8_t> records = key_bindings::encode(bindings);
    v = {static_cast<uint8_t>(bindings.size()), static_cast<uint8_t>(bindings.size() >> 8)};
    v.insert(v.end(), records.begin(), records.end());
    write(folder, "keybind", 4, v);
    BrowserList browsers = BrowserList::empty();
    std::snprintf(browsers.paths[0], sizeof browsers.paths[0], "C:\\Program Files\\Browser\\browser.exe");
    v.assign(BrowserList::kSize, 0);
    browsers.encode(v.data());
    write(folder, "browser", 5, v);
    phrases::encode(phrases::kInstallFirstPhrase, &v);
    write(folder, "phrase", 6, v);
    return 0;
}

// Raw reading and writing of the fixed-phrase values "template0" ... "template9".
#include "PhraseValues.h"

#include <windows.h>

#include "Phrase.h"
#include "SettingsNames.h"
#include "SettingsRegistry.h"
#include "SettingsStore.h"

namespace phrase_values {

std::string readRaw(unsigned digit) {
    std::string text;
    settings_store::loadPhrase(digit, &text);  // empty when missing or unreadable
    return text;
}

bool write(unsigned digit, const std::string& text) {
    const std::string name = phrases::valueName(digit);
    if (name.empty()) return false;
    return settings_registry::writeValue(name.c_str(), settings_registry::kBinary, text.c_str(), text.size() + 1);
}

}  // namespace phrase_values

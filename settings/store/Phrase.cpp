// Fixed phrases: value names and the codec of one phrase value.
#include "Phrase.h"

#include <cstring>

#include "SettingsNames.h"

namespace phrases {

std::string valueName(unsigned digit) {
    if (digit > 9) return std::string();
    return std::string(settings_names::kTemplatePrefix) + char('0' + digit);
}

bool encode(const std::string& text, std::vector<uint8_t>* bytes) {
    if (text.size() > kMaxTextLength || text.find('\0') != std::string::npos) return false;
    bytes->assign(text.begin(), text.end());
    bytes->push_back(0);
    return true;
}

bool decode(const uint8_t* bytes, size_t size, std::string* text) {
    if (size == 0 || size > kMaxValueSize || bytes[size - 1] != 0) return false;
    if (std::memchr(bytes, 0, size - 1) != nullptr) return false;
    text->assign(reinterpret_cast<const char*>(bytes), size - 1);
    return true;
}

}  // namespace phrases

// The fixed phrases as the fixed-phrase editor reads and writes them: raw value bytes in, one
// REG_BINARY value with its NUL out.
#pragma once
#include <string>

namespace phrase_values {

// The value "template<digit>" as the editor inserts it: its bytes whatever the registry type, up
// to the first NUL or the value's end. Empty when the value is missing or cannot be read.
std::string readRaw(unsigned digit);

// Writes the text with its terminating NUL as REG_BINARY; false when creating the key, setting
// the value or closing the key failed.
bool write(unsigned digit, const std::string& text);

}  // namespace phrase_values

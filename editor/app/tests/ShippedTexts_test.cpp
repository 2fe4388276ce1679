// The release notes and hints as the build ships them beside ulo.exe: Shift_JIS with CR LF line
// ends, the version of the about box, and every key the hints name in 【】 bound to a command by
// the default key table.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FrameTexts.h"
#include "KeyBinding.h"

namespace {

std::string readShipped(const char* name) {
    std::ifstream in(std::string(ULO_SHIPPED_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Checks the Shift_JIS structure and CR LF line ends; returns the texts between 【 (81 79) and
// 】 (81 7A).
std::vector<std::string> bracketed(const std::string& text) {
    std::vector<std::string> found;
    std::string current;
    bool inside = false;
    for (size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if (isLead(b)) {
            EXPECT_LT(i + 1, text.size()) << "a lead byte at the end";
            if (b == 0x81 && i + 1 < text.size() && text[i + 1] == 0x79) {
                inside = true;
                current.clear();
            } else if (b == 0x81 && i + 1 < text.size() && text[i + 1] == 0x7A) {
                if (inside) found.push_back(current);
                inside = false;
            } else if (inside) {
                current += text.substr(i, 2);
            }
            ++i;
            continue;
        }
        if (b == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "a line end without CR at " << i;
        }
        if (b == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "a CR alone at " << i;
        }
        if (inside) current += text[i];
    }
    return found;
}

}  // namespace

TEST(ShippedTexts, ReleaseNotesNameTheVersionOfTheAboutBox) {
    std::string notes = readShipped("ulo.txt");
    ASSERT_FALSE(notes.empty());
    bracketed(notes);
    EXPECT_NE(notes.find(ulo_text::kAboutText), std::string::npos);
    EXPECT_EQ(notes.substr(notes.size() - 2), "\r\n");
}

TEST(ShippedTexts, EveryKeyTheHintsNameIsADefaultBinding) {
    std::string hints = readShipped("ulo_hint.txt");
    ASSERT_FALSE(hints.empty());
    std::vector<std::string> keys = bracketed(hints);
    EXPECT_GE(keys.size(), 15u);
    std::vector<KeyBinding> table = key_bindings::defaults(key_bindings::DefaultTable::Editor);
    for (const std::string& key : keys) {
        if (key == " ") continue;   // the explanation of the brackets themselves
        bool bound = false;
        for (const KeyBinding& b : table) bound = bound || key_bindings::displayName(b.virtual_key, b.modifiers) == key;
        EXPECT_TRUE(bound) << key;
    }
}

// Tests of the key-binding tables, their codec, display names and the exact-modifier lookup.
#include "KeyBinding.h"

#include <gtest/gtest.h>

using key_bindings::DefaultTable;

namespace {
constexpr uint32_t kCtrl = KeyModifier::kCtrl, kShift = KeyModifier::kShift,
                   kAlt = KeyModifier::kAlt;
constexpr uint32_t F(uint32_t n) { return 111 + n; }
}  // namespace

TEST(KeyBindingDefaults, FortyThreeRecordsInTableOrder) {
    const std::vector<KeyBinding> t = key_bindings::defaults(DefaultTable::Editor);
    ASSERT_EQ(t.size(), 43u);
    EXPECT_EQ(t[0], (KeyBinding{'A', kCtrl, 21210, 0}));
    EXPECT_EQ(t[15], (KeyBinding{'Z', kCtrl, 21200, 0}));
    EXPECT_EQ(t[16], (KeyBinding{'S', kCtrl | kShift, 21004, 0}));
    EXPECT_EQ(t[18], (KeyBinding{F(3), kShift, 21222, 0}));
    EXPECT_EQ(t[20], (KeyBinding{F(4), kCtrl, 29006, 0}));
    EXPECT_EQ(t[21], (KeyBinding{F(5), 0, 21009, 0}));
    EXPECT_EQ(t[27], (KeyBinding{F(12), 0, 21455, 0}));
    EXPECT_EQ(t[28], (KeyBinding{13, kCtrl, 21231, 0}));
    EXPECT_EQ(t[30], (KeyBinding{46, 0, 21205, 0}));
    EXPECT_EQ(t[32], (KeyBinding{9, kCtrl | kShift, 21511, 0}));
    EXPECT_EQ(t[33], (KeyBinding{'1', kCtrl, 21461, 0}));
    EXPECT_EQ(t[41], (KeyBinding{'9', kCtrl, 21469, 0}));
    EXPECT_EQ(t[42], (KeyBinding{'0', kCtrl, 21470, 0}));
    // One record per key combination; every parameter 0.
    for (size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].parameter, 0u);
        for (size_t j = i + 1; j < t.size(); ++j) {
            EXPECT_FALSE(t[i].virtual_key == t[j].virtual_key && t[i].modifiers == t[j].modifiers)
                << i << " " << j;
        }
    }
}

TEST(KeyBindingDefaults, TheTwoTablesDifferOnlyInReload) {
    const std::vector<KeyBinding> editor = key_bindings::defaults(DefaultTable::Editor);
    const std::vector<KeyBinding> conf = key_bindings::defaults(DefaultTable::SettingsProgram);
    ASSERT_EQ(editor.size(), conf.size());
    for (size_t i = 0; i < editor.size(); ++i) {
        if (editor[i].command == 21009) {
            EXPECT_EQ(editor[i].modifiers, 0u);
            EXPECT_EQ(conf[i].modifiers, kCtrl);
            EXPECT_EQ(conf[i].virtual_key, F(5));
        } else {
            EXPECT_EQ(editor[i], conf[i]) << i;
        }
    }
}

TEST(KeyBindingCodec, RoundTripAndCount) {
    const std::vector<KeyBinding> list = {{'Q', kCtrl | kAlt, 21000, 7}, {37, 0, 21203, 0}};
    const std::vector<uint8_t> bytes = key_bindings::encode(list);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes[0], 'Q');
    EXPECT_EQ(bytes[4], 5);
    EXPECT_EQ(bytes[8], 21000 & 0xFF);
    EXPECT_EQ(bytes[9], 21000 >> 8);
    EXPECT_EQ(bytes[12], 7);
    std::vector<KeyBinding> back;
    ASSERT_TRUE(key_bindings::decode(bytes.data(), bytes.size(), 2, &back));
    EXPECT_EQ(back, list);
    uint8_t count[4];
    key_bindings::encodeCount(2, count);
    uint32_t n = 0;
    EXPECT_TRUE(key_bindings::decodeCount(count, 4, &n));
    EXPECT_EQ(n, 2u);
    EXPECT_FALSE(key_bindings::decodeCount(count, 3, &n));
    EXPECT_FALSE(key_bindings::decodeCount(count, 5, &n));
    // An empty table is a valid table.
    EXPECT_TRUE(key_bindings::decode(nullptr, 0, 0, &back));
    EXPECT_TRUE(back.empty());
}

TEST(KeyBindingCodec, SizeNotMatchingTheCountOrHugeCountsAreRefused) {
    const std::vector<uint8_t> bytes = key_bindings::encode(key_bindings::defaults(DefaultTable::Editor));
    std::vector<KeyBinding> out = {{'A', 0, 1, 0}};
    EXPECT_FALSE(key_bindings::decode(bytes.data(), bytes.size(), 42, &out));
    EXPECT_FALSE(key_bindings::decode(bytes.data(), bytes.size() - 1, 43, &out));
    EXPECT_EQ(out.size(), 1u);
    uint8_t count[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    uint32_t n = 5;
    EXPECT_FALSE(key_bindings::decodeCount(count, 4, &n));
    key_bindings::encodeCount(key_bindings::kMaxCount + 1, count);
    EXPECT_FALSE(key_bindings::decodeCount(count, 4, &n));
    EXPECT_EQ(n, 5u);
}

TEST(KeyBindingCodec, OutOfRangeRecordsAreRefused) {
    const KeyBinding bad[] = {{0, 0, 21000, 0}, {255, 0, 21000, 0}, {'A', 8, 21000, 0},
                              {'A', 0, 0, 0},   {'A', 0, 0x10000, 0}};
    for (const KeyBinding& b : bad) {
        const std::vector<uint8_t> bytes = key_bindings::encode({{'B', 0, 21000, 0}, b});
        std::vector<KeyBinding> out;
        EXPECT_FALSE(key_bindings::decode(bytes.data(), bytes.size(), 2, &out)) << b.virtual_key;
        EXPECT_TRUE(out.empty());
    }
}

TEST(KeyBindingNames, ModifiersInOrderThenTheKey) {
    EXPECT_EQ(key_bindings::displayName('S', kCtrl | kShift), "Ctrl+Shift+S");
    EXPECT_EQ(key_bindings::displayName('7', kAlt | kShift | kCtrl), "Ctrl+Shift+Alt+7");
    EXPECT_EQ(key_bindings::displayName(F(1), 0), "F1");
    EXPECT_EQ(key_bindings::displayName(F(12), kShift), "Shift+F12");
    EXPECT_EQ(key_bindings::displayName(13, kCtrl), "Ctrl+Enter");
    EXPECT_EQ(key_bindings::displayName(46, 0), "Del");
    EXPECT_EQ(key_bindings::displayName(8, 0), "BS");
    EXPECT_EQ(key_bindings::displayName(32, kShift), "Shift+Space");
    EXPECT_EQ(key_bindings::displayName(9, kCtrl), "Ctrl+Tab");
    // Cursor keys, F13 and lower-case codes have no name.
    EXPECT_EQ(key_bindings::displayName(37, kCtrl), "");
    EXPECT_EQ(key_bindings::displayName(124, 0), "");
    EXPECT_EQ(key_bindings::displayName('a', 0), "");
}

TEST(KeyBindingLookup, ModifiersMustMatchExactlyAndTheFirstRecordWins) {
    const std::vector<KeyBinding> t = key_bindings::defaults(DefaultTable::Editor);
    ASSERT_NE(key_bindings::find(t, 'S', kCtrl), nullptr);
    EXPECT_EQ(key_bindings::find(t, 'S', kCtrl)->command, 21003u);
    EXPECT_EQ(key_bindings::find(t, 'S', kCtrl | kShift)->command, 21004u);
    EXPECT_EQ(key_bindings::find(t, 'S', kCtrl | kAlt), nullptr);
    EXPECT_EQ(key_bindings::find(t, 'S', 0), nullptr);
    const std::vector<KeyBinding> twice = {{37, 0, 100, 0}, {37, 0, 200, 0}};
    EXPECT_EQ(key_bindings::find(twice, 37, 0)->command, 100u);
}

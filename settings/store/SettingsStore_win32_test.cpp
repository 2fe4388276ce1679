// Tests of the typed settings values against the real registry: round trips, and every kind of
// bad stored value written with the registry API and read back through the store.
#include "RegistryTestFixture_win32.h"
#include "SettingsStore.h"

#include <cstring>

using namespace settings_store;
namespace names = settings_names;

namespace {

std::vector<uint8_t> mainBytes(const MainSettings& s) {
    std::vector<uint8_t> b(MainSettings::kSize);
    s.encode(b.data());
    return b;
}

MainSettings custom() {
    MainSettings s = MainSettings::defaults();
    s.tab_width = 8;
    s.font_points = 20;
    s.default_html_type = 28114;
    s.colours[0] = 0x00112233;
    return s;
}

bool sameRecord(const MainSettings& a, const MainSettings& b) { return mainBytes(a) == mainBytes(b); }

}  // namespace

using MainValue = RegistryTest;

TEST_F(MainValue, FreshUserGetsDefaultsAndTheWrittenDefaultsReadBack) {
    MainSettings s = custom();
    EXPECT_FALSE(loadMainSettings(&s));
    EXPECT_TRUE(sameRecord(s, MainSettings::defaults()));
    EXPECT_FALSE(keyExists());  // reading never creates the key
    ASSERT_TRUE(saveMainSettings(s));
    std::vector<uint8_t> raw;
    DWORD type = 0;
    ASSERT_TRUE(getRaw(names::kMain, &raw, &type));
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(raw, mainBytes(MainSettings::defaults()));
    MainSettings back = custom();
    EXPECT_TRUE(loadMainSettings(&back));
    EXPECT_TRUE(sameRecord(back, MainSettings::defaults()));
}

TEST_F(MainValue, CustomRecordRoundTripsAndWritesReplaceTheWholeValue) {
    putRaw(names::kMain, std::vector<uint8_t>(300, 0xEE));
    ASSERT_TRUE(saveMainSettings(custom()));
    std::vector<uint8_t> raw;
    ASSERT_TRUE(getRaw(names::kMain, &raw));
    EXPECT_EQ(raw.size(), 164u);
    MainSettings back;
    ASSERT_TRUE(loadMainSettings(&back));
    EXPECT_TRUE(sameRecord(back, custom()));
}

TEST_F(MainValue, BadStoredValuesYieldTheCompleteDefaultRecord) {
    std::vector<uint8_t> good = mainBytes(custom());
    std::vector<uint8_t> longer = good, shorter = good, v8 = good, tab3 = good, noNul = good;
    longer.push_back(0);
    shorter.pop_back();
    v8[0] = 8;
    tab3[36] = 3;
    std::memset(noNul.data() + 52, 'F', 32);
    for (const std::vector<uint8_t>* bad : {&longer, &shorter, &v8, &tab3, &noNul}) {
        putRaw(names::kMain, *bad);
        MainSettings s = custom();
        EXPECT_FALSE(loadMainSettings(&s)) << bad->size();
        EXPECT_TRUE(sameRecord(s, MainSettings::defaults()));
    }
    putRaw(names::kMain, good, REG_SZ);  // right size, wrong type
    MainSettings s = custom();
    EXPECT_FALSE(loadMainSettings(&s));
    EXPECT_TRUE(sameRecord(s, MainSettings::defaults()));
    putRaw(names::kMain, REG_DWORD, "\x09\0\0\0", 4);
    EXPECT_FALSE(loadMainSettings(&s));
    putRaw(names::kMain, good);
    EXPECT_TRUE(loadMainSettings(&s));
}

using WindowValue = RegistryTest;

TEST_F(WindowValue, RectangleRoundTripsAndBadValuesAreIgnored) {
    WindowInformation r{5, 5, 5, 5};
    EXPECT_FALSE(loadWindowInformation(&r));
    EXPECT_EQ(r.left, 5);
    ASSERT_TRUE(saveWindowInformation({-20, 10, 800, 600}));
    ASSERT_TRUE(loadWindowInformation(&r));
    EXPECT_EQ(r.left, -20);
    EXPECT_EQ(r.bottom, 600);
    putRaw(names::kWindowInformation, std::vector<uint8_t>(15, 1));
    EXPECT_FALSE(loadWindowInformation(&r));
    putRaw(names::kWindowInformation, std::vector<uint8_t>(16, 0));  // empty rectangle
    EXPECT_FALSE(loadWindowInformation(&r));
    EXPECT_EQ(r.left, -20);
}

using KeyBindValue = RegistryTest;

TEST_F(KeyBindValue, ListRoundTripsWithCountAndRecords) {
    const std::vector<KeyBinding> list = {{'K', 1, 21000, 0}, {37, 6, 29006, 0}};
    ASSERT_TRUE(saveKeyBindings(list));
    std::vector<uint8_t> count, records;
    ASSERT_TRUE(getRaw(names::kKeyBindSize, &count));
    ASSERT_TRUE(getRaw(names::kKeyBind, &records));
    EXPECT_EQ(count, (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(records.size(), 32u);
    std::vector<KeyBinding> back;
    EXPECT_TRUE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    EXPECT_EQ(back, list);
}

TEST_F(KeyBindValue, EmptyStoredTableMeansNoBindings) {
    ASSERT_TRUE(saveKeyBindings({}));
    std::vector<KeyBinding> back = {{'A', 1, 1, 0}};
    EXPECT_TRUE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    EXPECT_TRUE(back.empty());
}

TEST_F(KeyBindValue, MissingOrInconsistentValuesGiveTheProgramsDefaults) {
    const auto editor = key_bindings::defaults(key_bindings::DefaultTable::Editor);
    const auto conf = key_bindings::defaults(key_bindings::DefaultTable::SettingsProgram);
    std::vector<KeyBinding> back;
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    EXPECT_EQ(back, editor);
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::SettingsProgram));
    EXPECT_EQ(back, conf);

    ASSERT_TRUE(saveKeyBindings({{'K', 1, 21000, 0}, {'L', 1, 21001, 0}}));
    putRaw(names::kKeyBindSize, {3, 0, 0, 0});  // count says 3, records hold 2
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    EXPECT_EQ(back, editor);
    putRaw(names::kKeyBindSize, {1, 0, 0, 0});  // records longer than the count
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    putRaw(names::kKeyBindSize, {2, 0, 0});  // count of 3 bytes
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    putRaw(names::kKeyBindSize, {0xFF, 0xFF, 0xFF, 0xFF});  // would need 64 GiB
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    putRaw(names::kKeyBindSize, {2, 0, 0, 0}, REG_DWORD);
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    EXPECT_EQ(back, editor);
    putRaw(names::kKeyBindSize, {2, 0, 0, 0});
    EXPECT_TRUE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    // A record out of range spoils the whole table.
    std::vector<uint8_t> records = key_bindings::encode({{'K', 1, 21000, 0}, {'L', 9, 21001, 0}});
    putRaw(names::kKeyBind, records);
    EXPECT_FALSE(loadKeyBindings(&back, key_bindings::DefaultTable::Editor));
    EXPECT_EQ(back, editor);
}

using BrowserValue = RegistryTest;

TEST_F(BrowserValue, RecordRoundTripsAndBadValuesGiveAnEmptyRecord) {
    BrowserList list = BrowserList::empty();
    list.setPath(BrowserList::kFirefox, "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    ASSERT_TRUE(saveBrowserList(list));
    std::vector<uint8_t> raw;
    ASSERT_TRUE(getRaw(names::kBrowser, &raw));
    ASSERT_EQ(raw.size(), 2588u);
    BrowserList back = BrowserList::empty();
    ASSERT_TRUE(loadBrowserList(&back));
    EXPECT_STREQ(back.paths[3], list.paths[3]);

    std::vector<uint8_t> v2 = raw, shorter = raw, noNul = raw;
    v2[0] = 2;
    shorter.pop_back();
    std::memset(noNul.data() + 8 + 4 * 516, 'o', 516);
    for (const std::vector<uint8_t>* bad : {&v2, &shorter, &noNul}) {
        putRaw(names::kBrowser, *bad);
        back = list;
        EXPECT_FALSE(loadBrowserList(&back));
        const BrowserList empty = BrowserList::empty();
        EXPECT_EQ(std::memcmp(&back, &empty, sizeof back), 0);
    }
    putRaw(names::kBrowser, raw, REG_SZ);
    EXPECT_FALSE(loadBrowserList(&back));
}

using PhraseValue = RegistryTest;

TEST_F(PhraseValue, AllTenRoundTripUnderTheirOwnNames) {
    for (unsigned d = 0; d < 10; ++d) {
        ASSERT_TRUE(savePhrase(d, "phrase \x95\x5C " + std::to_string(d + 1)));
    }
    std::vector<uint8_t> raw;
    ASSERT_TRUE(getRaw("template9", &raw));
    EXPECT_EQ(std::string(raw.begin(), raw.end()), std::string("phrase \x95\x5C 10\0", 13));
    for (unsigned d = 0; d < 10; ++d) {
        std::string text;
        EXPECT_TRUE(loadPhrase(d, &text));
        EXPECT_EQ(text, "phrase \x95\x5C " + std::to_string(d + 1));
        EXPECT_TRUE(isPhraseDefined(d));
    }
    EXPECT_FALSE(savePhrase(10, "x"));
}

TEST_F(PhraseValue, PhrasesAreReadRawWhateverWroteThem) {
    std::string text = "x";
    EXPECT_FALSE(loadPhrase(3, &text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(isPhraseDefined(3));
    // Only the NUL: present, but not defined.
    ASSERT_TRUE(savePhrase(3, ""));
    std::vector<uint8_t> raw;
    ASSERT_TRUE(getRaw("template3", &raw));
    EXPECT_EQ(raw.size(), 1u);
    EXPECT_TRUE(loadPhrase(3, &text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(isPhraseDefined(3));
    // No NUL: the text ends where the value ends, never past it.
    putRaw("template3", {'a', 'b', 0x82});
    EXPECT_TRUE(loadPhrase(3, &text));
    EXPECT_EQ(text, "ab\x82");
    EXPECT_TRUE(isPhraseDefined(3));
    // Written as text by another program; bytes after the first NUL are not part of it.
    putRaw("template3", REG_SZ, "abc\0def", 8);
    EXPECT_TRUE(loadPhrase(3, &text));
    EXPECT_EQ(text, "abc");
    EXPECT_TRUE(isPhraseDefined(3));
    // Longer than the phrase editor writes: still read.
    std::vector<uint8_t> big(65538, 'a');
    big.back() = 0;
    putRaw("template3", big);
    EXPECT_TRUE(loadPhrase(3, &text));
    EXPECT_EQ(text.size(), 65537u);
    EXPECT_TRUE(savePhrase(3, std::string(65536, 'b')));
    EXPECT_FALSE(savePhrase(3, std::string(65537, 'c')));
    EXPECT_TRUE(loadPhrase(3, &text));  // the refused text did not replace the stored one
    EXPECT_EQ(text, std::string(65536, 'b'));
}

TEST_F(PhraseValue, InstallerWritesTheFirstPhraseOnlyWhenItIsNotDefined) {
    ASSERT_TRUE(ensureInstallFirstPhrase());
    std::string text;
    ASSERT_TRUE(loadPhrase(0, &text));
    EXPECT_EQ(text, "<p>$selected_text$</p>");
    ASSERT_TRUE(savePhrase(0, "mine"));
    ASSERT_TRUE(ensureInstallFirstPhrase());
    ASSERT_TRUE(loadPhrase(0, &text));
    EXPECT_EQ(text, "mine");
    ASSERT_TRUE(savePhrase(0, ""));
    ASSERT_TRUE(ensureInstallFirstPhrase());
    ASSERT_TRUE(loadPhrase(0, &text));
    EXPECT_EQ(text, "<p>$selected_text$</p>");
}

TEST(SystemBrowserProbe, SeesFilesButNotFoldersOrMissingPaths) {
    char folder[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof folder, folder), 0u);
    const std::string file = std::string(folder) + "ulo_settings_probe.exe";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    const BrowserInstallProbe probe = systemBrowserInstallProbe();
    EXPECT_TRUE(probe.fileExists(file));
    EXPECT_FALSE(probe.fileExists(folder));
    DeleteFileA(file.c_str());
    EXPECT_FALSE(probe.fileExists(file));
}

TEST(SystemBrowserProbe, SystemBrowserPathIsTheAppPathsString) {
    HKEY key = nullptr;
    const bool present =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", 0,
                      KEY_READ, &key) == ERROR_SUCCESS;
    char expected[1024] = {};
    DWORD size = sizeof expected - 1, type = 0;
    const bool isString =
        present && RegQueryValueExA(key, nullptr, nullptr, &type,
                                    reinterpret_cast<BYTE*>(expected), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    if (key) RegCloseKey(key);
    std::string got;
    EXPECT_EQ(systemBrowserInstallProbe().systemBrowserPath(&got), isString);
    if (isString) {
        EXPECT_EQ(got, expected);
    }
}

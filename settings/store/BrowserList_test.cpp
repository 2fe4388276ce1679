// Tests of the "browser" record codec and the installer's preparation of the record.
#include "BrowserList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

namespace {

std::vector<uint8_t> bytesOf(const BrowserList& list) {
    std::vector<uint8_t> b(BrowserList::kSize);
    list.encode(b.data());
    return b;
}

}  // namespace

TEST(BrowserList, EmptyRecordLayout) {
    const std::vector<uint8_t> b = bytesOf(BrowserList::empty());
    EXPECT_EQ(b[0], 3);
    for (size_t i = 1; i < b.size(); ++i) ASSERT_EQ(b[i], 0) << i;
    EXPECT_STREQ(BrowserList::kSlotNames[1], "Netscape (no use)");
    EXPECT_STREQ(BrowserList::kSlotNames[3], "Mozilla FireFox");
}

TEST(BrowserList, PathsRoundTripInTheirSlots) {
    BrowserList list = BrowserList::empty();
    ASSERT_TRUE(list.setPath(BrowserList::kChrome, "C:\\\x95\x5C\\chrome.exe"));  // 表
    ASSERT_TRUE(list.setPath(BrowserList::kOpera, std::string(515, 'o')));
    EXPECT_FALSE(list.setPath(BrowserList::kOpera, std::string(516, 'p')));
    EXPECT_FALSE(list.setPath(5, "x"));
    const std::vector<uint8_t> b = bytesOf(list);
    EXPECT_EQ(std::memcmp(b.data() + 8 + 2 * 516, "C:\\\x95\x5C\\chrome.exe", 14), 0);
    BrowserList back = BrowserList::empty();
    ASSERT_TRUE(BrowserList::decode(b.data(), b.size(), &back));
    EXPECT_STREQ(back.paths[2], "C:\\\x95\x5C\\chrome.exe");
    EXPECT_EQ(std::string(back.paths[4]), std::string(515, 'o'));
    EXPECT_FALSE(back.isRegistered(0));
    EXPECT_TRUE(back.isRegistered(2));
}

TEST(BrowserList, WrongSizeVersionOrUnterminatedSlotIsRefused) {
    BrowserList marker = BrowserList::empty();
    marker.setPath(0, "marker");
    std::vector<uint8_t> b = bytesOf(BrowserList::empty());
    BrowserList out = marker;
    EXPECT_FALSE(BrowserList::decode(b.data(), b.size() - 1, &out));
    b.push_back(0);
    EXPECT_FALSE(BrowserList::decode(b.data(), b.size(), &out));
    b.pop_back();
    b[0] = 2;
    EXPECT_FALSE(BrowserList::decode(b.data(), b.size(), &out));
    b[0] = 3;
    std::memset(b.data() + 8 + 3 * 516, 'f', 516);  // slot 3 fills its 516 bytes
    EXPECT_FALSE(BrowserList::decode(b.data(), b.size(), &out));
    EXPECT_STREQ(out.paths[0], "marker");
}

namespace {

struct FakeMachine {
    std::string systemBrowser;
    bool hasSystemBrowser = false;
    std::set<std::string> files;
    BrowserInstallProbe probe() {
        return {[this](std::string* p) {
                    if (hasSystemBrowser) *p = systemBrowser;
                    return hasSystemBrowser;
                },
                [this](const std::string& p) { return files.count(p) != 0; }};
    }
};

}  // namespace

TEST(BrowserInstall, FillsEmptySlotsFromTheMachine) {
    FakeMachine m;
    m.hasSystemBrowser = true;
    m.systemBrowser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    m.files = {"C:\\Program Files\\Mozilla Firefox\\firefox.exe",
               "C:\\Program Files\\Opera\\Opera.exe"};
    BrowserList list = BrowserList::empty();
    prepareBrowserListForInstall(&list, m.probe());
    EXPECT_EQ(std::string(list.paths[0]), m.systemBrowser);
    EXPECT_STREQ(list.paths[3], "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    EXPECT_STREQ(list.paths[4], "C:\\Program Files\\Opera\\Opera.exe");
    EXPECT_STREQ(list.paths[2], "");
}

TEST(BrowserInstall, KeepsRegisteredSlotsAndRefusesLongSystemPaths) {
    FakeMachine m;
    m.hasSystemBrowser = true;
    m.systemBrowser = std::string(511, 'i');
    m.files = {"C:\\Program Files\\Opera\\Opera.exe"};
    BrowserList list = BrowserList::empty();
    list.setPath(4, "D:\\opera\\opera.exe");
    prepareBrowserListForInstall(&list, m.probe());
    EXPECT_STREQ(list.paths[0], "");
    EXPECT_STREQ(list.paths[4], "D:\\opera\\opera.exe");
    m.systemBrowser = std::string(510, 'i');
    prepareBrowserListForInstall(&list, m.probe());
    EXPECT_EQ(std::string(list.paths[0]), m.systemBrowser);
}

TEST(BrowserInstall, OldMozillaIsDroppedButNotAKanjiEndingInItsTrailByte) {
    FakeMachine m;
    BrowserList list = BrowserList::empty();
    list.setPath(3, "C:\\Program Files\\Mozilla\\MOZILLA.EXE");
    prepareBrowserListForInstall(&list, m.probe());
    EXPECT_STREQ(list.paths[3], "");
    m.files = {"C:\\Program Files\\Mozilla Firefox\\firefox.exe"};
    list.setPath(3, "C:\\Program Files\\Mozilla\\mozilla.exe");
    prepareBrowserListForInstall(&list, m.probe());
    EXPECT_STREQ(list.paths[3], "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    // 表 (95 5C) followed by "mozilla.exe": the backslash-like byte is a trail byte.
    list.setPath(3, "C:\\\x95\x5Cmozilla.exe");
    prepareBrowserListForInstall(&list, m.probe());
    EXPECT_STREQ(list.paths[3], "C:\\\x95\x5Cmozilla.exe");
}

// Tests of "file_history" in the real registry: the update rules, bad stored values and the
// semaphore that serialises the read-modify-writes.
#include <atomic>
#include <thread>

#include "RegistryTestFixture_win32.h"
#include "SemaphoreGuard.h"
#include "SettingsStore.h"

using namespace settings_store;
namespace names = settings_names;

namespace {

std::string path(int n) { return "C:\\\x95\x5C\\file" + std::to_string(n) + ".txt"; }

std::vector<std::string> stored() {
    FileHistory h;
    readFileHistory(&h);
    return h.entries();
}

}  // namespace

using HistoryValue = RegistryTest;

TEST_F(HistoryValue, CloseAddsInFrontOpenTakesOutClearWritesSizeZero) {
    EXPECT_TRUE(stored().empty());
    for (int i = 0; i < 11; ++i) ASSERT_TRUE(addToFileHistory(path(i)));
    std::vector<std::string> list = stored();
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), path(10));
    EXPECT_EQ(list.back(), path(1));

    ASSERT_TRUE(addToFileHistory("c:\\\x95\x5C\\FILE4.TXT"));
    list = stored();
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list.front(), "c:\\\x95\x5C\\FILE4.TXT");
    EXPECT_EQ(list.back(), path(1));

    ASSERT_TRUE(removeFromFileHistory(path(7)));
    list = stored();
    EXPECT_EQ(list.size(), 9u);
    for (const std::string& e : list) EXPECT_FALSE(FileHistory::samePath(e, path(7)));

    ASSERT_TRUE(clearFileHistory());
    std::vector<uint8_t> raw = {1};
    DWORD type = 0;
    ASSERT_TRUE(getRaw(names::kFileHistory, &raw, &type));
    EXPECT_TRUE(raw.empty());
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_TRUE(stored().empty());
}

TEST_F(HistoryValue, StoredBytesAreTheConcatenatedPaths) {
    ASSERT_TRUE(addToFileHistory("C:\\a.txt"));
    ASSERT_TRUE(addToFileHistory("D:\\b.html"));
    std::vector<uint8_t> raw;
    ASSERT_TRUE(getRaw(names::kFileHistory, &raw));
    EXPECT_EQ(std::string(raw.begin(), raw.end()), std::string("D:\\b.html\0C:\\a.txt\0", 19));
}

TEST_F(HistoryValue, MalformedStoredHistoriesReadAsEmptyAndAreReplacedOnUpdate) {
    const std::string truncated("C:\\a.txt\0C:\\b", 13);
    putRaw(names::kFileHistory, std::vector<uint8_t>(truncated.begin(), truncated.end()));
    FileHistory h;
    EXPECT_FALSE(readFileHistory(&h));
    EXPECT_TRUE(h.empty());
    ASSERT_TRUE(addToFileHistory("C:\\c.txt"));
    EXPECT_EQ(stored(), std::vector<std::string>{"C:\\c.txt"});

    putRaw(names::kFileHistory, REG_SZ, "C:\\a.txt", 9);
    EXPECT_FALSE(readFileHistory(&h));
    std::vector<uint8_t> huge(FileHistory::kMaxValueSize + 1, 'x');
    huge.back() = 0;
    putRaw(names::kFileHistory, huge);
    EXPECT_FALSE(readFileHistory(&h));
    EXPECT_TRUE(h.empty());
    ASSERT_TRUE(removeFromFileHistory("C:\\c.txt"));
    std::vector<uint8_t> raw;
    ASSERT_TRUE(getRaw(names::kFileHistory, &raw));
    EXPECT_TRUE(raw.empty());
}

TEST_F(HistoryValue, UpdatesWaitWhileAnotherHolderHasTheSemaphore) {
    std::atomic<bool> done{false};
    std::thread writer;
    {
        SemaphoreGuard lock(names::kFileHistorySemaphore);
        ASSERT_TRUE(lock.held());
        writer = std::thread([&] {
            addToFileHistory("C:\\late.txt");
            done = true;
        });
        Sleep(300);
        EXPECT_FALSE(done.load());
        EXPECT_TRUE(stored().empty());
    }
    writer.join();
    EXPECT_TRUE(done.load());
    EXPECT_EQ(stored(), std::vector<std::string>{"C:\\late.txt"});
}

TEST_F(HistoryValue, ConcurrentUpdatesLoseNoEntry) {
    auto adder = [](int first) {
        for (int i = first; i < first + 5; ++i) addToFileHistory(path(i));
    };
    std::thread a(adder, 0), b(adder, 5);
    a.join();
    b.join();
    std::vector<std::string> list = stored();
    EXPECT_EQ(list.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        int found = 0;
        for (const std::string& e : list) found += e == path(i);
        EXPECT_EQ(found, 1) << path(i);
    }
}

// LibraryOnDemand: loading by name, symbols, unloading, and the not-found box with a retry.
#include "LibraryOnDemand.h"

#include <gtest/gtest.h>

#include <thread>

#include "TestDriver.h"

namespace {

TEST(LibraryOnDemand, LoadsOnFirstUseFindsSymbolsAndUnloads) {
    LibraryOnDemand library("kernel32.dll");
    EXPECT_FALSE(library.loaded());
    EXPECT_EQ(library.symbol("GetTickCount"), nullptr);
    ASSERT_TRUE(library.load());
    EXPECT_NE(library.symbol("GetTickCount"), nullptr);
    EXPECT_EQ(library.symbol("NoSuchExportHere"), nullptr);
    auto tick = library.function<DWORD(WINAPI*)()>("GetTickCount");
    ASSERT_NE(tick, nullptr);
    EXPECT_GT(tick(), 0u);
    library.unload();
    EXPECT_FALSE(library.loaded());
    EXPECT_EQ(library.symbol("GetTickCount"), nullptr);
}

TEST(LibraryOnDemand, AMissingLibraryIsReportedByNameAndTriedAgain) {
    LibraryOnDemand library("ulo_no_such_library.dll");
    EXPECT_FALSE(library.load());
    std::string seen;
    std::thread answerer([&] {
        seen = ulo_e2e::answerDialog(GetCurrentProcessId(), "Test caption", IDOK, 10000);
    });
    EXPECT_FALSE(library.loadOrReport(nullptr, "Test caption"));
    answerer.join();
    // "ulo_no_such_library.dll が見つかりません。"
    EXPECT_EQ(seen, "ulo_no_such_library.dll " + ulo_e2e::sjis(L"\x304c\x898b\x3064\x304b\x308a\x307e\x305b\x3093\x3002"));
    EXPECT_FALSE(library.loaded());
}

}  // namespace

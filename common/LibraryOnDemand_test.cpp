// LibraryOnDemand: loading by name, symbols, unloading, and the not-found box with a retry.
#include "LibraryOnDemand.h"

#include <gtest/gtest.h>

#include <thread>

#include "TestDriver.h"

namespace {

using SampleFn = int(WINAPI*)();

TEST(LibraryOnDemand, LoadsOnFirstUseFindsSymbolsAndUnloads) {
    LibraryOnDemand library("ulo_library_sample.dll");
    EXPECT_FALSE(library.loaded());
    EXPECT_EQ(library.symbol("SampleAnswer"), nullptr);
    ASSERT_TRUE(library.load());
    EXPECT_EQ(library.symbol("NoSuchExportHere"), nullptr);
    auto answer = library.function<SampleFn>("SampleAnswer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    library.unload();
    EXPECT_FALSE(library.loaded());
    EXPECT_EQ(library.symbol("SampleAnswer"), nullptr);
}

TEST(LibraryOnDemand, ABareNameIsTakenFromTheProgramsFolderOnly) {
    // A library of that name in the current folder (a document's folder, say) is not loaded.
    const std::string folder = ulo_e2e::workFolder("ulo_library_decoy");
    const std::string decoy = folder + "ulo_decoy_sample.dll";
    ASSERT_TRUE(CopyFileA(ulo_e2e::pathBeside("ulo_library_sample.dll").c_str(), decoy.c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    LibraryOnDemand bare("ulo_decoy_sample.dll");
    const bool loadedFromCurrentFolder = bare.load();
    SetCurrentDirectoryA(previous);
    EXPECT_FALSE(loadedFromCurrentFolder);
    // A full path is loaded as it is.
    LibraryOnDemand full(decoy.c_str());
    EXPECT_TRUE(full.load());
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

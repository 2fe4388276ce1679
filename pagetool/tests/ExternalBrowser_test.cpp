// The launcher against fakebrowser.exe: the exact DDE items per slot, Opera brought to the front
// by its window, slot 6 refused without DDE, the quoted fallback start when no browser answers,
// and the foreground lock time-out back as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "PagetoolExports.h"

namespace {

template <class Fn>
Fn entry(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::string besideTest(const char* name) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.rfind('\\') + 1) + name;
}

std::string readFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits for a condition, letting this thread's messages through; false after the time-out.
template <class Condition>
bool waitFor(Condition done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    return true;
}

DWORD foregroundLockTimeout() {
    DWORD value = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}
void setForegroundLockTimeout(DWORD value) {
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(value)), 0);
}

class ExternalBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA("pagetool.dll");
        ASSERT_NE(library_, nullptr);
        launch_ = entry<pagetool_exports::ExternalBrowserFn>(library_, pagetool_exports::kExternalBrowser);
        ASSERT_NE(launch_, nullptr);
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "pagetool_launch_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        log_ = folder_ + "dde.log";
        DeleteFileA(log_.c_str());
        savedTimeout_ = foregroundLockTimeout();
    }
    void TearDown() override {
        stopServer();
        setForegroundLockTimeout(savedTimeout_);
        if (library_) FreeLibrary(library_);
    }

    // Starts fakebrowser.exe as the DDE server of `service`; waits for its window.
    void startServer(const char* service, bool operaWindow) {
        std::string line = "\"" + besideTest("fakebrowser.exe") + "\" --serve " + service + " \"" + log_ + "\"" +
                           (operaWindow ? " --opwindow" : "");
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
        CloseHandle(info.hThread);
        server_ = info.hProcess;
        const char* windowClass = operaWindow ? "OpWindow" : "FakeBrowserWindow";
        ASSERT_TRUE(waitFor([&] { return (serverWindow_ = FindWindowA(windowClass, service)) != nullptr; }, 15000));
    }
    void stopServer() {
        if (!server_) return;
        if (serverWindow_) PostMessageA(serverWindow_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(server_, 10000) != WAIT_OBJECT_0) TerminateProcess(server_, 1);
        CloseHandle(server_);
        server_ = nullptr;
        serverWindow_ = nullptr;
    }

    HMODULE library_ = nullptr;
    pagetool_exports::ExternalBrowserFn launch_ = nullptr;
    std::string folder_, log_;
    HANDLE server_ = nullptr;
    HWND serverWindow_ = nullptr;
    DWORD savedTimeout_ = 0;
};

const char kPath[] = "C:\\web\\\x95\x5c\\~index.1.html";  // C:\web\表\~index.1.html

TEST_F(ExternalBrowserTest, InternetExplorerGetsActivateAndOpenUrl) {
    startServer("IExplore", false);
    setForegroundLockTimeout(12345);
    EXPECT_TRUE(launch_(0, "C:\\unused.exe", kPath));
    EXPECT_EQ(foregroundLockTimeout(), 12345u);
    EXPECT_EQ(readFile(log_), std::string("connect WWW_Activate\n"
                                          "request WWW_Activate 4294967295,0\n"
                                          "connect WWW_OpenURL\n"
                                          "request WWW_OpenURL \"file://") +
                                  kPath + "\",,4294967295,3,,,\n");
}

TEST_F(ExternalBrowserTest, FireFoxGetsShiftJisEscapes) {
    startServer("FireFox", false);
    EXPECT_TRUE(launch_(3, "C:\\unused.exe", kPath));
    EXPECT_EQ(readFile(log_), "connect WWW_Activate\n"
                              "request WWW_Activate 4294967295,0\n"
                              "connect WWW_OpenURL\n"
                              "request WWW_OpenURL \"file://C:/web/%95%5C/~index.1.html\",,4294967295,3,,,\n");
}

TEST_F(ExternalBrowserTest, OperaComesToTheFrontByItsWindow) {
    startServer("Opera", true);
    setForegroundLockTimeout(7000);
    EXPECT_TRUE(launch_(4, "C:\\unused.exe", kPath));
    EXPECT_EQ(foregroundLockTimeout(), 7000u);
    EXPECT_EQ(GetForegroundWindow(), serverWindow_);
    EXPECT_EQ(readFile(log_), "connect WWW_OpenURL\n"
                              "request WWW_OpenURL \"file://C:/web/%E8%A1%A8/~index.1.html\",,4294967295,3,,,\n");
}

TEST_F(ExternalBrowserTest, SlotSixIsRefusedWithoutDde) {
    startServer("IExplore", false);
    for (UINT slot : {6u, 7u, 0xFFFFFFFFu}) EXPECT_FALSE(launch_(slot, besideTest("fakebrowser.exe").c_str(), kPath));
    EXPECT_EQ(readFile(log_), "");
}

TEST_F(ExternalBrowserTest, NoServerStartsTheQuotedProgram) {
    // The browser lives in a folder with a blank; beside that folder a decoy "Program.exe" would
    // run if the path went unquoted.
    const std::string programFolder = folder_ + "Program Files\\";
    CreateDirectoryA(programFolder.c_str(), nullptr);
    const std::string browser = programFolder + "fakebrowser.exe";
    const std::string decoy = folder_ + "Program.exe";
    ASSERT_TRUE(CopyFileA(besideTest("fakebrowser.exe").c_str(), browser.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(besideTest("fakebrowser.exe").c_str(), decoy.c_str(), FALSE));
    setForegroundLockTimeout(4321);
    EXPECT_TRUE(launch_(3, browser.c_str(), kPath));
    EXPECT_EQ(foregroundLockTimeout(), 4321u);
    ASSERT_TRUE(waitFor([&] { return readFile(browser + ".log").find('\n') != std::string::npos; }, 15000));
    EXPECT_EQ(readFile(browser + ".log"), "\"" + browser + "\" \"file://C:/web/%95%5C/~index.1.html\"\n");
    EXPECT_FALSE(exists(decoy + ".log"));
    // A program that cannot be started is a failure.
    EXPECT_FALSE(launch_(3, (folder_ + "missing.exe").c_str(), kPath));
}

}  // namespace

// HV_ExternalBrowser: shows a file in an external browser through its DDE interface, or starts the
// browser with the file's URL when no conversation comes about.
#include <windows.h>
#include <ddeml.h>

#include <string>
#include <vector>

#include "BrowserSlots.h"
#include "PagetoolExports.h"

namespace {

HDDEDATA CALLBACK ignoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

const DWORD kRequestTimeoutMs = 100000;

// One DDE client instance and the string handles made with it, freed in reverse order.
class DdeClient {
public:
    DdeClient() {
        if (DdeInitializeA(&instance_, ignoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) instance_ = 0;
    }
    ~DdeClient() {
        for (HSZ s : strings_) DdeFreeStringHandle(instance_, s);
        if (instance_) DdeUninitialize(instance_);
    }
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;

    bool ok() const { return instance_ != 0; }
    HSZ string(const std::string& text) {
        HSZ s = DdeCreateStringHandleA(instance_, text.c_str(), CP_WINANSI);
        if (s) strings_.push_back(s);
        return s;
    }
    HCONV connect(HSZ service, const char* topic) {
        HSZ t = string(topic);
        return t ? DdeConnect(instance_, service, t, nullptr) : nullptr;
    }
    // Sends a text request for `item`; the answer is freed unread. False when the item could
    // not be made (out of memory).
    bool request(HCONV conversation, const std::string& item) {
        HSZ i = string(item);
        if (!i) return false;
        HDDEDATA answer = DdeClientTransaction(nullptr, 0, conversation, i, CF_TEXT, XTYP_REQUEST, kRequestTimeoutMs,
                                               nullptr);
        if (answer) DdeFreeDataHandle(answer);
        return true;
    }

private:
    DWORD instance_ = 0;
    std::vector<HSZ> strings_;
};

// Lets the browser bring its window to the front while it lives: the foreground lock time-out is
// 0 meanwhile and its old value comes back whatever happens.
class ForegroundLockOff {
public:
    ForegroundLockOff() {
        saved_ = SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout_, 0) != FALSE;
        if (saved_) SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    }
    ~ForegroundLockOff() {
        if (saved_)
            SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout_)),
                                  0);
    }
    ForegroundLockOff(const ForegroundLockOff&) = delete;
    ForegroundLockOff& operator=(const ForegroundLockOff&) = delete;

private:
    DWORD timeout_ = 0;
    bool saved_ = false;
};

// Brings a running browser to the front: Opera by its window, the others by asking them.
void activateBrowser(DdeClient& dde, UINT slot, HSZ service) {
    if (slot == pagetool::kOperaSlot) {
        if (HWND opera = FindWindowA("OpWindow", nullptr)) SetForegroundWindow(opera);
        return;
    }
    if (HCONV conversation = dde.connect(service, "WWW_Activate")) {
        dde.request(conversation, pagetool::kActivateItem);
        DdeDisconnect(conversation);
    }
}

bool startBrowser(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

extern "C" BOOL WINAPI HV_ExternalBrowser(UINT slot, const char* browserPath, const char* filePath) {
    const char* serviceName = pagetool::ddeServiceName(slot);
    if (!serviceName || !filePath) return FALSE;
    DdeClient dde;
    if (!dde.ok()) return FALSE;
    HSZ service = dde.string(serviceName);
    if (!service) return FALSE;
    {
        ForegroundLockOff lockOff;
        activateBrowser(dde, slot, service);
    }
    HCONV conversation = dde.connect(service, "WWW_OpenURL");
    if (!conversation) {
        if (!browserPath || !*browserPath) return FALSE;
        return startBrowser(pagetool::browserCommandLine(browserPath, slot, filePath));
    }
    const bool sent = dde.request(conversation, pagetool::openUrlItem(slot, filePath));
    DdeDisconnect(conversation);
    return sent;
}

// fakebrowser.exe: a stand-in external browser for the launcher's tests.
//   fakebrowser.exe --serve SERVICE LOG [--opwindow]
//     answers DDE conversations on topics "WWW_Activate" and "WWW_OpenURL" for SERVICE and appends
//     "connect TOPIC" and "request TOPIC ITEM" lines to LOG; shows a window titled SERVICE (of class
//     "OpWindow" with --opwindow) that the test finds and closes. Ends by itself after a minute.
//   fakebrowser.exe ANYTHING ELSE
//     writes its own command line into the file named as itself plus ".log", and ends.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

DWORD gInstance = 0;
std::string gLog;

void logLine(const std::string& line) {
    if (FILE* f = std::fopen(gLog.c_str(), "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::string text(HSZ handle) {
    char buffer[2048] = "";
    DdeQueryStringA(gInstance, handle, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

bool knownTopic(const std::string& topic) { return topic == "WWW_Activate" || topic == "WWW_OpenURL"; }

HDDEDATA CALLBACK serve(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    switch (type) {
        case XTYP_CONNECT:
            if (!knownTopic(text(topic))) return nullptr;
            logLine("connect " + text(topic));
            return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_REQUEST: {
            logLine("request " + text(topic) + " " + text(item));
            if (format != CF_TEXT) return nullptr;
            static const char kAnswer[] = "1";
            return DdeCreateDataHandle(gInstance, reinterpret_cast<LPBYTE>(const_cast<char*>(kAnswer)), sizeof kAnswer,
                                       0, item, CF_TEXT, 0);
        }
    }
    return nullptr;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

int runServer(const char* service, const char* log, bool operaWindow) {
    gLog = log;
    if (DdeInitializeA(&gInstance, serve, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0) !=
        DMLERR_NO_ERROR)
        return 2;
    HSZ name = DdeCreateStringHandleA(gInstance, service, CP_WINANSI);
    if (!DdeNameService(gInstance, name, nullptr, DNS_REGISTER)) return 3;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = operaWindow ? "OpWindow" : "FakeBrowserWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, service, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    SetTimer(window, 1, 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DdeNameService(gInstance, name, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(gInstance, name);
    DdeUninitialize(gInstance);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--serve") == 0)
        return runServer(argv[2], argv[3], argc >= 5 && std::strcmp(argv[4], "--opwindow") == 0);
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    gLog = std::string(self) + ".log";
    logLine(GetCommandLineA());
    return 0;
}

// Stands in for a companion program in the tests: writes the command line it was given to
// "recorded.txt" beside itself and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    file.erase(file.find_last_of('\\') + 1);
    file += "recorded.txt";
    const char* line = GetCommandLineA();
    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(out, line, lstrlenA(line), &written, nullptr);
    CloseHandle(out);
    return 0;
}

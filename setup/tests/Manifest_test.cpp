// setup.exe and uninstall.exe ask for administrator rights and common controls 6 in their
// manifests (Wine ignores UAC, so the resource itself is read).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestDriver.h"

namespace {

std::string manifestOf(const std::string& program) {
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return "";
    std::string text;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    if (resource != nullptr) {
        HGLOBAL loaded = LoadResource(module, resource);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        if (bytes != nullptr) text.assign(bytes, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return text;
}

}  // namespace

TEST(InstallerManifest, AdministratorAndCommonControls6) {
    for (const char* program : {"setup.exe", "uninstall.exe"}) {
        const std::string manifest = manifestOf(ulo_e2e::pathBeside(program));
        EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos) << program;
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
            << program;
    }
}

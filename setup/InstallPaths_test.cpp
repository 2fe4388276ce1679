// Tests of the installer's path rules.
#include "InstallPaths.h"

#include <gtest/gtest.h>

using namespace install_paths;

TEST(InstallPaths, FolderPageCheck) {
    EXPECT_TRUE(isAcceptableFolder("C:\\"));
    EXPECT_TRUE(isAcceptableFolder("d:\\x"));
    EXPECT_FALSE(isAcceptableFolder("C:"));
    EXPECT_FALSE(isAcceptableFolder("\\Program Files"));
    EXPECT_FALSE(isAcceptableFolder("1:\\x"));
    EXPECT_FALSE(isAcceptableFolder("C:x\\"));
}

TEST(InstallPaths, ChosenFolder) {
    EXPECT_EQ(folderUnderChoice("C:\\"), "C:\\Quorvale Ulo");
    EXPECT_EQ(folderUnderChoice("C:\\Tools"), "C:\\Tools\\Quorvale Ulo");
    EXPECT_EQ(folderUnderChoice("C:\\\x95\\"), "C:\\\x95\\\\Quorvale Ulo");  // 表 is not a separator
    EXPECT_EQ(defaultFolder("C:\\Program Files", ""), "C:\\Program Files\\Quorvale Ulo\\");
    EXPECT_EQ(defaultFolder("", "D:\\WINDOWS"), "D:\\Program Files\\Quorvale Ulo\\");
}

TEST(InstallPaths, UninstallStringBothForms) {
    const std::string folder = "C:\\Program Files\\\x8d\xec\x8b\xc6\x95\\\\";
    const std::string quoted = uninstallString(folder);
    EXPECT_EQ(quoted, "\"" + folder + "uninstall.exe\"");
    EXPECT_EQ(folderFromUninstallString(quoted), folder);
    EXPECT_EQ(folderFromUninstallString(folder + "uninstall.exe"), folder);
    EXPECT_EQ(folderFromUninstallString("C:\\Old\\uninstall.exe?x\\y"), "C:\\Old\\");
    EXPECT_EQ(folderFromUninstallString("\"C:\\unclosed"), "");
    EXPECT_EQ(folderFromUninstallString("uninstall.exe"), "");
}

TEST(InstallPaths, CommandTextAndSameFolder) {
    EXPECT_EQ(commandText("C:\\A B\\"), "\"C:\\A B\\Ulo.exe\" \"%1\"");
    EXPECT_TRUE(isSameFolder("C:\\Setup\\", "c:\\setup"));
    EXPECT_FALSE(isSameFolder("C:\\Setup\\", "C:\\Setup\\Quorvale Ulo\\"));
}

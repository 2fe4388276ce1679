// Tests of the install log: writing, the reading rules and the replay plan's limits.
#include "InstallLog.h"

#include <gtest/gtest.h>

using namespace install_log;

namespace {

const std::string kFolder = "C:\\Program Files\\Quorvale Ulo\\";
// "C:\作業表\" : 表 is 95 5C, its trail byte looks like a backslash.
const std::string kSjisFolder = "C:\\\x8d\xec\x8b\xc6\x95\\\\";

std::vector<Step> plan(const std::string& bytes, const std::string& folder = kFolder, bool keep = false) {
    ReplayOptions options;
    options.keepSettings = keep;
    return planReplay(bytes, folder, options);
}

}  // namespace

TEST(InstallLogWrite, RecordsAndTheirRefusals) {
    std::string line;
    ASSERT_TRUE(folderRecord("C:\\a", &line));
    EXPECT_EQ(line, "DDC:\\a\n");
    ASSERT_TRUE(keyRecord(Root::ClassesRoot, "QuorvaleUloFile", &line));
    EXPECT_EQ(line, "RDHKEY_CLASSES_ROOT\\QuorvaleUloFile\n");
    ASSERT_TRUE(valueRecord(Root::ClassesRoot, ".txt", "txtfile", &line));
    EXPECT_EQ(line, "RUHKEY_CLASSES_ROOT\\.txt|txtfile\n");
    // A line the reader would refuse is never written.
    EXPECT_FALSE(fileRecord("C:\\a\nFDC:\\b", &line));
    EXPECT_FALSE(valueRecord(Root::ClassesRoot, ".css", std::string("a\0b", 3), &line));
    EXPECT_TRUE(fileRecord(std::string(kMaxLineBytes - 3, 'x'), &line));
    EXPECT_FALSE(fileRecord(std::string(kMaxLineBytes - 2, 'x'), &line));
}

TEST(InstallLogRead, LineEndsEmptyLinesAndRefusals) {
    EXPECT_TRUE(readLines("").empty());
    const std::string bytes = "FDa\r\n\n\r\nFDb\nFD" + std::string(400, 'c') + "\nFDd" + std::string(1, '\0') +
                              "e\nFD\x83\x7c\nFDf";
    const std::vector<Line> got = readLines(bytes);
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[0].text, "FDa");
    EXPECT_FALSE(got[0].refused);
    EXPECT_EQ(got[1].text, "FDb");
    EXPECT_TRUE(got[2].refused);   // overlong: refused whole, not cut into a shorter path
    EXPECT_TRUE(got[3].refused);   // NUL inside
    EXPECT_FALSE(got[4].refused);  // ポ's trail byte is "|": a character, not a control
    EXPECT_TRUE(got[5].refused);   // no LF: possibly a cut write
    // The limit counts the line end: 317 bytes + CR LF fits, one more does not.
    EXPECT_FALSE(readLines(std::string(317, 'x') + "\r\n")[0].refused);
    EXPECT_TRUE(readLines(std::string(318, 'x') + "\r\n")[0].refused);
    EXPECT_FALSE(readLines(std::string(318, 'x') + "\n")[0].refused);
}

TEST(InstallLogPlan, ReverseOrderOfAnInstallation) {
    const std::string log =
        "DDC:\\Program Files\\Quorvale Ulo\n"
        "FDC:\\Program Files\\Quorvale Ulo\\install_log\n"
        "DDC:\\Program Files\\Quorvale Ulo\\dtd\n"
        "FDC:\\Program Files\\Quorvale Ulo\\dtd\\html5.map\n"
        "FDC:\\Program Files\\Quorvale Ulo\\keyword\\cpp.kwd\n"
        "FDC:\\Program Files\\Quorvale Ulo\\Ulo.exe\n"
        "DDC:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Quorvale Ulo\n"
        "FDC:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Quorvale Ulo\\Quorvale Ulo.lnk\n"
        "RDHKEY_CLASSES_ROOT\\QuorvaleUloFile\n"
        "RDHKEY_CLASSES_ROOT\\htmlfile\\shell\\EditWithUlo\n"
        "RDHKEY_CLASSES_ROOT\\htmlfile\\shell\\EditWithUlo\\command\n"
        "RUHKEY_CLASSES_ROOT\\.css|CSSfile\n"
        "RDHKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorvaleUlo\n"
        "RDHKEY_CURRENT_USER\\Software\\Tovrik\\QuorvaleUlo\n";
    const std::vector<Step> steps = plan(log);
    ASSERT_EQ(steps.size(), 14u);
    for (const Step& step : steps) EXPECT_NE(step.action, Action::Undefined) << step.shown;
    EXPECT_EQ(steps[0].action, Action::DeleteKey);  // the settings go first
    EXPECT_EQ(steps[0].root, Root::CurrentUser);
    EXPECT_EQ(steps[0].key, "Software\\Tovrik\\QuorvaleUlo");
    EXPECT_EQ(steps[2].action, Action::RestoreDefault);
    EXPECT_EQ(steps[2].key, ".css");
    EXPECT_EQ(steps[2].value, "CSSfile");
    EXPECT_EQ(steps[3].key, "htmlfile\\shell\\EditWithUlo\\command");
    EXPECT_EQ(steps[13].action, Action::RemoveFolder);
    EXPECT_EQ(steps[13].path, "C:\\Program Files\\Quorvale Ulo");
    EXPECT_EQ(steps[12].path, "C:\\Program Files\\Quorvale Ulo\\install_log");
}

TEST(InstallLogPlan, UpdateKeepsTheSettingsKeyAndQuietensKeyFailures) {
    const std::string log = "RDHKEY_CLASSES_ROOT\\QuorvaleUloFile\nRDHKEY_CURRENT_USER\\software\\tovrik\\QUORVALEULO\n";
    std::vector<Step> steps = plan(log, kFolder, true);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].key, "QuorvaleUloFile");
    EXPECT_FALSE(steps[0].reportFailure);
    steps = plan(log);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_TRUE(steps[0].reportFailure);
}

TEST(InstallLogPlan, UnknownKindsRootsAndRefusedLinesAreUndefined) {
    const std::vector<Step> steps = plan(
        "XXwhatever\n"
        "RDhkey_classes_root\\QuorvaleUloFile\n"
        "RDHKEY_USERS\\.DEFAULT\n"
        "FDC:\\Program Files\\Quorvale Ulo\\" + std::string(400, 'a') + "\n"
        "R\n");
    ASSERT_EQ(steps.size(), 5u);
    for (const Step& step : steps) EXPECT_EQ(step.action, Action::Undefined);
    EXPECT_EQ(steps[0].shown, "R");
    EXPECT_EQ(steps[1].shown.size(), kMaxLineBytes + 3);  // shown cut, never acted on
    EXPECT_EQ(steps[2].shown, "HKEY_USERS\\.DEFAULT");
    EXPECT_EQ(steps[3].shown, "hkey_classes_root\\QuorvaleUloFile");
    EXPECT_EQ(steps[4].shown, "XXwhatever");
}

TEST(InstallLogPlan, OnlyWhatAnInstallationMakes) {
    const char* outside[] = {
        "FDC:\\Windows\\System32\\kernel32.dll",
        "FDC:\\Program Files\\Quorvale Ulo\\..\\Other\\Ulo.exe",
        "FDC:\\Program Files\\Quorvale Ulo\\user.txt",
        "FDC:\\Program Files\\Quorvale Ulo\\html5.map",          // a map outside dtd\.
        "FDC:\\Program Files\\Quorvale Ulo\\Ulo.exe.",           // the same file to Windows: refused
        "FDC:\\Program Files\\Quorvale Ulo\\Ulo.exe:stream",
        "FDrelative\\Ulo.exe",
        "DDC:\\Windows",
        "DDC:\\Program Files",
        "RDHKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft",
        "RDHKEY_CLASSES_ROOT\\.txt",
        "RDHKEY_CLASSES_ROOT\\shell\\EditWithUlo\\x",
        "RUHKEY_CLASSES_ROOT\\exefile\\shell\\open\\command|evil.exe",
        "RUHKEY_CLASSES_ROOT\\.css",                             // no "|"
    };
    for (const char* line : outside) {
        const std::vector<Step> steps = plan(std::string(line) + "\n");
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].action, Action::Undefined) << line;
    }
    const char* inside[] = {
        "FDC:/Program Files//Quorvale Ulo/./dtd/../Ulo.exe",
        "FDc:\\program files\\quorvale ulo\\ULO.EXE",
        "FDC:\\Users\\u\\Desktop\\Quorvale Ulo.lnk",
        "DDD:\\Elsewhere\\Quorvale Ulo",
        "RDHKEY_CLASSES_ROOT\\Applications\\ulo.exe\\shell\\edit\\command",
        "RDHKEY_CLASSES_ROOT\\.htm\\OpenWithList\\ulo.exe",
        "RDHKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name",
    };
    for (const char* line : inside) {
        const std::vector<Step> steps = plan(std::string(line) + "\n");
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_NE(steps[0].action, Action::Undefined) << line;
    }
}

TEST(InstallLogPlan, ShiftJisFoldersAndTypes) {
    // The folder ends in 表 (95 5C): its files are payload, a neighbour folder is not.
    std::vector<Step> steps = plan("FD" + kSjisFolder + "Ulo.exe\nDD" + kSjisFolder.substr(0, kSjisFolder.size() - 1) + "\n",
                                   kSjisFolder);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].action, Action::RemoveFolder);
    EXPECT_EQ(steps[1].action, Action::DeleteFile);
    // ア (83 41) and ヂ (83 61) differ although "A" and "a" are one letter.
    steps = plan("FDC:\\\x83\x61\\Ulo.exe\n", "C:\\\x83\x41\\");
    EXPECT_EQ(steps[0].action, Action::Undefined);
    // A type holding ポ (83 7C): the line splits at the first "|", the previous type keeps its ポ.
    steps = plan("RUHKEY_CLASSES_ROOT\\.txt|\x83|\x83" "e\x83L\x83X\x83g\n");
    ASSERT_EQ(steps[0].action, Action::RestoreDefault);
    EXPECT_EQ(steps[0].value, "\x83|\x83" "e\x83L\x83X\x83g");
    // The verb key under a type named 表: its trail byte 5C is no separator, so "表shell\..."
    // is not a verb key at all.
    steps = plan("RDHKEY_CLASSES_ROOT\\\x95\\\\shell\\EditWithUlo\n");
    EXPECT_EQ(steps[0].action, Action::DeleteKey);
    steps = plan("RDHKEY_CLASSES_ROOT\\\x95\\shell\\EditWithUlo\n");
    EXPECT_EQ(steps[0].action, Action::Undefined);
}

TEST(InstallLogPlan, RestoreOnlyWhatIsStillOurs) {
    std::vector<Step> steps = plan("RUHKEY_CLASSES_ROOT\\.txt|txtfile\n");
    EXPECT_TRUE(stillOurs(steps[0], "QuorvaleUloFile"));
    EXPECT_TRUE(stillOurs(steps[0], "quorvaleulofile"));
    EXPECT_FALSE(stillOurs(steps[0], "OtherEditor.txt"));
    steps = plan("RUHKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\View Source Editor\\Editor Name|"
                 "C:\\Tools\\viewer.exe\n");
    ASSERT_EQ(steps[0].action, Action::RestoreDefault);
    EXPECT_EQ(steps[0].value, "C:\\Tools\\viewer.exe");
    EXPECT_TRUE(stillOurs(steps[0], kFolder + "Ulo.exe"));
    EXPECT_FALSE(stillOurs(steps[0], "C:\\Other\\Ulo.exe"));
}

// End to end: the real setup.exe and uninstall.exe in a fresh Wine prefix of their own (made by
// run-installer-test.sh, which also copies the payload to C:\payload\). The tests form one chain
// and run in order: an install without the usual file types and its removal through the system's
// uninstall entry, then an install beside an existing source viewer, the shell opening files in
// the installed editor, refusals while an editor runs, an update, a failure half-way, and the
// uninstall, compared with a snapshot taken before the install.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>

#include "InstallLog.h"
#include "InstallPaths.h"
#include "InstallTexts.h"
#include "InstallerDriver.h"
#include "Payload.h"
#include "SetupResource.h"
#include "TestDriver.h"
#include "UloNames.h"
#include "UninstallResource.h"

using namespace installer_e2e;
namespace text = install_text;

namespace {

const std::string kPayload = "C:\\payload\\";
const std::string kFolder = "C:\\Program Files\\Quorvale Ulo\\";
const std::string kViewerKey = install_log::kSourceViewerNameKey;
const std::string kOtherViewer = "C:\\Tools\\viewer.exe";

// The copy-list names the payload folder holds, in copy order, with their installed paths.
std::vector<std::pair<std::string, std::string>> packaged(const std::string& source = kPayload) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const payload::File& file : payload::copyList()) {
        if (GetFileAttributesA((source + file.name).c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        out.push_back({file.name, kFolder + payload::subfolderPrefix(file.folder) + file.name});
    }
    return out;
}

struct ProgramRun {
    ulo_e2e::Program program;
    HWND dialog = nullptr;
    std::vector<std::string> messages;
    std::string result;
    DWORD exitCode = 0;
};

// Answers each message box while `done` is false: questions through `decide` (default Yes), the
// others with OK. Boxes of any process count (the uninstaller's copy is not started here).
void answerUntil(DWORD pid, const char* caption, const std::function<bool()>& done, ProgramRun* run,
                 const std::function<int(const std::string&)>& decide) {
    const DWORD end = GetTickCount() + 120000;
    while (!done() && static_cast<int>(end - GetTickCount()) > 0) {
        HWND box = waitMessageBox(pid, caption, 200);
        if (box == nullptr) continue;
        const std::string message = ulo_e2e::messageText(box);
        run->messages.push_back(message);
        const bool question = GetDlgItem(box, IDYES) != nullptr;
        answerBox(pid, caption, question ? (decide ? decide(message) : IDYES) : IDOK);
    }
}

// setup.exe from `source`, its wizard on the folder page.
ProgramRun startWizard(const std::string& source) {
    ProgramRun run;
    run.program = ulo_e2e::startProgram(source + "setup.exe", "", nullptr);
    run.dialog = waitMainDialog(run.program.pid, text::kSetupCaption);
    return run;
}

void typeFolder(HWND wizard, const std::string& folder) {
    SendMessageA(GetDlgItem(wizard, IDC_SETUP_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
}

// From the folder page through the options and confirmation pages to the end page, answering the
// questions; leaves the wizard open on the end page.
void finishWizard(ProgramRun* run, bool desktop, const std::function<int(const std::string&)>& decide) {
    HWND dialog = run->dialog;
    click(dialog, IDC_SETUP_NEXT);
    EXPECT_EQ(controlText(dialog, IDC_SETUP_PROMPT), text::kOptionsPrompt);
    if (desktop) SendMessageA(GetDlgItem(dialog, IDC_SETUP_DESKTOP), BM_SETCHECK, BST_CHECKED, 0);
    click(dialog, IDC_SETUP_NEXT);
    EXPECT_EQ(controlText(dialog, IDC_SETUP_PROMPT), text::kConfirmPrompt);
    click(dialog, IDC_SETUP_NEXT);
    auto ended = [dialog] {
        const std::string prompt = controlText(dialog, IDC_SETUP_PROMPT);
        return prompt == text::kInstallDone || prompt == text::kInstallFailed;
    };
    answerUntil(run->program.pid, text::kSetupCaption, ended, run, decide);
    run->result = controlText(dialog, IDC_SETUP_PROMPT);
}

ProgramRun install(const std::string& source, bool desktop = false,
                   const std::function<int(const std::string&)>& decide = nullptr) {
    ProgramRun run = startWizard(source);
    if (run.dialog != nullptr) finishWizard(&run, desktop, decide);
    return run;
}

void closeWizard(ProgramRun* run) {
    EXPECT_EQ(controlText(run->dialog, IDC_SETUP_NEXT), text::kCloseWizard);
    click(run->dialog, IDC_SETUP_NEXT);
    run->exitCode = ulo_e2e::waitExit(run->program);
}

// The uninstaller's copy: its dialog (any process), "アンインストール", every box answered, "閉じる".
ProgramRun uninstallThroughCopy() {
    ProgramRun run;
    run.dialog = waitMainDialog(0, text::kUninstallCaption);
    if (run.dialog == nullptr) return run;
    EXPECT_EQ(controlText(run.dialog, IDC_UNINSTALL_MESSAGE), text::kUninstallPrompt);
    const DWORD pid = ulo_e2e::processOf(run.dialog);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    click(run.dialog, IDOK);
    HWND dialog = run.dialog;
    auto ended = [dialog] {
        const std::string message = controlText(dialog, IDC_UNINSTALL_MESSAGE);
        return message == text::kUninstallDone || message == text::kUninstallFailed;
    };
    answerUntil(pid, text::kUninstallCaption, ended, &run, nullptr);
    run.result = controlText(dialog, IDC_UNINSTALL_MESSAGE);
    EXPECT_EQ(controlText(dialog, IDOK), text::kUninstallClose);
    click(dialog, IDOK);
    if (process != nullptr) {
        EXPECT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
        CloseHandle(process);
    }
    return run;
}

std::string fill(const char* pattern, const std::string& argument) {
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, pattern, argument.c_str());
    return buffer;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string logLines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

std::string startMenu() { return specialFolder(CSIDL_COMMON_PROGRAMS) + "\\Quorvale Ulo"; }

// The whole log of a fresh install with the file types seeded, the send-to and desktop links and
// the source viewer of another program. Folders that existed before are not in it.
std::string expectedLog(bool top = true, bool dtd = true, bool keyword = true) {
    std::string log = (top ? "DD" + kFolder.substr(0, kFolder.size() - 1) + "\n" : "") + "FD" + kFolder + "install_log\n" +
                      (dtd ? "DD" + kFolder + "dtd\n" : "") + (keyword ? "DD" + kFolder + "keyword\n" : "");
    for (const auto& file : packaged()) log += "FD" + file.second + "\n";
    const std::string type = "RDHKEY_CLASSES_ROOT\\QuorvaleUloFile";
    const std::string app = "RDHKEY_CLASSES_ROOT\\Applications\\ulo.exe";
    log += logLines({
        "RDHKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorvaleUlo",
        "DD" + startMenu(), "FD" + startMenu() + "\\Quorvale Ulo.lnk",
        "FD" + startMenu() + "\\" + payload::kReadMeShortcutName,
        "RDHKEY_CLASSES_ROOT\\.htm\\OpenWithList\\ulo.exe", app, app + "\\shell", app + "\\shell\\edit",
        app + "\\shell\\edit\\command", type, type + "\\shell", type + "\\shell\\open", type + "\\shell\\open\\command",
        type + "\\DefaultIcon", "FD" + specialFolder(CSIDL_SENDTO) + "\\Quorvale Ulo.lnk",
        "RUHKEY_CLASSES_ROOT\\.css|CSSfile", "RUHKEY_CLASSES_ROOT\\.txt|txtfile",
        "FD" + specialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Quorvale Ulo.lnk",
        "RUHKEY_LOCAL_MACHINE\\" + kViewerKey + "|" + kOtherViewer,
        "RDHKEY_CLASSES_ROOT\\htmlfile\\shell\\EditWithUlo", "RDHKEY_CLASSES_ROOT\\htmlfile\\shell\\EditWithUlo\\command",
        type + "\\shell\\EditWithUlo", type + "\\shell\\EditWithUlo\\command",
        "RDHKEY_CURRENT_USER\\Software\\Tovrik\\QuorvaleUlo"});
    return log;
}

// What an installation may leave changed: the registry it writes and the folders it fills.
std::vector<std::string> snapshot() {
    std::vector<std::string> all;
    for (const char* key : {".txt", ".css", ".htm", ".html", "txtfile", "CSSfile", "htmlfile", "QuorvaleUloFile",
                            "Applications"}) {
        const auto values = registryValues(HKEY_LOCAL_MACHINE, "HKLM", std::string("Software\\Classes\\") + key);
        all.insert(all.end(), values.begin(), values.end());
    }
    for (const char* key : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                            "Software\\Microsoft\\Internet Explorer"}) {
        const auto values = registryValues(HKEY_LOCAL_MACHINE, "HKLM", key);
        all.insert(all.end(), values.begin(), values.end());
    }
    const auto settings = registryValues(HKEY_CURRENT_USER, "HKCU", "Software\\Tovrik");
    all.insert(all.end(), settings.begin(), settings.end());
    for (const std::string& folder : {std::string("C:\\Program Files\\"), specialFolder(CSIDL_COMMON_PROGRAMS) + "\\",
                                      specialFolder(CSIDL_SENDTO) + "\\", specialFolder(CSIDL_DESKTOPDIRECTORY) + "\\"}) {
        const auto files = folderFiles(folder);
        all.insert(all.end(), files.begin(), files.end());
    }
    std::sort(all.begin(), all.end());
    return all;
}

std::vector<std::string>& beforeInstall() {
    static std::vector<std::string> values;
    return values;
}

HWND waitEditorWith(const std::string& name) {
    const DWORD end = GetTickCount() + 30000;
    do {
        for (HWND w : ulo_e2e::windowsOfClass(ulo_names::kMainWindowClass)) {
            if (IsWindowVisible(w) && ulo_e2e::windowTitle(w).find(name) != std::string::npos) return w;
        }
        ulo_e2e::pause(100);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    return nullptr;
}

void closeEditor(HWND editor) {
    const DWORD pid = ulo_e2e::processOf(editor);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(editor, WM_CLOSE, 0, 0);
    if (process != nullptr) {
        WaitForSingleObject(process, 15000);
        CloseHandle(process);
    }
}

class Installer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    void TearDown() override { ulo_e2e::endStartedProcesses(); }
};

}  // namespace

TEST_F(Installer, A_WithoutFileTypesIntoAShiftJisFolderThenTheEntryRemovesIt) {
    ASSERT_TRUE(exists(kPayload + "setup.exe"));
    // "C:\作業表\Quorvale Ulo": 表 ends in 5C, and the folder above it does not exist yet.
    const std::string folder = "C:\\\x8d\xec\x8b\xc6\x95\\\\Quorvale Ulo\\";
    ProgramRun run = startWizard(kPayload);
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(controlText(run.dialog, IDC_SETUP_PROMPT), text::kFolderPrompt);
    EXPECT_EQ(controlText(run.dialog, IDC_SETUP_FOLDER), kFolder);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(run.dialog, IDC_SETUP_BACK)));
    // The folder browser starts above the proposed folder; its choice gets "\\Quorvale Ulo".
    typeFolder(run.dialog, "C:\\windows\\Quorvale Ulo\\");
    ulo_e2e::press(run.dialog, IDC_SETUP_CHANGE);
    HWND browser = ulo_e2e::waitWindow(run.program.pid, [&](HWND w) {
        return w != run.dialog && ulo_e2e::className(w) == "#32770" && ulo_e2e::messageText(w) == text::kBrowseTitle;
    });
    ASSERT_NE(browser, nullptr);
    ulo_e2e::pause(500);
    ulo_e2e::press(browser, IDOK);
    EXPECT_TRUE(waitControlText(run.dialog, IDC_SETUP_FOLDER, "C:\\windows\\Quorvale Ulo", 10000))
        << controlText(run.dialog, IDC_SETUP_FOLDER);
    typeFolder(run.dialog, "C:");
    click(run.dialog, IDC_SETUP_NEXT);
    EXPECT_EQ(answerBox(run.program.pid, text::kSetupCaption, IDOK), text::kBadFolder);
    typeFolder(run.dialog, "C:\\payload");  // setup's own folder
    click(run.dialog, IDC_SETUP_NEXT);
    EXPECT_EQ(answerBox(run.program.pid, text::kSetupCaption, IDOK), text::kOwnFolder);
    EXPECT_EQ(controlText(run.dialog, IDC_SETUP_PROMPT), text::kFolderPrompt);
    typeFolder(run.dialog, folder.substr(0, folder.size() - 1));
    finishWizard(&run, false, nullptr);
    EXPECT_EQ(run.result, text::kInstallDone);
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(),
                         fill(text::kFolderMissing, folder.substr(0, folder.size() - 1))), 1);
    // .css and .txt have no type to replace; .html, .htm and .css none to add the verb to.
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(), text::kAssociationFailed), 2);
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(), text::kContextMenuFailed), 3);
    EXPECT_EQ(run.messages.size(), 6u);
    closeWizard(&run);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(exists(folder + "Ulo.exe"));

    // The system's list of installed programs runs the quoted "UninstallString".
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, install_log::kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[512] = {};
    DWORD size = sizeof value;
    RegQueryValueExA(key, "UninstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    EXPECT_EQ(std::string(value), "\"" + folder + "uninstall.exe\"");
    EXPECT_EQ(size, std::string(value).size() + 1);
    // The list names the entry by its key and display name.
    const std::string listFile = "C:\\uninstall-list.txt";
    ulo_e2e::Program lister = ulo_e2e::startProgram(
        "C:\\windows\\system32\\cmd.exe", "/c C:\\windows\\system32\\uninstaller.exe --list > " + listFile, nullptr);
    EXPECT_EQ(ulo_e2e::waitExit(lister), 0u);
    EXPECT_NE(ulo_e2e::readFile(listFile).find("QuorvaleUlo|||Quorvale Ulo"), std::string::npos)
        << ulo_e2e::readFile(listFile);
    ulo_e2e::Program remover = ulo_e2e::startProgram("C:\\windows\\system32\\uninstaller.exe", "--remove QuorvaleUlo", nullptr);
    ProgramRun removal = uninstallThroughCopy();
    EXPECT_EQ(removal.result, text::kUninstallDone);
    EXPECT_TRUE(removal.messages.empty()) << removal.messages[0];
    ulo_e2e::waitExit(remover);
    EXPECT_FALSE(exists(folder));
    EXPECT_FALSE(exists(startMenu()));
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, install_log::kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(Installer, B_InstallsFilesRegistryShortcutsAndTheLog) {
    // Windows' own types, and a source viewer set by another program.
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, ".txt", "txtfile"));
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, "txtfile", "Text Document"));
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, ".css", "CSSfile"));
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, "CSSfile", "Cascading Style Sheet Document"));
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, ".htm", "htmlfile"));
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, ".html", "htmlfile"));
    ASSERT_TRUE(writeDefault(HKEY_CLASSES_ROOT, "htmlfile", "HTML Document"));
    ASSERT_TRUE(writeDefault(HKEY_LOCAL_MACHINE, kViewerKey, kOtherViewer));
    beforeInstall() = snapshot();

    ProgramRun run = install(kPayload, true);
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(run.result, text::kInstallDone);
    EXPECT_TRUE(run.messages.empty()) << run.messages[0];
    closeWizard(&run);

    for (const auto& file : packaged()) {
        EXPECT_EQ(ulo_e2e::readFile(file.second), ulo_e2e::readFile(kPayload + file.first)) << file.second;
    }
    EXPECT_EQ(ulo_e2e::readFile(kFolder + "install_log"), expectedLog());

    const std::string command = "\"" + kFolder + "Ulo.exe\" \"%1\"";
    std::string value;
    DWORD size = 0;
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, "QuorvaleUloFile\\shell\\open\\command", &value, &size));
    EXPECT_EQ(value, command);
    EXPECT_EQ(size, command.size() + 1);  // stored with its NUL
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, "Applications\\ulo.exe\\shell\\edit\\command", &value));
    EXPECT_EQ(value, command);
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, "htmlfile\\shell\\EditWithUlo", &value));
    EXPECT_EQ(value, text::kEditVerbName);
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, "QuorvaleUloFile", &value));
    EXPECT_EQ(value, text::kFileTypeName);
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, "QuorvaleUloFile\\DefaultIcon", &value));
    EXPECT_EQ(value, kFolder + "document.ico");
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, ".txt", &value));
    EXPECT_EQ(value, "QuorvaleUloFile");
    ASSERT_TRUE(readDefault(HKEY_LOCAL_MACHINE, kViewerKey, &value));
    EXPECT_EQ(value, kFolder + "Ulo.exe");

    std::string target;
    int show = 0;
    ASSERT_TRUE(readShortcut(startMenu() + "\\Quorvale Ulo.lnk", &target, &show));
    EXPECT_TRUE(install_paths::isSameFolder(target, kFolder + "Ulo.exe")) << target;
    EXPECT_EQ(show, SW_SHOWNORMAL);
    ASSERT_TRUE(readShortcut(startMenu() + "\\" + payload::kReadMeShortcutName, &target, &show));
    EXPECT_TRUE(install_paths::isSameFolder(target, kFolder + "ulo.txt")) << target;
    ASSERT_TRUE(readShortcut(specialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Quorvale Ulo.lnk", &target, &show));
    EXPECT_TRUE(install_paths::isSameFolder(target, kFolder + "Ulo.exe")) << target;

    // Phrase 1 and the browser record.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tovrik\\QuorvaleUlo", 0, KEY_READ, &key), ERROR_SUCCESS);
    char phrase[64] = {};
    size = sizeof phrase;
    EXPECT_EQ(RegQueryValueExA(key, "template0", nullptr, nullptr, reinterpret_cast<BYTE*>(phrase), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(phrase), "<p>$selected_text$</p>");
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "browser", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2588u);
    RegCloseKey(key);
}

TEST_F(Installer, C_TheShellOpensFilesInTheInstalledEditor) {
    if (!exists(kFolder + "Ulo.exe")) GTEST_SKIP() << "no editor in this payload";
    // "C:\文書 表\": a blank and a trail byte 5C in the folder.
    const std::string folder = "C:\\\x95\xb6\x8f\x91 \x95\\\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    ulo_e2e::writeFile(folder + "memo.txt", "memo\r\n");
    ulo_e2e::writeFile(folder + "page.html", "<p>page</p>\r\n");
    ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", (folder + "memo.txt").c_str(), nullptr, nullptr,
                                                      SW_SHOWNORMAL)), 32);
    HWND editor = waitEditorWith("memo.txt");
    ASSERT_NE(editor, nullptr);
    closeEditor(editor);
    ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "EditWithUlo", (folder + "page.html").c_str(), nullptr,
                                                      nullptr, SW_SHOWNORMAL)), 32);
    editor = waitEditorWith("page.html");
    ASSERT_NE(editor, nullptr);
    closeEditor(editor);
}

TEST_F(Installer, D_RefusedWhileAnEditorRuns) {
    if (!exists(kFolder + "Ulo.exe")) GTEST_SKIP() << "no editor in this payload";
    ulo_e2e::Program editor = ulo_e2e::startProgram(kFolder + "Ulo.exe", "", ulo_names::kMainWindowClass);
    ASSERT_NE(editor.window, nullptr);
    ulo_e2e::Program setup = ulo_e2e::startProgram(kPayload + "setup.exe", "", nullptr);
    EXPECT_EQ(answerBox(setup.pid, text::kSetupCaption, IDOK), text::kSetupEditorRunning);
    EXPECT_EQ(ulo_e2e::waitExit(setup), static_cast<DWORD>(-1));
    ulo_e2e::Program remover = ulo_e2e::startProgram(kFolder + "uninstall.exe", "", nullptr);
    EXPECT_EQ(answerBox(remover.pid, text::kUninstallCaption, IDOK), text::kUninstallEditorRunning);
    EXPECT_EQ(ulo_e2e::waitExit(remover), static_cast<DWORD>(-1));
    closeEditor(editor.window);

    // An editor started while the wizard is open stops it at the confirmation page.
    setup = ulo_e2e::startProgram(kPayload + "setup.exe", "", nullptr);
    HWND wizard = waitMainDialog(setup.pid, text::kSetupCaption);
    ASSERT_NE(wizard, nullptr);
    click(wizard, IDC_SETUP_NEXT);
    click(wizard, IDC_SETUP_NEXT);
    EXPECT_EQ(controlText(wizard, IDC_SETUP_PROMPT), text::kConfirmPrompt);
    editor = ulo_e2e::startProgram(kFolder + "Ulo.exe", "", ulo_names::kMainWindowClass);
    ASSERT_NE(editor.window, nullptr);
    click(wizard, IDC_SETUP_NEXT);
    EXPECT_EQ(answerBox(setup.pid, text::kSetupCaption, IDOK), text::kSetupEditorRunning);
    EXPECT_EQ(controlText(wizard, IDC_SETUP_PROMPT), text::kConfirmPrompt);
    closeEditor(editor.window);
    click(wizard, IDCANCEL);
    EXPECT_EQ(ulo_e2e::waitExit(setup), 1u);
}

TEST_F(Installer, E_UpdateKeepsSettingsAndLeavesADeclinedFileOutOfTheLog) {
    // A user's phrase, and a keyword file the previous log does not list (its overwrite is declined).
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tovrik\\QuorvaleUlo", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, "template3", 0, REG_BINARY, reinterpret_cast<const BYTE*>("mine"), 5);
    RegCloseKey(key);
    const auto settings = registryValues(HKEY_CURRENT_USER, "HKCU", "Software\\Tovrik\\QuorvaleUlo");
    const std::string declined = kFolder + "keyword\\java.kwd";
    std::string log = ulo_e2e::readFile(kFolder + "install_log");
    const std::string declinedLine = "FD" + declined + "\n";
    ASSERT_NE(log.find(declinedLine), std::string::npos);
    log.erase(log.find(declinedLine), declinedLine.size());
    ulo_e2e::writeFile(kFolder + "install_log", log);
    // A newer payload: one file changed.
    const std::string newer = "C:\\payload2\\";
    CreateDirectoryA(newer.c_str(), nullptr);
    for (const auto& file : packaged()) CopyFileA((kPayload + file.first).c_str(), (newer + file.first).c_str(), FALSE);
    CopyFileA((kPayload + "setup.exe").c_str(), (newer + "setup.exe").c_str(), FALSE);
    // The release notes when the payload has them, else a keyword file.
    const std::string changed = exists(kPayload + "ulo.txt") ? "ulo.txt" : "cpp.kwd";
    const std::string changedTarget = changed == "ulo.txt" ? kFolder + "ulo.txt" : kFolder + "keyword\\cpp.kwd";
    ulo_e2e::writeFile(newer + changed, ulo_e2e::readFile(kPayload + changed) + "changed\r\n");

    bool wizardAnsweredDuringQuestion = false;
    auto decide = [&](const std::string& message) {
        if (message.find("java.kwd") == std::string::npos) return IDYES;
        // While the question is shown the wizard ignores closing and still answers.
        HWND wizard = waitMainDialog(0, text::kSetupCaption, 1000);
        PostMessageA(wizard, WM_CLOSE, 0, 0);
        DWORD_PTR result = 0;
        wizardAnsweredDuringQuestion =
            wizard != nullptr && SendMessageTimeoutA(wizard, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0 &&
            IsWindow(wizard);
        return IDNO;
    };
    ProgramRun run = install(newer, true, decide);
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(run.result, text::kInstallDone);
    EXPECT_TRUE(wizardAnsweredDuringQuestion);
    closeWizard(&run);
    EXPECT_EQ(ulo_e2e::readFile(changedTarget), ulo_e2e::readFile(newer + changed));
    EXPECT_TRUE(exists(declined));
    EXPECT_EQ(ulo_e2e::readFile(kFolder + "install_log").find(declinedLine), std::string::npos);
    EXPECT_EQ(registryValues(HKEY_CURRENT_USER, "HKCU", "Software\\Tovrik\\QuorvaleUlo"), settings);
    // The previous installation's files went first: the update asked for its folder only.
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(),
                         fill(text::kFolderExists, kFolder.substr(0, kFolder.size() - 1))), 1);
}

TEST_F(Installer, F_AFailureHalfWayLeavesAConsistentLogAndSetupCompletesAgain) {
    // The program file held open without sharing: it can be neither deleted nor replaced.
    const std::string locked = kFolder + "uninstall.exe";
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    ProgramRun run = install(kPayload, true);
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(run.result, text::kInstallFailed);
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(), fill(text::kFileDeleteFailed, locked)), 1);
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(), fill(text::kCopyFailed, locked)), 1);
    EXPECT_EQ(controlText(run.dialog, IDC_SETUP_PROMPT), text::kInstallFailed);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(run.dialog, IDCANCEL)));
    closeWizard(&run);
    CloseHandle(hold);
    // Every line of the log names what exists now, and no temporary copy is left.
    const std::string log = ulo_e2e::readFile(kFolder + "install_log");
    for (const install_log::Step& step : install_log::planReplay(log, kFolder, {})) {
        EXPECT_NE(step.action, install_log::Action::Undefined) << step.shown;
        if (step.action == install_log::Action::DeleteFile || step.action == install_log::Action::RemoveFolder) {
            EXPECT_TRUE(exists(step.path)) << step.path;
        }
    }
    EXPECT_EQ(log.find(locked), std::string::npos);
    EXPECT_FALSE(exists(kFolder + "~uninstall.exe.tmp"));

    run = install(kPayload, true);
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(run.result, text::kInstallDone);
    closeWizard(&run);
    EXPECT_EQ(ulo_e2e::readFile(locked), ulo_e2e::readFile(kPayload + "uninstall.exe"));
    EXPECT_NE(ulo_e2e::readFile(kFolder + "install_log").find("FD" + kFolder + "keyword\\java.kwd\n"), std::string::npos);
}

// Sets the key's DACL: empty (nobody may open it) or none (everyone may).
bool setKeyAccess(const char* path, bool denied) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    SECURITY_DESCRIPTOR descriptor;
    ACL empty;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, denied ? &empty : nullptr, FALSE);
    const bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

TEST_F(Installer, F2_AnUninstallEntryThatCannotBeWrittenFailsTheInstallation) {
    ASSERT_TRUE(setKeyAccess(install_log::kUninstallKey, true));
    ProgramRun run = install(kPayload, true);
    ASSERT_TRUE(setKeyAccess(install_log::kUninstallKey, false));
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(run.result, text::kInstallFailed);
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(), text::kUninstallEntryFailed), 1);
    closeWizard(&run);
    // This run's lines (from its first, the log itself) end with the copied files: nothing after
    // the failed step was made or logged. The entry could not be read either, so the run found no
    // previous installation and appended to the log, which still lists what exists.
    std::string log = ulo_e2e::readFile(kFolder + "install_log");
    log = log.substr(log.rfind("FD" + kFolder + "install_log\n"));
    EXPECT_EQ(log.find("RDHKEY_LOCAL_MACHINE"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.rfind("FD")), "FD" + kFolder + "uninstall.exe\n");
    run = install(kPayload, true);
    EXPECT_EQ(run.result, text::kInstallDone);
    closeWizard(&run);
    EXPECT_EQ(ulo_e2e::readFile(kFolder + "install_log"), expectedLog(false, true, false));
}

TEST_F(Installer, G_UninstallRestoresWhatWasThereAndTouchesNothingElse) {
    // The updates found the folder there, so their logs do not list it: remove this installation
    // and what the updates left (empty folders), then install afresh so that the log lists it.
    ulo_e2e::Program first = ulo_e2e::startProgram(kFolder + "uninstall.exe", "", nullptr);
    EXPECT_EQ(ulo_e2e::waitExit(first), 1u);
    EXPECT_EQ(uninstallThroughCopy().result, text::kUninstallDone);
    RemoveDirectoryA((kFolder + "keyword").c_str());
    RemoveDirectoryA((kFolder + "dtd").c_str());
    ASSERT_TRUE(RemoveDirectoryA(kFolder.c_str()));
    ProgramRun fresh = install(kPayload, true);
    EXPECT_EQ(fresh.result, text::kInstallDone);
    closeWizard(&fresh);
    EXPECT_EQ(ulo_e2e::readFile(kFolder + "install_log"), expectedLog());

    // A user's file in the installation folder, and lines planted in the log aiming outside it.
    ulo_e2e::writeFile(kFolder + "mine.txt", "mine");
    ulo_e2e::writeFile("C:\\victim.txt", "victim");
    ASSERT_TRUE(writeDefault(HKEY_CURRENT_USER, "Software\\Victim", "victim"));
    std::string log = ulo_e2e::readFile(kFolder + "install_log");
    log += "FDC:\\victim.txt\nFD" + kFolder + "..\\..\\victim.txt\nRDHKEY_CURRENT_USER\\Software\\Victim\n";
    ulo_e2e::writeFile(kFolder + "install_log", log);

    first = ulo_e2e::startProgram(kFolder + "uninstall.exe", "", nullptr);
    EXPECT_EQ(ulo_e2e::waitExit(first), 1u);
    ProgramRun run = uninstallThroughCopy();
    EXPECT_EQ(run.result, text::kUninstallDone);
    const std::vector<std::string> expected = {
        fill(text::kUndefinedCommand, "HKEY_CURRENT_USER\\Software\\Victim"),
        fill(text::kUndefinedCommand, kFolder + "..\\..\\victim.txt"),
        fill(text::kUndefinedCommand, "C:\\victim.txt"),
        fill(text::kFolderDeleteFailed, kFolder.substr(0, kFolder.size() - 1)),
    };
    EXPECT_EQ(run.messages, expected);

    std::vector<std::string> now = snapshot();
    std::vector<std::string> before = beforeInstall();
    before.push_back(kFolder + "mine.txt 4");
    std::sort(before.begin(), before.end());
    std::vector<std::string> added, removed;
    std::set_difference(now.begin(), now.end(), before.begin(), before.end(), std::back_inserter(added));
    std::set_difference(before.begin(), before.end(), now.begin(), now.end(), std::back_inserter(removed));
    EXPECT_TRUE(added.empty()) << added[0];
    EXPECT_TRUE(removed.empty()) << removed[0];
    std::string value;
    ASSERT_TRUE(readDefault(HKEY_CLASSES_ROOT, ".txt", &value));
    EXPECT_EQ(value, "txtfile");
    ASSERT_TRUE(readDefault(HKEY_LOCAL_MACHINE, kViewerKey, &value));
    EXPECT_EQ(value, kOtherViewer);
    EXPECT_EQ(ulo_e2e::readFile("C:\\victim.txt"), "victim");
    ASSERT_TRUE(readDefault(HKEY_CURRENT_USER, "Software\\Victim", &value));

    // The copy goes when the next session starts (the test script checks that).
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    char pending[4096] = {};
    DWORD size = sizeof pending;
    EXPECT_EQ(RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(pending), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(std::string(pending, size).find("TEMP"), std::string::npos);
}

// Run alone in a prefix of its own under a file-size limit (run-installer-test.sh): a full disk.
TEST_F(Installer, H_FullDisk_ACopyThatCannotBeWrittenLeavesNoPartialFile) {
    const char* limit = std::getenv("ULO_FILE_LIMIT_KB");
    if (limit == nullptr) GTEST_SKIP() << "only under a file-size limit";
    std::string big;
    for (const auto& file : packaged()) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA((kPayload + file.first).c_str(), GetFileExInfoStandard, &data) &&
            data.nFileSizeLow > std::strtoul(limit, nullptr, 10) * 1024) {
            big = file.second;
            break;
        }
    }
    if (big.empty()) GTEST_SKIP() << "no file larger than the limit";
    ProgramRun run = install(kPayload);
    ASSERT_NE(run.dialog, nullptr);
    EXPECT_EQ(run.result, text::kInstallFailed);
    EXPECT_EQ(std::count(run.messages.begin(), run.messages.end(), fill(text::kCopyFailed, big)), 1);
    closeWizard(&run);
    EXPECT_FALSE(exists(big));
    EXPECT_FALSE(exists(kFolder + "~" + big.substr(big.rfind('\\') + 1) + ".tmp"));
    const std::string log = ulo_e2e::readFile(kFolder + "install_log");
    EXPECT_EQ(log.find(big), std::string::npos);
    for (const install_log::Step& step : install_log::planReplay(log, kFolder, {})) {
        EXPECT_NE(step.action, install_log::Action::Undefined) << step.shown;
        if (step.action == install_log::Action::DeleteFile) {
            EXPECT_TRUE(exists(step.path)) << step.path;
        }
    }
}

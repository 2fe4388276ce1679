// CompanionDriver: sheets, dialogs, list views and list boxes of another process; the settings key.
#include "CompanionDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include "SettingsNames.h"
#include "SettingsRegistry.h"
#include "UloNames.h"

namespace companion_e2e {

using namespace ulo_e2e;

namespace {

bool timeLeft(DWORD end) { return static_cast<int>(end - GetTickCount()) > 0; }

// Memory in another process for the pointer parameters of list-view messages.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processOf(window));
        if (process_) address_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* at(size_t offset) const { return address_ + offset; }
    LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(at(offset)); }
    void write(size_t offset, const void* data, size_t n) {
        SIZE_T done = 0;
        WriteProcessMemory(process_, at(offset), data, n, &done);
    }
    void read(size_t offset, void* data, size_t n) const {
        SIZE_T done = 0;
        ReadProcessMemory(process_, at(offset), data, n, &done);
    }

private:
    size_t size_;
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

std::string fromWide(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    std::string out(wide.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), &out[0],
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

HKEY openKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

}  // namespace

Program startWithWindow(const char* exeName, const std::string& caption, DWORD timeoutMs) {
    Program program = startProgram(pathBeside(exeName), "", nullptr, timeoutMs);
    if (program.process) program.window = waitDialog(program.pid, caption.c_str(), timeoutMs);
    if (program.window) pause(200);  // pages and lists filled
    return program;
}

DWORD waitExitPumping(const Program& program, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    while (WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT && timeLeft(end)) pause(30);
    return waitExit(program, 100);
}

HWND waitDialogWith(DWORD pid, const std::string& caption, int childId, DWORD timeoutMs) {
    HWND found = waitWindow(
        pid,
        [&](HWND w) { return className(w) == "#32770" && windowTitle(w) == caption && findChildById(w, childId); },
        timeoutMs);
    if (found) pause(100);
    return found;
}

std::string answerMessageBox(DWORD pid, const std::string& caption, int buttonId, DWORD timeoutMs) {
    HWND box = waitDialogWith(pid, caption, 0xFFFF, timeoutMs);
    if (!box) return std::string();
    const std::string text = controlText(GetDlgItem(box, 0xFFFF));
    press(box, buttonId);
    waitGone(box, 5000);
    return text;
}

bool waitGone(HWND window, DWORD timeoutMs) {
    const DWORD end = GetTickCount() + timeoutMs;
    while (IsWindow(window) && IsWindowVisible(window) && timeLeft(end)) pause(30);
    pause(100);
    return !IsWindow(window) || !IsWindowVisible(window);
}

HWND showPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    pause(50);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void pressSheet(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

std::vector<std::string> sheetTabs(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    constexpr size_t kText = 256;
    for (int i = 0; i < count; ++i) {
        RemoteBuffer remote(tabs, sizeof(TCITEMA) + kText);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = remote.at(sizeof item);
        item.cchTextMax = kText;
        remote.write(0, &item, sizeof item);
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), remote.param());
        std::string text(kText, '\0');
        remote.read(sizeof item, &text[0], kText);
        texts.push_back(text.substr(0, text.find('\0')));
    }
    return texts;
}

bool sheetShowsButton(HWND sheet, int id) {
    HWND button = GetDlgItem(sheet, id);
    return button && IsWindowVisible(button);
}

std::string controlText(HWND control) {
    const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got));
    return fromWide(text);
}

HWND childWithText(HWND parent, const std::string& sjisText) {
    struct Context {
        const std::string* text;
        HWND found;
    } context{&sjisText, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM l) -> BOOL {
            auto* c = reinterpret_cast<Context*>(l);
            if (controlText(w) != *c->text) return TRUE;
            c->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

void setText(HWND control, const std::string& sjisText) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sjisText.c_str()));
}

void click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }
void postClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }
bool isChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void chooseCombo(HWND combo, int index) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

int comboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

std::string comboText(HWND combo) { return controlText(combo); }

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(fromWide(text));
    }
    return items;
}

int listCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string listText(HWND list, int row, int column) {
    constexpr size_t kText = 1024;
    RemoteBuffer remote(list, sizeof(LVITEMA) + kText);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iSubItem = column;
    item.pszText = remote.at(sizeof item);
    item.cchTextMax = kText;
    remote.write(0, &item, sizeof item);
    const LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), remote.param());
    std::string text(kText, '\0');
    remote.read(sizeof item, &text[0], kText);
    text.resize(std::min<size_t>(static_cast<size_t>(length > 0 ? length : 0), text.find('\0')));
    return text;
}

void selectRow(HWND list, int row) {
    RemoteBuffer remote(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    remote.write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), remote.param());
}

bool rowChecked(HWND list, int row) {
    const LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void setRowChecked(HWND list, int row, bool checked) {
    RemoteBuffer remote(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    remote.write(0, &item, sizeof item);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), remote.param());
}

void activateRow(HWND list, int row) {
    selectRow(list, row);
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RemoteBuffer remote(list, sizeof(RECT));
    RECT box{};
    box.left = LVIR_LABEL;
    remote.write(0, &box, sizeof box);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), remote.param());
    remote.read(0, &box, sizeof box);
    const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> listBoxItems(HWND list) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(fromWide(text));
    }
    return items;
}

void selectListBox(HWND list, int index) { SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void deleteSettingsKey() {
    unlockSettingsKey();
    settings_registry::deleteKey();
}

std::string readValue(const char* name) {
    HKEY key = openKey(KEY_READ);
    if (!key) return "<missing>";
    DWORD size = 0, type = 0;
    std::string bytes = "<missing>";
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) != ERROR_SUCCESS)
            bytes = "<missing>";
    }
    RegCloseKey(key);
    return bytes;
}

DWORD valueType(const char* name) {
    HKEY key = openKey(KEY_READ);
    DWORD type = REG_NONE;
    if (key) {
        RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
    }
    return type;
}

void writeValue(const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, settings_names::kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

bool lockSettingsKey() {
    writeValue("lock_probe", REG_BINARY, "x");  // the key must exist
    HKEY key = openKey(READ_CONTROL | WRITE_DAC);
    if (!key) return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    char aclBuffer[256];
    auto* acl = reinterpret_cast<ACL*>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    const bool locked = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    RegCloseKey(key);
    FreeSid(everyone);
    return locked;
}

void unlockSettingsKey() {
    HKEY key = openKey(READ_CONTROL | WRITE_DAC);
    if (!key) return;
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);  // no DACL: full access again
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
    RegCloseKey(key);
    HKEY writable = openKey(KEY_ALL_ACCESS);
    if (writable) {
        RegDeleteValueA(writable, "lock_probe");
        RegCloseKey(writable);
    }
}

namespace {

struct FakeEditorRecord {
    int messages = 0;
    bool zero = true;
    std::string browser;
};
FakeEditorRecord& record() {
    static FakeEditorRecord r;
    return r;
}

LRESULT CALLBACK fakeEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ulo_names::WM_FRAME_BROWSERS_CHANGED) {
        FakeEditorRecord& r = record();
        if (r.messages++ == 0) r.browser = readValue(settings_names::kBrowser);
        if (wParam || lParam) r.zero = false;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

FakeEditor::FakeEditor() {
    record() = FakeEditorRecord{};
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = fakeEditorProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ulo_names::kMainWindowClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, ulo_names::kMainWindowClass, "fake editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                              300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    bringToFront();
}

FakeEditor::~FakeEditor() {
    if (window_) DestroyWindow(window_);
    pause(50);
}

void FakeEditor::bringToFront() {
    SetForegroundWindow(window_);
    pause(100);
}

int FakeEditor::browserMessages() const { return record().messages; }
bool FakeEditor::parametersWereZero() const { return record().zero; }
std::string FakeEditor::browserAtMessage() const { return record().browser; }

}  // namespace companion_e2e

// The path tools' dialogs, driven from a second thread as a user would: the file chosen in the
// open dialog, the image panel's alt text and size box, the warnings, cancel and resizing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <atomic>
#include <thread>

#include "PagetoolExports.h"
#include "PagetoolResource.h"
#include "TestDriver.h"

using namespace ulo_e2e;

namespace {

const char kCaption[] = "pagetool test";
const int kFileNameCombo = 0x47C;  // cmb13: the file-name field of the Explorer-style dialog
const int kFileNameEdit = 0x480;   // edt1: the same in the older layout

template <class Fn>
Fn entry(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

HWND fileNameField(HWND dialog) {
    HWND field = findChildById(dialog, kFileNameCombo);
    return field ? field : findChildById(dialog, kFileNameEdit);
}

// The open dialog of this process, or null after ten seconds.
HWND waitOpenDialog() {
    return waitWindow(GetCurrentProcessId(),
                      [](HWND w) { return className(w) == "#32770" && fileNameField(w) != nullptr; }, 10000);
}

// Answers the message box with our caption that comes before the call returns; its text or "".
std::string answerWarning(const std::atomic<bool>& returned) {
    const DWORD pid = GetCurrentProcessId();
    while (!returned) {
        HWND box = waitWindow(pid, [](HWND w) { return className(w) == "#32770" && windowTitle(w) == kCaption; }, 100);
        if (box) return answerDialog(pid, kCaption, IDOK, 1000);
    }
    return std::string();
}

void waitGone(HWND window) {
    for (int i = 0; i < 100 && IsWindow(window); ++i) pause(50);
}

// Types the path into the open dialog and presses OK.
void choose(HWND dialog, const std::string& path) {
    SetWindowTextA(fileNameField(dialog), path.c_str());
    press(dialog, IDOK);
    waitGone(dialog);
}

// What the driving thread saw, read by the test after the call returned.
struct Seen {
    std::atomic<bool> returned{false};  // the call has returned: no further box will come
    bool dialog = false;
    std::string warning;
    bool boxTickedAtOpening = false;
    std::string altAtOpening;
    int altWidth = -1, panelWidth = -1;
};

class PathToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA("pagetool.dll");
        ASSERT_NE(library_, nullptr);
        relativePath_ = entry<pagetool_exports::GetRelativePathFn>(library_, pagetool_exports::kGetRelativePath);
        imageTag_ = entry<pagetool_exports::GetImageTagFn>(library_, pagetool_exports::kGetImageTag);
        anchorTag_ = entry<pagetool_exports::GetAnchorTagFn>(library_, pagetool_exports::kGetAnchorTag);
        ASSERT_TRUE(relativePath_ && imageTag_ && anchorTag_);
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                 nullptr);
        folder_ = workFolder("pagetool_dialogs");
        CreateDirectoryA((folder_ + "img").c_str(), nullptr);
        document_ = folder_ + "doc.html";
        writeFile(document_, "<html></html>");
        writeFile(folder_ + "beside.css", "");
        CopyFileA(PAGETOOL_IMAGES "\\rose.png", (folder_ + "img\\rose.png").c_str(), FALSE);
        CopyFileA(PAGETOOL_IMAGES "\\gif-named.png", (folder_ + "img\\gif-named.png").c_str(), FALSE);
    }
    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
        if (library_) FreeLibrary(library_);
    }

    // Runs the call with the document's path in a buffer of `length` bytes while `script` drives
    // the dialogs from a second thread; returns the buffer's text or "(false)".
    std::string run(const std::function<BOOL(char*, int)>& call, const std::function<void(Seen&)>& script,
                    Seen* seen, int length = 510) {
        std::string buffer(static_cast<size_t>(length) + 8, '#');  // guard bytes past the length
        std::memcpy(&buffer[0], document_.c_str(), document_.size() + 1);
        seen->returned = false;
        std::thread driver([&] { script(*seen); });
        const BOOL ok = call(&buffer[0], length);
        seen->returned = true;
        driver.join();
        EXPECT_EQ(buffer.substr(static_cast<size_t>(length)), "########") << "written past the length";
        return ok ? std::string(buffer.c_str()) : "(false)";
    }
    std::string relative(const std::string& pick, Seen* seen) {
        return run([&](char* b, int n) { return relativePath_(owner_, b, n, kCaption); },
                   [&](Seen& s) {
                       HWND dialog = waitOpenDialog();
                       if (!(s.dialog = dialog != nullptr)) return;
                       choose(dialog, pick);
                       s.warning = answerWarning(s.returned);
                   },
                   seen);
    }
    // The image dialog: reads the panel, types the alt text, sets the box, picks the file.
    std::string image(const std::string& pick, const std::string& alt, bool box, Seen* seen, BOOL xhtml = FALSE,
                      BOOL upper = FALSE, BOOL alwaysAlt = FALSE) {
        return run([&](char* b, int n) { return imageTag_(owner_, b, n, kCaption, xhtml, upper, alwaysAlt); },
                   [&](Seen& s) {
                       HWND dialog = waitOpenDialog();
                       if (!(s.dialog = dialog != nullptr)) return;
                       HWND altEdit = findChildById(dialog, IDC_IMAGE_ALT);
                       HWND sizeBox = findChildById(dialog, IDC_IMAGE_SIZE);
                       if (!altEdit || !sizeBox) {
                           press(dialog, IDCANCEL);
                           return;
                       }
                       char text[1024] = "";
                       GetWindowTextA(altEdit, text, sizeof text);
                       s.altAtOpening = text;
                       s.boxTickedAtOpening = SendMessageA(sizeBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
                       SetWindowTextA(altEdit, alt.c_str());
                       SendMessageA(sizeBox, BM_SETCHECK, box ? BST_CHECKED : BST_UNCHECKED, 0);
                       choose(dialog, pick);
                       s.warning = answerWarning(s.returned);
                   },
                   seen);
    }

    HMODULE library_ = nullptr;
    pagetool_exports::GetRelativePathFn relativePath_ = nullptr;
    pagetool_exports::GetImageTagFn imageTag_ = nullptr;
    pagetool_exports::GetAnchorTagFn anchorTag_ = nullptr;
    HWND owner_ = nullptr;
    std::string folder_, document_;
};

TEST_F(PathToolsTest, RelativePathsFromTheDialog) {
    Seen seen;
    EXPECT_EQ(relative(folder_ + "beside.css", &seen), "beside.css");
    EXPECT_TRUE(seen.dialog);
    EXPECT_EQ(seen.warning, "");
    Seen sub;
    EXPECT_EQ(relative(folder_ + "img\\rose.png", &sub), "img/rose.png");
    // Wine's Z: drive holds the build, the work folder is on C:: another drive, the warning with
    // the caller's caption.
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    ASSERT_EQ(std::string(self).substr(0, 2), "Z:");
    Seen other;
    EXPECT_EQ(relative(self, &other), "(false)");
    EXPECT_EQ(other.warning, sjis(L"相対パスを使用するには、対象ファイルが同じドライブ上にある必要があります。"));
}

TEST_F(PathToolsTest, CancelReturnsFalse) {
    Seen seen;
    const std::string result = run([&](char* b, int n) { return relativePath_(owner_, b, n, kCaption); },
                                   [&](Seen& s) {
                                       HWND dialog = waitOpenDialog();
                                       s.dialog = dialog != nullptr;
                                       if (dialog) press(dialog, IDCANCEL);
                                   },
                                   &seen);
    EXPECT_TRUE(seen.dialog);
    EXPECT_EQ(result, "(false)");
}

TEST_F(PathToolsTest, ImageTagWithSizeAltAndRememberedPanel) {
    Seen first;
    // 薔薇 as the alt text.
    const std::string rose = sjis(L"\x8594\x8587");
    EXPECT_EQ(image(folder_ + "img\\rose.png", rose, true, &first), "<img src=\"img/rose.png\" width=\"70\" height=\"46\" alt=\"" + rose + "\">");
    EXPECT_TRUE(first.boxTickedAtOpening);
    EXPECT_EQ(first.warning, "");
    // Upper case, the box unticked: no size; the alt text typed last is offered again.
    Seen second;
    EXPECT_EQ(image(folder_ + "img\\rose.png", "R", false, &second, FALSE, TRUE),
              "<IMG SRC=\"img/rose.png\" ALT=\"R\">");
    EXPECT_EQ(second.altAtOpening, rose);
    // The box is ticked again at the next opening; XHTML closes with " />" and keeps lower case.
    Seen third;
    EXPECT_EQ(image(folder_ + "img\\rose.png", "", true, &third, TRUE, TRUE, TRUE),
              "<img src=\"img/rose.png\" width=\"70\" height=\"46\" alt=\"\" />");
    EXPECT_TRUE(third.boxTickedAtOpening);
    EXPECT_EQ(third.altAtOpening, "R");
}

TEST_F(PathToolsTest, ImageWithoutReadableSizeWarnsAndGoesOn) {
    Seen seen;
    EXPECT_EQ(image(folder_ + "img\\gif-named.png", "", true, &seen), "<img src=\"img/gif-named.png\">");
    EXPECT_EQ(seen.warning, sjis(L"画像のサイズ情報を取得するのに失敗しました。\nサイズ情報が必要な場合には手動で追加してください。"));
}

TEST_F(PathToolsTest, AnchorTagAroundTheSelectionMark) {
    Seen seen;
    const std::string result = run([&](char* b, int n) { return anchorTag_(owner_, b, n, kCaption, TRUE); },
                                   [&](Seen& s) {
                                       HWND dialog = waitOpenDialog();
                                       if (!(s.dialog = dialog != nullptr)) return;
                                       choose(dialog, folder_ + "img\\rose.png");
                                   },
                                   &seen, 1020);
    EXPECT_EQ(result, "<A HREF=\"img/rose.png\">*selected_text*</A>");
    // Too small a buffer: refused before any dialog.
    std::string small = document_;
    small.resize(40, '\0');
    EXPECT_FALSE(anchorTag_(owner_, &small[0], 39, kCaption, FALSE));
    EXPECT_FALSE(imageTag_(owner_, &small[0], 10, kCaption, FALSE, FALSE, FALSE));
}

TEST_F(PathToolsTest, ResizingWidensTheAltField) {
    Seen seen;
    run([&](char* b, int n) { return imageTag_(owner_, b, n, kCaption, FALSE, FALSE, FALSE); },
        [&](Seen& s) {
            HWND dialog = waitOpenDialog();
            if (!(s.dialog = dialog != nullptr)) return;
            RECT frame;
            GetWindowRect(dialog, &frame);
            SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + 120, frame.bottom - frame.top + 40,
                         SWP_NOMOVE | SWP_NOZORDER);
            pause(300);
            HWND altEdit = findChildById(dialog, IDC_IMAGE_ALT);
            RECT edit, panel;
            GetWindowRect(altEdit, &edit);
            GetClientRect(GetParent(altEdit), &panel);
            s.altWidth = edit.right - edit.left;
            s.panelWidth = panel.right;
            press(dialog, IDCANCEL);
        },
        &seen);
    ASSERT_TRUE(seen.dialog);
    EXPECT_EQ(seen.altWidth, seen.panelWidth - 239);
}

}  // namespace

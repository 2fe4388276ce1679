// The path tools RP_GetRelativePath, RP_GetImageTag and RP_GetAnchorTag: an open-file dialog, the
// chosen file's path relative to the document, and the text to insert.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "PagetoolExports.h"
#include "SjisPath.h"
#include "PagetoolResource.h"
#include "PagetoolTexts.h"
#include "RelativePath.h"
#include "TagText.h"
#include "ViewerHost.h"

namespace {

// What the tools remember while the library is loaded: the last file chosen for a path or an
// anchor, the last image, and the image panel's alt text and size box as the dialog left them.
struct Remembered {
    std::string pathOrAnchorFile;
    std::string imageFile;
    std::string alt;
    bool addSize = true;
};
Remembered gRemembered;

const size_t kDialogBuffer = 510;
const size_t kAltRoom = 1024;  // the alt text keeps at most 1023 bytes

std::string filterList(std::initializer_list<const char*> parts) {
    std::string list;
    for (const char* p : parts) list.append(p).push_back('\0');
    return list;  // ends with two NULs with the one c_str() adds
}

// The folder part of a path, without its last separator; empty when it has none.
std::string folderOf(const std::string& path) {
    const size_t name = sjis_path::fileNameOffset(path);
    return name == 0 ? std::string() : path.substr(0, name - 1);
}

// State of one image dialog, reached from its hook through the panel's user data.
struct ImagePanel {
    bool sized = false;  // the first WM_SIZE after opening comes from the dialog's own layout
};

UINT_PTR CALLBACK imagePanelHook(HWND panel, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const OPENFILENAMEA* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
            SetWindowLongPtrA(panel, DWLP_USER, static_cast<LONG_PTR>(ofn->lCustData));
            SetDlgItemTextA(panel, IDC_IMAGE_ALT, gRemembered.alt.c_str());
            SendDlgItemMessageA(panel, IDC_IMAGE_ALT, EM_LIMITTEXT, kAltRoom - 1, 0);
            CheckDlgButton(panel, IDC_IMAGE_SIZE, BST_CHECKED);
            return 0;
        }
        case WM_SIZE: {
            ImagePanel* state = reinterpret_cast<ImagePanel*>(GetWindowLongPtrA(panel, DWLP_USER));
            if (!state) return 0;
            if (!state->sized) {
                state->sized = true;
                return 0;
            }
            RECT client;
            GetClientRect(panel, &client);
            const int width = client.right - 239;
            SetWindowPos(GetDlgItem(panel, IDC_IMAGE_ALT), nullptr, 0, 0, width > 0 ? width : 0, 18,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY: {
            char alt[kAltRoom] = "";
            GetDlgItemTextA(panel, IDC_IMAGE_ALT, alt, sizeof alt);
            gRemembered.alt = alt;
            gRemembered.addSize = IsDlgButtonChecked(panel, IDC_IMAGE_SIZE) == BST_CHECKED;
            return 0;
        }
    }
    return 0;
}

// The open-file dialog; the chosen path, or empty on cancel.
std::string chooseFile(HWND owner, const std::string& filters, const std::string& startFrom, bool imagePanel) {
    char file[kDialogBuffer] = "";
    const std::string folder = folderOf(startFrom);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    ImagePanel panel;
    if (imagePanel) {
        ofn.Flags |= OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
        ofn.hInstance = pagetool::thisModule();
        ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_IMAGE_PANEL);
        ofn.lpfnHook = imagePanelHook;
        ofn.lCustData = reinterpret_cast<LPARAM>(&panel);
    }
    if (!GetOpenFileNameA(&ofn)) return std::string();
    return file;
}

// The document's path from the caller's buffer: its bytes up to the NUL, never past `length`.
bool documentPath(const char* buffer, int length, std::string* path) {
    if (!buffer || length <= 0) return false;
    const void* nul = std::memchr(buffer, 0, static_cast<size_t>(length));
    if (!nul) return false;
    path->assign(buffer, static_cast<const char*>(nul));
    return !path->empty();
}

enum class Family { PathOrAnchor, Image };

// Dialog, same-root check (with the warning) and relative path within `room` bytes.
bool chooseRelative(HWND owner, const std::string& document, size_t room, const char* caption, Family family,
                    std::string* relative, std::string* chosen) {
    using namespace pagetool_text;
    std::string& last = family == Family::Image ? gRemembered.imageFile : gRemembered.pathOrAnchorFile;
    const std::string filters = family == Family::Image
        ? filterList({kFilterImages, "*.png;*.jpg;*.jpeg;*.gif", kFilterAll, "*.*"})
        : filterList({kFilterHtmlRelated, "*.html;*.htm;*.png;*.jpg;*.jpeg;*.gif;*.js;*.css", kFilterHtml,
                      "*.html;*.htm", kFilterImages, "*.png;*.jpg;*.jpeg;*.gif", kFilterAll, "*.*"});
    *chosen = chooseFile(owner, filters, last.empty() ? document : last, family == Family::Image);
    if (chosen->empty()) return false;
    const pagetool::RelativeResult result = pagetool::relativePath(document, *chosen, room, relative);
    if (result == pagetool::RelativeResult::OtherRoot) {
        MessageBoxA(owner, family == Family::Image ? kImageOtherDrive : kPathOtherDrive, caption,
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    last = *chosen;
    return result == pagetool::RelativeResult::Ok;
}

}  // namespace

extern "C" BOOL WINAPI RP_GetRelativePath(HWND owner, char* buffer, int length, const char* caption) {
    std::string document, relative, chosen;
    if (!documentPath(buffer, length, &document)) return FALSE;
    if (!chooseRelative(owner, document, static_cast<size_t>(length), caption, Family::PathOrAnchor, &relative,
                        &chosen))
        return FALSE;
    return pagetool::copyToBuffer(relative, buffer, static_cast<size_t>(length));
}

extern "C" BOOL WINAPI RP_GetImageTag(HWND owner, char* buffer, int length, const char* caption, BOOL xhtml,
                                      BOOL upperCase, BOOL alwaysAlt) {
    std::string document, relative, chosen;
    if (length <= 10 || !documentPath(buffer, length, &document)) return FALSE;
    if (!chooseRelative(owner, document, static_cast<size_t>(length), caption, Family::Image, &relative, &chosen))
        return FALSE;
    pagetool::ImageSize size;
    bool sized = false;
    if (gRemembered.addSize) {
        sized = pagetool::imageFileSize(chosen, &size);
        if (!sized) MessageBoxA(owner, pagetool_text::kImageSizeUnknown, caption, MB_OK | MB_ICONWARNING);
    }
    pagetool::ImageTagOptions options;
    options.xhtml = xhtml != FALSE;
    options.upperCase = upperCase != FALSE;
    options.alwaysAlt = alwaysAlt != FALSE;
    std::string tag;
    if (!pagetool::imageTag(relative, sized ? &size : nullptr, gRemembered.alt, options, static_cast<size_t>(length),
                            &tag))
        return FALSE;
    return pagetool::copyToBuffer(tag, buffer, static_cast<size_t>(length));
}

extern "C" BOOL WINAPI RP_GetAnchorTag(HWND owner, char* buffer, int length, const char* caption, BOOL upperCase) {
    std::string document, relative, chosen, tag;
    if (length < 40 || !documentPath(buffer, length, &document)) return FALSE;
    if (!chooseRelative(owner, document, pagetool::anchorPathRoom(static_cast<size_t>(length)), caption,
                        Family::PathOrAnchor, &relative, &chosen))
        return FALSE;
    if (!pagetool::anchorTag(relative, upperCase != FALSE, static_cast<size_t>(length), &tag)) return FALSE;
    return pagetool::copyToBuffer(tag, buffer, static_cast<size_t>(length));
}

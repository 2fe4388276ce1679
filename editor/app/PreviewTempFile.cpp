// PreviewTempFile: the document's copy for the previews (see PreviewTempFile.h).
#include "PreviewTempFile.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

#include "PreviewFiles.h"
#include "PreviewTexts.h"
#include "UloNames.h"

namespace {
const DWORD kHiddenTemporary = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY;
const int kNameTries = 100;

void error(HWND main, const char* text) { MessageBoxA(main, text, ulo_names::kEditorCaption, MB_OK | MB_ICONERROR); }
}  // namespace

// A new file under a name nobody uses: CREATE_NEW fails on an existing file, which is never
// opened, let alone overwritten; another number is tried instead.
bool PreviewTempFile::create(HWND main) {
    char temporary[MAX_PATH] = "";
    GetTempPathA(sizeof temporary, temporary);
    const std::string documentPath = document_.state().path();
    const std::string folder = preview_files::folder(documentPath, temporary);
    const std::string base = preview_files::baseName(documentPath);
    srand(timeGetTime());
    for (int i = 0; i < kNameTries; ++i) {
        const uint32_t number = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(main)) + timeGetTime() +
                                static_cast<uint32_t>(rand());
        const std::string name = preview_files::tempFileName(folder, base, number);
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, kHiddenTemporary, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            path_ = name;
            current_ = false;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    error(main, preview_text::kTempOpenFailed);
    return false;
}

bool PreviewTempFile::write(HWND main) {
    if (path_.empty()) {
        if (!create(main)) return false;
    } else if (current_ && mark_ == document_.state().currentMark()) {
        return true;
    }
    // A hidden file cannot be opened for writing from scratch: the attributes go first.
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::FILE* stream = std::fopen(path_.c_str(), "wb");
    if (!stream) {
        error(main, preview_text::kTempOpenFailed);
        return false;
    }
    SetFileAttributesA(path_.c_str(), kHiddenTemporary);
    const bool written = document_.writeTo(stream);
    if (std::fclose(stream) != 0 || !written) {
        error(main, preview_text::kTempWriteFailed);
        return false;
    }
    mark_ = document_.state().currentMark();
    current_ = true;
    return true;
}

void PreviewTempFile::remove() {
    if (path_.empty()) return;
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
    path_.clear();
    current_ = false;
}

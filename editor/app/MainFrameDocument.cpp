// MainFrame: the document's life: path, loading with its questions, saving (through a temporary
// file), closing with the unsaved-changes question, reloading, the external change check,
// dropped files and the file history.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DocumentWriter.h"
#include "FrameTexts.h"
#include "LineRecord.h"
#include "MainFrame.h"
#include "QuorvaleMessages.h"
#include "SafeSave.h"
#include "SettingsStore.h"
#include "UloResource.h"


namespace {

const char* encodingName(int e) {
    switch (e) {
    case 1: return "SJIS";
    case 2: return "JIS";
    case 3: return "EUC";
    case 4: return "UTF-8";
    default: return "";
    }
}

const char* lineEndName(int e) {
    switch (e) {
    case 1: return "CR";
    case 2: return "LF";
    case 3: return "CR+LF";
    default: return "";
    }
}

// The part of a path after its last backslash; the scan steps over double-byte characters.
const char* afterLastBackslash(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
            ++p;
            continue;
        }
        if (*p == '\\') name = p + 1;
    }
    return name;
}

// The document type a file name suggests (the full table comes with the document types).
int typeFromExtension(const char* path) {
    const char* dot = std::strrchr(afterLastBackslash(path), '.');
    if (!dot) return CMD_DOCTYPE_PLAIN;
    static const char* const html[] = {".html", ".htm", ".shtml", ".jsp", ".asp", ".php"};
    for (const char* e : html)
        if (lstrcmpiA(dot, e) == 0) return CMD_DOCTYPE_HTML401T;
    return CMD_DOCTYPE_PLAIN;
}

}  // namespace

int MainFrame::message(const char* format, const char* argument, UINT type) {
    char text[1200];
    std::snprintf(text, sizeof text, format, argument ? argument : "");
    return MessageBoxA(mainWindow_, text, ulo_text::kAppName, type);
}

void MainFrame::setPath(const char* file) {
    if (file) {
        lstrcpynA(path_, file, kPathSize);
        lstrcpynA(fileName_, afterLastBackslash(path_), kPathSize);
        if (documentType_ == CMD_DOCTYPE_PLAIN) {
            int type = typeFromExtension(path_);
            if (type != CMD_DOCTYPE_PLAIN) dispatchCommand(static_cast<UINT>(type), 0, 0);
        }
    } else {
        path_[0] = 0;
        std::strcpy(fileName_, ulo_text::kUntitled);
        if (editorWindow_) dispatchCommand(CMD_DOCTYPE_PLAIN, 0, 0);
        else documentType_ = CMD_DOCTYPE_PLAIN;
    }
    pathChanged();
}

void MainFrame::openChosen(const char* file, int encoding) {
    bool reuse = (settings_.option_flags & OptionFlag::kReuseWindow) != 0;
    if (!isEmpty()) {
        if (!reuse) {
            openInNewWindow(file, encoding);
            return;
        }
        if (!closeDocument(false)) return;
    }
    lstrcpynA(lastPath_, file, kPathSize);
    if (alreadyOpen(file)) return;
    load(file, encoding);
}

bool MainFrame::readImage(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x7FFFFFF0) return false;
    if (rawBuffer_) std::free(rawBuffer_);
    DWORD count = static_cast<DWORD>(size.QuadPart);
    rawBuffer_ = static_cast<uint8_t*>(std::malloc(count + 1));
    if (!rawBuffer_) return false;
    DWORD read = 0;
    if (!ReadFile(file, rawBuffer_, count, &read, nullptr) || read != count) return false;
    rawSize_ = count;
    GetFileTime(file, nullptr, nullptr, &fileTime_);
    return true;
}

void MainFrame::resetDocument() {
    ask(EC_RESET, 0);
    ask(EC_CONVERT);
    ask(EC_LOADDONE);
    if (rawBuffer_) std::free(rawBuffer_);
    rawBuffer_ = nullptr;
    rawSize_ = 0;
    savedMark_ = currentMark_ = 0;
    updateTitle();
    paintStatus(true);
}

bool MainFrame::load(const char* file, int encoding) {
    HANDLE h = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_SHARING_VIOLATION) {
            message(ulo_text::kCannotOpen, file, MB_ICONERROR);
            return false;
        }
        h = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            message(ulo_text::kInUseCannotOpen, file, MB_ICONERROR);
            return false;
        }
        message(ulo_text::kInUseWarning, file, MB_ICONWARNING);
    }
    bool read = readImage(h);
    CloseHandle(h);
    if (!read) return false;

    uint8_t* bytes = rawBuffer_;
    uint32_t count = rawSize_;
    if (count > 1 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bytes += 2;
        count -= 2;
        encoding = 5;
    }
    LoadRecord record{count, bytes, 1};
    ask(EC_RESET, encoding);
    ask(EC_LOADIMAGE, reinterpret_cast<LPARAM>(&record));
    if (!ask(EC_CONVERT)) {
        if (encoding != 0) {
            message(ulo_text::kConversionFailed, file, MB_ICONERROR);
            setPath(nullptr);
            resetDocument();
            return false;
        }
        // Detection guessed wrong: the image is read again as Shift_JIS from the file's bytes.
        std::free(rawBuffer_);
        rawBuffer_ = nullptr;
        HANDLE again = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        bool reread = again != INVALID_HANDLE_VALUE && readImage(again);
        if (again != INVALID_HANDLE_VALUE) CloseHandle(again);
        if (!reread) {
            setPath(nullptr);
            resetDocument();
            return false;
        }
        LoadRecord plain{rawSize_, rawBuffer_, 1};
        ask(EC_RESET, 1);
        ask(EC_LOADIMAGE, reinterpret_cast<LPARAM>(&plain));
        ask(EC_CONVERT);
    }
    askPreferredEncoding();
    askPreferredLineEnd();
    setPath(file);
    ask(EC_LOADDONE);
    savedMark_ = currentMark_ = 0;
    updateTitle();
    paintStatus(true);
    lstrcpynA(lastPath_, file, kPathSize);
    // The document is loaded even when the history cannot be updated: the window keeps it.
    settings_store::removeFromFileHistory(file);
    return true;
}

void MainFrame::askPreferredEncoding() {
    int preferred = settings_.convert_encoding;
    int current = static_cast<int>(editor_->encoding());
    if (preferred == 0 || preferred == current) return;
    if (!(settings_.option_flags & OptionFlag::kNoConversionWarning)) {
        char text[600];
        std::snprintf(text, sizeof text, ulo_text::kEncodingQuestion, encodingName(current), encodingName(preferred));
        if (MessageBoxA(mainWindow_, text, ulo_text::kAppName, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    }
    editor_->setEncoding(static_cast<TextEncoding>(preferred));
}

void MainFrame::askPreferredLineEnd() {
    static const LineEnd map[4] = {LineEnd::None, LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf};
    int setting = settings_.convert_line_end;
    if (setting < 1 || setting > 3) return;
    LineEnd preferred = map[setting];
    LineEnd current = editor_->lineEnd();
    if (preferred == current) return;
    if (!(settings_.option_flags & OptionFlag::kNoConversionWarning)) {
        char text[600];
        std::snprintf(text, sizeof text, ulo_text::kLineEndQuestion, lineEndName(static_cast<int>(current)),
                      lineEndName(static_cast<int>(preferred)));
        if (MessageBoxA(mainWindow_, text, ulo_text::kAppName, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    }
    editor_->setLineEnd(preferred);
}

bool MainFrame::writeDocument(std::FILE* stream) {
    TextEncoding encoding = editor_->encoding();
    if (encoding == TextEncoding::Auto) encoding = TextEncoding::ShiftJis;
    LineEnd lineEnd = editor_->lineEnd();
    if (encoding == TextEncoding::Utf16Le && std::fwrite("\xFF\xFE", 1, 2, stream) != 2) return false;
    LineIterator it{};
    for (LRESULT more = ask(EC_FIRSTLINE, reinterpret_cast<LPARAM>(&it)); more;
         more = ask(EC_NEXTLINE, reinterpret_cast<LPARAM>(&it))) {
        LineRecord line;
        line.text = const_cast<uint8_t*>(it.text);
        line.length = it.length;
        if (!DocumentWriter::writeLine(encoding, line, stream)) return false;
        if (it.lineEnd && !DocumentWriter::writeLineEnd(encoding, lineEnd, stream)) return false;
    }
    return true;
}

bool MainFrame::save() {
    if (!path_[0]) return saveAs();
    SaveResult result = saveSafely(path_, [this](std::FILE* stream) { return writeDocument(stream); });
    switch (result) {
    case SaveResult::ReadOnly: message(ulo_text::kReadOnly, path_, MB_ICONERROR); return false;
    case SaveResult::CannotOpen: message(ulo_text::kCannotWrite, path_, MB_ICONERROR); return false;
    case SaveResult::WriteFailed: message(ulo_text::kSaveFailed, path_, MB_ICONERROR); return false;
    case SaveResult::Saved: break;
    }
    if (isModified()) {
        savedMark_ = currentMark_;
        updateTitle();
    }
    HANDLE h = CreateFileA(path_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        GetFileTime(h, nullptr, nullptr, &fileTime_);
        CloseHandle(h);
    }
    return true;
}

bool MainFrame::closeDocument(bool closingWindow) {
    if (isModified()) {
        if (GetActiveWindow() != mainWindow_) SetForegroundWindow(mainWindow_);
        int answer = message(ulo_text::kSaveQuestion, path_, MB_YESNOCANCEL | MB_ICONWARNING);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES && !save()) return false;
    }
    if (closingWindow) ShowWindow(mainWindow_, SW_HIDE);
    lstrcpynA(lastPath_, path_, kPathSize);
    if (!closingWindow) setPath(nullptr);
    if (previewShown_) dispatchCommand(CMD_HIDEPREVIEW, 0, 0);
    resetDocument();
    if (resultPane_) SendMessageA(resultPane_, LB_RESETCONTENT, 0, 0);
    resultLines_.clear();
    if (lastPath_[0]) settings_store::addToFileHistory(lastPath_);
    return true;
}

void MainFrame::reload() {
    if (!path_[0]) return;
    if (isModified()) {
        if (GetActiveWindow() != mainWindow_) SetForegroundWindow(mainWindow_);
        if (message(ulo_text::kReloadQuestion, path_, MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) != IDOK) return;
    }
    if (previewShown_) dispatchCommand(CMD_HIDEPREVIEW, 0, 0);
    resetDocument();
    if (resultPane_) SendMessageA(resultPane_, LB_RESETCONTENT, 0, 0);
    resultLines_.clear();
    char remembered[kPathSize];
    lstrcpynA(remembered, path_, kPathSize);
    path_[0] = 0;
    open(remembered);
    // A file that can no longer be read leaves an empty window: its tabs and atom follow.
    if (!path_[0]) setPath(nullptr);
}

void MainFrame::checkExternalChange() {
    if (!path_[0] || checkingChange_) return;
    HANDLE h = CreateFileA(path_, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    bool got = GetFileTime(h, nullptr, nullptr, &now) != 0;
    CloseHandle(h);
    if (got && CompareFileTime(&now, &fileTime_) != 0) {
        fileTime_ = now;
        checkingChange_ = true;  // the question box itself deactivates and reactivates the window
        int answer = MessageBoxA(mainWindow_, ulo_text::kChangedOutside, ulo_text::kAppName, MB_YESNO | MB_ICONINFORMATION);
        checkingChange_ = false;
        if (answer == IDYES) reload();
    }
    updateTitle();
}

void MainFrame::dropFiles(HDROP drop) {
    bool reusable = isEmpty();
    if ((settings_.option_flags & OptionFlag::kReuseWindow) && !reusable) {
        if (!closeDocument(false)) return;
        reusable = true;
    }
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char file[kPathSize] = {};
        if (!DragQueryFileA(drop, i, file, kPathSize - 1)) continue;
        lstrcpynA(lastPath_, file, kPathSize);
        if (!reusable) {
            openInNewWindow(file, 0);
        } else if (!alreadyOpen(file)) {
            load(file, 0);
            SetForegroundWindow(mainWindow_);
            reusable = false;
        }
    }
    DragFinish(drop);
}

void MainFrame::openHistoryEntry(size_t k) {
    const char* file = tabBar_.historyPath(k);
    if (file) open(std::string(file).c_str());
}
